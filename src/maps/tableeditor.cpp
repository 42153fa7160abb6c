#include "maps/tableeditor.h"

#include <utility>
#include <vector>

#include "maps/clipboard.h"
#include "maps/editstate.h"
#include "maps/mapcommit.h"
#include "maps/rawstep.h"
#include "text/messages.h"

namespace qmx::maps {

namespace {

bool isAxisValue(const Map& map) {
    return map.target == EditTarget::Z || (map.target == EditTarget::X && !map.hasXRowPerZ());
}

} // namespace

TableEditor::TableEditor(MapSet& maps, text::MessageSink& sink, const DisplayFormats& formats)
    : m_maps(maps), m_sink(sink), m_formats(formats) {
}

void TableEditor::setEditText(std::string text) {
    if (text == m_editText)
        return;
    m_editText = std::move(text);
    m_editChanged = true;
}

void TableEditor::open(std::string text, bool changed) {
    m_editing = true;
    m_editText = std::move(text);
    m_editChanged = changed;
}

void TableEditor::openOnCurrent() {
    const Map* current = map();
    if (!m_editing && current && current->target != EditTarget::None)
        open(currentCellText(*current, m_maps.image(), m_formats), false);
}

TableEffect TableEditor::typeCharacter(char c) {
    const Map* current = map();
    if (m_editing || !current || current->target != EditTarget::Y)
        return {false, false};
    if ((c < '0' || c > '9') && c != '-')
        return {false, false};
    open(std::string(1, c), true);
    return {};
}

TableEffect TableEditor::settle() {
    if (m_editing && m_editChanged)
        return commit();
    m_editing = false;
    return {};
}

TableEffect TableEditor::commit() {
    if (!m_editing)
        return {};
    m_editing = false;
    m_editChanged = false;
    Map* current = map();
    if (!current)
        return {};
    Map& m = *current;
    const CommitOutcome outcome = isAxisValue(m)
                                      ? commitAxisValue(m_maps, m, m_editText, m_formats)
                                      : commitTypedCell(m_maps, m, m_editText, m_formats);
    if (outcome.message != text::msg::Success) {
        showError();
        return {};
    }
    if (outcome.warning)
        m_sink.show(outcome.warning->text(), text::messageText(text::msg::TableWindowCaption),
                    text::Icon::Exclamation);
    bool changed = outcome.written;
    if (m.target == EditTarget::Y && m.selection.size() >= 2)
        changed = writeToSelection(m, outcome.written) || changed;
    return {true, changed};
}

bool TableEditor::writeToSelection(Map& map, bool grouped) {
    const config::EcuImage& image = m_maps.image();
    const std::uint16_t raw = currentRaw(map, image);
    const EditPosition origin = currentPosition(map);
    bool wrote = false;
    for (const GridCell cell : map.selection.cells()) {
        if (cell.row == origin.row && cell.column == origin.index)
            continue;
        if (selectCell(map, image, EditTarget::Y, cell.row, cell.column) != Access::Ok)
            continue;
        if (writeCurrentCell(m_maps, map, raw, EditFamily::Edit, grouped || wrote))
            wrote = true;
    }
    selectCell(map, image, origin);
    return wrote;
}

TableEffect TableEditor::step(int steps) {
    TableEffect effect = settle();
    Map* current = map();
    if (!current)
        return effect;
    Map& m = *current;
    const config::EcuImage& image = m_maps.image();
    auto stepCurrent = [&](bool grouped) {
        const auto from = static_cast<std::uint8_t>(currentRaw(m, image));
        const auto raw = steppedYRaw(m, from, steps, m_formats);
        return raw && writeCurrentCell(m_maps, m, *raw, EditFamily::Step, grouped);
    };

    if (m.selection.size() >= 2) {
        const EditPosition origin = currentPosition(m);
        bool wrote = false;
        for (const GridCell cell : m.selection.cells()) {
            if (selectCell(m, image, EditTarget::Y, cell.row, cell.column) == Access::Ok &&
                stepCurrent(wrote))
                wrote = true;
        }
        selectCell(m, image, origin);
        effect.valuesChanged = effect.valuesChanged || wrote;
        return effect;
    }
    if (m.target != EditTarget::Y)
        return effect;
    if (stepCurrent(false))
        effect.valuesChanged = true;
    open(currentCellText(m, image, m_formats), false);
    return effect;
}

std::optional<std::string> TableEditor::copyText() {
    Map* current = map();
    if (!current)
        return std::nullopt;
    Map& m = *current;
    if (!m.selection.empty())
        return selectionText(m, m_maps.image(), m_formats);
    if (m_editing)
        return m_editText;
    if (m.target == EditTarget::X || m.target == EditTarget::Z) {
        const CellRead read = readValue(m, m_maps.image(), m.target, m.editRow, m.editIndex);
        if (read.result == Access::Ok)
            return rawValueText(m, m.target, read.value, m_formats);
    }
    return std::nullopt;
}

TableEffect TableEditor::paste(std::optional<std::string_view> clipboardText) {
    Map* current = map();
    if (!current)
        return {false, false};
    Map& m = *current;
    const bool yTarget = m.target == EditTarget::Y;
    if (m_editing && !yTarget)
        return {false, false};
    const ClipRead read = readClipTable(clipboardText);
    if (read.result != ClipResult::Table) {
        showWarning(clipResultMessage(read.result));
        return {};
    }
    const std::vector<ClipEntry>& entries = read.table.entries;
    if (yTarget) {
        const bool wasEditing = std::exchange(m_editing, false); // pasted values replace typing
        const text::Status message = pasteIntoCells(m_maps, m, read.table, m_formats);
        if (message == text::msg::PasteDuringSelection) {
            m_editing = wasEditing;
            showWarning(message.message());
            return {};
        }
        if (message == text::msg::DataError)
            showError();
        return {true, !entries.empty()};
    }
    if (m.target == EditTarget::None || entries.empty())
        return {};
    if (entries.size() > 1) {
        showWarning(text::msg::PasteDuringSelection);
        return {};
    }
    open(formatTarget(entries.front().value, m, m.target, m_formats), true);
    return commit();
}

void TableEditor::showWarning(int message) {
    m_sink.show(text::messageText(message), "", text::Icon::Exclamation);
}

void TableEditor::showError() {
    m_sink.show(rejectionText(), text::messageText(text::msg::TableWindowCaption),
                text::Icon::Error);
}

} // namespace qmx::maps
