#pragma once

#include "app/commands.h"
#include "ecu/monitor.h"
#include "ecu/monitorpanel.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <optional>

class QWidget;

namespace qmx::text {
class MessageSink;
}
namespace qmx::app {
class CEctApp;
class CommandTable;
} // namespace qmx::app

namespace qmx::ui {

class MonitorWindow;

// The main frame's live values: the monitor on the frame's link, the Monitor window with its
// remembered position, the item dialog, Start and Stop, and the recording. The monitor works on
// the open configuration's items and rows.
class MonitorCommands : public QObject {
    Q_OBJECT
public:
    // `app`, `link` and `sink` outlive the commands; windows and dialogs open over `frame`;
    // `changed` runs when the enabling or the check marks of the commands may have changed.
    MonitorCommands(app::CEctApp& app, ecu::Link& link, text::MessageSink& sink, QWidget& frame,
                    std::function<void()> changed);
    ~MonitorCommands() override;

    // Offers the Monitor menu's commands, Start, Stop and "&Monitor Dialog".
    void addCommands(app::CommandTable& commands);
    // Sets the monitor's part of `state`: window, monitoring, recording.
    void fillState(app::CommandState& state) const;

    // Another configuration (or none) is open: the poll starts again on its items.
    void configurationChanged();
    // Before the document closes: closes the Monitor window (stopping the poll and the
    // recording) and writes the rows into DIAGSELECT of qmx.INI when the configuration has
    // items; a file that cannot be written is shown.
    void documentClosing();

    // Records the values into `path`; false (shown) when the file cannot be created.
    bool startRecording(const QString& path);

    // The Monitor window; null while it does not exist.
    MonitorWindow* window() const;
    const ecu::Monitor& monitor() const { return m_monitor; }

private:
    void toggleWindow();
    void openWindow();
    // Closes the window: monitoring stops, the position is kept, and the recording stops.
    void closeWindow();
    // Builds the window again on the rows now, where it was, keeping the poll and the recording.
    void rebuildWindow();
    void destroyWindow();
    void focusWindow();
    void startFromWindow();
    void chooseItems();
    void record();
    // The window's button and the frame's commands follow the monitor now.
    void afterChange();
    void showMessage(const std::string& message);

    app::CEctApp& m_app;
    text::MessageSink& m_sink;
    QWidget& m_frame;
    std::function<void()> m_changed;
    ecu::Monitor m_monitor;
    ecu::MonitorPanel m_panel;
    QPointer<MonitorWindow> m_window;
    std::optional<QPoint> m_position;
};

} // namespace qmx::ui
