// The plain configuration reader on arbitrary bytes. Whatever it reads must survive a plain
// write and a packed write (Save As) unchanged.
#include "config/packedfile.h"
#include "config/plainfile.h"
#include "fuzzsupport.h"
#include "text/messages.h"

using namespace qmx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::MemoryFile file;
    config::CLineList lines;
    if (config::readPlainFile(file.hold(fuzz::bytesOf(data, size)), lines) != text::msg::Success)
        return 0;
    for (const std::string& line : lines.lines())
        fuzz::require(line.find_first_of("\r\n") == std::string::npos, "line holds CR or LF");

    std::string plain;
    config::writePlainFile(lines, plain);
    config::CLineList again;
    fuzz::require(config::readPlainFile(file.hold(plain), again) == text::msg::Success,
                  "written plain file reads back");
    fuzz::require(again.lines() == lines.lines(), "plain write and read keep every line");

    std::string packed;
    if (config::writePackedFile(lines, packed) != text::msg::Success)
        return 0; // a line too long for the line code
    again.clear();
    fuzz::require(config::readPackedFile(file.hold(packed), again) == text::msg::Success,
                  "packed file written from plain lines reads back");
    fuzz::require(again.lines() == lines.lines(), "packed write and read keep every line");
    return 0;
}
