#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLineEdit;

namespace qmx::ui {

// The "Add Title" dialog: one title and its data text. OK with an empty title keeps the
// dialog open; otherwise it marks the document modified and ends.
class AddTitleDialog : public QDialog {
public:
    AddTitleDialog(const QString& windowTitle, const QString& title, const QString& data,
                   std::function<void()> markModified, QWidget* parent = nullptr);

    QString title() const;
    QString data() const;

    void accept() override;

private:
    QLineEdit* m_title;
    QLineEdit* m_data;
    std::function<void()> m_markModified;
};

} // namespace qmx::ui
