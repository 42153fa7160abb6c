#pragma once

#include <initializer_list>

#include "config/linelist.h"

namespace qmx::testing {

// A line list holding `texts` in order.
inline config::CLineList linesOf(std::initializer_list<const char*> texts) {
    config::CLineList lines;
    for (const char* text : texts)
        lines.append(text);
    return lines;
}

} // namespace qmx::testing
