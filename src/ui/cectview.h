#pragma once

#include "ui/docchildwindow.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace qmx::ui {

class CEctDoc;

// A view of the document: hosts exactly one document child window, which always covers it.
class CEctView : public QWidget {
public:
    // Makes the child window of a kind; null for a kind this program cannot show.
    using ChildFactory = std::function<DocChildWindow*(WindowKind, QWidget* parent)>;

    // The view for a window of `kind`; null (and nothing registered) when the factory makes no
    // window of that kind.
    static CEctView* create(CEctDoc& document, WindowKind kind, const ChildFactory& factory,
                            QWidget* parent = nullptr);
    ~CEctView() override;

    WindowKind kind() const { return m_child->kind(); }
    DocChildWindow* child() const { return m_child; }
    CEctDoc& document() const { return m_document; }

    // The current map of the document changed (the map bar chose one): the child lays out and
    // repaints.
    void selectMap();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CEctView(CEctDoc& document, QWidget* parent);

    CEctDoc& m_document;
    DocChildWindow* m_child = nullptr;
};

} // namespace qmx::ui
