#pragma once

#include "ui/docchildwindow.h"

#include <QObject>

#include <vector>

namespace qmx::ui {

class CEctView;

// The document of a configuration: the list of its views and the three notifications by which
// its windows keep each other up to date. The configuration itself is the application's.
class CEctDoc : public QObject {
public:
    using QObject::QObject;

    void addView(CEctView* view);
    void removeView(CEctView* view);
    const std::vector<CEctView*>& views() const { return m_views; }

    // Every window not of kind `origin` shows `value`.
    void notifyValue(int value, WindowKind origin);
    // Every window not of kind `origin` refreshes after a change.
    void refreshOthers(WindowKind origin);
    // Every window refreshes as after a focus change.
    void refreshAll();

private:
    std::vector<CEctView*> m_views;
};

} // namespace qmx::ui
