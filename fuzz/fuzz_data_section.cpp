// The [Data] section loader over the input's lines. A load that fails changes nothing; a load
// that succeeds covers at least one byte, and the section written back from the image loads
// again to the same range and bytes.
#include <algorithm>

#include "config/ecuimage.h"
#include "config/srecords.h"
#include "fuzzsupport.h"
#include "text/messages.h"

using namespace qmx;

namespace {

bool sameRange(const config::EcuImage& a, const config::EcuImage& b) {
    return a.low() == b.low() && a.high() == b.high() &&
           std::equal(a.data() + a.low(), a.data() + a.high() + 1, b.data() + b.low());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::MemoryFile file;
    const config::CLineList lines = fuzz::linesOf(file, fuzz::bytesOf(data, size));

    // Static: three 64 KiB images are too large for the stack of an instrumented build.
    static config::EcuImage fresh;
    static config::EcuImage image;
    image = fresh;
    if (config::loadDataSection(lines, image) != text::msg::Success) {
        fuzz::require(
            image.low() == fresh.low() && image.high() == fresh.high() &&
                std::equal(image.data(), image.data() + config::EcuImage::Size, fresh.data()),
            "a failed load changes neither the bytes nor the range");
        return 0;
    }
    fuzz::require(image.low() <= image.high(), "a load covers at least one byte");

    config::CLineList written = lines;
    config::regenerateDataSection(written, image);
    static config::EcuImage reloaded;
    reloaded = fresh;
    fuzz::require(config::loadDataSection(written, reloaded) == text::msg::Success,
                  "the written section loads");
    fuzz::require(sameRange(image, reloaded), "the written section gives the same range and bytes");

    config::CLineList rewritten = written;
    config::regenerateDataSection(rewritten, reloaded);
    fuzz::require(rewritten.lines() == written.lines(),
                  "writing the section again changes nothing");
    return 0;
}
