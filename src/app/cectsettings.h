#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qmx::platform {
class Registry;
}

// The registry settings block: the values of the program's registry key SOFTWARE\QMX,
// each with its default, its type rule and its accepted range.
namespace qmx::app {

// The screen the defaults are chosen for, in pixels. Headless front ends pass kLargeScreen.
struct ScreenSize {
    int width = 1024;
    int height = 768;
    // Below 800 wide and below 600 high: the smaller table and font defaults.
    bool isSmall() const { return width < 800 && height < 600; }
};
inline constexpr ScreenSize kLargeScreen{};

// Field order and names follow the registry values; a value that is absent, of another type,
// too long or out of its range leaves the default.
struct CEctSettings {
    std::array<std::uint8_t, 2> ecuCheckResult{'K', 'D'}; // EcuCheckResult; text counts as 0 0
    std::int32_t programDlgFontSize = 19;                 // > 0; 14 on a small screen
    std::int32_t tableWndCellWidth = 55;                  // > 0; 50 small
    std::int32_t tableWndCellHeight = 20;                 // > 0; 16 small
    std::int32_t tableWndFontSize = 16;                   // any value; 14 small
    std::int32_t readEcuNum = 30;                         // records per ECU read
    bool ecuCheckResultPresent = false;                   // EcuCheckResult exists
    std::string machineName;
    std::string machineFolder;    // compared with a configuration's machine model
    std::string initializeFolder; // where qmx.INI lies, below the install directory
    std::string settingFolder;    // stored only
    std::string installDirectory; // "Install Directory"
    std::string commoLog;         // full path of the communication log; empty: no log
    bool commoLogDelete = false;  // CommoLogDelete == 1: delete the log before opening it
    std::int32_t rs232cPort = -1; // port index, -1 = none
    bool rs232cPortAutoSelect = true;
    std::int32_t xorOff = 0;                     // XOROFF, non-zero: the open file is not locked
    std::int32_t zFileInvalidate = 1;            // stored only
    std::int32_t scanSelectedPortTimeout = 20;   // decimal text, >= 1
    std::int32_t sequentialScanPortTimeout = 20; // decimal text, >= 1
    std::int32_t echoBackWaitTimeReadEcu = 0;    // decimal text, >= 0 (ms)
    std::int32_t echoBackWaitTime = 0;           // decimal text, >= 0 (ms)
    std::int32_t echoBackReadWaitTime = 0;       // decimal text, >= 0 (ms)
    std::int32_t commandRetrycount = 1;          // decimal text, any integer
    std::uint32_t showSplashTime = 750;          // ms, cut to 10000

    // Resets every field to its default for `screen`, then reads the registry values over
    // them. 0, or -1 when the key cannot be opened (the defaults then stand).
    int load(const platform::Registry& registry, ScreenSize screen);
};

} // namespace qmx::app
