#include "framerig.h"

#include "config/packedfile.h"

#include <QFile>
#include <QTest>

#include <filesystem>
#include <sstream>

namespace qmx::uitest {

FrameRig::FrameRig(const std::string& iniExtra, RigSample sample) : m_sample(sample) {
    m_home.write("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n"
                                 "\"Install Directory\"=\"" +
                                     m_home.path() +
                                     "\"\n"
                                     "\"MachineFolder\"=\"QX400T\"\n"
                                     "\"Rs232cPortAutoSelect\"=dword:00000000\n"
                                     "\"ShowSplashTime\"=dword:00000000\n");
    m_home.write("qmx.INI", testing::readAll(SAMPLES_DIR "/qmx.INI") + iniExtra);
    m_home.write(sample.file, testing::readAll(std::string(SAMPLES_DIR "/") + sample.file));
    std::filesystem::create_directories(m_home.file("sys"));
    std::filesystem::create_directories(m_home.file("ports"));
    const app::StartupPlaces places{m_home.path(), m_home.path(), "qmx"};
    if (app.start(places, app::kLargeScreen))
        QFAIL("the test home does not start");
    frame = std::make_unique<ui::CMainFrame>(
        app, sink, app::LinkHostPlaces{m_home.path(), m_home.file("sys")});
    frame->resize(1000, 700);
    frame->show();
    (void)QTest::qWaitForWindowExposed(frame.get());
    QApplication::setActiveWindow(frame.get());
}

FrameRig::~FrameRig() {
    // A modified document would ask when the frame closes; the test is over.
    app.configuration().modified = false;
    app.ecuSnapshot().reset();
    frame.reset();
}

bool FrameRig::openSample() {
    if (!frame->openFile(samplePath()))
        return false;
    return QTest::qWaitFor([this] { return frame->activeTable() != nullptr; }, 5000);
}

std::unique_ptr<testing::EcusimProcess> FrameRig::startEcusim(std::vector<std::string> extra,
                                                              int comNumber) {
    std::vector<std::string> args{
        "--image",        std::string(SAMPLES_DIR "/") + m_sample.file,
        "--machine-code", m_sample.machineCode,
        "--link",         m_home.file("ports/COM" + std::to_string(comNumber))};
    args.insert(args.end(), extra.begin(), extra.end());
    auto process = std::make_unique<testing::EcusimProcess>(ECUSIM_PATH, args);
    // ecusim names its terminal once the link is in place.
    if (process->firstLine().empty())
        return nullptr;
    return process;
}

QString FrameRig::samplePath() const {
    return QString::fromStdString(m_home.file(m_sample.file));
}

QString FrameRig::writePacked(const std::string& name, const std::string& plain) const {
    config::CLineList lines;
    std::istringstream in(plain);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.append(line);
    }
    std::string packed;
    if (config::writePackedFile(lines, packed))
        return {};
    return QString::fromStdString(m_home.write(name, packed));
}

} // namespace qmx::uitest
