#pragma once

#include <cstdint>

#include "app/startupsettings.h"
#include "config/linelist.h"

namespace qmx::app {

// Applies the configuration's [RS232C] section (keys case-insensitive, "key = value", values
// compared in upper case) over `line` and `commandRetryCount`: Speed 600..19200, Data 7 or 8,
// Parity NO/ODD/EVEN, Stop 1/1.5/2, X YES/NO, CommandRetrycount when 0 or more, and CommPort
// ("PORTn", or a number 1..256 after the letters P, O, R, T) only while `line.port` is -1.
// A missing key or an unlisted value leaves its setting as it was.
void applyRs232cSection(const config::CLineList& lines, LineIndexes& line,
                        std::int32_t& commandRetryCount);

} // namespace qmx::app
