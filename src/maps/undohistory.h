#pragma once

#include <cstddef>
#include <string>

#include "maps/editobserver.h"
#include "maps/map.h"
#include "maps/mapset.h"

// The undo history of the maps: every user edit leaves a record on its map with the value it
// overwrites, and Undo restores the newest record or group of records of a map.
namespace qmx::maps {

// What an undo restored.
struct UndoResult {
    int restored = 0;    // records written back; 0 when nothing was undone
    bool zValue = false; // a Z value was restored: the map bar's line list needs its new text
};

// The Undo menu item: "&Undo\tCtrl+Z", disabled, unless the map has records.
struct UndoMenuItem {
    std::string text;
    bool enabled = false;
};

class UndoHistory : public EditObserver {
public:
    // Records edits of the maps of `maps` (which must outlive the history) within `budget`
    // cost units per map (the UNDO SIZE setting); install it with
    // maps.setEditObserver(&history).
    UndoHistory(MapSet& maps, int budget) : m_maps(maps) { setBudget(budget); }

    // A budget below 0 counts as 0 (every push then keeps only its own record).
    void setBudget(int budget);
    std::size_t budget() const { return m_budget; }

    // Records the current cell of `map` with its current raw value; called by every write path.
    void beforeWrite(Map& map, EditFamily family, bool grouped) override;

    // Records the current cell of `map` (its target, edit row and index, current raw value)
    // before the caller overwrites it. A Step record for a cell already in the newest group
    // with the same kind is merged (not pushed), so a run of raise/lower steps keeps the value
    // from before its first step. Oldest records are trimmed to the budget first. Returns
    // whether a record was added (false without a target or when merged).
    bool push(Map& map, EditFamily family, bool grouped);

    // Restores the newest record of `map`, and keeps going while the record just restored was
    // grouped with the one before it. Each restored cell becomes the current cell; Y values are
    // written with map-link copies, axis values without. Afterwards the selection is empty and
    // its anchor is the restored Y cell. A record whose address is no longer a value of the
    // map stops the undo and stays.
    UndoResult undo(Map& map);

private:
    bool restore(Map& map, const UndoRecord& record, UndoResult& result);

    MapSet& m_maps;
    std::size_t m_budget = 0;
};

// The Undo menu item for `map` (null: no document or no current map): enabled with the
// newest record's action named, e.g. "&Undo(Edit RPM)\tCtrl+Z", when the map has records.
UndoMenuItem undoMenuItem(const Map* map);

// Whether the newest record of `map` comes from a raise/lower step (family 30).
bool newestIsStep(const Map& map);

} // namespace qmx::maps
