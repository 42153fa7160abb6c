#include "ui/cectview.h"

#include "ui/cectdoc.h"

namespace qmx::ui {

CEctView::CEctView(CEctDoc& document, QWidget* parent) : QWidget(parent), m_document(document) {
}

CEctView* CEctView::create(CEctDoc& document, WindowKind kind, const ChildFactory& factory,
                           QWidget* parent) {
    auto view = std::unique_ptr<CEctView>(new CEctView(document, parent));
    DocChildWindow* child = factory ? factory(kind, view.get()) : nullptr;
    if (!child)
        return nullptr;
    view->m_child = child;
    view->setFocusProxy(child);
    document.addView(view.get());
    return view.release();
}

CEctView::~CEctView() {
    m_document.removeView(this);
}

void CEctView::selectMap() {
    m_child->mapChanged();
}

void CEctView::resizeEvent(QResizeEvent*) {
    m_child->setGeometry(rect());
}

} // namespace qmx::ui
