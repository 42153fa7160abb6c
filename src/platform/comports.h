#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Port numbers as the program names them (port index n is COM n+1) and the serial devices that
// stand for them on this system.
namespace qmx::platform {

// Highest port index a configuration or the settings can name (COM256).
constexpr int MaxPortIndex = 255;

// "COM" followed by the port number (index + 1), e.g. "COM3" for index 2.
std::string comName(int portIndex);

// The link `ports/COMn` in the QMX home folder that may redirect port index n-1.
std::filesystem::path comLinkPath(const std::filesystem::path& homeFolder, int portIndex);

// The device to open for `portIndex` (0..MaxPortIndex): the link `ports/COMn` in the home folder
// when it exists (even when it dangles, so the open reports the broken link), otherwise
// COM1-32 = /dev/ttyS0-31, COM33-64 = /dev/ttyUSB0-31, COM65-96 = /dev/ttyACM0-31.
// Nothing for an index outside 0..MaxPortIndex or a higher COM number without a link.
std::optional<std::filesystem::path> serialDevicePath(const std::filesystem::path& homeFolder,
                                                      int portIndex);

// The port index that a device name of /dev maps to without a link ("ttyUSB1" gives 33);
// nothing for a name outside the three ranges.
std::optional<int> portIndexOfDeviceName(std::string_view deviceName);

// The port index of a link name "COMn" (n = 1..256 without leading zeros); nothing otherwise.
std::optional<int> portIndexOfComName(std::string_view name);

// A port name: "PORT1" to "PORT8" give 0 to 7; otherwise the leading letters P, O, R and T
// are stripped and the rest, all decimal digits giving n with 1 <= n <= 256, gives n - 1.
// Anything else gives -1 (no port).
int portIndexFromName(std::string_view text);

// The text PORT is written as for port index `index`: "PORT" + (index + 1), or "PORT1" when
// the index is outside 0..255.
std::string portName(int index);

} // namespace qmx::platform
