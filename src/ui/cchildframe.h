#pragma once

#include <QMdiSubWindow>

namespace qmx::ui {

class CEctView;

// The frame of one view in the main window's document area: no sizing border, system menu,
// minimise or maximise box; at least 200 × 120 pixels; its caption comes from its window; it
// cannot be closed or moved by the user (the document deletes it when it closes).
class CChildFrame : public QMdiSubWindow {
public:
    static constexpr QSize kMinimumSize{200, 120};

    explicit CChildFrame(CEctView* view, QWidget* parent = nullptr);

    CEctView* view() const { return m_view; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CEctView* m_view;
};

} // namespace qmx::ui
