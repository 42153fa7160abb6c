#include <CLI/CLI.hpp>

#include <array>
#include <cstdio>
#include <ostream>

#include "cli/command.h"
#include "cli/session.h"
#include "config/linerules.h"
#include "maps/calibration.h"
#include "maps/displayformat.h"

namespace qmx::cli {

namespace {

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

// The text of index `index` in `texts`, or "unset" outside it.
template <std::size_t N>
std::string_view indexText(const std::array<std::string_view, N>& texts, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < N
               ? texts[static_cast<std::size_t>(index)]
               : "unset";
}

void writeSerial(std::ostream& out, const app::Configuration& configuration) {
    const app::LineIndexes& line = configuration.line;
    out << "Serial: "
        << indexText(
               std::array<std::string_view, 6>{"600", "1200", "2400", "4800", "9600", "19200"},
               line.baud)
        << " baud, " << indexText(std::array<std::string_view, 2>{"7", "8"}, line.data)
        << " data bits, parity "
        << indexText(std::array<std::string_view, 3>{"none", "odd", "even"}, line.parity)
        << ", stop bits " << indexText(std::array<std::string_view, 3>{"1", "1.5", "2"}, line.stop)
        << ", XON/XOFF " << indexText(std::array<std::string_view, 2>{"on", "off"}, line.flow)
        << ", port ";
    if (line.port >= 0)
        out << "COM" << line.port + 1;
    else
        out << "unset";
    out << ", command retry count " << configuration.commandRetryCount << '\n';
}

std::string_view kindText(maps::MapKind kind) {
    switch (kind) {
    case maps::MapKind::Labelled:
        return "0 (labelled axes)";
    case maps::MapKind::Shared:
        return "1 (free map)";
    case maps::MapKind::PerRowX:
        return "2 (free map, X per line)";
    case maps::MapKind::Addressed:
        return "3 (config map)";
    }
    return "?";
}

std::string axisPlace(const maps::MapAxis& axis) {
    return hex4(axis.address) + (axis.isWord() ? " (words)" : "");
}

void writeMaps(std::ostream& out, const maps::MapSet& maps) {
    out << "Maps";
    if (maps.source() == maps::MapSource::Free)
        out << " (free-map area " << hex4(maps.freeMapArea().start) << "-"
            << hex4(maps.freeMapArea().end) << ")";
    out << ":\n";
    for (const maps::Map& map : maps.maps()) {
        out << "  " << map.name << ": kind " << kindText(map.kind) << ", " << map.rows() << " x "
            << map.columns() << ", ";
        if (map.axesInImage())
            out << "Z " << axisPlace(map.z) << ", X " << axisPlace(map.x) << ", ";
        else
            out << "Z labels " << map.z.labels << ", X labels " << map.x.labels << ", ";
        out << "Y " << hex4(map.y.address) << " (" << map.y.count << " bytes)\n";
    }
    if (maps.link().active()) {
        out << "Map link:";
        for (const std::string& name : maps.link().names())
            out << ' ' << name;
        out << '\n';
    }
}

void writeConstants(std::ostream& out, const app::Configuration& configuration) {
    out << "Constants:\n";
    for (std::size_t index : config::sectionContent(configuration.lines, "Calib")) {
        const maps::CalibLine line = maps::parseCalibLine(configuration.lines.textAt(index));
        if (!line.entry)
            continue;
        const maps::CalibEntry& entry = *line.entry;
        out << "  " << entry.contents << " = "
            << maps::constantDisplayText(maps::calibValue(entry, configuration.image));
        if (!entry.unit.empty())
            out << ' ' << entry.unit;
        out << " [" << hex4(entry.address) << (entry.byteCount == 2 ? ", word" : ", byte")
            << (entry.readOnly ? ", read-only" : "") << "]\n";
    }
}

void writeMonitor(std::ostream& out, const app::Configuration& configuration) {
    out << "Monitor items:\n";
    for (const config::MonitorItem& item : configuration.monitorItems) {
        char request[4];
        std::snprintf(request, sizeof request, "%02X", item.request);
        out << "  " << request << ' ' << item.name << " (" << item.unit << ", " << item.length
            << (item.length == 1 ? " byte" : " bytes") << ", gain " << item.gain << ", offset "
            << item.offset << ")\n";
    }
    out << "Monitor rows: ";
    for (std::size_t i = 0; i < configuration.monitorRows.size(); ++i) {
        const auto item = static_cast<std::size_t>(configuration.monitorRows[i]);
        out << (i == 0 ? "" : ", ") << configuration.monitorItems[item].name;
    }
    out << '\n';
}

// info CONFIG: a readable summary of a configuration.
class InfoCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        return addConfigCommand(parent, "info",
                                "Show the maps, constants, monitor items and serial settings of a "
                                "configuration",
                                m_config);
    }

    int run(Session& session) override {
        if (const int status = session.open(m_config, app::OpenFor::Reading))
            return status;
        const app::Configuration& configuration = session.configuration();
        std::ostream& out = session.out();
        out << "File: " << configuration.path << " ("
            << (configuration.loadedFromPacked ? "packed" : "plain") << ")\n";
        out << "Data: " << hex4(configuration.image.low()) << "-"
            << hex4(configuration.image.high()) << '\n';
        out << "Machine code: "
            << (configuration.machineCode.empty() ? "none" : configuration.machineCode) << '\n';
        writeSerial(out, configuration);
        writeMaps(out, configuration.maps);
        writeConstants(out, configuration);
        writeMonitor(out, configuration);
        return 0;
    }

private:
    std::string m_config;
};

} // namespace

std::unique_ptr<Command> makeInfoCommand() {
    return std::make_unique<InfoCommand>();
}

} // namespace qmx::cli
