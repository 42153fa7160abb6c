#include "ui/constanteditordialog.h"

#include "text/messages.h"
#include "ui/celledit.h"
#include "ui/centuryfont.h"
#include "ui/ruledgrid.h"
#include "ui/textcodec.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace qmx::ui {

namespace {

constexpr int kRows = app::ConstantEditor::kRows;
// The table's columns in the grid; the rows start below the header row.
constexpr int kContentsColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kUnitColumn = 2;
constexpr int kScrollColumn = 3;
constexpr int kRuledColumns = 3; // contents, value, unit
constexpr const char* kHeaders[kRuledColumns] = {"Contents", "VALUE", "Unit"};
constexpr int kFirstRow = 1;
// Where the dialog's proportions come from, in dialog units: its size without the hexadecimal
// column, the widths of the three columns and the row pitch.
constexpr QSize kDialogUnits{357, 202};
constexpr int kColumnUnits[] = {262, 38, 26};
constexpr int kRowUnits = 10;
constexpr int kTextMargin = 10; // pixels beside a cell's text, both sides together

// Dialog units of a font: a quarter of its average character width across, an eighth of its
// height down.
int unitsAcross(const QFontMetrics& metrics, int units) {
    return units * metrics.averageCharWidth() / 4;
}
int unitsDown(const QFontMetrics& metrics, int units) {
    return units * metrics.height() / 8;
}

} // namespace

text::Answer ConstantEditorDialog::Messages::show(std::string_view text, std::string_view caption,
                                                  text::Icon icon, text::Buttons buttons) {
    m_dialog.refresh(false);
    return m_sink.show(text, caption, icon, buttons);
}

ConstantEditorDialog::ConstantEditorDialog(const config::CLineList& lines,
                                           const config::EcuImage& image, text::MessageSink& sink,
                                           QWidget* parent)
    : QDialog(parent), m_messages(*this, sink), m_editor(lines, image, m_messages) {
    setObjectName("constantEditor");
    setWindowTitle(textFromBytes(text::messageText(text::msg::EditConstCaption)));
    setFont(centuryFont(14));

    m_grid = new QGridLayout;
    auto* ruled = new RuledGrid(*m_grid, kFirstRow, kFirstRow + kRows - 1, kRuledColumns, this);
    ruled->setLayout(m_grid);
    buildTable(*m_grid);

    m_undo = new QPushButton("&Undo", this);
    m_ok = new QPushButton("&OK", this);
    auto* cancel = new QPushButton("&Cancel", this);
    m_undo->setObjectName("undoButton");
    m_ok->setObjectName("okButton");
    cancel->setObjectName("cancelButton");
    for (QPushButton* button : {m_undo, m_ok, cancel})
        button->setFont(QFont());
    m_ok->setDefault(true); // Enter that no cell takes
    connect(m_undo, &QPushButton::clicked, this, [this] {
        m_editor.undo();
        refresh(false);
    });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_undo);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ruled, 1);
    layout->addLayout(buttons);

    refresh(true);
    const QFontMetrics metrics(font());
    const QSize written(unitsAcross(metrics, kDialogUnits.width()),
                        unitsDown(metrics, kDialogUnits.height()));
    resize(written.expandedTo(sizeHint()));
}

void ConstantEditorDialog::buildTable(QGridLayout& grid) {
    grid.setSpacing(1);
    grid.setContentsMargins(1, 1, 1, 1);
    QWidget* area = grid.parentWidget();
    const QFontMetrics metrics(font());
    for (int column = 0; column < kRuledColumns; ++column) {
        auto* header = new QLabel(kHeaders[column], area);
        header->setAlignment(Qt::AlignCenter);
        grid.addWidget(header, 0, column);
        grid.setColumnStretch(column, kColumnUnits[column]);
    }
    const int rowHeight = std::max(unitsDown(metrics, kRowUnits), metrics.height() + 4);
    for (int position = 0; position < kRows; ++position) {
        const int gridRow = kFirstRow + position;
        m_contents[position] = new QLabel(area);
        m_contents[position]->setIndent(kTextMargin / 2);
        m_cells[position] = new CellEdit(
            position, m_editor, [this](app::CellOutcome outcome) { settle(outcome); }, area);
        m_cells[position]->setObjectName(QString("valueCell%1").arg(position));
        // With the edit box's own two pixels a side and the caret, the column's text margin.
        m_cells[position]->setTextMargins(2, 0, 2, 0);
        m_units[position] = new QLabel(area);
        m_units[position]->setAlignment(Qt::AlignCenter);
        for (QWidget* cell : std::initializer_list<QWidget*>{m_contents[position],
                                                             m_cells[position], m_units[position]})
            cell->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        grid.addWidget(m_contents[position], gridRow, kContentsColumn);
        grid.addWidget(m_cells[position], gridRow, kValueColumn);
        grid.addWidget(m_units[position], gridRow, kUnitColumn);
        grid.setRowMinimumHeight(gridRow, rowHeight);
        grid.setRowStretch(gridRow, 1);
    }
    m_scroll = new QScrollBar(Qt::Vertical, area);
    m_scroll->setObjectName("constScroll");
    m_scroll->setPageStep(kRows);
    m_scroll->setSingleStep(1);
    grid.addWidget(m_scroll, kFirstRow, kScrollColumn, kRows, 1);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int top) {
        if (m_refreshing)
            return;
        m_editor.scrollTo(top);
        refresh(true);
    });
}

void ConstantEditorDialog::fitColumns() {
    const QFontMetrics metrics(font());
    int widths[kRuledColumns];
    for (int column = 0; column < kRuledColumns; ++column)
        widths[column] = metrics.horizontalAdvance(kHeaders[column]);
    for (int index = 0; index < m_editor.entryCount(); ++index) {
        const maps::CalibEntry& entry = m_editor.entry(index);
        widths[0] = std::max(widths[0], metrics.horizontalAdvance(textFromBytes(entry.contents)));
        widths[1] = std::max(widths[1],
                             metrics.horizontalAdvance(textFromBytes(m_editor.valueText(index))));
        widths[2] = std::max(widths[2], metrics.horizontalAdvance(textFromBytes(entry.unit)));
    }
    for (int column = 0; column < kRuledColumns; ++column) {
        // At the written proportions at least, wider where a text needs it.
        const int written = unitsAcross(metrics, kColumnUnits[column]);
        m_grid->setColumnMinimumWidth(column, std::max(written, widths[column] + kTextMargin));
    }
}

void ConstantEditorDialog::focusEntry(int index) {
    m_editor.focusEntry(index);
    refresh(true);
}

void ConstantEditorDialog::accept() {
    m_editor.focusOut();
    QDialog::accept();
}

void ConstantEditorDialog::settle(app::CellOutcome outcome) {
    if (outcome == app::CellOutcome::Cancel) {
        reject();
        return;
    }
    if (outcome == app::CellOutcome::FocusOk)
        m_ok->setFocus(Qt::TabFocusReason);
    refresh(true);
}

void ConstantEditorDialog::refresh(bool moveFocus) {
    if (m_refreshing)
        return;
    m_refreshing = true;
    const int focus = m_editor.focusRow();
    if (moveFocus && focus >= 0 && !m_cells[focus]->hasFocus()) {
        m_cells[focus]->setEnabled(true);
        m_cells[focus]->setFocus(Qt::OtherFocusReason);
    }
    for (int position = 0; position < kRows; ++position) {
        const app::ConstantEditor::Row row = m_editor.row(position);
        const bool present = row.entry >= 0;
        m_contents[position]->setEnabled(present);
        m_units[position]->setEnabled(present);
        m_contents[position]->setText(textFromBytes(row.contents));
        m_units[position]->setText(textFromBytes(row.unit));
        m_cells[position]->setEnabled(row.valueEnabled);
        using State = CellEdit::State;
        const State state = position != focus    ? State::Unfocused
                            : m_editor.editing() ? State::Editing
                                                 : State::Selected;
        m_cells[position]->present(textFromBytes(row.value), state);
    }
    m_scroll->setRange(0, m_editor.scrollMaximum());
    m_scroll->setValue(m_editor.topIndex());
    m_scroll->setVisible(m_editor.scrollMaximum() > 0);
    m_undo->setEnabled(m_editor.canUndo());
    fitColumns();
    m_refreshing = false;
}

} // namespace qmx::ui
