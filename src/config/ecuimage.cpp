#include "config/ecuimage.h"

namespace qmx::config {

std::uint16_t EcuImage::word(std::uint16_t address) const {
    const auto next = static_cast<std::uint16_t>(address + 1);
    return static_cast<std::uint16_t>((m_bytes[address] << 8) | m_bytes[next]);
}

void EcuImage::setWord(std::uint16_t address, std::uint16_t value) {
    const auto next = static_cast<std::uint16_t>(address + 1);
    m_bytes[address] = static_cast<std::uint8_t>(value >> 8);
    m_bytes[next] = static_cast<std::uint8_t>(value & 0xFF);
}

std::vector<std::uint8_t> editData(const EcuImage& image) {
    if (image.low() > image.high())
        return {};
    return {image.data() + image.low(), image.data() + image.high() + 1};
}

} // namespace qmx::config
