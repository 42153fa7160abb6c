#include "app/constanteditor.h"

#include <algorithm>

#include "app/configuration.h"
#include "app/constantedit.h"
#include "maps/displayformat.h"
#include "text/messages.h"

namespace qmx::app {

namespace {

// Kinds whose physical value falls as the raw value rises: their steps run against the raw value.
bool inverted(const maps::CalibEntry& entry) {
    return entry.calc == 2 || entry.calc == 4 || entry.calc == 5;
}

} // namespace

ConstantEditor::ConstantEditor(const config::CLineList& lines, const config::EcuImage& image,
                               text::MessageSink& sink)
    : m_entries(maps::calibEntries(lines)), m_copy(image), m_sink(sink) {
    m_focusRow = firstEnabledRow();
}

std::string ConstantEditor::valueText(int index) const {
    return maps::constantDisplayText(maps::calibValue(m_entries.at(index), m_copy));
}

std::uint16_t ConstantEditor::rawOf(int index) const {
    return maps::calibRaw(m_entries.at(index), m_copy);
}

// --- Rows and scrolling
// ---------------------------------------------------------------------------

int ConstantEditor::scrollMaximum() const {
    return std::max(0, entryCount() - kRows);
}

ConstantEditor::Row ConstantEditor::row(int position) const {
    const int index = m_top + position;
    if (position < 0 || position >= kRows || index >= entryCount())
        return {};
    const maps::CalibEntry& entry = m_entries[index];
    const bool edited = m_editing && position == m_focusRow;
    return {index, entry.contents, edited ? m_editText : valueText(index), entry.unit,
            !entry.readOnly};
}

bool ConstantEditor::editable(int position) const {
    return row(position).valueEnabled;
}

int ConstantEditor::firstEnabledRow() const {
    for (int position = 0; position < kRows; ++position) {
        if (editable(position))
            return position;
    }
    return -1;
}

int ConstantEditor::focusedEntry() const {
    return m_focusRow < 0 ? -1 : m_top + m_focusRow;
}

void ConstantEditor::scrollTo(int top) {
    top = std::clamp(top, 0, scrollMaximum());
    if (top == m_top)
        return;
    if (m_focusRow >= 0)
        static_cast<void>(commit(true)); // the rows scroll whether or not the value was taken
    m_top = top;
    if (m_focusRow >= 0 && !editable(m_focusRow))
        m_focusRow = firstEnabledRow();
}

void ConstantEditor::focusEntry(int index) {
    if (index < 0 || index >= entryCount())
        return;
    if (index >= m_top + kRows || index < m_top)
        m_top = std::min(index, scrollMaximum());
    m_editing = false;
    m_focusRow = m_entries[index].readOnly ? firstEnabledRow() : index - m_top;
}

// --- Focus and cell states
// ------------------------------------------------------------------------

void ConstantEditor::focusIn(int position) {
    if (!editable(position) || position == m_focusRow)
        return;
    m_focusRow = position;
    m_editing = false;
}

void ConstantEditor::focusOut() {
    if (m_focusRow < 0 || m_showingMessage)
        return;
    static_cast<void>(commit(true)); // leaving the cell shows its messages; nothing follows
    m_focusRow = -1;
}

void ConstantEditor::beginEdit() {
    const int index = focusedEntry();
    if (m_editing || index < 0)
        return;
    m_editing = true;
    m_editStart = {index, rawOf(index)};
    m_editText = valueText(index);
}

void ConstantEditor::endEdit() {
    if (!m_editing)
        return;
    m_editing = false;
    const UndoRecord record = m_editStart;
    if (rawOf(record.entry) != record.raw && (m_undo.empty() || m_undo.back() != record))
        m_undo.push_back(record);
}

void ConstantEditor::revertEdit() {
    maps::storeCalibRaw(m_entries.at(m_editStart.entry), m_copy, m_editStart.raw);
    m_editing = false;
}

// --- Keys and text
// --------------------------------------------------------------------------------

CellOutcome ConstantEditor::key(CellKey key) {
    if (m_focusRow < 0)
        return CellOutcome::Ignored;
    switch (key) {
    case CellKey::Enter:
        static_cast<void>(commit(true)); // the cell returns to selected either way
        return CellOutcome::Handled;
    case CellKey::Escape:
        if (!m_editing)
            return CellOutcome::Cancel;
        revertEdit();
        return CellOutcome::Handled;
    case CellKey::Tab:
        return CellOutcome::FocusOk;
    case CellKey::Up:
    case CellKey::Down:
        if (m_editing)
            return CellOutcome::Ignored;
        [[fallthrough]];
    case CellKey::ShiftUp:
    case CellKey::ShiftDown:
        if (commit(false))
            move(key == CellKey::Up || key == CellKey::ShiftUp ? -1 : 1);
        return CellOutcome::Handled;
    case CellKey::Left:
    case CellKey::Right:
        return m_editing ? CellOutcome::Ignored : CellOutcome::Handled;
    case CellKey::F2:
        beginEdit();
        return CellOutcome::Handled;
    case CellKey::PageUp:
        step(1, 1);
        return CellOutcome::Handled;
    case CellKey::PageDown:
        step(-1, 1);
        return CellOutcome::Handled;
    case CellKey::ShiftPageUp:
        step(1, 10);
        return CellOutcome::Handled;
    case CellKey::ShiftPageDown:
        step(-1, 10);
        return CellOutcome::Handled;
    case CellKey::Undo:
        undo();
        return CellOutcome::Handled;
    }
    return CellOutcome::Ignored;
}

CellOutcome ConstantEditor::typeCharacter(char c) {
    if (m_focusRow < 0 || m_editing)
        return CellOutcome::Ignored;
    if ((c < '0' || c > '9') && c != '-')
        return CellOutcome::Ignored;
    beginEdit();
    m_editText = std::string(1, c);
    return CellOutcome::Handled;
}

void ConstantEditor::setEditText(std::string text) {
    if (m_editing)
        m_editText = std::move(text);
}

std::optional<std::string> ConstantEditor::copyText() const {
    if (m_focusRow < 0 || m_editing)
        return std::nullopt;
    return valueText(focusedEntry());
}

CellOutcome ConstantEditor::paste(std::optional<std::string_view> clipboardText) {
    if (m_focusRow < 0 || m_editing)
        return CellOutcome::Ignored;
    if (!clipboardText)
        return CellOutcome::Handled;
    beginEdit();
    m_editText = std::string(*clipboardText);
    static_cast<void>(commit(true)); // nothing follows a paste
    return CellOutcome::Handled;
}

// --- Commit, move, step
// ---------------------------------------------------------------------------

bool ConstantEditor::commit(bool withMessages) {
    const int index = focusedEntry();
    if (m_showingMessage || index < 0)
        return false;
    const std::string text = m_editing ? m_editText : valueText(index);
    // The text the cell shows, committed again, keeps the value: the two decimals shown may
    // stand for a value that would convert to another raw value.
    if (text == valueText(index)) {
        endEdit();
        return true;
    }
    const ConstantCommit result = commitConstantText(m_entries[index], m_copy, text);
    endEdit(); // the cell shows the entry's value again: as stored, corrected or unchanged
    if (result.message != text::msg::Success) {
        // A constant without a valid range is a range message, shown only when asked.
        if (withMessages || result.message != text::msg::ValueCannotBeEdited)
            show(result.message);
        return false;
    }
    if (result.warning) {
        if (withMessages)
            show(result.warning->text());
        return false;
    }
    return true;
}

void ConstantEditor::move(int direction) {
    int target = focusedEntry() + direction;
    while (target >= 0 && target < entryCount() && m_entries[target].readOnly)
        target += direction;
    if (target < 0 || target >= entryCount())
        return;
    if (target < m_top)
        m_top = target;
    else if (target >= m_top + kRows)
        m_top = target - (kRows - 1);
    m_focusRow = target - m_top;
}

void ConstantEditor::step(int direction, int amount) {
    beginEdit();
    if (!commit(false))
        return;
    const int index = focusedEntry();
    const maps::CalibEntry& entry = m_entries[index];
    const long raw = rawOf(index);
    const long ceiling = static_cast<long>(maps::calibCeiling(entry.byteCount));
    const bool raise = (direction > 0) != inverted(entry);
    beginEdit(); // the cell keeps editing; the step's undo record is made when editing ends
    if ((raise && raw >= ceiling) || (!raise && raw <= 0))
        return;
    const long next = raise ? std::min(raw + amount, ceiling) : std::max(raw - amount, 0L);
    if (const text::Status refused = checkConstantRaw(entry, next)) {
        show(refused);
        return;
    }
    maps::storeCalibRaw(entry, m_copy, static_cast<std::uint16_t>(next));
    m_editText = valueText(index);
}

// --- Undo
// -----------------------------------------------------------------------------------------

void ConstantEditor::undo() {
    if (m_editing)
        static_cast<void>(commit(true)); // as leaving the cell for the "&Undo" button would
    if (m_undo.empty())
        return;
    const UndoRecord record = m_undo.back();
    m_undo.pop_back();
    maps::storeCalibRaw(m_entries.at(record.entry), m_copy, record.raw);
}

void ConstantEditor::show(const text::Status& status) {
    show(text::messageText(status));
}

void ConstantEditor::show(std::string_view text) {
    m_showingMessage = true;
    m_sink.show(text, text::messageText(text::msg::EditConstCaption), text::Icon::Exclamation);
    m_showingMessage = false;
}

// --- Closing
// --------------------------------------------------------------------------------------

bool applyConstantEdits(Configuration& configuration, const config::EcuImage& workingCopy) {
    config::EcuImage& image = configuration.image;
    bool changed = false;
    for (std::size_t address = 0; address < config::EcuImage::Size; ++address) {
        const auto at = static_cast<std::uint16_t>(address);
        if (image.byte(at) == workingCopy.byte(at))
            continue;
        image.setByte(at, workingCopy.byte(at));
        changed = true;
    }
    if (changed) {
        // The constants may share bytes with free-map counts; a layout past 0xFFFF keeps the old.
        static_cast<void>(configuration.maps.relayoutFreeMaps());
        configuration.maps.markModified();
    }
    return changed;
}

} // namespace qmx::app
