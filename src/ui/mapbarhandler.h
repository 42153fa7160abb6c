#pragma once

#include <QObject>

#include <functional>

namespace qmx::app {
class CEctApp;
}

namespace qmx::ui {

class DocumentWindows;
class MapBar;

// Keeps the map bar in step with the open configuration: fills it when a configuration opens
// and empties it when it closes, turns its map and line choices into the current map and line,
// keeps its "&Line" list, "&ALL" box, constant list and value fields up to date.
class MapBarHandler : public QObject {
public:
    struct Hooks {
        std::function<void(int command)> runCommand; // a frame command, as its key would
        std::function<void()> refreshAllWindows;     // every window of the document refreshes
    };

    // `app`, `bar` and `windows` outlive the handler.
    MapBarHandler(app::CEctApp& app, MapBar& bar, DocumentWindows& windows, Hooks hooks);

    // Fills the bar for the configuration just opened: maps, constants, lines.
    void fill();
    // The no-document state: the bar empty.
    void clear();
    // Refills the "&Line" list from the current map and shows its "&ALL" state.
    void refillLines();
    // Refills the constant list from the image.
    void refreshConstants();
    // The hidden value fields show the current cell of the current map.
    void refreshValueFields();
    // Toggles the current map's all-lines option (a map with at least two lines); the map
    // windows repaint.
    void toggleAllLines();
    // The current map's all-lines option.
    bool allLines() const;

private:
    void chooseMap(int index);
    void chooseLine(int index);
    void escape();

    app::CEctApp& m_app;
    MapBar& m_bar;
    DocumentWindows& m_windows;
    Hooks m_hooks;
};

} // namespace qmx::ui
