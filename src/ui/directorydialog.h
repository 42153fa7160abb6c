#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QComboBox;

namespace qmx::ui {

// The "Directory" dialog: the working folder, typed or browsed, with the recent folders in
// its drop-down list.
class DirectoryDialog : public QDialog {
public:
    DirectoryDialog(const std::vector<std::string>& recent, QWidget* parent = nullptr);

    // The folder in the field (as bytes for the settings file).
    std::string folder() const;

    // Shows the dialog; the chosen folder on OK, nothing on Cancel.
    static std::optional<std::string> choose(const std::vector<std::string>& recent,
                                             QWidget* parent);

private:
    void browse();

    QComboBox* m_path;
};

} // namespace qmx::ui
