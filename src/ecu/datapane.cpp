#include "ecu/datapane.h"

#include <algorithm>

namespace qmx::ecu {

namespace {
constexpr std::size_t kAddressSpace = 0x10000;
}

int paneRows(std::uint32_t start, std::size_t count) {
    if (count == 0)
        return 0;
    const std::size_t end = std::size_t{start} + count;
    return static_cast<int>(((end + 15) >> 4) - (start >> 4));
}

void DataPane::fill(std::uint16_t address, std::vector<std::uint8_t> data, std::string newTitle) {
    if (data.size() > kAddressSpace - address)
        data.resize(kAddressSpace - address);
    start = address;
    bytes = std::move(data);
    firstShownRow = 0;
    rows = paneRows(start, bytes.size());
    title = std::move(newTitle);
    partial = false;
}

void DataPane::clear() {
    bytes.clear();
    bytes.shrink_to_fit();
    start = 0;
    rows = 0;
    firstShownRow = 0;
}

bool DataPane::holds(std::uint32_t address) const {
    return address >= start && address - start < bytes.size();
}

std::optional<std::uint8_t> DataPane::byteAt(std::uint32_t address) const {
    if (!holds(address))
        return std::nullopt;
    return bytes[address - start];
}

bool DataPane::differsAt(std::uint32_t address, const DataPane& other) const {
    return partial || byteAt(address) != other.byteAt(address);
}

} // namespace qmx::ecu
