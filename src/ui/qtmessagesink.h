#pragma once

#include "text/messagesink.h"

class QWidget;

namespace qmx::ui {

// Shows the core's messages as message boxes over `parent`, with the caption and icon given;
// a box is wide enough for its caption, and when it closes the keyboard focus returns to the
// widget that had it.
class QtMessageSink : public text::MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    text::Answer show(std::string_view text, std::string_view caption, text::Icon icon,
                      text::Buttons buttons = text::Buttons::Ok) override;

private:
    QWidget* m_parent;
};

} // namespace qmx::ui
