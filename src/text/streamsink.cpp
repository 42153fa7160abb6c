#include "text/streamsink.h"

namespace qmx::text {

Answer StreamSink::show(std::string_view text, std::string_view, Icon, Buttons buttons) {
    m_out << text << '\n' << std::flush;
    const bool first = m_answers == Unattended::TakeFirst;
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return first ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
        return first ? Answer::Yes : Answer::No;
    }
    return first ? Answer::Ok : Answer::Cancel;
}

} // namespace qmx::text
