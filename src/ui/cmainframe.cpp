#include "ui/cmainframe.h"

#include "app/ectapp.h"
#include "app/titlelist.h"
#include "app/versiontext.h"
#include "ecu/link.h"
#include "ecu/singlewrite.h"
#include "ecu/transfercommands.h"
#include "text/messages.h"
#include "ui/cchildframe.h"
#include "ui/cectdoc.h"
#include "ui/comportdialog.h"
#include "ui/constanteditordialog.h"
#include "ui/datacomparedialog.h"
#include "ui/documentwindows.h"
#include "ui/frameactions.h"
#include "ui/hexview.h"
#include "ui/mapbar.h"
#include "ui/mapbarhandler.h"
#include "ui/mapwindow.h"
#include "ui/multimapdialog.h"
#include "ui/monitorcommands.h"
#include "ui/textcodec.h"
#include "ui/titleeditordialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>

namespace qmx::ui {

namespace cmd = app::cmd;

CMainFrame::CMainFrame(app::CEctApp& app, text::MessageSink& sink,
                       const app::LinkHostPlaces& places, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_sink(sink), m_progress(m_pump, this),
      m_link(app.settings(), m_pump, places),
      m_undo(app.configuration().maps, app.settings().startup.undoSize), m_area(new QMdiArea(this)),
      m_mapBar(new MapBar(this)) {
    setObjectName("mainFrame");
    setMinimumSize(kMinimumSize);
    setCentralWidget(m_area);
    m_area->setObjectName("documentArea");
    addDockWidget(Qt::LeftDockWidgetArea, m_mapBar);
    app.configuration().maps.setEditObserver(&m_undo);

    m_windows = std::make_unique<DocumentWindows>(
        *m_area, [this](WindowKind kind, QWidget* host) { return makeChild(kind, host); });
    m_files = std::make_unique<FileCommands>(
        app, sink, *this,
        FileCommands::Hooks{.opened = [this] { enterDocumentState(); },
                            .closing = [this] { m_monitor->documentClosing(); },
                            .closed = [this] { enterNoDocumentState(); },
                            .saved = [this] { updateTitle(); }});
    m_mapBarHandler = new MapBarHandler(
        app, *m_mapBar, *m_windows,
        MapBarHandler::Hooks{.runCommand = [this](int command) { runCommand(command); },
                             .refreshAllWindows = [this] { refreshAllWindows(); }});
    m_monitor = std::make_unique<MonitorCommands>(app, m_link.link(), sink, *this,
                                                  [this] { refreshCommands(); });
    addCommands();
    m_actions = new FrameActions(*this, [this](int command) { return m_commands.offers(command); });
    connect(m_actions, &FrameActions::triggered, this, &CMainFrame::runCommand);

    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window && m_windows->document()) {
            m_windows->document()->refreshAll();
            if (DocChildWindow* child = activeChild())
                child->postRepaint(true);
        }
        refreshCommands();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::refreshCommands);
    // The next-window and previous-window keys cycle through the document's windows.
    for (const bool forward : {true, false}) {
        auto* key = new QShortcut(QKeySequence(forward ? "Ctrl+F6" : "Ctrl+Shift+F6"), this);
        connect(key, &QShortcut::activated, this,
                [this, forward] { m_windows->activateNext(forward); });
    }
    rebuildMenus(); // the no-document menus, from the first paint on
    enterNoDocumentState();
}

CMainFrame::~CMainFrame() {
    m_area->disconnect(this);
    m_windows.reset();
    m_app.configuration().maps.setEditObserver(nullptr);
}

// --- What the program offers -------------------------------------------------------------------

void CMainFrame::addCommands() {
    FileCommands& files = *m_files;
    m_commands.add(cmd::FileOpen, [&files] { files.open(); });
    m_commands.add(cmd::FileClose, [&files] { static_cast<void>(files.close()); });
    m_commands.add(cmd::FileSave, [&files] { files.save(); });
    m_commands.add(cmd::FileSaveAs, [&files] { files.saveAs(); });
    m_commands.add(cmd::Directory, [&files] { files.chooseDirectory(); });
    m_commands.add(cmd::AppExit, [this] { close(); });
    m_commands.add(cmd::AppAbout, [this] {
        m_sink.show(app::versionText(QCoreApplication::applicationFilePath().toStdString()),
                    text::messageText(text::msg::ProgramTitle), text::Icon::Information);
    });

    m_commands.add(cmd::EditUndo, [this] { undoCommand(); });
    m_commands.add(cmd::EditCopy, [this] {
        if (DocChildWindow* child = activeChild())
            child->copy();
    });
    m_commands.add(cmd::EditPaste, [this] {
        if (DocChildWindow* child = activeChild())
            child->paste();
    });
    m_commands.addEditOperations([this](int code) { forwardEdit(code); });

    m_commands.add(cmd::Title, [this] { titleCommand(); });
    m_commands.add(cmd::ComPort, [this] { runComPortDialog(m_app, m_link, m_sink, this); });
    m_monitor->addCommands(m_commands);
    m_commands.add(cmd::EditConst, [this] { constantCommand(-1); });
    connect(m_mapBar, &MapBar::constantsClicked, this, [this](int entry) {
        refreshCommands();
        if (action(cmd::EditConst)->isEnabled())
            constantCommand(entry);
    });
    m_commands.add(cmd::ReadEcu, [this] { transferCommand(cmd::ReadEcu); });
    m_commands.add(cmd::WriteEcu, [this] { transferCommand(cmd::WriteEcu); });
    m_commands.add(cmd::DataCompare, [this] { compareCommand(); });
    m_commands.add(cmd::DataCompareAlt, [this] { compareCommand(); });
    m_commands.add(cmd::MultiMap, [this] { multiMapCommand(); });

    MapBarHandler& bar = *m_mapBarHandler;
    m_commands.add(cmd::AllLines, [&bar] { bar.toggleAllLines(); });
    m_commands.add(cmd::FocusLineList, [this] { m_mapBar->focusLineList(); });
    m_commands.add(cmd::FocusMapList, [this] { m_mapBar->focusMapList(); });
    m_commands.add(cmd::MapPage, [this] { m_mapBar->showMapPage(); });
    m_commands.add(cmd::ConstPage, [this] { m_mapBar->showConstPage(); });
    m_commands.add(cmd::TableWindow, [this] { m_windows->openOrActivate(WindowKind::Table); });
    m_commands.add(cmd::MapWindow, [this] { m_windows->openOrActivate(WindowKind::Map); });
    m_commands.add(cmd::HexView, [this] { m_windows->openOrActivate(WindowKind::Hex); });
}

DocChildWindow* CMainFrame::makeChild(WindowKind kind, QWidget* parent) {
    DocChildWindow* child = nullptr;
    if (kind == WindowKind::Table) {
        const app::CEctSettings& registry = m_app.settings().registryValues;
        const TableLook look{registry.tableWndCellWidth, registry.tableWndCellHeight,
                             registry.tableWndFontSize, m_app.formats()};
        child = new TableWindow(m_app.configuration().maps, m_sink, look, parent);
    } else if (kind == WindowKind::Map) {
        child = makeMapWindow(parent);
    } else if (kind == WindowKind::Hex) {
        child = makeHexView(parent);
    }
    if (child)
        followChild(*child);
    return child;
}

void CMainFrame::followChild(DocChildWindow& child) {
    const auto refreshOthers = [this, kind = child.kind()] {
        if (CEctDoc* document = m_windows->document())
            document->refreshOthers(kind);
    };
    connect(&child, &DocChildWindow::valuesEdited, this, [this, refreshOthers] {
        refreshOthers();
        // A Z value may have changed: the "&Line" list shows them.
        m_mapBarHandler->refillLines();
    });
    connect(&child, &DocChildWindow::selectionMoved, this, refreshOthers);
    connect(&child, &DocChildWindow::stateChanged, this, [this] {
        m_mapBarHandler->refreshValueFields();
        refreshCommands();
    });
}

MapWindow* CMainFrame::makeMapWindow(QWidget* parent) {
    auto* graph = new MapWindow(m_app.configuration().maps, m_sink, m_app.formats(), parent);
    // The other windows and the value fields follow a drag before anything is written.
    connect(graph, &MapWindow::valueShown, this, [this, graph](int value) {
        if (CEctDoc* document = m_windows->document())
            document->notifyValue(value, WindowKind::Map);
        const maps::ValueTexts texts = graph->valueTexts();
        m_mapBar->setValueTexts(textFromBytes(texts.x), textFromBytes(texts.data));
    });
    // Up and down move the current line, which the "&Line" list shows.
    connect(graph, &DocChildWindow::selectionMoved, this,
            [this] { m_mapBarHandler->refillLines(); });
    return graph;
}

HexView* CMainFrame::makeHexView(QWidget* parent) {
    const app::CEctSettings& registry = m_app.settings().registryValues;
    auto* hex = new HexView(m_app.configuration().maps, m_sink, registry.tableWndCellWidth,
                            registry.tableWndCellHeight, parent);
    connect(hex, &HexView::lineValueEdited, this, [this] { m_mapBarHandler->refillLines(); });
    connect(hex, &HexView::liveWriteRequested, this, [this](int address, int value) {
        // The write shows its own failure, once; the value stays committed either way.
        static_cast<void>(ecu::writeEcuByte(m_link.link(), m_progress, m_sink,
                                            static_cast<std::uint16_t>(address),
                                            static_cast<std::uint8_t>(value)));
        refreshCommands();
    });
    return hex;
}

// --- Commands ----------------------------------------------------------------------------------

void CMainFrame::runCommand(int command) {
    refreshCommands();
    if (QAction* act = action(command); !act || !act->isEnabled())
        return;
    static_cast<void>(m_commands.run(command)); // every command with an action is offered
    refreshCommands();
}

QAction* CMainFrame::action(int command) const {
    return m_actions->action(command);
}

app::CommandState CMainFrame::commandState() {
    const app::Configuration& config = m_app.configuration();
    app::CommandState state;
    state.fileOpen = config.isOpen();
    state.transferActive = m_link.link().arbiter().transferActive();
    state.monitorItems = !config.monitorItems.empty();
    m_monitor->fillState(state);
    const maps::Map* map = config.maps.current();
    state.undoAvailable = m_windows->document() && maps::undoMenuItem(map).enabled;
    const DocChildWindow* child = activeChild();
    state.editingViewActive =
        child && (child->kind() == WindowKind::Table || child->kind() == WindowKind::Hex);
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    state.clipboardHasText = clip && clip->hasText();
    return state;
}

void CMainFrame::refreshCommands() {
    const app::CommandState state = commandState();
    m_actions->applyState(state);
    const maps::Map* map = m_windows->document() ? m_app.configuration().maps.current() : nullptr;
    if (QAction* undo = action(cmd::EditUndo))
        undo->setText(textFromBytes(maps::undoMenuItem(map).text).section('\t', 0, 0));
    if (QAction* all = action(cmd::AllLines)) {
        all->setCheckable(true);
        all->setChecked(m_mapBarHandler->allLines());
    }
    setWindowModified(state.fileOpen && m_app.configuration().modified);
    for (QMdiSubWindow* frame : m_area->subWindowList())
        frame->setWindowModified(isWindowModified());
    if (m_menus != app::MenuContext{state.fileOpen, state.fileOpen && state.monitorItems})
        rebuildMenus();
}

DocChildWindow* CMainFrame::activeChild() const {
    return m_windows->activeChild();
}

TableWindow* CMainFrame::activeTable() const {
    return dynamic_cast<TableWindow*>(activeChild());
}

void CMainFrame::forwardEdit(int code) {
    if (DocChildWindow* child = activeChild())
        child->editOperation(code);
}

void CMainFrame::titleCommand() {
    app::Configuration& config = m_app.configuration();
    TitleEditorDialog editor(
        app::TitleList::read(config.lines),
        [this, &config] {
            config.modified = true;
            refreshCommands();
        },
        this);
    if (editor.exec() == QDialog::Accepted)
        editor.titles().writeBack(config.lines);
}

void CMainFrame::constantCommand(int entry) {
    app::Configuration& config = m_app.configuration();
    ConstantEditorDialog editor(config.lines, config.image, m_sink, this);
    if (!editor.hasEntries())
        return;
    if (entry >= 0)
        editor.focusEntry(entry);
    if (editor.exec() == QDialog::Accepted &&
        app::applyConstantEdits(config, editor.workingCopy())) {
        m_mapBarHandler->refreshConstants();
        m_mapBarHandler->refillLines();
    }
    refreshAllWindows();
}

void CMainFrame::undoCommand() {
    maps::Map* map = m_app.configuration().maps.current();
    if (!map)
        return;
    const maps::UndoResult result = m_undo.undo(*map);
    if (result.restored == 0)
        return;
    if (result.zValue)
        m_mapBarHandler->refillLines();
    refreshAllWindows();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (commandState().transferActive || (m_app.configuration().isOpen() && !closeDocument())) {
        event->ignore();
        return;
    }
    event->accept();
}

// --- ECU ---------------------------------------------------------------------------------------

void CMainFrame::transferCommand(int command) {
    ecu::Link& link = m_link.link();
    {
        // Held for the whole command, so that no command starts and the window does not close
        // while its progress and its outcome show; the commands reflect it at once.
        ecu::TransferScope transfer(link.arbiter());
        refreshCommands();
        ecu::TransferContext context{link, m_progress, m_sink};
        ecu::EcuDocument document = app::documentOf(m_app);
        const auto refresh = [this] { refreshAfterImageChange(); };
        // Each command shows its own outcome; nothing is left to report here.
        const text::Status outcome = command == cmd::ReadEcu
                                         ? ecu::readEcuCommand(context, document, refresh)
                                         : ecu::writeEcuCommand(context, document, refresh);
        static_cast<void>(outcome);
    }
    refreshCommands();
}

void CMainFrame::compareCommand() {
    const bool checksumChanged = m_app.configuration().maps.fixChecksum();
    DataCompareDialog dialog({m_link.link(), m_progress, m_sink}, app::documentOf(m_app),
                             textFromBytes(m_app.settings().startup.initialFolder), this);
    dialog.exec();
    // A verify never stores into the image: only the checksum fix can have changed it.
    if (checksumChanged)
        refreshAfterImageChange();
}

void CMainFrame::multiMapCommand() {
    MultiMapDialog dialog(m_app.configuration().maps, m_sink, this);
    if (dialog.exec() == QDialog::Accepted)
        refreshAllWindows();
}

void CMainFrame::refreshAfterImageChange() {
    m_mapBarHandler->refreshConstants();
    m_mapBarHandler->refillLines();
    refreshAllWindows();
}

// --- States ------------------------------------------------------------------------------------

void CMainFrame::refreshAllWindows() {
    if (CEctDoc* document = m_windows->document())
        document->refreshAll();
    m_mapBarHandler->refreshValueFields();
    refreshCommands();
}

void CMainFrame::enterDocumentState() {
    const app::Configuration& config = m_app.configuration();
    m_link.applyConfiguration(config.line, config.commandRetryCount, config.machineCode);
    m_monitor->configurationChanged();
    m_mapBarHandler->fill();
    m_windows->openDocument();
    m_windows->openOrActivate(WindowKind::Map);
    m_windows->openOrActivate(WindowKind::Table);
    m_mapBar->show();
    updateTitle();
    m_mapBarHandler->refreshValueFields();
    refreshCommands();
}

void CMainFrame::enterNoDocumentState() {
    m_monitor->configurationChanged();
    m_windows->closeDocument();
    m_mapBarHandler->clear();
    updateTitle();
    refreshCommands();
}

void CMainFrame::updateTitle() {
    const app::Configuration& config = m_app.configuration();
    const QString program = textFromBytes(std::string(text::messageText(text::msg::ProgramTitle)));
    setWindowTitle(config.isOpen() ? program + " - " + textFromBytes(config.path) + "[*]"
                                   : program);
    refreshCommands();
}

void CMainFrame::rebuildMenus() {
    const app::Configuration& config = m_app.configuration();
    m_menus = {.documentOpen = config.isOpen(),
               .monitorItems = config.isOpen() && !config.monitorItems.empty()};
    m_actions->buildMenuBar(*menuBar(), m_menus);
}

} // namespace qmx::ui
