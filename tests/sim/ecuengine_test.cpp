#include "sim/ecuengine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace qmx::sim {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::string textOf(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The device with a fake clock. The data area 0x8000..0x8020 holds 0x00, 0x01, ... 0x20.
class Device {
public:
    Device() {
        memory.setRange(0x8000, 0x8020);
        for (std::uint16_t a = 0x8000; a <= 0x8020; ++a)
            memory.setByte(a, static_cast<std::uint8_t>(a - 0x8000));
        engine = std::make_unique<EcuEngine>(memory, EngineOptions{}, now);
    }

    // Lets `length` pass, running what falls due; returns what the device sent meanwhile.
    Bytes settle(std::chrono::milliseconds length = 100ms) {
        const TimePoint end = now + length;
        Bytes out;
        for (auto due = engine->nextDue(); due && *due <= end; due = engine->nextDue()) {
            now = std::max(now, *due);
            engine->poll(now, out);
        }
        now = end;
        engine->poll(now, out);
        return out;
    }
    // Sends each byte after the device has answered the one before; returns all answers.
    Bytes exchange(const Bytes& bytes) {
        Bytes out;
        for (const std::uint8_t byte : bytes) {
            engine->receive(byte, now);
            const Bytes answer = settle();
            out.insert(out.end(), answer.begin(), answer.end());
        }
        return out;
    }

    config::EcuImage memory;
    TimePoint now{};
    std::unique_ptr<EcuEngine> engine;
};

TEST(EcuEngine, MemoryWriteRefusesBadRecordsAsAWhole) {
    const struct {
        const char* name;
        std::string records; // after "LW"
        std::string answer;  // echoes and result; empty: every record echoed, then '1'
    } cases[] = {
        // A good record, then one with a wrong checksum: nothing is stored.
        {"checksum", "S1048000FF7CS1048001FF00S9030000FC", ""},
        {"outside", "S1047FFFFF7ES9030000FC", ""},
        // A character that cannot belong to a record is not echoed and ends the write.
        {"malformed", "S10X", "S10"},
        {"short count", "S102", "S10"},
        {"other type", "S2", "S"},
    };
    for (const auto& c : cases) {
        Device device;
        const config::EcuImage before = device.memory;
        const std::string answer = c.answer.empty() ? c.records + "1" : c.answer;
        EXPECT_EQ(textOf(device.exchange(bytesOf("LW" + c.records))), "LW" + answer) << c.name;
        EXPECT_EQ(std::memcmp(device.memory.data(), before.data(), config::EcuImage::Size), 0)
            << c.name;
        EXPECT_EQ(textOf(device.exchange({0xBF})), "KD") << c.name;
    }
}

} // namespace
} // namespace qmx::sim
