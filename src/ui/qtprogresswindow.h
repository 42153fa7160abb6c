#pragma once

#include "ecu/progresswindow.h"

#include <QWidget>

class QLabel;

namespace qmx::ui {

class QtEventPump;

// The small modeless window an ECU exchange shows while it runs: its title, a status line and
// a retry line. Opening it gives the event loop a turn through `pump` (without user input) so
// that it is on screen before the exchange starts; later repaints come from the link's turns.
// While it is shown the program shows the wait cursor.
class QtProgressWindow : public QWidget, public ecu::ProgressWindow {
public:
    explicit QtProgressWindow(QtEventPump& pump, QWidget* owner = nullptr);
    ~QtProgressWindow() override;

    void open(std::string_view title) override;
    void setStatus(std::string_view text) override;
    void setRetry(std::string_view text) override;
    void close() override;

    QString statusText() const;
    QString retryText() const;

private:
    QtEventPump& m_pump;
    QLabel* m_status;
    QLabel* m_retry;
    bool m_waitCursor = false; // this window set the wait cursor
};

} // namespace qmx::ui
