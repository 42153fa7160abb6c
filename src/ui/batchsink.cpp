#include "ui/batchsink.h"

namespace qmx::ui {

app::Answer BatchSink::show(std::string_view text, std::string_view, app::Icon,
                            app::Buttons buttons) {
    m_out << text << '\n';
    m_out.flush();
    return buttons == app::Buttons::YesNo ? app::Answer::Yes : app::Answer::Ok;
}

} // namespace qmx::ui
