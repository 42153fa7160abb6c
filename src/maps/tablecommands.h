#pragma once

// What the table window's input says: the keyboard commands the main frame forwards by number,
// and what an input did.
namespace qmx::maps {

namespace tablecmd {
constexpr int Enter = 7;
constexpr int ShiftEnter = 8; // commits and sends the byte to the ECU (hex view)
constexpr int EditBox = 10;   // F2
constexpr int Raise = 11;
constexpr int Lower = 12;
constexpr int Up = 13;
constexpr int Down = 14;
constexpr int Left = 15;
constexpr int Right = 16;
constexpr int ExtendUp = 20;
constexpr int ExtendDown = 21;
constexpr int ExtendLeft = 22;
constexpr int ExtendRight = 23;
constexpr int MoveUp = 27; // Ctrl+arrows: move also while editing
constexpr int MoveDown = 28;
constexpr int MoveLeft = 29;
constexpr int MoveRight = 30;
constexpr int RaiseTen = 31;
constexpr int LowerTen = 32;
} // namespace tablecmd

// What an input did.
struct TableEffect {
    bool handled = true;        // false: the input belongs to the edit box (or to nobody)
    bool valuesChanged = false; // map values were written: the other views refresh
};

} // namespace qmx::maps
