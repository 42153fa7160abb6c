#pragma once

#include <string>
#include <vector>

#include "config/linelist.h"

namespace qmx::testing {

// A line list holding `texts` in order.
inline config::CLineList linesOf(const std::vector<std::string>& texts) {
    config::CLineList lines;
    for (const std::string& text : texts)
        lines.append(text);
    return lines;
}

} // namespace qmx::testing
