#pragma once

#include <optional>

// The command numbers of the desktop program's menus, accelerators and map bar, and when each
// command may run.
namespace qmx::app {

namespace cmd {
// File
constexpr int FileOpen = 57601;
constexpr int FileClose = 32818;
constexpr int FileSaveAs = 32819;
constexpr int FileSave = 32866; // no menu text; Ctrl+S
constexpr int Directory = 32791;
constexpr int AppExit = 57665;
constexpr int AppAbout = 57664;
// Edit
constexpr int EditUndo = 57643;
constexpr int EditCopy = 57634;
constexpr int EditPaste = 57637;
constexpr int EditCut = 57635;
// Monitor
constexpr int Monitor = 32803;
constexpr int MonitorAlt1 = 32852;
constexpr int MonitorAlt2 = 1065;
constexpr int ItemSet = 32807;
constexpr int MonitorStart = 32805;
constexpr int MonitorStop = 32806;
constexpr int MonitorRecord = 32880; // the recording of live values into a CSV file
// Tool
constexpr int ComPort = 32774;
constexpr int Title = 32775;
constexpr int EditConst = 32776;
constexpr int ReadEcu = 32861;
constexpr int WriteEcu = 32862;
constexpr int DataCompare = 32863;
constexpr int DataCompareAlt = 32777;
constexpr int MultiMap = 32825; // "Multi Map Edit"
// Window and map bar
constexpr int AllLines = 1148;
constexpr int MonitorDialog = 32816;
constexpr int FocusLineList = 1011;
constexpr int FocusMapList = 1059;
constexpr int MapWindow = 32817;
constexpr int TableWindow = 32811;
constexpr int HexView = 32810;
constexpr int MapPage = 32864;
constexpr int ConstPage = 32865;
} // namespace cmd

// What the enabling of the frame's commands depends on.
struct CommandState {
    bool fileOpen = false;          // a configuration is open
    bool transferActive = false;    // an ECU exchange started by a command is running
    bool monitorWindow = false;     // the Monitor window exists
    bool monitorItems = false;      // the open configuration has monitor items
    bool monitoring = false;        // the Monitor window is polling
    bool recording = false;         // the Monitor window's values go into a CSV file
    bool undoAvailable = false;     // the current map of the active view has an undo record
    bool editingViewActive = false; // the active view shows a table window (or a hex view)
    bool clipboardHasText = false;  // the clipboard offers plain text
};

// Whether command `command` may run in `state`. Commands without a rule of their own (the map
// bar's keys, the keyboard commands forwarded to the active child) are always enabled.
bool commandEnabled(int command, const CommandState& state);

// Whether command `command` shows a check mark in `state`; nothing for a command that never
// shows one. "&Monitor..." and "&Monitor Dialog" are ticked while the Monitor window exists,
// Start while monitoring, Stop while not, "&Record..." while recording.
std::optional<bool> commandChecked(int command, const CommandState& state);

} // namespace qmx::app
