#pragma once

#include "app/messagesink.h"

class QWidget;

namespace qmx::ui {

// Shows the core's messages as message boxes over `parent`, with the caption and icon given.
class QtMessageSink : public app::MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    app::Answer show(std::string_view text, std::string_view caption, app::Icon icon,
                     app::Buttons buttons = app::Buttons::Ok) override;

private:
    QWidget* m_parent;
};

} // namespace qmx::ui
