#pragma once

#include "text/status.h"

#include <QString>

#include <functional>

class QWidget;

namespace qmx::text {
class MessageSink;
}
namespace qmx::app {
class CEctApp;
}

namespace qmx::ui {

// The "Open File" dialog for a packed configuration file, starting in `folder`; an empty path
// when the user cancelled.
QString askConfigurationPath(QWidget* parent, const QString& folder);

// The commands of the File menu on the open configuration: Open, Close, Save, Save As and the
// working folder, with their dialogs, questions and messages. The frame shows the outcome
// through the hooks.
class FileCommands {
public:
    struct Hooks {
        std::function<void()> opened;  // a configuration with maps is open: show it
        std::function<void()> closing; // the open configuration is about to close
        std::function<void()> closed;  // no configuration is open (a close, a failed open)
        std::function<void()> saved;   // a save ended: the title shows path and modified state
    };

    // `app` and `sink` outlive the commands; dialogs open over `dialogParent`.
    FileCommands(app::CEctApp& app, text::MessageSink& sink, QWidget& dialogParent, Hooks hooks);

    // The Open dialog, then openFile.
    void open();
    // Closes the open configuration (asking first) and opens `path` in the packed layout.
    // False when the user declined or the open failed (the failure was shown).
    bool openFile(const QString& path);
    // Closes the configuration after the questions; false when the user declined.
    bool close();
    // Saves in the layout the file was read in; a failure is shown.
    void save();
    // The Save As dialog, then saveAs(path).
    void saveAs();
    // Saves under `path` in the packed layout; false (shown) on failure.
    bool saveAs(const QString& path);
    // The Directory dialog: the chosen folder becomes the start folder of the file dialogs and
    // is stored in the folder list of qmx.INI.
    void chooseDirectory();

private:
    // Shows `message` captioned with the program title, as an exclamation (or error) box.
    void showMessage(text::Status message, bool errorIcon = false);

    app::CEctApp& m_app;
    text::MessageSink& m_sink;
    QWidget& m_parent;
    Hooks m_hooks;
};

} // namespace qmx::ui
