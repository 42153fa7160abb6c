// The [Calib] line parser on arbitrary text; an entry it accepts is converted both ways at the
// ends and the middle of its raw range.
#include <cmath>

#include "config/ecuimage.h"
#include "fuzzsupport.h"
#include "maps/calibration.h"

using namespace qmx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const maps::CalibLine line = maps::parseCalibLine(fuzz::bytesOf(data, size));
    if (!line.entry)
        return 0;
    const maps::CalibEntry& entry = *line.entry;
    fuzz::require(entry.byteCount == 1 || entry.byteCount == 2, "byte count 1 or 2");
    fuzz::require(entry.calc >= 1 && entry.calc <= 5, "formula kind 1 to 5");
    fuzz::require(std::isfinite(entry.lsb) && std::isfinite(entry.offset), "finite coefficients");

    static config::EcuImage image;
    image.setWord(entry.address, 0x8001);
    fuzz::require(maps::calibRaw(entry, image) == (entry.byteCount == 2 ? 0x8001 : 0x80),
                  "raw value read from the image");
    const double floor = maps::calibFloor(entry.calc);
    const double ceiling = maps::calibCeiling(entry.byteCount);
    for (const double raw : {floor, std::floor((floor + ceiling) / 2), ceiling}) {
        const float physical = maps::calibToPhysical(entry.byteCount, entry.lsb, entry.offset,
                                                     entry.calc, static_cast<float>(raw));
        const maps::CalibRaw back =
            maps::calibToRaw(entry.byteCount, entry.lsb, entry.offset, entry.calc, physical);
        fuzz::require(back.raw >= floor && back.raw <= ceiling, "raw value within its range");
        fuzz::require(back.raw == std::round(back.raw), "raw value whole");
    }
    (void)maps::calibValue(entry, image);
    return 0;
}
