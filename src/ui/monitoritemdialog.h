#pragma once

#include "ecu/monitoritemchoice.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace qmx::ui {

// The item dialog "Set Monitor data": every monitor item on the left ("Diag.&com"), the rows of
// the Monitor window on the right ("&Monitor Dialog Item"), moved with ">>(&A)" and "<<(&D)".
// The caller hands rows() to the monitor when the dialog ends with OK.
class MonitorItemDialog : public QDialog {
public:
    // `names` are the items' names (as bytes), `rows` item indexes in row order.
    MonitorItemDialog(const std::vector<std::string>& names, std::vector<int> rows,
                      QWidget* parent = nullptr);

    const std::vector<int>& rows() const { return m_choice.rows(); }

private:
    void add();
    void remove();
    // Lists the rows again and selects the choice's row.
    void refillRows();
    // Takes the lists' selections into the choice and enables the buttons by its rules.
    void selectionChanged();

    ecu::MonitorItemChoice m_choice;
    QListWidget* m_items;
    QListWidget* m_rows;
    QPushButton* m_add;
    QPushButton* m_remove;
};

} // namespace qmx::ui
