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

// The windows of the open document in the main frame's document area: the document, its
// frames, and the map frame and table frame the next-window command switches between.
class DocumentWindows : public QObject {
public:
    DocumentWindows(QMdiArea& area, CEctView::ChildFactory factory);
    ~DocumentWindows() override;

    // Starts a document; nothing when one exists.
    void openDocument();
    // Closes every frame and ends the document.
    void closeDocument();
    CEctDoc* document() const { return m_document.get(); }

    // Opens the frame of a window of `kind`, or activates the one the document keeps (the
    // map frame and the table frame are kept). Null when no document is open or the kind cannot
    // be shown.
    CChildFrame* openOrActivate(WindowKind kind);

    CEctView* activeView() const;
    DocChildWindow* activeChild() const;
    CChildFrame* mapFrame() const { return m_mapFrame; }
    CChildFrame* tableFrame() const { return m_tableFrame; }

    // The next-window command: from a map or table window, the other of the two kept frames;
    // from any other window, the next frame. False when nothing was activated.
    bool activateNext();

private:
    QMdiArea& m_area;
    CEctView::ChildFactory m_factory;
    std::unique_ptr<CEctDoc> m_document;
    QPointer<CChildFrame> m_mapFrame;
    QPointer<CChildFrame> m_tableFrame;
};

} // namespace qmx::ui
