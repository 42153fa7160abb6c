#pragma once

#include <QFont>

namespace qmx::ui {

// The face of the document windows and their dialogs: "Century" where it is installed, else the
// system's serif face, `pixelSize` pixels high.
QFont centuryFont(int pixelSize);

} // namespace qmx::ui
