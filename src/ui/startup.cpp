#include "ui/startup.h"

#include "app/ectapp.h"
#include "app/versiontext.h"
#include "text/messages.h"
#include "text/streamsink.h"
#include "ui/cmainframe.h"
#include "ui/dialogfont.h"
#include "ui/qtmessagesink.h"
#include "ui/splashscreen.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QScreen>

#include <clocale>
#include <cstdlib>
#include <iostream>

namespace qmx::ui {

namespace {

constexpr const char* kProgramName = "qmx";

// Ends the application at the first paint of the watched window.
class QuitOnFirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return false;
    }
};

} // namespace

int runBatch(const app::CommandWords& words) {
    text::StreamSink sink(std::cerr, text::Unattended::TakeFirst);
    app::CEctApp application;
    const app::StartupPlaces places = app::processStartupPlaces(kProgramName);
    const text::Status started = application.start(places, app::kLargeScreen);
    if (started != text::msg::Success) {
        sink.show(app::startFailureText(started, application.settings(), places), {},
                  text::Icon::Error);
        return 1;
    }
    return app::runBatchExport(application, words.first, words.second, sink);
}

int runDesktop(int argc, char** argv, const std::string& configuration) {
    QApplication qtApp(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QtMessageSink sink;

    app::ScreenSize screen;
    int depth = 24;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screen = {primary->size().width(), primary->size().height()};
        depth = primary->depth();
    }
    app::CEctApp application;
    const app::StartupPlaces places = app::processStartupPlaces(kProgramName);
    const text::Status started = application.start(places, screen);
    if (started != text::msg::Success) {
        sink.show(app::startFailureText(started, application.settings(), places),
                  text::messageText(text::msg::ProgramTitle), text::Icon::Error);
        return 1;
    }

    applyDialogFont(application.settings().registryValues.programDlgFontSize);
    CMainFrame frame(application, sink, app::LinkHostPlaces{places.homeFolder});
    sink.setParent(&frame);
    // A log that cannot be opened has been shown by openLog; the program runs without it.
    static_cast<void>(frame.linkHost().openLog(
        app::versionText(QCoreApplication::applicationFilePath().toStdString()), sink));
    QuitOnFirstPaint quitWhenShown;
    if (std::getenv("QMX_EXIT_WHEN_SHOWN"))
        frame.installEventFilter(&quitWhenShown);

    const QPixmap picture =
        SplashScreen::pictureFor(QCoreApplication::applicationFilePath(), depth);
    const int splashMs = int(application.settings().registryValues.showSplashTime);
    auto* splash = new SplashScreen(picture, splashMs, [&frame, &configuration] {
        frame.showMaximized();
        // A failed open has shown its message; the program runs without a document.
        if (!configuration.empty())
            static_cast<void>(frame.openFile(QString::fromLocal8Bit(configuration.c_str())));
    });
    splash->show();
    return qtApp.exec();
}

} // namespace qmx::ui
