#include "ui/qtmessagesink.h"

#include "ui/textcodec.h"

#include <QMessageBox>

namespace qmx::ui {

namespace {

QMessageBox::Icon boxIcon(app::Icon icon) {
    switch (icon) {
    case app::Icon::Information:
        return QMessageBox::Information;
    case app::Icon::Exclamation:
        return QMessageBox::Warning;
    case app::Icon::Error:
        return QMessageBox::Critical;
    case app::Icon::Question:
        return QMessageBox::Question;
    case app::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

app::Answer QtMessageSink::show(std::string_view text, std::string_view caption, app::Icon icon,
                                app::Buttons buttons) {
    QMessageBox box(boxIcon(icon), textFromBytes(caption), textFromBytes(text),
                    QMessageBox::NoButton, m_parent);
    switch (buttons) {
    case app::Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case app::Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case app::Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return app::Answer::Cancel;
    case QMessageBox::Yes:
        return app::Answer::Yes;
    case QMessageBox::No:
        return app::Answer::No;
    default:
        return buttons == app::Buttons::YesNo ? app::Answer::No : app::Answer::Ok;
    }
}

} // namespace qmx::ui
