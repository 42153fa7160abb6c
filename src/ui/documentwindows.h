#pragma once

#include "ui/cchildframe.h"
#include "ui/cectview.h"
#include "ui/docchildwindow.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QMdiArea;
class QMdiSubWindow;

namespace qmx::ui {

class CEctDoc;

// The windows of the open document in the main frame's document area: the document and its
// frames, one of each kind, which the next-window and previous-window commands cycle through.
// The frames cover the area and follow its size.
class DocumentWindows : public QObject {
public:
    DocumentWindows(QMdiArea& area, CEctView::ChildFactory factory);
    ~DocumentWindows() override;

    // Starts a document; nothing when one exists.
    void openDocument();
    // Closes every frame and ends the document.
    void closeDocument();
    CEctDoc* document() const { return m_document.get(); }

    // Opens the frame of a window of `kind`, or activates the one the document keeps. Null when
    // no document is open or the kind cannot be shown.
    CChildFrame* openOrActivate(WindowKind kind);

    CEctView* activeView() const;
    DocChildWindow* activeChild() const;

    // The next-window command (`forward`) or the previous-window command: activates the next
    // or the previous frame in the order map, hex, table (so between a map and a table window
    // alone they switch to the other). False when nothing was activated.
    bool activateNext(bool forward = true);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMdiArea& m_area;
    CEctView::ChildFactory m_factory;
    std::unique_ptr<CEctDoc> m_document;
    QPointer<CChildFrame> m_mapFrame;
    QPointer<CChildFrame> m_hexFrame;
    QPointer<CChildFrame> m_tableFrame;
};

} // namespace qmx::ui
