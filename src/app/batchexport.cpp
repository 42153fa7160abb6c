#include "app/batchexport.h"

#include <functional>
#include <string_view>

#include "config/linerules.h"
#include "maps/calibration.h"
#include "maps/conversion.h"
#include "maps/displayformat.h"
#include "platform/fileio.h"
#include "text/messages.h"

namespace qmx::app {

namespace {

using maps::Map;
using maps::MapKind;

// Collects the lines of the export, each ended by CR LF.
class ExportLines {
public:
    ExportLines& operator<<(std::string_view text) {
        m_text += text;
        return *this;
    }
    void endLine() { m_text += "\r\n"; }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

// Formats the physical value of raw value `raw` of `axis`; empty when the conversion fails.
std::string physicalText(const maps::MapAxis& axis, std::uint16_t raw,
                         const std::function<std::string(float)>& format) {
    const maps::Converted<float> value = maps::toPhysical(axis, raw);
    return value.ok() ? format(value.value) : std::string{};
}

// The texts of one map's values as its table shows them.
class MapTexts {
public:
    MapTexts(const Map& map, const config::EcuImage& image, const text::NumberFormats& formats)
        : m_map(map), m_image(image), m_formats(formats) {}

    std::string z(int row) const {
        if (!m_map.axesInImage())
            return m_map.z.label(row);
        return physicalText(m_map.z, maps::readZ(m_map, m_image, row).value,
                            [this](float v) { return maps::formatZ(v, m_formats); });
    }
    std::string x(int row, int column) const {
        if (!m_map.axesInImage())
            return m_map.x.label(column);
        return physicalText(m_map.x, maps::readX(m_map, m_image, column, row).value,
                            [this](float v) { return maps::formatX(v, m_formats); });
    }
    std::string y(int row, int column) const {
        return physicalText(m_map.y, maps::readY(m_map, m_image, column, row).value,
                            [this](float v) { return maps::formatY(v, m_map, m_formats); });
    }

private:
    const Map& m_map;
    const config::EcuImage& m_image;
    const text::NumberFormats& m_formats;
};

void writeMapHeader(ExportLines& out, const Map& map) {
    (out << "FMDataName," << map.name).endLine();
    (out << "FMXType," << (map.hasXRowPerZ() ? "1" : "0")).endLine();
    (out << "FMNameZ," << map.z.name).endLine();
    (out << "FMNameX," << map.x.name).endLine();
    (out << "FMNameY," << map.y.name).endLine();
    (out << "FMMaxX," << map.x.max).endLine();
    (out << "FMMinX," << map.x.min).endLine();
    (out << "FMMaxY," << map.y.max).endLine();
    (out << "FMMinY," << map.y.min).endLine();
    (out << "FMZCnt," << std::to_string(map.rows())).endLine();
    (out << "FMXCnt," << std::to_string(map.columns())).endLine();
}

// One X row shared by all lines (free maps of kind 1, config maps): the lines are the
// columns, the points the rows.
void writeSharedXTable(ExportLines& out, const Map& map, const MapTexts& texts) {
    out << map.name;
    for (int row = 0; row < map.rows(); ++row)
        out << "," << texts.z(row);
    out.endLine();
    for (int column = 0; column < map.columns(); ++column) {
        out << texts.x(0, column);
        for (int row = 0; row < map.rows(); ++row)
            out << "," << texts.y(row, column);
        out.endLine();
    }
}

// An X row per line (free maps of kind 2): one block per line.
void writePerRowXTable(ExportLines& out, const Map& map, const MapTexts& texts) {
    for (int row = 0; row < map.rows(); ++row) {
        (out << "FMDataZ," << texts.z(row)).endLine();
        for (int column = 0; column < map.columns(); ++column)
            (out << texts.x(row, column) << "," << texts.y(row, column)).endLine();
    }
}

// The seven labelled fields of a [Calib] line and, for an entry that takes part, its value as
// the constant editor shows it.
void writeCalibLine(ExportLines& out, std::string_view line, const config::EcuImage& image) {
    static constexpr std::string_view kLabels[7] = {"Address", "Byte", "Contents", "LSB",
                                                    "Offset",  "Unit", "Calc"};
    const maps::CalibLine calib = maps::parseCalibLine(line);
    for (std::size_t i = 0; i < calib.fields.size(); ++i)
        out << (i == 0 ? "" : ",") << kLabels[i] << "," << calib.fields[i];
    if (calib.entry)
        out << ",Value," << maps::constantDisplayText(maps::calibValue(*calib.entry, image));
    out.endLine();
}

} // namespace

std::string exportText(const Configuration& configuration, const text::NumberFormats& formats,
                       const std::tm& when) {
    ExportLines out;
    char stamp[64];
    const std::size_t length = std::strftime(stamp, sizeof stamp, "%y/%m/%d %H:%M:%S", &when);
    (out << std::string_view(stamp, length)).endLine();
    (out << "Version 1.0").endLine();
    for (const Map& map : configuration.maps.maps()) {
        writeMapHeader(out, map);
        const MapTexts texts(map, configuration.image, formats);
        if (map.hasXRowPerZ())
            writePerRowXTable(out, map, texts);
        else
            writeSharedXTable(out, map, texts);
    }
    (out << "[Calib]").endLine();
    for (std::size_t index : config::sectionContent(configuration.lines, "Calib"))
        writeCalibLine(out, configuration.lines.textAt(index), configuration.image);
    (out << "[Fixed]").endLine();
    (out << "[end]").endLine();
    return out.take();
}

text::Status writeExport(const Configuration& configuration, const text::NumberFormats& formats,
                         const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const std::string text = exportText(configuration, formats, local);
    return platform::atomicWriteFile(path, text) == platform::WriteStatus::Written
               ? text::msg::Success
               : text::msg::FailedToWriteFile;
}

} // namespace qmx::app
