#include "ui/cectdoc.h"

#include "ui/cectview.h"

#include <algorithm>

namespace qmx::ui {

void CEctDoc::addView(CEctView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CEctDoc::removeView(CEctView* view) {
    std::erase(m_views, view);
}

void CEctDoc::notifyValue(int value, WindowKind origin) {
    for (CEctView* view : m_views)
        if (view->kind() != origin)
            view->child()->valueChanged(value, origin);
}

void CEctDoc::refreshOthers(WindowKind origin) {
    for (CEctView* view : m_views)
        if (view->kind() != origin)
            view->child()->refreshAfterChange();
}

void CEctDoc::refreshAll() {
    for (CEctView* view : m_views)
        view->child()->refreshAfterFocus();
}

} // namespace qmx::ui
