#pragma once

#include "app/messagesink.h"

#include <ostream>

namespace qmx::ui {

// The message sink of the batch export, which runs without a window: every message goes to
// `out` as its text, and questions take their first answer.
class BatchSink : public app::MessageSink {
public:
    explicit BatchSink(std::ostream& out) : m_out(out) {}

    app::Answer show(std::string_view text, std::string_view caption, app::Icon icon,
                     app::Buttons buttons = app::Buttons::Ok) override;

private:
    std::ostream& m_out;
};

} // namespace qmx::ui
