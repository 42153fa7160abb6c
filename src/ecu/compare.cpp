#include "ecu/compare.h"

#include "config/ecuimage.h"
#include "config/individualinfo.h"
#include "config/linelist.h"
#include "config/linerules.h"
#include "config/packedfile.h"
#include "config/srecords.h"
#include "ecu/ecuread.h"
#include "ecu/ecuwrite.h"
#include "maps/calibration.h"
#include "maps/conversion.h"
#include "maps/displayformat.h"
#include "maps/mapset.h"
#include "platform/fileio.h"
#include "text/messages.h"
#include "text/messagesink.h"

#include <memory>

namespace qmx::ecu {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A pane's bytes at their ECU addresses, so that maps and constants read them as they read the
// edit image.
std::unique_ptr<config::EcuImage> imageOf(const DataPane& pane) {
    auto image = std::make_unique<config::EcuImage>();
    for (std::size_t i = 0; i < pane.count(); ++i)
        image->setByte(static_cast<std::uint16_t>(pane.start + i), pane.bytes[i]);
    return image;
}

// Lists the values whose bytes differ between the two panes, under a head line written before
// the first of them.
class DifferenceList {
public:
    DifferenceList(const DataPane& first, const DataPane& second, std::string& out)
        : m_first(first), m_second(second), m_firstImage(imageOf(first)),
          m_secondImage(imageOf(second)), m_out(out) {}

    // Starts a group with `head` + the two pane labels.
    void group(std::string_view head) {
        m_head = std::string(head) + m_first.label + "  " + m_second.label + std::string(kLineEnd);
    }

    // The value of `size` bytes at `address`, shown by `show` from either pane's image, as a
    // line "<name>;  <tag><v1>  <v2>" when both panes hold its bytes and any of them differs.
    template <typename Show>
    void value(std::uint32_t address, int size, std::string_view name, std::string_view tag,
               Show show) {
        bool differs = false;
        for (std::uint32_t at = address; at < address + static_cast<std::uint32_t>(size); ++at) {
            const auto a = m_first.byteAt(at);
            const auto b = m_second.byteAt(at);
            if (!a || !b)
                return;
            differs = differs || *a != *b;
        }
        if (!differs)
            return;
        m_out += m_head;
        m_head.clear();
        m_out += std::string(name) + ";  " + std::string(tag) + show(*m_firstImage) + "  " +
                 show(*m_secondImage) + std::string(kLineEnd);
    }

private:
    const DataPane& m_first;
    const DataPane& m_second;
    std::unique_ptr<config::EcuImage> m_firstImage;
    std::unique_ptr<config::EcuImage> m_secondImage;
    std::string& m_out;
    std::string m_head;
};

int elementBytes(const maps::MapAxis& axis) {
    return axis.isWord() ? 2 : 1;
}

void listConstants(const config::CLineList& lines, DifferenceList& list) {
    list.group("* Label;  ");
    for (const std::size_t index : config::sectionContent(lines, "Calib")) {
        const auto entry = maps::parseCalibLine(lines.textAt(index)).entry;
        if (!entry)
            continue;
        list.value(entry->address, entry->byteCount, entry->contents, "",
                   [&](const config::EcuImage& image) {
                       return maps::constantDisplayText(maps::calibValue(*entry, image));
                   });
    }
}

void listMap(const maps::Map& map, const text::NumberFormats& formats, DifferenceList& list) {
    list.group(map.hasXRowPerZ() ? "* Map Name;  AxisZ  AxisX  " : "* Map Name;  Axis  ");
    if (map.axesInImage()) {
        for (int row = 0; row < map.rows(); ++row)
            list.value(maps::zAddress(map, row), elementBytes(map.z), map.name, "x  ",
                       [&](const config::EcuImage& image) {
                           const auto raw = maps::readZ(map, image, row).value;
                           return maps::formatZ(maps::toPhysical(map.z, raw).value, formats);
                       });
        const int xRows = map.hasXRowPerZ() ? map.rows() : 1;
        for (int row = 0; row < xRows; ++row) {
            for (int column = 0; column < map.columns(); ++column)
                list.value(maps::xAddress(map, row, column), elementBytes(map.x), map.name, "x  ",
                           [&](const config::EcuImage& image) {
                               const auto raw = maps::readX(map, image, column, row).value;
                               return maps::formatX(maps::toPhysical(map.x, raw).value, formats);
                           });
        }
    }
    for (int row = 0; row < map.rows(); ++row) {
        for (int column = 0; column < map.columns(); ++column)
            list.value(maps::yAddress(map, row, column), 1, map.name, "z  ",
                       [&](const config::EcuImage& image) {
                           const auto raw = maps::readY(map, image, column, row).value;
                           return maps::formatY(maps::toPhysical(map.y, raw).value, map, formats);
                       });
    }
}

void showFileFailure(text::MessageSink& sink, text::Status message) {
    sink.show(text::messageText(message), text::messageText(text::msg::ReadFromFileCaption),
              text::Icon::Exclamation);
}

} // namespace

text::Status loadFileData(const std::string& path, const std::string& machineFolder, DataPane& pane,
                          text::MessageSink& sink) {
    config::CLineList lines;
    // Only read: the file this program holds open for editing is the usual one to compare with.
    text::Status result = config::readPackedFile(path, lines, config::LockedFile::Read);
    if (result != text::msg::Success && result != text::msg::PackedVersionError)
        result = text::msg::FailedToReadFileData;
    if (result == text::msg::Success)
        result = config::checkMachine(lines, machineFolder);
    auto image = std::make_unique<config::EcuImage>();
    if (result == text::msg::Success && config::loadDataSection(lines, *image) != 0)
        result = text::msg::FailedToReadFileData;
    if (result != text::msg::Success) {
        showFileFailure(sink, result);
        return result;
    }
    const std::uint8_t* data = image->data();
    pane.fill(image->low(),
              std::vector<std::uint8_t>(data + image->low(), data + image->high() + 1),
              "File Data  [ " + path + " ]");
    return text::msg::Success;
}

bool sameMachine(const config::CLineList& lines, const DataPane& first, const DataPane& second) {
    const std::vector<std::size_t> content =
        config::sectionContent(lines, "Individual Information");
    if (content.empty())
        return true;
    const std::vector<std::string> fields = config::commaFields(lines.textAt(content.front()), 3);
    const auto address = fields.size() > 1 ? config::parseHex(fields[1]) : std::nullopt;
    if (!address)
        return true;
    for (const std::uint32_t at : {*address, *address + 1}) {
        const auto a = first.byteAt(at);
        const auto b = second.byteAt(at);
        if (a && b && *a != *b)
            return false;
    }
    return true;
}

std::string differenceListing(const EcuDocument& document, const DataPane& first,
                              const DataPane& second) {
    std::string text;
    DifferenceList list(first, second, text);
    listConstants(document.lines, list);
    for (const maps::Map& map : document.maps.maps())
        listMap(map, document.formats, list);
    return text;
}

text::Status verify(TransferContext& context, EcuDocument& document, CompareData& data,
                    CompareChoice choice, const std::string& filePath, std::string& log) {
    enum class Source { Ecu, Edit, File };
    const auto [firstSource, secondSource] = [choice] {
        switch (choice) {
        case CompareChoice::EditWithEcu:
            return std::pair{Source::Ecu, Source::Edit};
        case CompareChoice::FileWithEcu:
            return std::pair{Source::File, Source::Ecu};
        case CompareChoice::EditWithFile:
            break;
        }
        return std::pair{Source::Edit, Source::File};
    }();

    auto load = [&](Source source, PaneTarget target) {
        DataPane& pane = data.pane(target);
        text::Status result;
        switch (source) {
        case Source::Ecu:
            result = ReadEcu(context, data, target, true);
            pane.label = "ECU";
            break;
        case Source::Edit:
            loadEditData(document, pane);
            pane.label = "Edit";
            break;
        case Source::File:
            result = loadFileData(filePath, document.machineFolder, pane, context.sink);
            pane.label = "File";
            break;
        }
        return result;
    };

    log.clear();
    if (const text::Status result = load(firstSource, PaneTarget::First))
        return result;
    if (!data.first.empty())
        log = "ORIGINAL;  " + data.first.title + std::string(kLineEnd);
    if (const text::Status result = load(secondSource, PaneTarget::Second))
        return result;
    if (!data.second.empty())
        log += "VERIFY;  " + data.second.title + std::string(kLineEnd);
    if (data.first.empty() || data.second.empty())
        return text::msg::Success;

    if (data.first.start != data.second.start) {
        log += text::messageText(text::msg::AddressDoesNotCorrespond);
    } else if (!sameMachine(document.lines, data.first, data.second)) {
        log += text::messageText(text::msg::MachineTypeDifferent);
    } else {
        const std::string listing = differenceListing(document, data.first, data.second);
        log += listing.empty() ? std::string(text::messageText(text::msg::Same)) : listing;
    }
    return text::msg::Success;
}

std::string compareLogText(std::string_view log) {
    std::string text;
    text.reserve(log.size() + 1);
    for (const char c : log) {
        if (c != '\r')
            text.push_back(c);
    }
    text.push_back('\n');
    return text;
}

text::Status saveCompareLog(const std::string& path, std::string_view log) {
    return platform::atomicWriteFile(path, compareLogText(log)) == platform::WriteStatus::Written
               ? text::msg::Success
               : text::msg::FailedToWriteFile;
}

} // namespace qmx::ecu
