#pragma once

#include <cstddef>
#include <vector>

// The rules of the item dialog "Set Monitor data": the items on the left, the rows of the
// Monitor window on the right, and when ">>(&A)" and "<<(&D)" may be used.
namespace qmx::ecu {

class MonitorItemChoice {
public:
    // `rows` are item indexes below `itemCount`, in row order; nothing is selected.
    MonitorItemChoice(std::size_t itemCount, std::vector<int> rows);

    // The rows as the dialog now lists them; OK hands them to the monitor.
    const std::vector<int>& rows() const { return m_rows; }

    // Selects item `item` of the left list; -1 (or a number that names no item) selects none.
    void selectItem(int item);
    // Selects row `row` of the right list; -1 (or a number that names no row) selects none.
    void selectRow(int row);
    int selectedItem() const { return m_item; }
    int selectedRow() const { return m_row; }

    // ">>(&A)": an item is selected and fewer than 15 rows are listed.
    bool canAdd() const;
    // "<<(&D)": a row is selected.
    bool canRemove() const { return m_row >= 0; }

    // Inserts the selected item before the selected row (appends it when none is selected) and
    // removes its other entry; the row selection stays on the entry it was on. Nothing when
    // canAdd() is false.
    void add();
    // Removes the selected row; the selection moves to the row that took its place (the last row
    // when it was the last, none when no row is left). Nothing when canRemove() is false.
    void remove();

private:
    std::size_t m_itemCount;
    std::vector<int> m_rows;
    int m_item = -1;
    int m_row = -1;
};

} // namespace qmx::ecu
