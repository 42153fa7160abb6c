#include "app/cectsettings.h"

#include "platform/registry.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace qmx::app {

namespace {

// Text values are read into fixed buffers: a text that does not fit with its terminating
// zero is not read at all.
constexpr std::size_t kFolderBytes = 260;
constexpr std::size_t kLogPathBytes = 128;
constexpr std::size_t kDecimalBytes = 10;
constexpr std::uint32_t kMaxSplashTime = 10000;

std::optional<std::string> textValue(const platform::Registry& registry, std::string_view name,
                                     std::size_t bufferBytes) {
    std::optional<std::string> text = registry.text(name);
    if (!text || text->size() >= bufferBytes)
        return std::nullopt;
    return text;
}

// A decimal held as text: digits with at most one leading "-", within int32.
std::optional<std::int32_t> decimalValue(const platform::Registry& registry,
                                         std::string_view name) {
    const std::optional<std::string> text = textValue(registry, name, kDecimalBytes);
    if (!text)
        return std::nullopt;
    const std::string_view digits = std::string_view(*text).substr(text->starts_with('-'));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size())
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> dwordValue(const platform::Registry& registry, std::string_view name) {
    const std::optional<std::uint32_t> value = registry.dword(name);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

// Takes `value` when it is present and accepted; otherwise the field keeps its default.
template <typename Accept>
void assignIf(const std::optional<std::int32_t>& value, std::int32_t& field, Accept accept) {
    if (value && accept(*value))
        field = *value;
}

void readText(const platform::Registry& registry, std::string_view name, std::string& field,
              std::size_t bufferBytes = kFolderBytes) {
    if (std::optional<std::string> text = textValue(registry, name, bufferBytes))
        field = std::move(*text);
}

// A drive-letter path ("C:\Tools\Setup") keeps only its last component; other texts stay.
std::string reduceFolder(std::string text) {
    if (text.size() > 2 && text[1] == ':' && text[2] == '\\')
        return text.substr(text.rfind('\\') + 1);
    return text;
}

const auto anyValue = [](std::int32_t) { return true; };
const auto positive = [](std::int32_t value) { return value > 0; };
const auto atLeastOne = [](std::int32_t value) { return value >= 1; };
const auto notNegative = [](std::int32_t value) { return value >= 0; };

} // namespace

int CEctSettings::load(const platform::Registry& registry, ScreenSize screen) {
    *this = CEctSettings{};
    if (screen.isSmall()) {
        programDlgFontSize = 14;
        tableWndCellWidth = 50;
        tableWndCellHeight = 16;
        tableWndFontSize = 14;
    }
    if (!registry.isOpen())
        return -1;

    if (const platform::RegValue* value = registry.find("EcuCheckResult")) {
        ecuCheckResultPresent = true;
        ecuCheckResult = {0, 0};
        if (value->type == platform::RegType::Binary)
            std::copy_n(value->binary.begin(), std::min<std::size_t>(value->binary.size(), 2),
                        ecuCheckResult.begin());
    }
    assignIf(dwordValue(registry, "ProgramDlgFontSize"), programDlgFontSize, positive);
    assignIf(dwordValue(registry, "TableWndCellWidth"), tableWndCellWidth, positive);
    assignIf(dwordValue(registry, "TableWndCellHeight"), tableWndCellHeight, positive);
    assignIf(dwordValue(registry, "TableWndFontSize"), tableWndFontSize, anyValue);
    assignIf(dwordValue(registry, "ReadEcuNum"), readEcuNum, anyValue);
    readText(registry, "MachineName", machineName);
    readText(registry, "MachineFolder", machineFolder);
    readText(registry, "InitializeFolder", initializeFolder);
    initializeFolder = reduceFolder(std::move(initializeFolder));
    readText(registry, "SettingFolder", settingFolder);
    settingFolder = reduceFolder(std::move(settingFolder));
    readText(registry, "Install Directory", installDirectory);
    readText(registry, "CommoLog", commoLog, kLogPathBytes);
    commoLogDelete = registry.dword("CommoLogDelete") == 1u;
    assignIf(dwordValue(registry, "Rs232cPort"), rs232cPort, anyValue);
    if (const std::optional<std::uint32_t> autoSelect = registry.dword("Rs232cPortAutoSelect"))
        rs232cPortAutoSelect = *autoSelect != 0;
    assignIf(dwordValue(registry, "XOROFF"), xorOff, anyValue);
    assignIf(dwordValue(registry, "ZFileInvalidate"), zFileInvalidate, anyValue);
    assignIf(decimalValue(registry, "ScanSelectedPortTimeout"), scanSelectedPortTimeout,
             atLeastOne);
    assignIf(decimalValue(registry, "SequentialScanPortTimeout"), sequentialScanPortTimeout,
             atLeastOne);
    assignIf(decimalValue(registry, "EchoBackWaitTime_ReadECU"), echoBackWaitTimeReadEcu,
             notNegative);
    assignIf(decimalValue(registry, "EchoBackWaitTime"), echoBackWaitTime, notNegative);
    assignIf(decimalValue(registry, "EchoBackReadWaitTime"), echoBackReadWaitTime, notNegative);
    assignIf(decimalValue(registry, "CommandRetrycount"), commandRetrycount, anyValue);
    if (const std::optional<std::uint32_t> splash = registry.dword("ShowSplashTime"))
        showSplashTime = std::min(*splash, kMaxSplashTime);
    return 0;
}

} // namespace qmx::app
