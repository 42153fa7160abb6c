#include "ui/titleeditordialog.h"

#include "ui/addtitledialog.h"
#include "ui/textcodec.h"
#include "ui/titlelistdelegate.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qmx::ui {

TitleEditorDialog::TitleEditorDialog(app::TitleList titles, std::function<void()> markModified,
                                     QWidget* parent)
    : QDialog(parent), m_titles(std::move(titles)), m_markModified(std::move(markModified)),
      m_list(new QListWidget(this)), m_edit(new QPushButton("&Edit", this)),
      m_delete(new QPushButton("&Delete", this)), m_add(new QPushButton("&Add", this)) {
    setWindowTitle("Title Editor");
    setObjectName("titleEditor");
    m_list->setObjectName("titles");
    m_edit->setObjectName("edit");
    m_delete->setObjectName("delete");
    m_add->setObjectName("add");
    m_list->setItemDelegate(new TitleListDelegate(m_list));
    m_list->setMinimumSize(420, 150);
    m_add->setEnabled(false); // adding a pair is not offered

    auto* label = new QLabel("&Title", this);
    label->setBuddy(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_edit, &QPushButton::clicked, this, &TitleEditorDialog::editSelected);
    connect(m_delete, &QPushButton::clicked, this, &TitleEditorDialog::deleteSelected);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &TitleEditorDialog::selectionChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TitleEditorDialog::editSelected);

    auto* row = new QHBoxLayout;
    row->addWidget(m_edit);
    row->addWidget(m_delete);
    row->addWidget(m_add);
    row->addStretch();
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addLayout(row);
    refill();
}

void TitleEditorDialog::refill() {
    m_list->clear();
    for (const app::TitlePair& pair : m_titles.pairs()) {
        auto* item = new QListWidgetItem(textFromBytes(pair.title), m_list);
        item->setData(Qt::UserRole, textFromBytes(pair.data));
    }
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
}

void TitleEditorDialog::selectionChanged() {
    const bool selected = !m_list->selectedItems().isEmpty();
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
}

void TitleEditorDialog::editSelected() {
    const int row = m_list->currentRow();
    if (row < 0 || m_list->selectedItems().isEmpty())
        return;
    const app::TitlePair& pair = m_titles.pairs().at(std::size_t(row));
    AddTitleDialog dialog("Edit Title", textFromBytes(pair.title), textFromBytes(pair.data),
                          m_markModified, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_titles.replace(std::size_t(row), {bytesFromText(dialog.title(), pair.title),
                                        bytesFromText(dialog.data(), pair.data)});
    refill();
}

void TitleEditorDialog::deleteSelected() {
    const int row = m_list->currentRow();
    if (row < 0 || m_list->selectedItems().isEmpty())
        return;
    m_titles.remove(std::size_t(row));
    if (m_markModified)
        m_markModified();
    refill();
}

} // namespace qmx::ui
