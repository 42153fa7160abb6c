#pragma once

#include "maps/linkform.h"

#include <QDialog>

#include <array>

class QComboBox;
class QRadioButton;

namespace qmx::text {
class MessageSink;
}

namespace qmx::ui {

// The "Multi Map Edit" dialog: chooses the maps "#1 Map" to "#4 Map" whose Y values are edited
// together and the mode ("#1, #2, #3, #4" or "#1, #4 / #2, #3"); OK sets the link after the
// checks and question 3006, "&Individual Edit" drops it after question 3005. Either marks the
// document modified; Cancel changes nothing.
class MultiMapDialog : public QDialog {
public:
    // `maps` and `sink` outlive the dialog.
    MultiMapDialog(maps::MapSet& maps, text::MessageSink& sink, QWidget* parent = nullptr);

    QComboBox* mapList(int list) const { return m_lists.at(static_cast<std::size_t>(list)); }
    QRadioButton* allButton() const { return m_all; }
    QRadioButton* pairsButton() const { return m_pairs; }

    // OK: closes when the link was set or dropped.
    void accept() override;
    // "&Individual Edit": closes when the link was dropped.
    void individualEdit();

private:
    // Fills list `list` with the form's entries and shows its choice.
    void fillList(int list);
    // The user chose entry `index` in list `list`.
    void chooseEntry(int list, int index);

    maps::LinkForm m_form;
    text::MessageSink& m_sink;
    std::array<QComboBox*, maps::LinkForm::kLists> m_lists;
    QRadioButton* m_all;
    QRadioButton* m_pairs;
};

} // namespace qmx::ui
