#pragma once

#include "ecu/monitorpanel.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qmx::ui {

// The modeless Monitor window: a row of label, read-only value and unit per row of the panel,
// the recording's file and line count, "St&op"/"St&art" and "&Close". It paints the panel as
// values arrive and forwards its buttons; closing it is left to its owner (closeRequested).
class MonitorWindow : public QDialog, public ecu::MonitorPanel::Observer {
    Q_OBJECT
public:
    // Shows the rows of `panel` (which outlives the window) now; the owner makes the window
    // the panel's observer.
    MonitorWindow(ecu::MonitorPanel& panel, QWidget* parent);

    // The Start/Stop button's text for `monitoring`.
    void setMonitoring(bool monitoring);

    QLineEdit* valueField(int row) const;
    QPushButton* startStopButton() const { return m_startStop; }
    QLabel* recordingLabel() const { return m_recording; }

    void valueShown(int row) override;
    // Shows "St&art" and tells the owner (monitoringStopped).
    void monitoringEnded() override;
    void recordingChanged() override;
    void recordingFailed(const std::string& message) override;

signals:
    void startStopClicked();
    // The port closed under the window: a stop, or a connection that was lost.
    void monitoringStopped();
    // The user closed the window (its "&Close", the title bar, Escape).
    void closeRequested();
    // A write failed and the recording stopped; posted, so it arrives outside the tick.
    void recordingStopped(const QString& message);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    ecu::MonitorPanel& m_panel;
    std::vector<QLineEdit*> m_values;
    QLabel* m_recording;
    QPushButton* m_startStop;
};

} // namespace qmx::ui
