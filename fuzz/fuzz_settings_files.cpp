// The settings files brought from Windows (registry.reg, qmx.INI) on arbitrary bytes. Bytes that
// decode as text must encode back to themselves, and a value written into qmx.INI must read back
// as written from the bytes the write gives.
#include <optional>
#include <string>

#include "fuzzsupport.h"
#include "platform/profiletext.h"
#include "platform/registry.h"
#include "platform/textfile.h"

using namespace qmx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::MemoryFile file;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    platform::Registry registry;
    if (registry.load(file.hold(bytes)))
        registry.text("MachineFolder");

    const std::optional<platform::TextFile> text = platform::decodeTextFile(bytes);
    if (!text)
        return 0;
    fuzz::require(platform::encodeTextFile(*text) == bytes, "decoded text encodes back");

    platform::ProfileText profile(bytes);
    fuzz::require(profile.setValue("RS232C", "PORT", "PORT3"), "a port can be written");
    const std::optional<std::string> written = profile.bytes();
    fuzz::require(written.has_value(), "a written file has bytes");
    fuzz::require(platform::ProfileText(*written).value("RS232C", "PORT") == "PORT3",
                  "a written value reads back");
    return 0;
}
