#include "ui/multimapdialog.h"

#include "text/messages.h"
#include "ui/textcodec.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace qmx::ui {

MultiMapDialog::MultiMapDialog(maps::MapSet& maps, text::MessageSink& sink, QWidget* parent)
    : QDialog(parent), m_form(maps), m_sink(sink), m_all(new QRadioButton("#1, #2, #3, #4", this)),
      m_pairs(new QRadioButton("#1, #4 / #2, #3", this)) {
    setObjectName("multiMapEdit");
    setWindowTitle(textFromBytes(text::messageText(text::msg::MultiMapEditCaption)));
    auto* lists = new QFormLayout;
    for (int list = 0; list < maps::LinkForm::kLists; ++list) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString("map%1").arg(list + 1));
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->setMinimumContentsLength(8);
        m_lists[static_cast<std::size_t>(list)] = box;
        auto* label = new QLabel(QString("#&%1 Map").arg(list + 1), this);
        label->setBuddy(box);
        lists->addRow(label, box);
        fillList(list);
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, list](int index) { chooseEntry(list, index); });
    }

    m_all->setObjectName("modeAll");
    m_pairs->setObjectName("modePairs");
    m_all->setChecked(m_form.mode() == maps::LinkMode::All);
    m_pairs->setChecked(m_form.mode() == maps::LinkMode::Pairs);
    auto* group = new QGroupBox("&Multi Edit Mode", this);
    auto* modes = new QVBoxLayout(group);
    m_all->setParent(group);
    m_pairs->setParent(group);
    modes->addWidget(m_all);
    modes->addWidget(m_pairs);
    const auto modeChosen = [this] {
        m_form.setMode(m_all->isChecked()     ? maps::LinkMode::All
                       : m_pairs->isChecked() ? maps::LinkMode::Pairs
                                              : maps::LinkMode::None);
    };
    connect(m_all, &QRadioButton::toggled, this, modeChosen);
    connect(m_pairs, &QRadioButton::toggled, this, modeChosen);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* individual = buttons->addButton("&Individual Edit", QDialogButtonBox::ActionRole);
    individual->setObjectName("individualEdit");
    connect(buttons, &QDialogButtonBox::accepted, this, &MultiMapDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MultiMapDialog::reject);
    connect(individual, &QPushButton::clicked, this, &MultiMapDialog::individualEdit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void MultiMapDialog::accept() {
    if (m_form.accept(m_sink))
        QDialog::accept();
}

void MultiMapDialog::individualEdit() {
    if (m_form.individualEdit(m_sink))
        QDialog::accept();
}

void MultiMapDialog::fillList(int list) {
    QComboBox* box = mapList(list);
    const QSignalBlocker quiet(box);
    box->clear();
    const std::vector<std::string>& entries = m_form.entries(list);
    for (const std::string& name : entries)
        box->addItem(textFromBytes(name));
    const auto chosen = std::find(entries.begin(), entries.end(), m_form.chosen(list));
    box->setCurrentIndex(chosen == entries.end() ? -1 : int(chosen - entries.begin()));
}

void MultiMapDialog::chooseEntry(int list, int index) {
    const std::vector<std::string>& entries = m_form.entries(list);
    if (index < 0 || index >= int(entries.size()))
        return;
    m_form.choose(list, entries[std::size_t(index)]);
    if (list == 0) {
        for (int partner = 1; partner < maps::LinkForm::kLists; ++partner)
            fillList(partner);
    }
}

} // namespace qmx::ui
