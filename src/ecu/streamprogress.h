#pragma once

#include "ecu/progresswindow.h"

#include <ostream>
#include <string>

namespace qmx::ecu {

// A progress window for a terminal (qmxctl): prints the title and every change of the status
// and retry lines, one line each, to a stream.
class StreamProgress : public ProgressWindow {
public:
    explicit StreamProgress(std::ostream& out) : m_out(out) {}

    void open(std::string_view title) override;
    void setStatus(std::string_view text) override;
    void setRetry(std::string_view text) override;
    void close() override {}

private:
    std::ostream& m_out;
    std::string m_status;
    std::string m_retry;
};

} // namespace qmx::ecu
