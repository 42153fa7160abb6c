#pragma once

#include "app/cectsettings.h"
#include "app/commandletters.h"
#include "app/startupsettings.h"
#include "platform/registry.h"

#include <cstdint>
#include <string>

// Everything start-up reads from outside the program, and the two stores that remember the
// serial port (the registry's Rs232cPort and qmx.INI's PORT).
namespace qmx::app {

// Where start-up looks.
struct StartupPlaces {
    std::string homeFolder;    // the QMX home folder (registry.reg)
    std::string programFolder; // the running program's folder, used when the registry names
                               // no install directory
    std::string programName;   // the settings file is programName + ".INI"
};

// The places of the running program, for the settings file of `programName` (qmxctl passes
// "qmx" to share the desktop program's settings).
StartupPlaces processStartupPlaces(const std::string& programName);

struct AppSettings {
    platform::Registry registry;
    CEctSettings registryValues;
    std::string programSettingsPath; // the qmx.INI found at start-up
    StartupSettings startup;
    CommandLetters commandLetters;
};

// The settings steps of start-up, in order: the registry block, the settings file (which
// must exist), its start-up keys, the port copied into the registry when it names none, and
// the command letters on map A. 0, or msg::ProgramSettingsMissing (show startFailureText).
int loadAppSettings(AppSettings& settings, const StartupPlaces& places, ScreenSize screen);

// The text to show for the failure `status` of loadAppSettings over `places`: for a missing
// settings file its name, the folder searched and where that came from.
std::string startFailureText(int status, const AppSettings& settings, const StartupPlaces& places);

// The port index to use: the registry's Rs232cPort when it holds a port, else qmx.INI's
// PORT index, which is then copied into the registry. -1 when neither names a port.
std::int32_t currentPortIndex(AppSettings& settings);

// Stores port index `index`: PORT of qmx.INI ("PORT1" for an index outside 0..255) when it
// differs from the file's index, and Rs232cPort when it differs from the registry's. The
// values in memory change either way; false when a store could not be written.
bool setPortIndex(AppSettings& settings, std::int32_t index);

// Stores the automatic port selection switch in Rs232cPortAutoSelect when it changes; false
// when the registry could not be written.
bool setAutoSelect(AppSettings& settings, bool on);

} // namespace qmx::app
