#include "cli/session.h"

#include "text/messages.h"

namespace qmx::cli {

namespace {

// qmxctl reads the settings of the desktop program.
constexpr const char* kProgramName = "qmx";

} // namespace

Session::Session(std::ostream& out, std::ostream& err)
    : m_app(std::make_unique<app::CEctApp>()), m_out(out), m_err(err),
      m_sink(err, text::Unattended::Decline) {
}

int Session::start() {
    app::StartupPlaces places = app::processStartupPlaces(kProgramName);
    if (!options.home.empty())
        places.homeFolder = options.home;
    const text::Status result = m_app->start(places, app::kLargeScreen);
    if (result == text::msg::ProgramSettingsMissing)
        return failText(app::startFailureText(result, m_app->settings(), places));
    return result == text::msg::Success ? 0 : fail(result);
}

int Session::open(const std::string& path, app::OpenFor purpose) {
    if (const int status = start())
        return status;
    const text::Status result =
        m_app->openConfiguration(path, app::FileLayout::PackedThenPlain, purpose);
    if (result != text::msg::Success)
        return fail(result);
    m_app->warnAboutDamagedRecords(m_sink);
    if (options.port > 0)
        configuration().line.port = options.port - 1;
    return 0;
}

int Session::fail(text::Status message) {
    return failText(text::messageText(message.message()));
}

int Session::failText(std::string_view text) {
    m_err << text << '\n';
    return 1;
}

int Session::fail(std::string_view problem) {
    m_err << "qmxctl: " << problem << '\n';
    return 1;
}

} // namespace qmx::cli
