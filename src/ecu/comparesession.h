#pragma once

#include "text/status.h"

#include <string>

#include "ecu/compare.h"
#include "ecu/datapane.h"

// The "Data Compare" dialog without its window: the source choice, the panes and the log of the
// last verify, and whether there is a log to save.
namespace qmx::ecu {

class CompareSession {
public:
    CompareChoice choice() const { return m_choice; }
    void setChoice(CompareChoice choice) { m_choice = choice; }
    // Whether the choice compares with a configuration file, which the user names first.
    bool needsFile() const { return m_choice != CompareChoice::EditWithEcu; }

    // Runs a verify of the chosen sources into fresh panes (`filePath` names the file when
    // needsFile()). Returns 0 once compared, or the failing loader's message number (already
    // shown; the log then holds at most its first line). The edit image is never changed.
    text::Status verify(TransferContext& context, EcuDocument& document,
                        const std::string& filePath);

    const CompareData& data() const { return m_data; }
    // The log as the dialog shows it, lines ending in CR LF.
    const std::string& log() const { return m_log; }
    // "Save log" is offered once a verify compared its panes.
    bool canSaveLog() const { return m_compared; }

private:
    CompareChoice m_choice = CompareChoice::EditWithEcu;
    CompareData m_data;
    std::string m_log;
    bool m_compared = false;
};

} // namespace qmx::ecu
