#include "ui/monitoritemdialog.h"

#include "ui/textcodec.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qmx::ui {

namespace {

// The selected row of `list`, -1 when none is selected.
int selectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}

} // namespace

MonitorItemDialog::MonitorItemDialog(const std::vector<std::string>& names, std::vector<int> rows,
                                     QWidget* parent)
    : QDialog(parent), m_choice(names.size(), std::move(rows)), m_items(new QListWidget(this)),
      m_rows(new QListWidget(this)), m_add(new QPushButton(">>(&A)", this)),
      m_remove(new QPushButton("<<(&D)", this)) {
    setWindowTitle("Set Monitor data");
    setObjectName("monitorItemDialog");
    m_items->setObjectName("items");
    m_rows->setObjectName("rows");
    m_add->setObjectName("add");
    m_remove->setObjectName("remove");
    for (const std::string& name : names)
        m_items->addItem(textFromBytes(name));
    for (QListWidget* list : {m_items, m_rows}) {
        list->setMinimumWidth(std::max(160, m_items->sizeHintForColumn(0) + 40));
        list->setMinimumHeight(260);
    }

    auto* itemsLabel = new QLabel("Diag.&com", this);
    itemsLabel->setBuddy(m_items);
    auto* rowsLabel = new QLabel("&Monitor Dialog Item", this);
    rowsLabel->setBuddy(m_rows);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(m_add);
    moves->addWidget(m_remove);
    moves->addStretch();
    auto* lists = new QGridLayout;
    lists->addWidget(itemsLabel, 0, 0);
    lists->addWidget(rowsLabel, 0, 2);
    lists->addWidget(m_items, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(m_rows, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_add, &QPushButton::clicked, this, &MonitorItemDialog::add);
    connect(m_remove, &QPushButton::clicked, this, &MonitorItemDialog::remove);
    connect(m_items, &QListWidget::itemSelectionChanged, this,
            &MonitorItemDialog::selectionChanged);
    connect(m_rows, &QListWidget::itemSelectionChanged, this, &MonitorItemDialog::selectionChanged);
    refillRows();
}

void MonitorItemDialog::add() {
    m_choice.add();
    refillRows();
}

void MonitorItemDialog::remove() {
    m_choice.remove();
    refillRows();
}

void MonitorItemDialog::refillRows() {
    const QSignalBlocker quiet(m_rows);
    m_rows->clear();
    for (const int item : m_choice.rows())
        m_rows->addItem(m_items->item(item)->text());
    if (m_choice.selectedRow() >= 0)
        m_rows->setCurrentRow(m_choice.selectedRow());
    selectionChanged();
}

void MonitorItemDialog::selectionChanged() {
    m_choice.selectItem(selectedRow(*m_items));
    m_choice.selectRow(selectedRow(*m_rows));
    m_add->setEnabled(m_choice.canAdd());
    m_remove->setEnabled(m_choice.canRemove());
}

} // namespace qmx::ui
