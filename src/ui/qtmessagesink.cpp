#include "ui/qtmessagesink.h"

#include "ui/textcodec.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace qmx::ui {

namespace {

QMessageBox::Icon boxIcon(text::Icon icon) {
    switch (icon) {
    case text::Icon::Information:
        return QMessageBox::Information;
    case text::Icon::Exclamation:
        return QMessageBox::Warning;
    case text::Icon::Error:
        return QMessageBox::Critical;
    case text::Icon::Question:
        return QMessageBox::Question;
    case text::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

text::Answer QtMessageSink::show(std::string_view text, std::string_view caption, text::Icon icon,
                                 text::Buttons buttons) {
    QMessageBox box(boxIcon(icon), textFromBytes(caption), textFromBytes(text),
                    QMessageBox::NoButton, m_parent);
    switch (buttons) {
    case text::Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case text::Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case text::Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    // The keyboard focus goes back where it was when the box closes, not to whatever the window
    // system picks (the next arrow key would then switch the map bar's page).
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const int answer = box.exec();
    if (focus && focus->isVisible()) {
        focus->activateWindow();
        focus->setFocus(Qt::OtherFocusReason);
    }
    switch (answer) {
    case QMessageBox::Cancel:
        return text::Answer::Cancel;
    case QMessageBox::Yes:
        return text::Answer::Yes;
    case QMessageBox::No:
        return text::Answer::No;
    default:
        return buttons == text::Buttons::YesNo ? text::Answer::No : text::Answer::Ok;
    }
}

} // namespace qmx::ui
