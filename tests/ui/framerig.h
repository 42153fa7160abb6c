#pragma once

#include "scriptedsink.h"

#include "app/ectapp.h"
#include "support/ecusimprocess.h"
#include "support/tempfolder.h"
#include "ui/cmainframe.h"

#include <QString>

#include <memory>

namespace qmx::uitest {

// A bundled packed sample and the machine code its simulated ECU answers with.
struct RigSample {
    const char* file;
    const char* machineCode;
};
inline constexpr RigSample kInjectionSample{"sample.rcz", "Q4"};
inline constexpr RigSample kBoostSample{"boost.rcz", "QT"};

// A main frame over a temporary QMX home holding qmx.INI and a copy of a packed sample, with
// a scripted message sink. Settings: the sample's qmx.INI; `iniExtra` is appended to it; the
// registry's MachineFolder is QX400T, so that both samples open.
class FrameRig {
public:
    explicit FrameRig(const std::string& iniExtra = {}, RigSample sample = kInjectionSample);
    ~FrameRig();

    // Opens the sample's copy and waits for its table window.
    bool openSample();
    QString samplePath() const;
    // Writes the lines of the plain configuration text `plain` as the packed file `name` in the
    // home; returns its path.
    QString writePacked(const std::string& name, const std::string& plain) const;
    std::string homePath() const { return m_home.path(); }
    // Starts ecusim with the sample's memory and `extra` options on port COM`comNumber` of the
    // home; returns once it serves, null when it did not start.
    std::unique_ptr<testing::EcusimProcess> startEcusim(std::vector<std::string> extra = {},
                                                        int comNumber = 1);

    app::CEctApp app;
    ScriptedSink sink;
    std::unique_ptr<ui::CMainFrame> frame;

private:
    testing::TempFolder m_home;
    RigSample m_sample;
};

} // namespace qmx::uitest
