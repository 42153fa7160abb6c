#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "app/constantedit.h"
#include "app/ectapp.h"
#include "app/testhome.h"
#include "config/linerules.h"
#include "maps/conversion.h"
#include "maps/editstate.h"
#include "maps/mapcommit.h"
#include "maps/tablecontroller.h"
#include "support/recorders.h"
#include "text/messages.h"
#include "text/numbers.h"

namespace qmx::app {
namespace {

using maps::EditTarget;
using qmx::testing::TestHome;

// Both samples open in a home of their own; the table window's logic edits the open one.
class TypedValuesTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_EQ(app.start(home.places(), kLargeScreen), text::msg::Success);
        ASSERT_EQ(app.openConfiguration(home.sample(GetParam()), FileLayout::Packed),
                  text::msg::Success);
    }
    Configuration& config() { return app.configuration(); }

    // Puts `raw` into the first value of `target` of `map` and makes that value current.
    void putRaw(maps::Map& map, EditTarget target, std::uint16_t raw) {
        const bool z = target == EditTarget::Z;
        const std::uint32_t address = z                         ? maps::zAddress(map, 0)
                                      : target == EditTarget::X ? maps::xAddress(map, 0, 0)
                                                                : maps::yAddress(map, 0, 0);
        const auto at = static_cast<std::uint16_t>(address);
        if (target != EditTarget::Y && maps::axisOf(map, target).isWord())
            config().image.setWord(at, raw);
        else
            config().image.setByte(at, static_cast<std::uint8_t>(raw));
        maps::selectCell(map, config().image, target, 0, 0);
    }

    TestHome home;
    CEctApp app;
    qmx::testing::RecordingSink sink;
};

// A display text that is the value itself, not a rounding of it (2.745 shown as "2.7" is not).
bool showsExactly(const std::string& text, float physical) {
    const float shown = text::scanFloat(text).value_or(NAN);
    const float ulp = std::nextafter(std::fabs(physical), INFINITY) - std::fabs(physical);
    return std::fabs(shown - physical) <= 4.0f * ulp;
}

// A display text nearer to `physical` than to either neighbouring value, float noise included:
// it tells its value apart from the neighbours.
bool tellsApart(const std::string& text, float physical, float below, float above) {
    const float shown = text::scanFloat(text).value_or(NAN);
    const float ulp = std::nextafter(std::fabs(physical), INFINITY) - std::fabs(physical);
    float spacing = INFINITY;
    for (float neighbour : {below, above})
        if (neighbour != physical)
            spacing = std::min(spacing, std::fabs(neighbour - physical));
    return std::fabs(shown - physical) + 2.0f * ulp < spacing / 2.0f;
}

TEST_P(TypedValuesTest, EveryShownMapValueTypedAsShownStoresItsRaw) {
    maps::TableController table(config().maps, sink, app.formats(), 60, 20);
    for (std::size_t index = 0; index < config().maps.size(); ++index) {
        config().maps.setCurrent(static_cast<int>(index));
        maps::Map& map = config().maps.at(index);
        for (EditTarget target : {EditTarget::Y, EditTarget::X, EditTarget::Z}) {
            if (target != EditTarget::Y && !map.axesInImage())
                continue;
            const maps::MapAxis& axis = maps::axisOf(map, target);
            const int cap = target == EditTarget::Y ? 0xFF : axis.rawCap();
            for (int raw = 0; raw <= cap; ++raw) {
                const auto value = static_cast<std::uint16_t>(raw);
                putRaw(map, target, value);
                const std::string text = maps::currentCellText(map, config().image, app.formats());
                // F2 and Enter leave every value as it is, however the display rounds it.
                table.command(maps::tablecmd::EditBox);
                table.command(maps::tablecmd::Enter);
                ASSERT_EQ(maps::currentRaw(map, config().image), value) << map.name << " " << text;
                // Where the text is the value, typing it stores that raw value.
                const float physical = maps::toPhysical(axis, value).value;
                if (!showsExactly(text, physical))
                    continue;
                float typed = *text::scanFloat(text);
                if (target == EditTarget::Y)
                    typed = maps::snapToStep(typed, axis.step);
                ASSERT_EQ(maps::toRawWhole(axis, typed).value, raw) << map.name << " " << text;
            }
        }
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_P(TypedValuesTest, EveryShownConstantTypedAsShownStoresItsRaw) {
    for (std::size_t index : qmx::config::sectionContent(config().lines, "Calib")) {
        const std::optional<maps::CalibEntry> entry =
            maps::parseCalibLine(config().lines.textAt(index)).entry;
        if (!entry || entry->readOnly)
            continue;
        const auto physical = [&](int raw) {
            return maps::calibToPhysical(entry->byteCount, entry->lsb, entry->offset, entry->calc,
                                         float(raw));
        };
        const auto floor = static_cast<int>(maps::calibFloor(entry->calc));
        const auto ceiling = static_cast<int>(maps::calibCeiling(entry->byteCount));
        for (int raw = floor; raw <= ceiling; ++raw) {
            const std::string text = maps::constantDisplayText(physical(raw));
            if (!tellsApart(text, physical(raw), physical(std::max(raw - 1, floor)),
                            physical(std::min(raw + 1, ceiling))))
                continue;
            const auto value = static_cast<std::uint16_t>(raw);
            if (entry->byteCount == 2)
                config().image.setWord(entry->address, value);
            else
                config().image.setByte(entry->address, static_cast<std::uint8_t>(value));
            const ConstantCommit commit = commitConstantText(*entry, config().image, text);
            if (commit.warning)
                continue; // outside the input limits: the nearest allowed value is set
            ASSERT_FALSE(commit.changed) << entry->contents << " " << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, TypedValuesTest, ::testing::Values("sample.rcz", "boost.rcz"));

} // namespace
} // namespace qmx::app
