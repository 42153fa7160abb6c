#include "maps/mapgeometry.h"

#include <gtest/gtest.h>

#include "maps/editstate.h"
#include "maps/plotpicture.h"
#include "maptestutil.h"

// The map window's layout worked out by hand: range, scales, label steps and positions of the
// three X layouts, the label rules, the picture and the hit test.
namespace qmx::maps {
namespace {

using test::freeMap;
using test::identityAxis;
using test::putBytes;

// 6 pixels a character, lines 14 pixels high with the baseline 11 below their top.
LabelFont narrowFont() {
    LabelFont font;
    font.width = [](std::string_view text) { return 6 * static_cast<int>(text.size()); };
    return font;
}

std::vector<std::string> texts(const AxisMarks& marks) {
    std::vector<std::string> result;
    for (const AxisLabel& label : marks.labels)
        result.push_back(label.text);
    return result;
}

std::vector<int> tickXs(const AxisMarks& marks) {
    std::vector<int> xs;
    for (const Tick& tick : marks.ticks)
        xs.push_back(tick.x1);
    return xs;
}

MapAxis axis(std::string name, std::string min, std::string max, std::string toPhysical,
             std::string toRaw) {
    MapAxis a = identityAxis(std::move(name), std::move(min), std::move(max));
    a.physicalExpr = std::move(toPhysical);
    a.rawExpr = std::move(toRaw);
    return a;
}

class GeometryTest : public ::testing::Test {
protected:
    MapGeometry layOut(const Map& map, int width, int height, LabelFont font = narrowFont()) {
        return MapGeometry(map, plotRange(map, sink), formats, font, width, height);
    }
    // A free 3 × 4 map: RPM 0..12750 (raw × 50) across, fuel 0..25.5 (raw × 0.1) upward.
    Map byteMap() {
        Map map = freeMap(image, 0x8000, 3, 4);
        map.x = axis("RPM", "0", "12750", "x*50", "x/50");
        map.y = axis("DATA", "0", "25.5", "x*0.1", "x*10");
        return map;
    }

    config::EcuImage image;
    test::RecordingSink sink;
    DisplayFormats formats{1, 1, 1};
};

// (Where the labels and titles stand: the screen and the label rules below.)
TEST_F(GeometryTest, ByteMapScalesAndLabels) {
    const MapGeometry g = layOut(byteMap(), 600, 400);
    const MapScales& s = g.scales();
    ASSERT_TRUE(g.drawable());
    EXPECT_EQ(g.plot().width, 550);
    EXPECT_EQ(g.plot().height, 370);
    // 72 × 360 / 100 = 259 > 255 >= 71 × 360 / 100; 466 × 550 / 1000 = 256 > 255.
    EXPECT_EQ(s.yScale, 72);
    EXPECT_EQ(s.xScale, 466);
    // 20 pixels hold raw 14 = 1.4: the first of 0.5, 1, 2 at least 1.4; 50 pixels raw 23 =
    // 1150: the first of 1000, 2000, 5000.
    EXPECT_FLOAT_EQ(s.verticalStep, 2.0f);
    EXPECT_FLOAT_EQ(s.horizontalStep, 2000.0f);

    // 0.0 to 26.0 (raw 260 is 361 pixels up, 28.0 would be 388, above the plot).
    const AxisMarks& v = g.vertical();
    ASSERT_EQ(v.labels.size(), 14u);
    EXPECT_EQ(v.labels.back().text, "26.0");
    EXPECT_EQ(v.ticks.size(), 13u); // none at the bottom edge
    // Raw 0 at the left edge without a tick, then every 2000 up to 12000 (14000 lies past 600).
    EXPECT_EQ(texts(g.horizontal()), (std::vector<std::string>{"0.0", "2000.0", "4000.0", "6000.0",
                                                               "8000.0", "10000.0", "12000.0"}));
    EXPECT_EQ(tickXs(g.horizontal()), (std::vector<int>{135, 221, 307, 393, 479, 565}));
}

TEST_F(GeometryTest, WordAxisMapStartsAtXLowAndKeepsBreakpointsInRange) {
    Map map;
    map.kind = MapKind::Addressed;
    map.z = identityAxis("MAP");
    map.z.count = 1;
    map.x = identityAxis("RPM", "1000", "6000");
    map.x.elementSize = 2;
    map.x.count = 4;
    map.x.address = 0x9008;
    map.y = axis("BOOST", "0", "2.5", "x*0.01", "x*100");
    map.y.address = 0x9020;
    for (auto [index, value] : {std::pair{0, 500}, {1, 2000}, {2, 4000}, {3, 7000}}) {
        image.setByte(static_cast<std::uint16_t>(0x9008 + 2 * index), std::uint8_t(value >> 8));
        image.setByte(static_cast<std::uint16_t>(0x9009 + 2 * index), std::uint8_t(value));
    }
    const MapGeometry g = layOut(map, 500, 300);
    const MapScales& s = g.scales();
    EXPECT_EQ(s.range.xLow, 1000);
    EXPECT_EQ(s.range.xHigh, 6000);
    EXPECT_EQ(s.xOrigin, 1000);
    // From the origin; 6000 at x 499 would not fit whole.
    EXPECT_EQ(texts(g.horizontal()),
              (std::vector<std::string>{"1000.0", "2000.0", "3000.0", "4000.0", "5000.0"}));
    // 500 and 7000 are drawn at the range ends 1000 and 6000.
    EXPECT_EQ(breakpointXs(map, image, s, 0), (std::vector<int>{0, 89, 269, 449}));
}

TEST_F(GeometryTest, LabelledAxisSkipsCrowdedLabelsAndKeepsTheLastWhole) {
    formats.y = 0; // data labels up to "260" fit the 50-pixel margin
    Map map;
    map.kind = MapKind::Labelled;
    map.z = identityAxis("LOAD");
    map.z.count = 2;
    map.z.labels = "Low,High";
    map.x = identityAxis("MODE", "0", "2000");
    map.x.count = 6;
    map.x.labels = "0,100,150,1000,2000,Idle";
    map.y = identityAxis("LAMBDA");
    const MapGeometry g = layOut(map, 400, 300);
    // Span 2000 over 350 pixels: the smallest n is 5718, one less 5717.
    EXPECT_EQ(g.scales().xScale, 5717);
    EXPECT_FLOAT_EQ(g.scales().horizontalStep, 0.0f);
    // "100" starts at 58, not 10 clear of "0" (ending at 53): a short tick only. "150" is
    // measured against "0" again. "2000" at 399 moves left to end at the window's edge. "Idle"
    // is no number and stands at its index, 5, too close to "2000" before it.
    const AxisMarks& h = g.horizontal();
    EXPECT_EQ(texts(h), (std::vector<std::string>{"0", "150", "1000", "2000"}));
    EXPECT_EQ(tickXs(h), (std::vector<int>{50, 67, 76, 224, 399, 50}));
    EXPECT_EQ(h.ticks[1], (Tick{67, 270, 67, 271}));
    EXPECT_EQ(h.ticks[2], (Tick{76, 270, 76, 274}));
    EXPECT_EQ(h.labels[3].box.x, 400 - 24);
    EXPECT_EQ(breakpointXs(map, image, g.scales(), 0), (std::vector<int>{0, 17, 26, 174, 349, 0}));
}

TEST_F(GeometryTest, LabelsThatWouldBeCutStayWhole) {
    const Map map = byteMap();
    // The top label (26.0) lies at y 7: its box would start above the window.
    const MapGeometry low = layOut(map, 600, 398);
    EXPECT_EQ(low.vertical().ticks.back().y1, 7);
    EXPECT_EQ(low.vertical().labels.back().box.y, 0);
    // Wide digits push the margin out so that labels clear the rotated title (up to x 20).
    LabelFont wide = narrowFont();
    wide.width = [](std::string_view text) { return 10 * static_cast<int>(text.size()); };
    const MapGeometry widened = layOut(map, 600, 400, wide);
    EXPECT_EQ(widened.plot().x, 20 + 40 + 5);
    EXPECT_EQ(widened.plot().width, 535);
    EXPECT_EQ(widened.scales().xScale, 479); // 479 × 535 / 1000 = 256
    EXPECT_GE(widened.vertical().labels.back().box.x, 20);
    // A 16-pixel font: labels and title stacked below the plot, the title ending at the edge.
    LabelFont tall = narrowFont();
    tall.height = 16;
    tall.ascent = 13;
    const MapGeometry stacked = layOut(map, 600, 400, tall);
    EXPECT_EQ(stacked.plot().height, 400 - 34);
    EXPECT_EQ(stacked.xTitle().box.y + 16, 400);
    EXPECT_EQ(stacked.horizontal().labels[0].box.y, 400 - 34 + 5);
}

TEST_F(GeometryTest, ZeroDataRangeAndPlotsTooSmall) {
    Map map = byteMap();
    map.y = identityAxis("DATA", "100", "100");
    // Plot heights 140 and 109: the smallest n with n × 130 / 100 > 0 is 1, with n × 99 / 100 is 2.
    EXPECT_EQ(layOut(map, 600, 170).scales().yScale, 1);
    EXPECT_EQ(layOut(map, 600, 139).scales().yScale, 2);
    for (auto [width, height] : {std::pair{600, 40}, {50, 400}, {0, 0}}) {
        const MapGeometry g = layOut(map, width, height);
        EXPECT_FALSE(g.drawable());
        EXPECT_TRUE(g.vertical().labels.empty());
        EXPECT_TRUE(g.horizontal().labels.empty());
        EXPECT_TRUE(plotPicture(map, image, g.scales()).strokes.empty());
    }
}

TEST_F(GeometryTest, RangeFromLimitsAndItsConversionFailures) {
    Map map = byteMap();
    map.x = axis("RPM", "-100", "20000", "x*50", "x/50"); // below and above the byte range
    PlotRange r = plotRange(map, sink);
    EXPECT_EQ(r.xLow, 0);
    EXPECT_EQ(r.xHigh, 255);
    EXPECT_TRUE(sink.shown.empty());

    map.y = axis("DATA", "30", "20", "x", "x"); // crossed: data starts at 0
    r = plotRange(map, sink);
    EXPECT_EQ(r.dataLow, 0);
    EXPECT_EQ(r.dataHigh, 20);

    map.y = axis("DATA", "0", "25", "x", "x/0"); // data low fails: later bounds stay default
    map.x = axis("RPM", "10", "20", "x", "x");
    r = plotRange(map, sink);
    EXPECT_EQ(r.xLow, 10);
    EXPECT_EQ(r.dataLow, 0);
    EXPECT_EQ(r.xHigh, 255);
    EXPECT_EQ(r.dataHigh, 255);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0], "Map Window[DATA]|Used wrong equation\nError /0|3");
}

// Three lines of four points; the test puts line 1's second point on line 0's.
class PlotTest : public GeometryTest {
protected:
    void SetUp() override {
        formats.y = 0; // a 50-pixel margin: X scale 466
        map = freeMap(image, 0x8000, 3, 4);
        putBytes(image, map.x.address, {0, 50, 100, 150});
        putBytes(image, map.y.address, {10, 20, 30, 40, 50, 20, 70, 80, 90, 100, 110, 120});
        selectCell(map, image, EditTarget::Y, 0, 0);
        scales = layOut(map, 600, 400).scales();
    }
    PixelPoint point(int line, int index) {
        return linePoints(map, image, scales, line)[static_cast<std::size_t>(index)];
    }
    Map map;
    MapScales scales;
};

TEST_F(PlotTest, HitTestOrder) {
    const PixelPoint shared = point(0, 1);
    ASSERT_EQ(point(1, 1), shared);
    // The current line wins, within 3 pixels each way.
    PlotHit hit = hitTest(map, image, scales, shared.x + 3, shared.y - 3);
    EXPECT_EQ((std::tuple{hit.target, hit.line, hit.index}), (std::tuple{EditTarget::Y, 0, 1}));
    EXPECT_EQ(hitTest(map, image, scales, shared.x + 4, shared.y).target, EditTarget::None);
    // Other lines only when all lines show; the first line in order.
    const PixelPoint other = point(2, 3);
    EXPECT_EQ(hitTest(map, image, scales, other.x, other.y).target, EditTarget::X); // column 3
    map.allLines = true;
    hit = hitTest(map, image, scales, other.x, other.y);
    EXPECT_EQ((std::tuple{hit.target, hit.line, hit.index}), (std::tuple{EditTarget::Y, 2, 3}));
    // (A breakpoint far from its points: the map window's tests.) Per-row X values with all lines showing: no columns.
    map.kind = MapKind::PerRowX;
    EXPECT_EQ(hitTest(map, image, scales, point(0, 2).x, 5).target, EditTarget::None);
}

} // namespace
} // namespace qmx::maps
