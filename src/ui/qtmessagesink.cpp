#include "ui/qtmessagesink.h"

#include "ui/textcodec.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
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

// Makes `box` wide enough for its caption: a short text ("Complete") would otherwise give a box
// whose title bar cuts the caption ("R... U"). The title bar's font is the window system's; the
// program's font in bold, with room for the bar's icon and buttons, stands in for it.
void fitCaption(QMessageBox& box) {
    constexpr int kTitleBarButtons = 150;
    QFont title = box.font();
    title.setBold(true);
    const int width = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
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
    fitCaption(box);
    // The keyboard focus goes back where it was when the box closes, not to whatever the window
    // system picks (the next arrow key would then switch the map bar's page).
    // A widget that went away meanwhile (a table's edit box) hands it to its nearest parent
    // that takes the focus.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const int answer = box.exec();
    QWidget* target = focus;
    while (target && (!target->isVisible() || target->focusPolicy() == Qt::NoFocus))
        target = target->parentWidget();
    if (target) {
        target->activateWindow();
        target->setFocus(Qt::OtherFocusReason);
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
