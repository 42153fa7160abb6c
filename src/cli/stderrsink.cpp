#include "cli/stderrsink.h"

namespace qmx::cli {

app::Answer StderrSink::show(std::string_view text, std::string_view, app::Icon,
                             app::Buttons buttons) {
    m_err << text << '\n' << std::flush;
    switch (buttons) {
    case app::Buttons::Ok:
        return app::Answer::Ok;
    case app::Buttons::OkCancel:
        return app::Answer::Cancel;
    case app::Buttons::YesNo:
        return app::Answer::No;
    }
    return app::Answer::Cancel;
}

} // namespace qmx::cli
