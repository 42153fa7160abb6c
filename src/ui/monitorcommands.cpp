#include "ui/monitorcommands.h"

#include "app/commandtable.h"
#include "app/ectapp.h"
#include "platform/profile.h"
#include "text/messages.h"
#include "text/messagesink.h"
#include "ui/monitoritemdialog.h"
#include "ui/monitorwindow.h"
#include "ui/textcodec.h"

#include <QFile>
#include <QFileDialog>

namespace qmx::ui {

namespace cmd = app::cmd;

MonitorCommands::MonitorCommands(app::CEctApp& app, ecu::Link& link, text::MessageSink& sink,
                                 QWidget& frame, std::function<void()> changed)
    : m_app(app), m_sink(sink), m_frame(frame), m_changed(std::move(changed)),
      m_monitor(link, app.configuration().monitorItems, app.configuration().monitorRows),
      m_panel(m_monitor) {
}

MonitorCommands::~MonitorCommands() {
    m_monitor.setView(nullptr);
    m_panel.setObserver(nullptr);
    delete m_window;
}

void MonitorCommands::addCommands(app::CommandTable& commands) {
    for (const int command : {cmd::Monitor, cmd::MonitorAlt1, cmd::MonitorAlt2})
        commands.add(command, [this] { toggleWindow(); });
    commands.add(cmd::ItemSet, [this] { chooseItems(); });
    commands.add(cmd::MonitorStart, [this] {
        static_cast<void>(m_monitor.startFromCommand(m_sink)); // a failure was shown
        afterChange();
    });
    commands.add(cmd::MonitorStop, [this] {
        m_monitor.stopMonitor();
        afterChange();
    });
    commands.add(cmd::MonitorDialog, [this] { focusWindow(); });
    commands.add(cmd::MonitorRecord, [this] { record(); });
}

void MonitorCommands::fillState(app::CommandState& state) const {
    state.monitorWindow = m_window != nullptr;
    state.monitoring = m_monitor.monitoring();
    state.recording = m_panel.recording();
}

MonitorWindow* MonitorCommands::window() const {
    return m_window;
}

void MonitorCommands::configurationChanged() {
    m_monitor.itemsChanged();
}

void MonitorCommands::documentClosing() {
    closeWindow();
    if (m_monitor.items().empty())
        return; // another configuration's rows stay stored
    platform::Profile file(m_app.settings().programSettingsPath);
    if (!m_monitor.saveSelection(file))
        showMessage(std::string(text::messageText(text::msg::FailedToWriteFile)));
}

void MonitorCommands::toggleWindow() {
    if (m_window)
        closeWindow();
    else
        openWindow();
}

void MonitorCommands::openWindow() {
    m_panel.rebuild();
    m_window = new MonitorWindow(m_panel, &m_frame);
    m_panel.setObserver(m_window);
    connect(m_window, &MonitorWindow::startStopClicked, this, &MonitorCommands::startFromWindow);
    connect(m_window, &MonitorWindow::closeRequested, this, &MonitorCommands::closeWindow);
    connect(m_window, &MonitorWindow::monitoringStopped, this, [this] { m_changed(); });
    connect(m_window, &MonitorWindow::recordingStopped, this, [this](const QString& message) {
        showMessage(bytesFromText(message));
        m_changed();
    });
    if (m_position)
        m_window->move(*m_position);
    m_window->show();
    m_monitor.setView(&m_panel);
    afterChange();
}

void MonitorCommands::closeWindow() {
    if (!m_window)
        return;
    if (m_monitor.monitoring())
        m_monitor.stopMonitor();
    m_panel.stopRecording();
    destroyWindow();
    m_changed();
}

void MonitorCommands::rebuildWindow() {
    destroyWindow();
    openWindow();
}

void MonitorCommands::destroyWindow() {
    m_monitor.setView(nullptr);
    m_panel.setObserver(nullptr);
    m_position = m_window->pos();
    // The window may be in the middle of its own signal (its "&Close"): it goes once that ends.
    MonitorWindow* window = m_window;
    m_window = nullptr;
    window->hide();
    window->deleteLater();
}

void MonitorCommands::focusWindow() {
    if (!m_window)
        return;
    m_window->raise();
    m_window->activateWindow();
    m_window->setFocus();
}

void MonitorCommands::startFromWindow() {
    if (m_monitor.monitoring())
        m_monitor.stopMonitor();
    else
        static_cast<void>(m_monitor.startFromWindow(m_sink)); // a failure was shown
    afterChange();
}

void MonitorCommands::chooseItems() {
    std::vector<std::string> names;
    for (const config::MonitorItem& item : m_monitor.items())
        names.push_back(item.name);
    MonitorItemDialog dialog(names, m_monitor.rows(), &m_frame);
    if (dialog.exec() != QDialog::Accepted || !m_monitor.setRows(dialog.rows()))
        return;
    if (m_window)
        rebuildWindow();
}

void MonitorCommands::record() {
    if (m_panel.recording()) {
        m_panel.stopRecording();
        m_changed();
        return;
    }
    QFileDialog dialog(&m_frame, "Record", textFromBytes(m_app.settings().startup.initialFolder),
                       "CSV Files(*.csv);;All Files(*.*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("csv");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        startRecording(dialog.selectedFiles().first());
}

bool MonitorCommands::startRecording(const QString& path) {
    const std::string file = QFile::encodeName(path).toStdString();
    const text::Status started = m_panel.startRecording(file);
    if (started)
        showMessage(text::messageText(started.message(), file));
    m_changed();
    return !started;
}

void MonitorCommands::afterChange() {
    if (m_window)
        m_window->setMonitoring(m_monitor.monitoring());
    m_changed();
}

void MonitorCommands::showMessage(const std::string& message) {
    m_sink.show(message, text::messageText(text::msg::ProgramTitle), text::Icon::Exclamation);
}

} // namespace qmx::ui
