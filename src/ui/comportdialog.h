#pragma once

#include "app/comportchoice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace qmx::text {
class MessageSink;
}
namespace qmx::app {
class CEctApp;
class LinkHost;
} // namespace qmx::app

namespace qmx::ui {

// The modal "Com Port" dialog: the "P&ort" list of the 256 ports with the names of those
// found, and "&Auto Select", which searches the port on OK. The line settings pass through it
// unchanged; it opens and closes ports only through its search.
class ComPortDialog : public QDialog {
public:
    // Opens on `values`, listing the ports of `link`; `link` and `sink` outlive the dialog.
    ComPortDialog(app::ComPortValues values, ecu::Link& link, text::MessageSink& sink,
                  QWidget* parent = nullptr);

    // The values to store after the dialog ended with OK.
    const app::ComPortValues& values() const { return m_choice.values(); }

    // OK: closes the dialog when the choice accepts, else stays open (the message was shown).
    void accept() override;

private:
    void autoSelectToggled(bool on);
    // Lists the entries again and selects the choice's entry.
    void refill();

    ecu::Link& m_link;
    text::MessageSink& m_sink;
    app::ComPortChoice m_choice;
    QComboBox* m_ports;
    QCheckBox* m_autoSelect;
};

// The "&Com..." command: the dialog on the application's values; after OK the values are stored
// (a file that cannot be written is shown through `sink`).
void runComPortDialog(app::CEctApp& app, app::LinkHost& host, text::MessageSink& sink,
                      QWidget* parent);

} // namespace qmx::ui
