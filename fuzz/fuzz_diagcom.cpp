// The [Diag.Com] reader over the input's lines: every item it keeps has a usable request and
// answer length and all its texts.
#include "config/diagcom.h"
#include "fuzzsupport.h"

using namespace qmx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::MemoryFile file;
    const config::CLineList lines = fuzz::linesOf(file, fuzz::bytesOf(data, size));
    for (const config::MonitorItem& item : config::readDiagComSection(lines)) {
        fuzz::require(item.length == 1 || item.length == 2, "answer length 1 or 2");
        fuzz::require(!item.name.empty() && !item.unit.empty() && !item.gain.empty() &&
                          !item.offset.empty(),
                      "every text present");
    }
    return 0;
}
