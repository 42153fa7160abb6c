#pragma once

#include "text/status.h"

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
text::Status loadAppSettings(AppSettings& settings, const StartupPlaces& places, ScreenSize screen);

// The text to show for the failure `status` of loadAppSettings over `places`: for a missing
// settings file its name, the folder searched and where that came from.
std::string startFailureText(text::Status status, const AppSettings& settings,
                             const StartupPlaces& places);

} // namespace qmx::app
