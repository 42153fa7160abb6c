#include "cli/edits.h"

#include <charconv>

#include "app/constantedit.h"
#include "cli/session.h"
#include "maps/editstate.h"
#include "maps/mapcommit.h"
#include "text/messages.h"

namespace qmx::cli {

namespace {

std::optional<int> parseIndex(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

// "A" or "A,B"; `second` stays as it is when there is no B.
bool parseIndexPair(std::string_view text, int& first, int& second, bool secondRequired) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos && secondRequired)
        return false;
    const auto a = parseIndex(text.substr(0, comma));
    if (!a)
        return false;
    first = *a;
    if (comma == std::string_view::npos)
        return true;
    const auto b = parseIndex(text.substr(comma + 1));
    if (!b)
        return false;
    second = *b;
    return true;
}

void printWarning(Session& session, const std::optional<maps::RangeWarning>& warning) {
    if (warning)
        session.err() << warning->text() << '\n';
}

int applyConstantEdit(Session& session, const Edit& edit) {
    app::Configuration& configuration = session.configuration();
    const auto entry = app::findCalibEntry(configuration.lines, edit.name);
    if (!entry)
        return session.fail("no constant named \"" + edit.name + "\"");
    if (entry->readOnly)
        return session.fail(text::msg::ValueCannotBeEdited);
    const app::ConstantCommit commit =
        app::commitConstantText(*entry, configuration.image, edit.value);
    if (commit.message != text::msg::Success)
        return session.fail(commit.message);
    printWarning(session, commit.warning);
    if (commit.changed)
        configuration.modified = true;
    return 0;
}

int applyMapEdit(Session& session, const Edit& edit) {
    app::Configuration& configuration = session.configuration();
    maps::Map* map = configuration.maps.find(edit.name);
    if (!map)
        return session.fail("no map named \"" + edit.name + "\"");
    maps::EditTarget target = maps::EditTarget::Y;
    int row = edit.row;
    int index = edit.column;
    if (edit.target == Edit::Target::X)
        target = maps::EditTarget::X;
    if (edit.target == Edit::Target::Z) {
        target = maps::EditTarget::Z;
        row = 0;
        index = edit.row;
    }
    switch (maps::selectCell(*map, configuration.image, target, row, index)) {
    case maps::Access::Ok:
        break;
    case maps::Access::NotInImage:
        return session.fail("the axes of map \"" + edit.name + "\" are fixed labels");
    case maps::Access::RowOutOfRange:
    case maps::Access::ColumnOutOfRange:
        return session.fail("map \"" + edit.name + "\" has no such cell");
    }
    const text::NumberFormats& formats = session.app().formats();
    const bool axisValue =
        target == maps::EditTarget::Z || (target == maps::EditTarget::X && !map->hasXRowPerZ());
    const maps::CommitOutcome outcome =
        axisValue ? maps::commitAxisValue(configuration.maps, *map, edit.value, formats)
                  : maps::commitTypedCell(configuration.maps, *map, edit.value, formats);
    if (outcome.message != text::msg::Success)
        return session.failText(maps::rejectionText());
    printWarning(session, outcome.warning);
    return 0;
}

} // namespace

std::optional<std::string> parseSetArguments(const std::vector<std::string>& args,
                                             SetArguments& parsed) {
    parsed = SetArguments{};
    std::string map;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // The operands of `arg`: `count` more arguments must follow.
        const auto need = [&](std::size_t count) { return i + count < args.size(); };
        if (arg == "--map" || arg == "--as") {
            if (!need(1))
                return arg + " needs a value";
            (arg == "--map" ? map : parsed.saveAs) = args[++i];
        } else if (arg == "--cell" || arg == "--x" || arg == "--z" || arg == "--const") {
            if (!need(2))
                return arg + " needs two values";
            Edit edit;
            const std::string& where = args[++i];
            edit.value = args[++i];
            if (arg == "--const") {
                edit.target = Edit::Target::Constant;
                edit.name = where;
                parsed.edits.push_back(std::move(edit));
                continue;
            }
            if (map.empty())
                return arg + " needs a --map before it";
            edit.name = map;
            bool ok = false;
            if (arg == "--cell") {
                ok = parseIndexPair(where, edit.row, edit.column, true);
            } else if (arg == "--x") {
                edit.target = Edit::Target::X;
                ok = parseIndexPair(where, edit.column, edit.row, false);
            } else {
                edit.target = Edit::Target::Z;
                const auto row = parseIndex(where);
                ok = row.has_value();
                edit.row = row.value_or(0);
            }
            if (!ok)
                return arg + ": bad position \"" + where + "\"";
            parsed.edits.push_back(std::move(edit));
        } else if (parsed.config.empty() && !arg.starts_with("--")) {
            parsed.config = arg;
        } else {
            return "unexpected argument \"" + arg + "\"";
        }
    }
    if (parsed.config.empty())
        return std::string("CONFIG is required");
    if (parsed.edits.empty())
        return std::string("no edit given");
    return std::nullopt;
}

int applyEdit(Session& session, const Edit& edit) {
    return edit.target == Edit::Target::Constant ? applyConstantEdit(session, edit)
                                                 : applyMapEdit(session, edit);
}

} // namespace qmx::cli
