#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>

namespace qmx::uitest {

// Runs `act` on the next modal dialog that opens (a dialog's exec() blocks the test), polling
// from the event loop the dialog runs. It waits until `deadline` at most, so that a dialog that
// never opens leaves no watcher behind for a later test's dialog; the result tells whether
// `act` ran.
inline std::shared_ptr<const bool>
onNextModal(std::function<void(QWidget*)> act, QWidget* notThis = nullptr,
            std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
    auto acted = std::make_shared<bool>(false);
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(
        timer, &QTimer::timeout,
        [timer, act = std::move(act), notThis, acted, until = QDeadlineTimer(deadline)] {
            QWidget* modal = QApplication::activeModalWidget();
            const bool found = modal && modal != notThis;
            if (!found && !until.hasExpired())
                return;
            timer->stop();
            timer->deleteLater();
            if (found) {
                *acted = true;
                act(modal);
            }
        });
    timer->start();
    return acted;
}

} // namespace qmx::uitest
