#pragma once

#include <ostream>

#include "app/messagesink.h"

namespace qmx::cli {

// Shows every message as its text on a line of the error stream. Nobody is there to answer
// a question, so questions are answered Cancel or No: a script never confirms what it did not
// ask for.
class StderrSink : public app::MessageSink {
public:
    explicit StderrSink(std::ostream& err) : m_err(err) {}
    app::Answer show(std::string_view text, std::string_view caption, app::Icon icon,
                     app::Buttons buttons) override;

private:
    std::ostream& m_err;
};

} // namespace qmx::cli
