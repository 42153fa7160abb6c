#include "app/commands.h"

namespace qmx::app {

bool commandEnabled(int command, const CommandState& s) {
    const bool idle = !s.transferActive;
    switch (command) {
    case cmd::ReadEcu:
    case cmd::WriteEcu:
        return s.fileOpen && !s.monitorWindow && idle;
    case cmd::DataCompare:
    case cmd::MultiMap:
    case cmd::ComPort:
    case cmd::EditConst:
    case cmd::FileClose:
    case cmd::FileSaveAs:
    case cmd::FileSave:
        return s.fileOpen && idle;
    case cmd::DataCompareAlt:
        return s.fileOpen;
    case cmd::Monitor:
    case cmd::MonitorAlt1:
    case cmd::MonitorAlt2:
        return s.monitorItems && s.fileOpen && idle;
    case cmd::ItemSet:
        return s.monitorItems && s.fileOpen;
    case cmd::MonitorStart:
        return s.monitorWindow && !s.monitoring;
    case cmd::MonitorStop:
        return s.monitorWindow && s.monitoring;
    case cmd::MonitorRecord:
        // Values arrive only while the window exists; closing it ends the recording.
        return s.monitorWindow;
    case cmd::AppExit:
    case cmd::FileOpen:
        // Opening closes the open configuration, and exit ends the program: neither may cut
        // into a running exchange.
        return idle;
    case cmd::EditUndo:
        return s.undoAvailable;
    case cmd::EditCopy:
        return s.editingViewActive;
    case cmd::EditPaste:
        return s.editingViewActive && s.clipboardHasText;
    default:
        return true;
    }
}

std::optional<bool> commandChecked(int command, const CommandState& s) {
    switch (command) {
    case cmd::Monitor:
    case cmd::MonitorAlt1:
    case cmd::MonitorAlt2:
    case cmd::MonitorDialog:
        return s.monitorWindow;
    case cmd::MonitorStart:
        return s.monitoring;
    case cmd::MonitorStop:
        return !s.monitoring;
    case cmd::MonitorRecord:
        return s.recording;
    default:
        return std::nullopt;
    }
}

} // namespace qmx::app
