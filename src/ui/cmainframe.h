#pragma once

#include "app/commands.h"
#include "app/commandtable.h"
#include "app/linkhost.h"
#include "app/menulayout.h"
#include "maps/undohistory.h"
#include "ui/docchildwindow.h"
#include "ui/filecommands.h"
#include "ui/qteventpump.h"
#include "ui/qtprogresswindow.h"
#include "ui/tablewindow.h"

#include <QMainWindow>

#include <memory>

class QMdiArea;

namespace qmx::text {
class MessageSink;
}
namespace qmx::app {
class CEctApp;
}

namespace qmx::ui {

class DocumentWindows;
class FrameActions;
class HexView;
class MapBar;
class MapBarHandler;
class MapWindow;
class MonitorCommands;

// The main window: the document area with the open configuration's windows, the map bar, the
// menus and keys, and the commands. It shows what the application object holds and reaches the
// user only through the message sink it is given. The file commands and the map bar's choices
// are handled by their own pieces; every command the frame offers is listed in addCommands(),
// every window kind it can show in makeChild().
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QSize kMinimumSize{500, 500};

    // `app` and `sink` outlive the frame; the link looks for its ports in `places`.
    CMainFrame(app::CEctApp& app, text::MessageSink& sink, const app::LinkHostPlaces& places,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Runs command `command` as its menu item or key would; nothing when it is disabled.
    void runCommand(int command);

    // The Open command after its dialog: closes the open configuration (asking first), opens
    // `path` and shows its map and table windows. False when the user declined or the open
    // failed (the failure was shown).
    bool openFile(const QString& path) { return m_files->openFile(path); }
    // Closes the configuration after the questions; false when the user declined.
    bool closeDocument() { return m_files->close(); }
    // Saves under `path` in the packed layout (Save As after its dialog).
    bool saveAs(const QString& path) { return m_files->saveAs(path); }

    // What the enabling rules look at now.
    app::CommandState commandState();
    // Enables the actions, names the Undo item and marks the title modified by the state now.
    void refreshCommands();

    QAction* action(int command) const;
    MapBar* mapBar() const { return m_mapBar; }
    QMdiArea* documentArea() const { return m_area; }
    DocChildWindow* activeChild() const;
    TableWindow* activeTable() const;
    QtEventPump& pump() { return m_pump; }
    app::LinkHost& linkHost() { return m_link; }
    QtProgressWindow& progressWindow() { return m_progress; }
    MonitorCommands& monitorCommands() { return *m_monitor; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Every command of the program and what runs it. A new window or dialog adds its commands
    // here (and its enabling rule to app::commandEnabled).
    void addCommands();
    // The document child window of `kind`; null for a kind the program cannot show yet.
    DocChildWindow* makeChild(WindowKind kind, QWidget* parent);
    // The frame follows what `child` reports: edited values refresh the other windows and the
    // map bar, a changed edit state the value fields and the commands.
    void followChild(DocChildWindow& child);
    // The hex view, wired to its own broadcasts (a moved selection, a written line value) and
    // the single-value write.
    MapWindow* makeMapWindow(QWidget* parent);
    HexView* makeHexView(QWidget* parent);

    void titleCommand();
    // The constant editor, with the focus on entry `entry` (-1: the first editable one); OK
    // copies its working copy back into the image.
    void constantCommand(int entry);
    void undoCommand();
    // Read from ECU or Write to ECU, with the progress window while the exchange runs.
    void transferCommand(int command);
    // The "Data Compare" dialog over the edit data with its checksum byte fixed.
    void compareCommand();
    // The "Multi Map Edit" dialog; the windows show the new link.
    void multiMapCommand();
    // Every window, the map bar's constants and lines show the image again.
    void refreshAfterImageChange();
    void forwardEdit(int code);

    // The state with a document: menus, map bar, table window.
    void enterDocumentState();
    // The state without one: the document's windows closed, the map bar empty, the short menus.
    void enterNoDocumentState();
    void updateTitle();
    void rebuildMenus();
    // Every window of the document refreshes (a read, an undo, a map bar choice).
    void refreshAllWindows();

    app::CEctApp& m_app;
    text::MessageSink& m_sink;
    QtEventPump m_pump;
    QtProgressWindow m_progress;
    app::LinkHost m_link;
    maps::UndoHistory m_undo;
    QMdiArea* m_area;
    MapBar* m_mapBar;
    std::unique_ptr<DocumentWindows> m_windows;
    std::unique_ptr<FileCommands> m_files;
    MapBarHandler* m_mapBarHandler = nullptr;
    std::unique_ptr<MonitorCommands> m_monitor;
    app::CommandTable m_commands;
    FrameActions* m_actions = nullptr;
    app::MenuContext m_menus; // what the menu bar was built for
};

} // namespace qmx::ui
