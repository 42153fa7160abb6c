#pragma once

#include "app/commands.h"
#include "app/linkhost.h"
#include "maps/undohistory.h"
#include "ui/docchildwindow.h"
#include "ui/qteventpump.h"
#include "ui/qtprogresswindow.h"
#include "ui/tablewindow.h"

#include <QMainWindow>

#include <memory>
#include <vector>

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
class MapBar;

// The main window: the document area with the open configuration's windows, the map bar, the
// menus and keys, and the commands that open, close and save the configuration. It shows what
// the application object holds and reaches the user only through the message sink it is given.
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
    // `path` and shows its table window. False when the user declined or the open failed (the
    // failure was shown).
    bool openFile(const QString& path);
    // Closes the configuration after the questions; false when the user declined.
    bool closeDocument();
    // Saves under `path` in the packed layout (Save As after its dialog).
    bool saveAs(const QString& path);

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpMapBar();
    DocChildWindow* makeChild(WindowKind kind, QWidget* parent);
    void openCommand();
    void saveCommand();
    void saveAsCommand();
    void directoryCommand();
    void titleCommand();
    void undoCommand();
    // Read from ECU or Write to ECU, with the progress window while the exchange runs.
    void transferCommand(int command);
    void allLinesCommand();
    void forwardEdit(int code);
    // Shows `message` captioned with the program title, as an exclamation box.
    void showMessage(text::Status message, bool errorIcon = false);

    // The state with a document: menus, map bar, table window.
    void enterDocumentState();
    // The state without one: the document's windows closed, the map bar empty, the short menus.
    void enterNoDocumentState();
    void updateTitle();
    void rebuildMenus();

    // Map bar.
    void chooseMap(int index);
    void chooseLine(int index);
    void refillLines();
    void refreshValueFields();
    void escapeInMapBar();
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
    FrameActions* m_actions;
    std::unique_ptr<DocumentWindows> m_windows;
    std::vector<bool> m_allLines; // the all-lines option of each map
    bool m_documentMenus = false;
};

} // namespace qmx::ui
