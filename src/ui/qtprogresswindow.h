#pragma once

#include "ecu/progresswindow.h"

#include <QWidget>

class QLabel;

namespace qmx::ui {

// The small modeless window an ECU exchange shows while it runs: its title, a status line and
// a retry line.
class QtProgressWindow : public QWidget, public ecu::ProgressWindow {
public:
    explicit QtProgressWindow(QWidget* owner = nullptr);

    void open(std::string_view title) override;
    void setStatus(std::string_view text) override;
    void setRetry(std::string_view text) override;
    void close() override;

    QString statusText() const;
    QString retryText() const;

private:
    QLabel* m_status;
    QLabel* m_retry;
};

} // namespace qmx::ui
