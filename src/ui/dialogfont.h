#pragma once

namespace qmx::ui {

// Gives every dialog of the program (message boxes and file dialogs included) the program's
// font at `pixelSize` pixels (the ProgramDlgFontSize setting); a size below 1 changes nothing.
void applyDialogFont(int pixelSize);

} // namespace qmx::ui
