#pragma once

// The hook through which the undo history learns of a user edit before it is written.
namespace qmx::maps {

struct Map;

// The undo families of user edits.
enum class EditFamily {
    Edit = 10, // typed and pasted values, Enter on a selection, hex-view changes
    Drag = 20, // values dragged with the mouse
    Step = 30, // raise and lower commands; consecutive ones on the same cell merge
};

class EditObserver {
public:
    virtual ~EditObserver() = default;
    // Called before a user edit overwrites the current cell of `map`; the map's edit state
    // (target, edit row, edit index, current raw) still describes the cell and its old value.
    // `grouped` is true when the edit belongs to the same user action as the one before.
    virtual void beforeWrite(Map& map, EditFamily family, bool grouped) = 0;
};

} // namespace qmx::maps
