#include "ui/addtitledialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace qmx::ui {

namespace {
constexpr int kMaxCharacters = 100;
}

AddTitleDialog::AddTitleDialog(const QString& windowTitle, const QString& title,
                               const QString& data, std::function<void()> markModified,
                               QWidget* parent)
    : QDialog(parent), m_title(new QLineEdit(title, this)), m_data(new QLineEdit(data, this)),
      m_markModified(std::move(markModified)) {
    setWindowTitle(windowTitle);
    setObjectName("addTitleDialog");
    m_title->setObjectName("title");
    m_data->setObjectName("data");
    m_title->setMaxLength(kMaxCharacters);
    m_data->setMaxLength(kMaxCharacters);
    m_title->setMinimumWidth(280);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddTitleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow("&Title", m_title);
    layout->addRow("&Data", m_data);
    layout->addRow(buttons);
}

QString AddTitleDialog::title() const {
    return m_title->text();
}

QString AddTitleDialog::data() const {
    return m_data->text();
}

void AddTitleDialog::accept() {
    if (m_title->text().isEmpty())
        return;
    if (m_markModified)
        m_markModified();
    QDialog::accept();
}

} // namespace qmx::ui
