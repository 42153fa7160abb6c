#include "ui/hexgrid.h"

#include "maps/hexcontroller.h"
#include "ui/hexview.h"
#include "ui/pixelrect.h"
#include "ui/textcodec.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

namespace qmx::ui {

namespace {

// The hex view's command for a key pressed in the editor; 0 for a key the editor keeps.
int editCode(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return mods == Qt::ShiftModifier ? maps::tablecmd::ShiftEnter
               : mods == Qt::NoModifier  ? maps::tablecmd::Enter
                                         : 0;
    if (mods != Qt::NoModifier)
        return 0;
    switch (key.key()) {
    case Qt::Key_Up:
        return maps::tablecmd::Up;
    case Qt::Key_Down:
        return maps::tablecmd::Down;
    case Qt::Key_Left:
        return maps::tablecmd::Left;
    case Qt::Key_Right:
        return maps::tablecmd::Right;
    default:
        return 0;
    }
}

} // namespace

HexGrid::HexGrid(HexView& view)
    : QWidget(&view), m_view(view), m_editor(new QLineEdit(this)),
      m_hbar(new QScrollBar(Qt::Horizontal, this)), m_vbar(new QScrollBar(Qt::Vertical, this)) {
    setObjectName("hexGrid");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_editor->setObjectName("hexEditor");
    m_editor->setFont(view.viewFont());
    m_editor->setAlignment(Qt::AlignRight);
    m_editor->setTextMargins(0, 0, 0, 0);
    m_editor->hide();
    m_editor->installEventFilter(this);
    m_hbar->hide();
    m_vbar->hide();
    connect(m_editor, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_view.controller().setEditText(bytesFromText(text)); });
    const auto scrolled = [this] {
        if (!m_syncing)
            m_view.scrolled(m_hbar->value(), m_vbar->value());
    };
    connect(m_hbar, &QScrollBar::valueChanged, this, scrolled);
    connect(m_vbar, &QScrollBar::valueChanged, this, scrolled);
}

void HexGrid::syncScrollBars() {
    const maps::HexLayout& layout = m_view.controller().layout();
    m_syncing = true;
    m_hbar->setGeometry(0, layout.clientHeight(), layout.clientWidth(),
                        height() - layout.clientHeight());
    m_vbar->setGeometry(layout.clientWidth(), 0, width() - layout.clientWidth(),
                        layout.clientHeight());
    m_hbar->setRange(0, layout.horizontalRange());
    m_hbar->setPageStep(layout.horizontalPageStep());
    m_hbar->setValue(layout.firstColumn());
    m_hbar->setVisible(layout.horizontalBar());
    m_vbar->setRange(0, layout.verticalRange());
    m_vbar->setPageStep(layout.verticalPageStep());
    m_vbar->setValue(layout.firstRow());
    m_vbar->setVisible(layout.verticalBar());
    m_syncing = false;
}

void HexGrid::syncEditor() {
    const std::optional<maps::PixelRect> cell = m_view.controller().editorRect();
    if (!cell) {
        const bool hadFocus = m_editor->hasFocus();
        m_editor->hide();
        if (hadFocus)
            setFocus();
        return;
    }
    const QString text = textFromBytes(m_view.controller().editText());
    const QRect place = toQRect(*cell);
    const bool moved = m_editor->geometry() != place || m_editor->isHidden();
    if (moved)
        m_editor->setGeometry(place);
    if (m_editor->text() != text || moved) {
        m_editor->setText(text);
        m_editor->selectAll();
    }
    if (m_editor->isHidden()) {
        const bool hadFocus = hasFocus();
        m_editor->show();
        if (hadFocus)
            m_editor->setFocus();
    }
}

void HexGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const maps::HexLayout& layout = m_view.controller().layout();
    // The bars cover the rest of the grid but for the corner between them.
    const QRect client(0, 0, layout.clientWidth(), layout.clientHeight());
    painter.fillRect(rect(), palette().window());
    painter.fillRect(client, Qt::white);
    painter.setClipRect(client);
    painter.setFont(m_view.viewFont());
    const maps::HexPicture picture = m_view.controller().picture();
    for (const maps::HexByte& byte : picture.bytes) {
        const QRect r = toQRect(byte.rect);
        painter.setPen(kLine);
        painter.drawLine(r.topRight(), r.bottomRight());
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.setPen(byte.inMap ? QColor(Qt::black) : kOutsideMap);
        painter.drawText(r.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                         textFromBytes(byte.text));
    }
    const QBrush hatch(kLine, Qt::DiagCrossPattern);
    const QRect right = toQRect(picture.hatchRight);
    const QRect below = toQRect(picture.hatchBelow);
    painter.setPen(Qt::black);
    if (!picture.hatchRight.empty()) {
        painter.fillRect(right, hatch);
        painter.drawLine(right.left(), 0, right.left(), below.top());
    }
    if (!picture.hatchBelow.empty()) {
        painter.fillRect(below, hatch);
        painter.drawLine(0, below.top(), below.right() + 1, below.top());
    }
}

void HexGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        m_view.click(at.x(), at.y());
    }
}

void HexGrid::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && m_vbar->isVisible())
        m_vbar->setValue(m_vbar->value() - steps);
}

bool HexGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_editor)
        return QWidget::eventFilter(watched, event);
    // The frame's keys win over the editor's own, as accelerators do: Enter, the arrows and
    // everything with Ctrl or Alt. Shift+Enter has no accelerator and reaches the editor.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers();
        const int code = editCode(*key);
        return (code != 0 && code != maps::tablecmd::ShiftEnter) ||
               (mods & (Qt::ControlModifier | Qt::AltModifier)) ||
               (key->key() == Qt::Key_Insert && (mods & Qt::ShiftModifier));
    }
    if (event->type() == QEvent::FocusIn)
        m_editor->selectAll(); // whenever it is shown, the whole text is selected
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            m_view.controller().cancelEdit();
            syncEditor();
            return true;
        }
        if (const int code = editCode(*key)) {
            m_view.editOperation(code);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qmx::ui
