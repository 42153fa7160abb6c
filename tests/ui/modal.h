#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace qmx::uitest {

// Runs `act` on the next modal dialog that opens (a dialog's exec() blocks the test), polling
// from the event loop the dialog runs.
inline void onNextModal(std::function<void(QWidget*)> act, QWidget* notThis = nullptr) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act), notThis] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == notThis)
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

// Runs command `command` of `frame` and `act` on the dialog of type `Dialog` that it shows
// modally, then closes the dialog when `act` left it open. False when no such dialog opened.
template <typename Dialog, typename Frame, typename Act>
bool withDialog(Frame& frame, int command, Act act) {
    bool shown = false;
    onNextModal([&](QWidget* modal) {
        if (auto* dialog = dynamic_cast<Dialog*>(modal)) {
            shown = true;
            act(*dialog);
        }
        if (modal->isVisible())
            modal->close();
    });
    frame.runCommand(command);
    return shown;
}

} // namespace qmx::uitest
