#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qmx::config {

// The ECU's 64 KiB memory as the program mirrors it, with the data range that the
// configuration's [Data] section covered when it was loaded. 16-bit values are big-endian.
class EcuImage {
public:
    static constexpr std::size_t Size = 0x10000;

    std::uint8_t byte(std::uint16_t address) const { return m_bytes[address]; }
    void setByte(std::uint16_t address, std::uint8_t value) { m_bytes[address] = value; }
    // High byte at `address`, low byte at `address + 1` (wrapping at 0xFFFF).
    std::uint16_t word(std::uint16_t address) const;
    void setWord(std::uint16_t address, std::uint16_t value);

    // The loaded data range, both ends included. `low() <= high()` whenever a configuration
    // is open; the byte at `high()` is the image checksum byte.
    std::uint16_t low() const { return m_low; }
    std::uint16_t high() const { return m_high; }
    void setRange(std::uint16_t low, std::uint16_t high) {
        m_low = low;
        m_high = high;
    }

    const std::uint8_t* data() const { return m_bytes.data(); }

private:
    std::array<std::uint8_t, Size> m_bytes{};
    std::uint16_t m_low = 0xFFFF;
    std::uint16_t m_high = 0;
};

// The edit data: a copy of the image bytes low() .. high(); empty when low() > high().
std::vector<std::uint8_t> editData(const EcuImage& image);

} // namespace qmx::config
