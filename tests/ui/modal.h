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

} // namespace qmx::uitest
