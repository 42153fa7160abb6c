#pragma once

#include "ecu/monitor.h"
#include "ecu/progresswindow.h"
#include "text/messagesink.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Front-end stand-ins that record what the core shows.
namespace qmx::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    text::Icon icon;
};

class RecordingSink : public text::MessageSink {
public:
    text::Answer show(std::string_view text, std::string_view caption, text::Icon icon,
                      text::Buttons) override {
        shown.push_back({std::string(text), std::string(caption), icon});
        return text::Answer::Ok;
    }
    std::vector<ShownMessage> shown;
};

// Records "open:<title>", "status:<text>", "retry:<text>" and "close".
class RecordingProgress : public ecu::ProgressWindow {
public:
    void open(std::string_view title) override { record("open:", title); }
    void setStatus(std::string_view text) override { record("status:", text); }
    void setRetry(std::string_view text) override { record("retry:", text); }
    void close() override { events.emplace_back("close"); }
    std::vector<std::string> events;

private:
    void record(const char* what, std::string_view text) {
        events.push_back(what + std::string(text));
    }
};

// Records every value the monitor shows as (row, text).
struct RecordingView : ecu::MonitorView {
    void showValue(int row, std::string_view text) override { shown.emplace_back(row, text); }
    std::vector<std::pair<int, std::string>> shown;
};

} // namespace qmx::testing
