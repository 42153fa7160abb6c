#include "ui/cchildframe.h"

#include "ui/cectview.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMouseEvent>

namespace qmx::ui {

CChildFrame::CChildFrame(CEctView* view, QWidget* parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_view(view) {
    setObjectName("childFrame");
    setWidget(view);
    setMinimumSize(kMinimumSize);
    setOption(QMdiSubWindow::RubberBandResize, false);
    const auto setCaption = [this](const QString& caption) { setWindowTitle(caption + "[*]"); };
    setCaption(view->child()->caption());
    connect(view->child(), &DocChildWindow::captionChanged, this, setCaption);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    event->ignore(); // the system close command does nothing
}

void CChildFrame::mousePressEvent(QMouseEvent* event) {
    // A press on the caption does not start a move.
    if (widget() && event->position().y() < widget()->geometry().top()) {
        if (QMdiArea* area = mdiArea())
            area->setActiveSubWindow(this);
        event->accept();
        return;
    }
    QMdiSubWindow::mousePressEvent(event);
}

} // namespace qmx::ui
