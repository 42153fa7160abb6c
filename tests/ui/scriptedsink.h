#pragma once

#include "text/messagesink.h"

#include <deque>
#include <string>
#include <vector>

namespace qmx::uitest {

// Stands in for the message boxes: records every message and answers questions from a script
// (OK or Yes when the script is empty); with `boxes` set, each message is also shown there.
class ScriptedSink : public text::MessageSink {
public:
    struct Shown {
        std::string text;
        std::string caption;
        text::Icon icon;
    };

    text::Answer show(std::string_view text, std::string_view caption, text::Icon icon,
                      text::Buttons buttons) override {
        shown.push_back({std::string(text), std::string(caption), icon});
        if (boxes)
            static_cast<void>(boxes->show(text, caption, icon, buttons)); // the script answers
        if (!answers.empty()) {
            const text::Answer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == text::Buttons::YesNo ? text::Answer::Yes : text::Answer::Ok;
    }

    std::vector<Shown> shown;
    std::deque<text::Answer> answers;
    text::MessageSink* boxes = nullptr;
};

} // namespace qmx::uitest
