// The packed configuration reader on arbitrary bytes. Whatever it reads must come back line
// for line from a packed write, and a second write must give the same bytes.
#include "config/packedfile.h"
#include "fuzzsupport.h"
#include "text/messages.h"

using namespace qmx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::MemoryFile file;
    config::CLineList lines;
    const text::Status result = config::readPackedFile(file.hold(fuzz::bytesOf(data, size)), lines);
    if (result != text::msg::Success) {
        fuzz::require(lines.count() == 0, "a failed read adds no line");
        return 0;
    }

    std::string first;
    if (config::writePackedFile(lines, first) != text::msg::Success)
        return 0; // a title line too long for the line code
    config::CLineList again;
    fuzz::require(config::readPackedFile(file.hold(first), again) == text::msg::Success,
                  "written packed file reads back");
    fuzz::require(again.lines() == lines.lines(), "packed write and read keep every line");

    std::string second;
    fuzz::require(config::writePackedFile(again, second) == text::msg::Success,
                  "second packed write succeeds");
    fuzz::require(second == first, "second packed write gives the same bytes");
    return 0;
}
