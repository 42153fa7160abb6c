#pragma once

#include <filesystem>
#include <string>

#include "app/appsettings.h"
#include "support/tempfolder.h"

namespace qmx::testing {

// A private QMX home: registry.reg whose Install Directory is a folder holding a copy of the
// bundled qmx.INI (plus `iniExtra`), with MachineFolder "QX400T" so that both samples open.
class TestHome {
public:
    explicit TestHome(const std::string& iniExtra = "", const std::string& registryExtra = "") {
        std::filesystem::create_directory(folder.file("ini"));
        folder.write("ini/qmx.INI", readAll(std::string(SAMPLES_DIR) + "/qmx.INI") + iniExtra);
        folder.write("registry.reg", "Windows Registry Editor Version 5.00\r\n\r\n"
                                     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\r\n"
                                     "\"Install Directory\"=\"" +
                                         folder.file("ini") +
                                         "\"\r\n\"MachineFolder\"=\"QX400T\"\r\n" + registryExtra);
    }

    app::StartupPlaces places() const { return {folder.path(), folder.path(), "qmx"}; }
    // Copies samples/`name` into the home and returns the copy's path.
    std::string sample(const std::string& name) const {
        return folder.write(name, readAll(std::string(SAMPLES_DIR) + "/" + name));
    }

    TempFolder folder;
};

} // namespace qmx::testing
