#include "ui/monitorwindow.h"

#include "ui/textcodec.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qmx::ui {

namespace {

// Value fields are at least this many characters wide; a longer text widens its field.
constexpr int kValueChars = 10;

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

MonitorWindow::MonitorWindow(ecu::MonitorPanel& panel, QWidget* parent)
    : QDialog(parent), m_panel(panel), m_recording(new QLabel(this)),
      m_startStop(new QPushButton(this)) {
    setWindowTitle("Monitor");
    setObjectName("monitorWindow");
    m_recording->setObjectName("recording");
    m_startStop->setObjectName("startStop");
    m_startStop->setAutoDefault(false);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("close");
    close->setAutoDefault(false);

    auto* rows = new QGridLayout;
    rows->setColumnStretch(1, 1);
    const int rowCount = int(panel.rows().size());
    for (int row = 0; row < rowCount; ++row) {
        const ecu::MonitorRowText& text = panel.rows()[std::size_t(row)];
        auto* value = new QLineEdit(textFromBytes(text.value), this);
        value->setObjectName(QString("value%1").arg(row));
        value->setReadOnly(true);
        value->setAlignment(Qt::AlignRight);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance('0') * kValueChars +
                               value->fontMetrics().horizontalAdvance(' ') * 2);
        rows->addWidget(new QLabel(textFromBytes(text.label), this), row, 0);
        rows->addWidget(value, row, 1);
        rows->addWidget(new QLabel(textFromBytes(text.unit), this), row, 2);
        m_values.push_back(value);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_startStop);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(m_recording);
    layout->addLayout(buttons);
    // The window ends below the last used row and grows only when a value needs more room.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_startStop, &QPushButton::clicked, this, &MonitorWindow::startStopClicked);
    connect(close, &QPushButton::clicked, this, &MonitorWindow::closeRequested);
    recordingChanged();
}

void MonitorWindow::setMonitoring(bool monitoring) {
    m_startStop->setText(fromView(ecu::monitorButtonText(monitoring)));
}

QLineEdit* MonitorWindow::valueField(int row) const {
    return row >= 0 && std::size_t(row) < m_values.size() ? m_values[std::size_t(row)] : nullptr;
}

void MonitorWindow::valueShown(int row) {
    QLineEdit* field = valueField(row);
    if (!field)
        return;
    const QString text = textFromBytes(m_panel.rows()[std::size_t(row)].value);
    field->setText(text);
    // Nothing shown is cut: a text wider than its field widens the field (and the window).
    const int needed = field->fontMetrics().horizontalAdvance(text) +
                       field->fontMetrics().horizontalAdvance(' ') * 2 +
                       field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2;
    if (needed > field->width())
        field->setMinimumWidth(needed);
}

void MonitorWindow::monitoringEnded() {
    setMonitoring(false);
    emit monitoringStopped();
}

void MonitorWindow::recordingChanged() {
    const std::string text = m_panel.recordingText();
    m_recording->setText(textFromBytes(text));
    m_recording->setVisible(!text.empty());
}

void MonitorWindow::recordingFailed(const std::string& message) {
    QMetaObject::invokeMethod(
        this, [this, text = textFromBytes(message)] { emit recordingStopped(text); },
        Qt::QueuedConnection);
}

void MonitorWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeRequested();
}

void MonitorWindow::reject() {
    emit closeRequested();
}

} // namespace qmx::ui
