#include "ui/directorydialog.h"

#include "ui/textcodec.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace qmx::ui {

DirectoryDialog::DirectoryDialog(const std::vector<std::string>& recent, QWidget* parent)
    : QDialog(parent), m_path(new QComboBox(this)) {
    setWindowTitle("Directory");
    setObjectName("directoryDialog");
    m_path->setObjectName("filePath");
    m_path->setEditable(true);
    m_path->setInsertPolicy(QComboBox::NoInsert);
    m_path->setMinimumWidth(320);
    for (const std::string& folder : recent)
        m_path->addItem(textFromBytes(folder));
    if (!recent.empty())
        m_path->setCurrentIndex(0);

    auto* label = new QLabel("&File Path", this);
    label->setBuddy(m_path);
    auto* browse = new QPushButton("&Browse...", this);
    browse->setObjectName("browse");
    connect(browse, &QPushButton::clicked, this, &DirectoryDialog::browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_path, 1, 0);
    layout->addWidget(browse, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
}

std::string DirectoryDialog::folder() const {
    return m_path->currentText().toUtf8().toStdString();
}

void DirectoryDialog::browse() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, "Please select directory.", m_path->currentText(), QFileDialog::ShowDirsOnly);
    if (!chosen.isEmpty())
        m_path->setEditText(chosen);
}

std::optional<std::string> DirectoryDialog::choose(const std::vector<std::string>& recent,
                                                   QWidget* parent) {
    DirectoryDialog dialog(recent, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.folder();
}

} // namespace qmx::ui
