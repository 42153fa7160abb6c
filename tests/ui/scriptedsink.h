#pragma once

#include "app/messagesink.h"

#include <deque>
#include <string>
#include <vector>

namespace qmx::uitest {

// Stands in for the message boxes: records every message and answers questions from a script
// (OK or Yes when the script is empty).
class ScriptedSink : public app::MessageSink {
public:
    struct Shown {
        std::string text;
        std::string caption;
        app::Icon icon;
    };

    app::Answer show(std::string_view text, std::string_view caption, app::Icon icon,
                     app::Buttons buttons) override {
        shown.push_back({std::string(text), std::string(caption), icon});
        if (!answers.empty()) {
            const app::Answer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == app::Buttons::YesNo ? app::Answer::Yes : app::Answer::Ok;
    }

    std::vector<Shown> shown;
    std::deque<app::Answer> answers;
};

} // namespace qmx::uitest
