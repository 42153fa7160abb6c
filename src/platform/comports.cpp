#include "platform/comports.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace qmx::platform {

namespace {

// Each device family covers 32 consecutive port indexes.
constexpr int FamilySize = 32;
constexpr std::array<std::string_view, 3> kFamilies{"ttyS", "ttyUSB", "ttyACM"};

// A decimal number without sign or leading zeros ("0" itself is allowed).
std::optional<int> plainNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 3 || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string comName(int portIndex) {
    return "COM" + std::to_string(portIndex + 1);
}

std::filesystem::path comLinkPath(const std::filesystem::path& homeFolder, int portIndex) {
    return homeFolder / "ports" / comName(portIndex);
}

std::optional<std::filesystem::path> serialDevicePath(const std::filesystem::path& homeFolder,
                                                      int portIndex) {
    if (portIndex < 0 || portIndex > MaxPortIndex)
        return std::nullopt;
    std::error_code error;
    const auto link = comLinkPath(homeFolder, portIndex);
    if (std::filesystem::exists(std::filesystem::symlink_status(link, error)))
        return link;
    const auto family = static_cast<std::size_t>(portIndex / FamilySize);
    if (family >= kFamilies.size())
        return std::nullopt;
    return std::filesystem::path("/dev") /
           (std::string(kFamilies[family]) + std::to_string(portIndex % FamilySize));
}

std::optional<int> portIndexOfDeviceName(std::string_view deviceName) {
    for (std::size_t family = 0; family < kFamilies.size(); ++family) {
        if (!deviceName.starts_with(kFamilies[family]))
            continue;
        const auto number = plainNumber(deviceName.substr(kFamilies[family].size()));
        if (number && *number < FamilySize)
            return static_cast<int>(family) * FamilySize + *number;
    }
    return std::nullopt;
}

std::optional<int> portIndexOfComName(std::string_view name) {
    if (!name.starts_with("COM"))
        return std::nullopt;
    const auto number = plainNumber(name.substr(3));
    if (!number || *number < 1 || *number > MaxPortIndex + 1)
        return std::nullopt;
    return *number - 1;
}

int portIndexFromName(std::string_view text) {
    // "PORT1".."PORT8" need no rule of their own: stripping gives 1..8 as well.
    const std::string_view digits =
        text.substr(std::min(text.find_first_not_of("PORT"), text.size()));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return -1;
    int number = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (result.ec != std::errc() || number < 1 || number > 256)
        return -1;
    return number - 1;
}

std::string portName(int index) {
    if (index < 0 || index > MaxPortIndex)
        return "PORT1";
    return "PORT" + std::to_string(index + 1);
}

} // namespace qmx::platform
