#include "ui/qtprogresswindow.h"

#include "ui/qteventpump.h"
#include "ui/textcodec.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace qmx::ui {

QtProgressWindow::QtProgressWindow(QtEventPump& pump, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint), m_pump(pump),
      m_status(new QLabel(this)), m_retry(new QLabel(this)) {
    setObjectName("progressWindow");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_retry);
    setMinimumWidth(260);
}

QtProgressWindow::~QtProgressWindow() {
    close();
}

void QtProgressWindow::open(std::string_view title) {
    setWindowTitle(textFromBytes(title));
    m_status->setText(QString::fromLatin1(ecu::waitText()));
    m_retry->clear();
    if (!m_waitCursor)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    m_waitCursor = true;
    show();
    raise();
    m_pump.pumpOne();
}

void QtProgressWindow::setStatus(std::string_view text) {
    m_status->setText(textFromBytes(text));
}

void QtProgressWindow::setRetry(std::string_view text) {
    m_retry->setText(textFromBytes(text));
}

void QtProgressWindow::close() {
    hide();
    if (m_waitCursor)
        QApplication::restoreOverrideCursor();
    m_waitCursor = false;
}

QString QtProgressWindow::statusText() const {
    return m_status->text();
}

QString QtProgressWindow::retryText() const {
    return m_retry->text();
}

} // namespace qmx::ui
