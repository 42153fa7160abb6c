#include "ui/cmainframe.h"

#include "app/accelerators.h"
#include "app/ectapp.h"
#include "app/folderlist.h"
#include "app/titlelist.h"
#include "app/versiontext.h"
#include "ecu/link.h"
#include "ecu/transfercommands.h"
#include "maps/editstate.h"
#include "maps/linkrules.h"
#include "maps/mapbarcontent.h"
#include "platform/profile.h"
#include "text/messages.h"
#include "ui/cchildframe.h"
#include "ui/cectdoc.h"
#include "ui/cectview.h"
#include "ui/directorydialog.h"
#include "ui/documentwindows.h"
#include "ui/frameactions.h"
#include "ui/mapbar.h"
#include "ui/textcodec.h"
#include "ui/titleeditordialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>

namespace qmx::ui {

namespace {

namespace cmd = app::cmd;

// The commands this program offers; the others come with their windows and dialogs.
bool offered(int command) {
    switch (command) {
    case cmd::FileOpen:
    case cmd::FileClose:
    case cmd::FileSaveAs:
    case cmd::FileSave:
    case cmd::Directory:
    case cmd::AppExit:
    case cmd::AppAbout:
    case cmd::EditUndo:
    case cmd::EditCopy:
    case cmd::EditPaste:
    case cmd::Title:
    case cmd::AllLines:
    case cmd::FocusLineList:
    case cmd::FocusMapList:
    case cmd::TableWindow:
    case cmd::MapPage:
    case cmd::ConstPage:
    case cmd::ReadEcu:
    case cmd::WriteEcu:
        return true;
    default:
        return app::editOperationCode(command) != 0;
    }
}

QString fromStd(const std::string& text) {
    return textFromBytes(text);
}

} // namespace

CMainFrame::CMainFrame(app::CEctApp& app, text::MessageSink& sink,
                       const app::LinkHostPlaces& places, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_sink(sink), m_progress(m_pump, this),
      m_link(app.settings(), m_pump, places),
      m_undo(app.configuration().maps, app.settings().startup.undoSize), m_area(new QMdiArea(this)),
      m_mapBar(new MapBar(this)), m_actions(new FrameActions(*this, offered)) {
    setObjectName("mainFrame");
    setMinimumSize(kMinimumSize);
    setCentralWidget(m_area);
    m_area->setObjectName("documentArea");
    addDockWidget(Qt::LeftDockWidgetArea, m_mapBar);
    app.configuration().maps.setEditObserver(&m_undo);

    m_windows = std::make_unique<DocumentWindows>(
        *m_area, [this](WindowKind kind, QWidget* host) { return makeChild(kind, host); });
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
    // The next-window and previous-window keys: between a map and a table window they both
    // switch to the other of the two.
    for (const char* key : {"Ctrl+F6", "Ctrl+Shift+F6"}) {
        auto* next = new QShortcut(QKeySequence(key), this);
        connect(next, &QShortcut::activated, this, [this] { m_windows->activateNext(); });
    }
    setUpMapBar();
    enterNoDocumentState();
}

CMainFrame::~CMainFrame() {
    m_area->disconnect(this);
    m_windows.reset();
    m_app.configuration().maps.setEditObserver(nullptr);
}

// --- Commands ----------------------------------------------------------------------------------

void CMainFrame::runCommand(int command) {
    refreshCommands();
    if (QAction* act = action(command); !act || !act->isEnabled())
        return;
    if (const int code = app::editOperationCode(command)) {
        forwardEdit(code);
        return;
    }
    switch (command) {
    case cmd::FileOpen:
        openCommand();
        break;
    case cmd::FileClose:
        closeDocument();
        break;
    case cmd::FileSave:
        saveCommand();
        break;
    case cmd::FileSaveAs:
        saveAsCommand();
        break;
    case cmd::Directory:
        directoryCommand();
        break;
    case cmd::AppExit:
        close();
        break;
    case cmd::AppAbout:
        m_sink.show(app::versionText(QCoreApplication::applicationFilePath().toStdString()),
                    text::messageText(text::msg::ProgramTitle), text::Icon::Information);
        break;
    case cmd::EditUndo:
        undoCommand();
        break;
    case cmd::EditCopy:
        if (DocChildWindow* child = activeChild())
            child->copy();
        break;
    case cmd::EditPaste:
        if (DocChildWindow* child = activeChild())
            child->paste();
        break;
    case cmd::Title:
        titleCommand();
        break;
    case cmd::AllLines:
        allLinesCommand();
        break;
    case cmd::FocusLineList:
        m_mapBar->focusLineList();
        break;
    case cmd::FocusMapList:
        m_mapBar->focusMapList();
        break;
    case cmd::TableWindow:
        m_windows->openOrActivate(WindowKind::Table);
        break;
    case cmd::MapPage:
        m_mapBar->showMapPage();
        break;
    case cmd::ConstPage:
        m_mapBar->showConstPage();
        break;
    case cmd::ReadEcu:
    case cmd::WriteEcu:
        transferCommand(command);
        break;
    default:
        break;
    }
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
    const maps::Map* map = config.maps.current();
    state.undoAvailable = m_windows->document() && maps::undoMenuItem(map).enabled;
    state.editingViewActive = activeTable() != nullptr;
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    state.clipboardHasText = clip && clip->hasText();
    return state;
}

void CMainFrame::refreshCommands() {
    const app::CommandState state = commandState();
    m_actions->applyState(state);
    const maps::Map* map = m_windows->document() ? m_app.configuration().maps.current() : nullptr;
    if (QAction* undo = action(cmd::EditUndo))
        undo->setText(fromStd(maps::undoMenuItem(map).text).section('\t', 0, 0));
    if (QAction* all = action(cmd::AllLines)) {
        all->setCheckable(true);
        const int index = m_app.configuration().maps.currentIndex();
        all->setChecked(index >= 0 && std::size_t(index) < m_allLines.size() && m_allLines[index]);
    }
    setWindowModified(state.fileOpen && m_app.configuration().modified);
    if (CChildFrame* table = m_windows->tableFrame())
        table->setWindowModified(isWindowModified());
    if (m_documentMenus != state.fileOpen)
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

void CMainFrame::showMessage(text::Status message, bool errorIcon) {
    m_sink.show(text::messageText(message), text::messageText(text::msg::ProgramTitle),
                errorIcon ? text::Icon::Error : text::Icon::Exclamation);
}

// --- Files -------------------------------------------------------------------------------------

void CMainFrame::openCommand() {
    QFileDialog dialog(this, "Open File", fromStd(m_app.settings().startup.initialFolder),
                       "ConfigurationFiles(*.rcz);;All Files(*.*)");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("rcz");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    openFile(dialog.selectedFiles().first());
}

bool CMainFrame::openFile(const QString& path) {
    if (m_app.configuration().isOpen() && !closeDocument())
        return false;
    const text::Status result =
        m_app.openConfiguration(path.toStdString(), app::FileLayout::Packed);
    if (result != text::msg::Success) {
        showMessage(result, app::isErrorIconMessage(result));
        enterNoDocumentState();
        return false;
    }
    app::Configuration& config = m_app.configuration();
    if (config.maps.empty()) {
        m_app.closeConfiguration();
        enterNoDocumentState();
        return false;
    }
    config.maps.setCurrent(0);
    m_link.applyConfiguration(config.line, config.commandRetryCount, config.machineCode);
    enterDocumentState();
    if (m_app.lockRefused())
        showMessage(text::msg::FileInUse);
    m_app.warnAboutDamagedRecords(m_sink);
    return true;
}

bool CMainFrame::closeDocument() {
    if (!m_app.askClose(m_sink))
        return false;
    app::Configuration& config = m_app.configuration();
    if (const text::Status cleared = maps::dropLinkForNoDocument(config.maps, config.lines))
        m_sink.show(text::messageText(cleared), text::messageText(text::msg::ProgramTitle),
                    text::Icon::Question);
    m_app.closeConfiguration();
    enterNoDocumentState();
    return true;
}

void CMainFrame::saveCommand() {
    if (m_app.save(m_sink) != text::msg::Success)
        showMessage(text::msg::SaveError);
    updateTitle();
}

void CMainFrame::saveAsCommand() {
    const app::Configuration& config = m_app.configuration();
    QString start = fromStd(m_app.settings().startup.initialFolder);
    const QString name = QFileInfo(fromStd(config.path)).fileName();
    if (!name.isEmpty())
        start = start.isEmpty() ? name : start + "/" + name;
    QFileDialog dialog(this, "Save As", start, "ConfigurationFiles(*.rcz)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("rcz");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    saveAs(dialog.selectedFiles().first());
}

bool CMainFrame::saveAs(const QString& path) {
    const bool saved = m_app.saveAs(path.toStdString(), m_sink) == text::msg::Success;
    if (!saved)
        showMessage(text::msg::SaveError);
    updateTitle();
    return saved;
}

void CMainFrame::directoryCommand() {
    platform::Profile file(m_app.settings().programSettingsPath);
    app::FolderList folders = app::FolderList::read(file);
    const std::optional<std::string> chosen = DirectoryDialog::choose(folders.entries(), this);
    if (!chosen)
        return;
    folders.choose(*chosen);
    // The folder serves this run even when qmx.INI cannot keep it.
    m_app.settings().startup.initialFolder = *chosen;
    if (!folders.write(file))
        showMessage(text::msg::FailedToWriteFile);
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
        const auto refresh = [this] {
            const app::Configuration& config = m_app.configuration();
            m_mapBar->setConstants(maps::constantRows(config.lines, config.image));
            refillLines();
            refreshAllWindows();
        };
        // Each command shows its own outcome; nothing is left to report here.
        const text::Status outcome = command == cmd::ReadEcu
                                         ? ecu::readEcuCommand(context, document, refresh)
                                         : ecu::writeEcuCommand(context, document, refresh);
        static_cast<void>(outcome);
    }
    refreshCommands();
}

// --- Editing -----------------------------------------------------------------------------------

void CMainFrame::undoCommand() {
    maps::Map* map = m_app.configuration().maps.current();
    if (!map)
        return;
    const maps::UndoResult result = m_undo.undo(*map);
    if (result.restored == 0)
        return;
    if (result.zValue)
        refillLines();
    refreshAllWindows();
}

void CMainFrame::allLinesCommand() {
    const maps::Map* map = m_app.configuration().maps.current();
    const int index = m_app.configuration().maps.currentIndex();
    if (!map || index < 0 || std::size_t(index) >= m_allLines.size())
        return;
    if (map->rows() >= 2)
        m_allLines[index] = !m_allLines[index];
    m_mapBar->setAllState(maps::allBoxState(*map, m_allLines[index]));
}

void CMainFrame::refreshAllWindows() {
    if (CEctDoc* document = m_windows->document())
        document->refreshAll();
    refreshValueFields();
    refreshCommands();
}

// --- States ------------------------------------------------------------------------------------

void CMainFrame::enterDocumentState() {
    app::Configuration& config = m_app.configuration();
    QStringList labels;
    for (const maps::Map& map : config.maps.maps())
        labels << fromStd(map.name);
    m_allLines.assign(config.maps.size(), false);
    m_mapBar->setMaps(labels);
    m_mapBar->setCurrentMap(config.maps.currentIndex());
    m_mapBar->setConstants(maps::constantRows(config.lines, config.image));
    refillLines();
    m_windows->openDocument();
    m_windows->openOrActivate(WindowKind::Table);
    m_mapBar->show();
    updateTitle();
    refreshValueFields();
    refreshCommands();
}

void CMainFrame::enterNoDocumentState() {
    m_windows->closeDocument();
    m_mapBar->clear();
    m_allLines.clear();
    updateTitle();
    refreshCommands();
}

void CMainFrame::updateTitle() {
    const app::Configuration& config = m_app.configuration();
    const QString program = fromStd(std::string(text::messageText(text::msg::ProgramTitle)));
    setWindowTitle(config.isOpen() ? program + " - " + fromStd(config.path) + "[*]" : program);
    refreshCommands();
}

void CMainFrame::rebuildMenus() {
    m_documentMenus = m_app.configuration().isOpen();
    const app::MenuContext context{.documentOpen = m_documentMenus,
                                   .monitorItems = !m_app.configuration().monitorItems.empty()};
    m_actions->buildMenuBar(*menuBar(), context);
}

// --- Map bar -----------------------------------------------------------------------------------

void CMainFrame::setUpMapBar() {
    connect(m_mapBar, &MapBar::mapChosen, this, &CMainFrame::chooseMap);
    connect(m_mapBar, &MapBar::lineChosen, this, &CMainFrame::chooseLine);
    connect(m_mapBar, &MapBar::allClicked, this, &CMainFrame::allLinesCommand);
    connect(m_mapBar, &MapBar::stepClicked, this, &CMainFrame::forwardEdit);
    connect(m_mapBar, &MapBar::escapePressed, this, &CMainFrame::escapeInMapBar);
    connect(m_mapBar, &MapBar::documentFocusWanted, this, [this] {
        if (DocChildWindow* child = activeChild())
            child->setFocus(Qt::OtherFocusReason);
    });
}

void CMainFrame::chooseMap(int index) {
    app::Configuration& config = m_app.configuration();
    if (maps::Map* old = config.maps.current())
        old->selection.clearCells();
    if (!config.maps.setCurrent(index))
        return;
    maps::Map& map = *config.maps.current();
    maps::selectRow(map, config.image, map.editRow);
    if (CEctDoc* document = m_windows->document())
        for (CEctView* view : document->views())
            view->selectMap();
    refillLines();
    refreshAllWindows();
}

void CMainFrame::chooseLine(int index) {
    app::Configuration& config = m_app.configuration();
    maps::Map* map = config.maps.current();
    if (!map || index >= map->rows())
        return;
    maps::selectRow(*map, config.image, index);
    refreshAllWindows();
}

void CMainFrame::refillLines() {
    const app::Configuration& config = m_app.configuration();
    const maps::Map* map = config.maps.current();
    if (!map)
        return;
    QStringList entries;
    for (const std::string& entry : maps::lineEntries(*map, config.image, m_app.formats()))
        entries << fromStd(entry);
    const int line = map->target == maps::EditTarget::Z ? map->editIndex : map->editRow;
    m_mapBar->setLines(entries, line);
    const int index = config.maps.currentIndex();
    m_mapBar->setAllState(maps::allBoxState(
        *map, index >= 0 && std::size_t(index) < m_allLines.size() && m_allLines[index]));
}

void CMainFrame::refreshValueFields() {
    const app::Configuration& config = m_app.configuration();
    const maps::Map* map = config.maps.current();
    if (!map) {
        m_mapBar->setValueTexts({}, {});
        return;
    }
    const maps::ValueTexts texts = maps::currentValueTexts(*map, config.image, m_app.formats());
    m_mapBar->setValueTexts(fromStd(texts.x), fromStd(texts.data));
}

void CMainFrame::escapeInMapBar() {
    const maps::Map* map = m_app.configuration().maps.current();
    DocChildWindow* child = activeChild();
    if (map && child && child->hasBlockSelection() && maps::newestIsStep(*map))
        runCommand(cmd::EditUndo);
}

// --- Document windows --------------------------------------------------------------------------

DocChildWindow* CMainFrame::makeChild(WindowKind kind, QWidget* parent) {
    if (kind != WindowKind::Table)
        return nullptr;
    app::Configuration& config = m_app.configuration();
    const app::CEctSettings& registry = m_app.settings().registryValues;
    const TableLook look{registry.tableWndCellWidth, registry.tableWndCellHeight,
                         registry.tableWndFontSize, m_app.formats()};
    auto* table = new TableWindow(config.maps, m_sink, look, parent);
    connect(table, &DocChildWindow::valuesEdited, this, [this] {
        if (CEctDoc* document = m_windows->document())
            document->refreshOthers(WindowKind::Table);
    });
    connect(table, &DocChildWindow::stateChanged, this, [this] {
        refreshValueFields();
        refreshCommands();
    });
    return table;
}

} // namespace qmx::ui
