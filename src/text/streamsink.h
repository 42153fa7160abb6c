#pragma once

#include <ostream>

#include "text/messagesink.h"

namespace qmx::text {

// How a sink with nobody to ask answers a question.
enum class Unattended {
    TakeFirst, // Ok or Yes: the batch export of qmx goes on as if confirmed
    Decline,   // Cancel or No: a qmxctl script never confirms what it did not ask for
};

// The message sink of a run without a window: every message goes to `out` as its text on a
// line of its own (flushed at once), and questions take the answer `answers` picks.
class StreamSink : public MessageSink {
public:
    StreamSink(std::ostream& out, Unattended answers) : m_out(out), m_answers(answers) {}

    // Writes `text` and a line break; the caption and icon are not shown. Ok for a plain
    // message, else the answer of the chosen policy.
    Answer show(std::string_view text, std::string_view caption, Icon icon,
                Buttons buttons = Buttons::Ok) override;

private:
    std::ostream& m_out;
    Unattended m_answers;
};

} // namespace qmx::text
