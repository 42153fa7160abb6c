#pragma once

#include "scriptedsink.h"

#include "app/ectapp.h"
#include "support/ecusimprocess.h"
#include "support/tempfolder.h"
#include "ui/cmainframe.h"

#include <QString>

#include <memory>

namespace qmx::uitest {

// A main frame over a temporary QMX home holding qmx.INI and a copy of the packed sample, with
// a scripted message sink. Settings: the sample's qmx.INI; `iniExtra` is appended to it.
class FrameRig {
public:
    explicit FrameRig(const std::string& iniExtra = {});
    ~FrameRig();

    // Opens the sample copy and waits for its table window.
    bool openSample();
    QString samplePath() const;
    // Copies samples/`name` into the home; its path.
    QString copySample(const std::string& name);
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
};

} // namespace qmx::uitest
