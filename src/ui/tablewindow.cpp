#include "ui/tablewindow.h"

#include "ui/pixelrect.h"
#include "ui/textcodec.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace qmx::ui {

namespace {

bool isArrowCode(int code) {
    return code >= maps::tablecmd::Up && code <= maps::tablecmd::Right;
}

Qt::Key arrowKey(int code) {
    switch (code) {
    case maps::tablecmd::Up:
        return Qt::Key_Up;
    case maps::tablecmd::Down:
        return Qt::Key_Down;
    case maps::tablecmd::Left:
        return Qt::Key_Left;
    default:
        return Qt::Key_Right;
    }
}

} // namespace

TableWindow::TableWindow(maps::MapSet& maps, text::MessageSink& sink, const TableLook& look,
                         QWidget* parent)
    : DocChildWindow(parent), m_maps(maps),
      m_controller(maps, sink, look.formats, look.cellWidth, look.cellHeight), m_font("Arial"),
      m_edit(new QLineEdit(this)), m_hbar(new QScrollBar(Qt::Horizontal, this)),
      m_vbar(new QScrollBar(Qt::Vertical, this)) {
    setObjectName("tableWindow");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (look.fontSize > 0)
        m_font.setPixelSize(look.fontSize);
    setFont(m_font);
    m_edit->setObjectName("editBox");
    m_edit->setFont(m_font);
    m_edit->setAlignment(Qt::AlignRight);
    m_edit->setFrame(false);
    m_edit->hide();
    m_hbar->hide();
    m_vbar->hide();
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_controller.setEditText(bytesFromText(text)); });
    const auto scrolled = [this] {
        if (m_syncing)
            return;
        m_controller.scrollTo(m_hbar->value(), m_vbar->value());
        syncEditBox();
        update();
    };
    connect(m_hbar, &QScrollBar::valueChanged, this, scrolled);
    connect(m_vbar, &QScrollBar::valueChanged, this, scrolled);
    m_caption = QString::fromStdString(m_controller.caption());
    fitCells();
}

void TableWindow::repaintWindow() {
    update();
}

void TableWindow::refreshAfterChange() {
    m_controller.refresh();
    fitCells();
    syncScrollBars();
    syncEditBox();
    update();
}

void TableWindow::refreshAfterFocus() {
    refreshAfterChange();
    scrollToCurrent();
}

void TableWindow::valueChanged(int, WindowKind) {
}

void TableWindow::editOperation(int code) {
    const maps::TableEffect effect = m_controller.command(code);
    if (!effect.handled && m_controller.editing() && isArrowCode(code)) {
        QKeyEvent key(QEvent::KeyPress, arrowKey(code), Qt::NoModifier);
        QCoreApplication::sendEvent(m_edit, &key);
    }
    settle(effect);
}

void TableWindow::mapChanged() {
    m_controller.refresh();
    fitCells();
    layOut();
    scrollToCurrent();
    settle({true, false});
}

void TableWindow::cut() {
    if (m_controller.editing())
        m_edit->cut();
}

void TableWindow::copy() {
    if (const std::optional<std::string> text = m_controller.copyText())
        QGuiApplication::clipboard()->setText(textFromBytes(*text));
}

void TableWindow::paste() {
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    std::optional<std::string> text;
    if (clip && clip->hasText())
        text = clip->text().toUtf8().toStdString();
    const maps::TableEffect effect = m_controller.paste(text);
    if (!effect.handled && m_controller.editing())
        m_edit->paste();
    settle(effect);
}

void TableWindow::postRepaint(bool focusEditor) {
    QMetaObject::invokeMethod(
        this,
        [this, focusEditor] {
            update();
            if (focusEditor)
                (m_controller.editing() ? static_cast<QWidget*>(m_edit) : this)->setFocus();
        },
        Qt::QueuedConnection);
}

bool TableWindow::hasBlockSelection() const {
    const maps::Map* map = m_maps.current();
    return map && map->selection.size() >= 2;
}

QString TableWindow::caption() const {
    return m_caption;
}

void TableWindow::settle(const maps::TableEffect& effect) {
    if (effect.valuesChanged)
        fitCells();
    syncScrollBars();
    syncEditBox();
    update();
    const QString caption = textFromBytes(m_controller.caption());
    if (caption != m_caption) {
        m_caption = caption;
        emit captionChanged(m_caption);
    }
    if (effect.valuesChanged)
        emit valuesEdited();
    emit stateChanged();
}

void TableWindow::layOut() {
    const maps::TableLayout& layout = m_controller.layout();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int paneWidth = std::max(0, width() - layout.cellWidth());
    const int paneHeight = std::max(0, height() - layout.cellHeight());
    // A bar takes room from the pane, which may call for the other bar: settle in two turns.
    bool horizontal = false;
    bool vertical = false;
    for (int turn = 0; turn < 3; ++turn) {
        m_controller.setViewSize(std::max(0, paneWidth - (vertical ? bar : 0)),
                                 std::max(0, paneHeight - (horizontal ? bar : 0)));
        horizontal = layout.horizontalBar();
        vertical = layout.verticalBar();
    }
    m_hbar->setGeometry(0, height() - bar, width() - (vertical ? bar : 0), bar);
    m_vbar->setGeometry(width() - bar, 0, bar, height() - (horizontal ? bar : 0));
    syncScrollBars();
    syncEditBox();
}

void TableWindow::fitCells() {
    const QFontMetrics metrics(m_font);
    int widest = 0;
    for (const std::string& text : m_controller.cellTexts())
        widest = std::max(widest, metrics.horizontalAdvance(textFromBytes(text)));
    const maps::TableLayout& layout = m_controller.layout();
    const QSize before(layout.cellWidth(), layout.cellHeight());
    m_controller.fitCells(widest, metrics.height());
    if (before != QSize(layout.cellWidth(), layout.cellHeight()))
        layOut();
}

void TableWindow::syncScrollBars() {
    const maps::TableLayout& layout = m_controller.layout();
    m_syncing = true;
    m_hbar->setRange(0, layout.horizontalRange());
    m_hbar->setPageStep(std::max(1, layout.viewWidth() / std::max(1, layout.cellWidth())));
    m_hbar->setValue(layout.firstColumn());
    m_hbar->setVisible(layout.horizontalBar());
    m_vbar->setRange(0, layout.verticalRange());
    m_vbar->setPageStep(std::max(1, layout.viewHeight() / std::max(1, layout.cellHeight())));
    m_vbar->setValue(layout.firstRow());
    m_vbar->setVisible(layout.verticalBar());
    m_syncing = false;
}

void TableWindow::syncEditBox() {
    if (!m_controller.editing()) {
        if (m_edit->isVisible()) {
            const bool hadFocus = m_edit->hasFocus();
            m_edit->hide();
            if (hadFocus)
                setFocus();
        }
        return;
    }
    const QRect cell = toQRect(m_controller.editRect());
    m_edit->setGeometry(cell.adjusted(1, 1, 0, 0));
    const QString text = textFromBytes(m_controller.editText());
    if (m_edit->text() != text)
        m_edit->setText(text);
    if (!m_edit->isVisible()) {
        m_edit->show();
        m_edit->setFocus();
        m_edit->end(false);
    }
}

void TableWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const maps::TablePicture picture = m_controller.picture();
    if (!picture.emptyArea.empty())
        painter.fillRect(toQRect(picture.emptyArea), kEmptyArea);
    painter.setFont(m_font);
    const auto drawCell = [&](const maps::PaintCell& cell) {
        const QRect r = toQRect(cell.rect);
        painter.setPen(kGridLine);
        painter.drawRect(r);
        QColor text = Qt::black;
        if (cell.style == maps::CellStyle::Selected) {
            painter.fillRect(r.adjusted(1, 1, 0, 0), kSelected);
            text = Qt::white;
        } else if (cell.style == maps::CellStyle::Current) {
            painter.fillRect(r.adjusted(1, 1, 0, 0), kCurrent);
        }
        painter.setPen(text);
        painter.setClipRect(r);
        painter.drawText(r.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                         textFromBytes(cell.text));
        painter.setClipping(false);
    };
    for (const maps::PaintCell& cell : picture.header)
        drawCell(cell);
    for (const maps::PaintCell& cell : picture.grid)
        drawCell(cell);
}

void TableWindow::resizeEvent(QResizeEvent*) {
    layOut();
    scrollToCurrent();
}

void TableWindow::scrollToCurrent() {
    m_controller.scrollToCurrent();
    syncScrollBars();
    syncEditBox();
    update();
}

void TableWindow::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    settle(m_controller.mousePress(at.x(), at.y(), event->modifiers() & Qt::ShiftModifier));
}

void TableWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool held = event->buttons() & Qt::LeftButton;
    if (!m_controller.mouseDown())
        return;
    m_controller.mouseMove(at.x(), at.y(), held);
    syncEditBox();
    update();
    emit stateChanged();
}

void TableWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_controller.mouseRelease();
}

void TableWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    settle(m_controller.mouseDoubleClick(at.x(), at.y()));
}

void TableWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_controller.editing()) {
        m_controller.cancelEdit();
        settle({true, false});
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 0x80) {
        const maps::TableEffect effect = m_controller.typeCharacter(char(text[0].unicode()));
        if (effect.handled) {
            settle(effect);
            return;
        }
    }
    DocChildWindow::keyPressEvent(event);
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
    // The frame's keys with Ctrl or Alt (undo, copy, paste, Ctrl+arrows) and Shift+Insert win
    // over the edit box's own, as accelerators do.
    if (watched == m_edit && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers();
        if ((mods & (Qt::ControlModifier | Qt::AltModifier)) ||
            (key->key() == Qt::Key_Insert && (mods & Qt::ShiftModifier)))
            return true;
    }
    return DocChildWindow::eventFilter(watched, event);
}

void TableWindow::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && m_vbar->isVisible())
        m_vbar->setValue(m_vbar->value() - steps);
}

} // namespace qmx::ui
