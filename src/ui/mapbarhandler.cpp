#include "ui/mapbarhandler.h"

#include "app/commands.h"
#include "app/ectapp.h"
#include "maps/editstate.h"
#include "maps/mapbarcontent.h"
#include "maps/undohistory.h"
#include "ui/cectdoc.h"
#include "ui/cectview.h"
#include "ui/documentwindows.h"
#include "ui/mapbar.h"
#include "ui/textcodec.h"

namespace qmx::ui {

MapBarHandler::MapBarHandler(app::CEctApp& app, MapBar& bar, DocumentWindows& windows, Hooks hooks)
    : QObject(&bar), m_app(app), m_bar(bar), m_windows(windows), m_hooks(std::move(hooks)) {
    connect(&m_bar, &MapBar::mapChosen, this, &MapBarHandler::chooseMap);
    connect(&m_bar, &MapBar::lineChosen, this, &MapBarHandler::chooseLine);
    connect(&m_bar, &MapBar::allClicked, this, &MapBarHandler::toggleAllLines);
    connect(&m_bar, &MapBar::stepClicked, this, [this](int code) {
        if (DocChildWindow* child = m_windows.activeChild())
            child->editOperation(code);
    });
    connect(&m_bar, &MapBar::escapePressed, this, &MapBarHandler::escape);
    connect(&m_bar, &MapBar::documentFocusWanted, this, [this] {
        if (DocChildWindow* child = m_windows.activeChild())
            child->setFocus(Qt::OtherFocusReason);
    });
}

void MapBarHandler::fill() {
    const app::Configuration& config = m_app.configuration();
    QStringList labels;
    for (const maps::Map& map : config.maps.maps())
        labels << textFromBytes(map.name);
    m_bar.setMaps(labels);
    m_bar.setCurrentMap(config.maps.currentIndex());
    refreshConstants();
    refillLines();
}

void MapBarHandler::clear() {
    m_bar.clear();
}

bool MapBarHandler::allLines() const {
    const maps::Map* map = m_app.configuration().maps.current();
    return map && map->allLines;
}

void MapBarHandler::toggleAllLines() {
    maps::Map* map = m_app.configuration().maps.current();
    if (!map)
        return;
    if (map->rows() >= 2)
        map->allLines = !map->allLines;
    m_bar.setAllState(maps::allBoxState(*map, map->allLines));
    if (CEctDoc* document = m_windows.document())
        for (CEctView* view : document->views())
            if (view->kind() == WindowKind::Map)
                view->child()->repaintWindow();
}

void MapBarHandler::refillLines() {
    const app::Configuration& config = m_app.configuration();
    const maps::Map* map = config.maps.current();
    if (!map)
        return;
    QStringList entries;
    for (const std::string& entry : maps::lineEntries(*map, config.image, m_app.formats()))
        entries << textFromBytes(entry);
    const int line = map->target == maps::EditTarget::Z ? map->editIndex : map->editRow;
    m_bar.setLines(entries, line);
    m_bar.setAllState(maps::allBoxState(*map, allLines()));
}

void MapBarHandler::refreshConstants() {
    const app::Configuration& config = m_app.configuration();
    m_bar.setConstants(maps::constantRows(config.lines, config.image));
}

void MapBarHandler::refreshValueFields() {
    const app::Configuration& config = m_app.configuration();
    const maps::Map* map = config.maps.current();
    if (!map) {
        m_bar.setValueTexts({}, {});
        return;
    }
    const maps::ValueTexts texts = maps::currentValueTexts(*map, config.image, m_app.formats());
    m_bar.setValueTexts(textFromBytes(texts.x), textFromBytes(texts.data));
}

void MapBarHandler::chooseMap(int index) {
    app::Configuration& config = m_app.configuration();
    if (maps::Map* old = config.maps.current())
        old->selection.clearCells();
    if (!config.maps.setCurrent(index))
        return;
    maps::Map& map = *config.maps.current();
    maps::selectRow(map, config.image, map.editRow);
    if (CEctDoc* document = m_windows.document())
        for (CEctView* view : document->views())
            view->selectMap();
    refillLines();
    m_hooks.refreshAllWindows();
}

void MapBarHandler::chooseLine(int index) {
    app::Configuration& config = m_app.configuration();
    maps::Map* map = config.maps.current();
    if (!map || index >= map->rows())
        return;
    maps::selectRow(*map, config.image, index);
    m_hooks.refreshAllWindows();
}

void MapBarHandler::escape() {
    const maps::Map* map = m_app.configuration().maps.current();
    DocChildWindow* child = m_windows.activeChild();
    if (map && child && child->hasBlockSelection() && maps::newestIsStep(*map))
        m_hooks.runCommand(app::cmd::EditUndo);
}

} // namespace qmx::ui
