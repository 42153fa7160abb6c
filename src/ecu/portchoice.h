#pragma once

namespace qmx::ecu {

class PortIndexStore;
class PortLister;

// Which port the link opens: the stores of the selected port, the system's port list the search
// goes through, and whether this run's once-only port search has been passed.
class PortChoice {
public:
    // `store` and `lister` must outlive the choice.
    PortChoice(PortIndexStore& store, PortLister& lister) : m_store(store), m_lister(lister) {}

    // The port rule of PortIndexStore: Rs232cPort, else qmx.INI's PORT, else the configuration's
    // CommPort; -1 when none names a port.
    int currentPortIndex();
    // Stores port `index` in both stores; false when one could not be written.
    [[nodiscard]] bool setPortIndex(int index);

    // Whether the once-per-run port search has succeeded (or auto-select was off).
    bool searchDone() const { return m_searchDone; }
    void setSearchDone(bool done) { m_searchDone = done; }

    PortIndexStore& store() { return m_store; }
    PortLister& lister() { return m_lister; }

private:
    PortIndexStore& m_store;
    PortLister& m_lister;
    bool m_searchDone = false;
};

} // namespace qmx::ecu
