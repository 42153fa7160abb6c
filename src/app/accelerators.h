#pragma once

#include <span>
#include <string_view>

// The main frame's accelerator table and the keyboard commands it forwards to the active
// document window as numbered edit operations.
namespace qmx::app {

// One key of the accelerator table. `keys` is written as modifiers and a key name joined by
// "+" ("Ctrl+Shift+PgUp"), the portable form of Qt's key sequences.
struct Accelerator {
    std::string_view keys;
    int command;
};

// Every accelerator of the main frame, menu shortcuts included, each key once.
std::span<const Accelerator> accelerators();

// The edit operation code (7..32) that keyboard command `command` passes to the active child
// window; 0 when `command` is not a forwarded keyboard command.
int editOperationCode(int command);

// Every forwarded keyboard command, whether or not a key is bound to it.
std::span<const int> forwardedCommands();

} // namespace qmx::app
