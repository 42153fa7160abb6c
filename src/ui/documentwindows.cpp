#include "ui/documentwindows.h"

#include "ui/cchildframe.h"
#include "ui/cectdoc.h"

#include <QEvent>
#include <QMdiArea>

#include <algorithm>
#include <vector>

namespace qmx::ui {

DocumentWindows::DocumentWindows(QMdiArea& area, CEctView::ChildFactory factory)
    : m_area(area), m_factory(std::move(factory)) {
    m_area.viewport()->installEventFilter(this);
}

DocumentWindows::~DocumentWindows() {
    closeDocument();
}

void DocumentWindows::openDocument() {
    if (!m_document)
        m_document = std::make_unique<CEctDoc>();
}

void DocumentWindows::closeDocument() {
    for (QMdiSubWindow* window : m_area.subWindowList())
        if (auto* frame = dynamic_cast<CChildFrame*>(window))
            delete frame; // the views leave the document before it ends
    m_document.reset();
}

CChildFrame* DocumentWindows::openOrActivate(WindowKind kind) {
    if (!m_document)
        return nullptr;
    QPointer<CChildFrame>* kept = kind == WindowKind::Map     ? &m_mapFrame
                                  : kind == WindowKind::Hex   ? &m_hexFrame
                                  : kind == WindowKind::Table ? &m_tableFrame
                                                              : nullptr;
    if (kept && *kept) {
        m_area.setActiveSubWindow(*kept);
        return *kept;
    }
    CEctView* view = CEctView::create(*m_document, kind, m_factory);
    if (!view)
        return nullptr;
    auto* frame = new CChildFrame(view);
    m_area.addSubWindow(frame);
    frame->setGeometry(QRect(QPoint(0, 0), m_area.viewport()->size()));
    frame->show();
    m_area.setActiveSubWindow(frame);
    if (kept)
        *kept = frame;
    return frame;
}

CEctView* DocumentWindows::activeView() const {
    auto* frame = dynamic_cast<CChildFrame*>(m_area.activeSubWindow());
    return frame ? frame->view() : nullptr;
}

DocChildWindow* DocumentWindows::activeChild() const {
    CEctView* view = activeView();
    return view ? view->child() : nullptr;
}

bool DocumentWindows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area.viewport() && event->type() == QEvent::Resize) {
        const QRect area(QPoint(0, 0), m_area.viewport()->size());
        for (QMdiSubWindow* window : m_area.subWindowList())
            window->setGeometry(area);
    }
    return QObject::eventFilter(watched, event);
}

bool DocumentWindows::activateNext(bool forward) {
    std::vector<CChildFrame*> frames;
    for (CChildFrame* frame : {m_mapFrame.data(), m_hexFrame.data(), m_tableFrame.data()})
        if (frame)
            frames.push_back(frame);
    const auto active = std::find(frames.begin(), frames.end(), m_area.activeSubWindow());
    if (frames.size() < 2 || active == frames.end())
        return false;
    const std::size_t at = static_cast<std::size_t>(active - frames.begin());
    const std::size_t step = forward ? 1 : frames.size() - 1;
    m_area.setActiveSubWindow(frames[(at + step) % frames.size()]);
    return true;
}

} // namespace qmx::ui
