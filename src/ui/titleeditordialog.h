#pragma once

#include "app/titlelist.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;

namespace qmx::ui {

// The "Title Editor" dialog: reviews, edits and deletes the title pairs of a copy of the
// configuration's title list. The caller stores titles() back when the dialog ends with OK.
class TitleEditorDialog : public QDialog {
public:
    // `markModified` is called whenever a pair is deleted or an "Edit Title" dialog ends with
    // OK: OK then changes the configuration, which Close must not discard without asking.
    TitleEditorDialog(app::TitleList titles, std::function<void()> markModified,
                      QWidget* parent = nullptr);

    const app::TitleList& titles() const { return m_titles; }

    // Opens "Edit Title" on the selected pair; replaces the pair on OK.
    void editSelected();
    // Removes the selected pair and marks the document modified.
    void deleteSelected();

private:
    void refill();
    void selectionChanged();

    app::TitleList m_titles;
    std::function<void()> m_markModified;
    QListWidget* m_list;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QPushButton* m_add;
};

} // namespace qmx::ui
