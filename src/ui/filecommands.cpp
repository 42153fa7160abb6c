#include "ui/filecommands.h"

#include "app/ectapp.h"
#include "app/folderlist.h"
#include "maps/linkrules.h"
#include "platform/profile.h"
#include "text/messages.h"
#include "text/messagesink.h"
#include "ui/directorydialog.h"
#include "ui/textcodec.h"

#include <QFileDialog>
#include <QFileInfo>

namespace qmx::ui {

FileCommands::FileCommands(app::CEctApp& app, text::MessageSink& sink, QWidget& dialogParent,
                           Hooks hooks)
    : m_app(app), m_sink(sink), m_parent(dialogParent), m_hooks(std::move(hooks)) {
}

QString askConfigurationPath(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, "Open File", folder, "ConfigurationFiles(*.rcz);;All Files(*.*)");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("rcz");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void FileCommands::open() {
    const QString path =
        askConfigurationPath(&m_parent, textFromBytes(m_app.settings().startup.initialFolder));
    if (!path.isEmpty())
        openFile(path);
}

bool FileCommands::openFile(const QString& path) {
    if (m_app.configuration().isOpen() && !close())
        return false;
    const text::Status result =
        m_app.openConfiguration(path.toStdString(), app::FileLayout::Packed);
    if (result != text::msg::Success) {
        showMessage(result, app::isErrorIconMessage(result));
        m_hooks.closed();
        return false;
    }
    app::Configuration& config = m_app.configuration();
    if (config.maps.empty()) {
        m_app.closeConfiguration();
        m_hooks.closed();
        return false;
    }
    config.maps.setCurrent(0);
    m_hooks.opened();
    if (m_app.lockRefused())
        showMessage(text::msg::FileInUse);
    m_app.warnAboutDamagedRecords(m_sink);
    return true;
}

bool FileCommands::close() {
    if (!m_app.askClose(m_sink))
        return false;
    app::Configuration& config = m_app.configuration();
    if (const text::Status cleared = maps::dropLinkForNoDocument(config.maps, config.lines))
        m_sink.show(text::messageText(cleared), text::messageText(text::msg::ProgramTitle),
                    text::Icon::Question);
    m_hooks.closing();
    m_app.closeConfiguration();
    m_hooks.closed();
    return true;
}

void FileCommands::save() {
    if (m_app.save(m_sink) != text::msg::Success)
        showMessage(text::msg::SaveError);
    m_hooks.saved();
}

void FileCommands::saveAs() {
    const app::Configuration& config = m_app.configuration();
    QString start = textFromBytes(m_app.settings().startup.initialFolder);
    const QString name = QFileInfo(textFromBytes(config.path)).fileName();
    if (!name.isEmpty())
        start = start.isEmpty() ? name : start + "/" + name;
    QFileDialog dialog(&m_parent, "Save As", start, "ConfigurationFiles(*.rcz)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("rcz");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    saveAs(dialog.selectedFiles().first());
}

bool FileCommands::saveAs(const QString& path) {
    const bool saved = m_app.saveAs(path.toStdString(), m_sink) == text::msg::Success;
    if (!saved)
        showMessage(text::msg::SaveError);
    m_hooks.saved();
    return saved;
}

void FileCommands::chooseDirectory() {
    platform::Profile file(m_app.settings().programSettingsPath);
    app::FolderList folders = app::FolderList::read(file);
    const std::optional<std::string> chosen = DirectoryDialog::choose(folders.entries(), &m_parent);
    if (!chosen)
        return;
    folders.choose(*chosen);
    // The folder serves this run even when qmx.INI cannot keep it.
    m_app.settings().startup.initialFolder = *chosen;
    if (!folders.write(file))
        showMessage(text::msg::FailedToWriteFile);
}

void FileCommands::showMessage(text::Status message, bool errorIcon) {
    m_sink.show(text::messageText(message), text::messageText(text::msg::ProgramTitle),
                errorIcon ? text::Icon::Error : text::Icon::Exclamation);
}

} // namespace qmx::ui
