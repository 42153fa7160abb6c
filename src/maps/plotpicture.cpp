#include "maps/plotpicture.h"

#include <algorithm>
#include <cstdlib>

#include "maps/plotrange.h"

namespace qmx::maps {

namespace {

constexpr int kHitDistance = 3;

// The strokes of line `line`: one polyline, or the pieces left when the segments at `open`
// are left out.
void addLine(PlotPicture& picture, const Map& map, const config::EcuImage& image,
             const MapScales& scales, int line, int width, std::optional<int> open) {
    const std::vector<PixelPoint> points = linePoints(map, image, scales, line);
    const int colour = lineColour(line);
    if (points.empty())
        return;
    if (points.size() == 1) {
        if (!open)
            picture.strokes.push_back(flatStroke(scales, points[0].y, colour, width));
        return;
    }
    PlotStroke piece{{}, colour, width};
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        if (open && i == *open) {
            if (piece.points.size() >= 2)
                picture.strokes.push_back(piece);
            piece.points.clear();
            continue;
        }
        piece.points.push_back(points[static_cast<std::size_t>(i)]);
    }
    if (piece.points.size() >= 2)
        picture.strokes.push_back(piece);
}

bool near(PixelPoint point, int x, int y) {
    return std::abs(point.x - x) <= kHitDistance && std::abs(point.y - y) <= kHitDistance;
}

// The first point of line `line` near (x, y); -1 when none is.
int pointNear(const Map& map, const config::EcuImage& image, const MapScales& scales, int line,
              int x, int y) {
    const std::vector<PixelPoint> points = linePoints(map, image, scales, line);
    const auto found =
        std::find_if(points.begin(), points.end(), [&](PixelPoint p) { return near(p, x, y); });
    return found == points.end() ? -1 : static_cast<int>(found - points.begin());
}

} // namespace

int lineColour(int line) {
    return line < 20 ? line : (line - 20) % 19;
}

bool showsAllLines(const Map& map) {
    return map.allLines && map.rows() >= 2;
}

bool columnsSelectable(const Map& map) {
    return plotLayoutOf(map) == PlotLayout::FreeMap && !(map.hasXRowPerZ() && showsAllLines(map));
}

std::vector<int> breakpointXs(const Map& map, const config::EcuImage& image,
                              const MapScales& scales, int line) {
    std::vector<int> xs;
    const int count = map.columns();
    for (int column = 0; column < count; ++column) {
        if (scales.layout == PlotLayout::AxisLabels) {
            xs.push_back(scales.xOfLabel(labelValue(map, column)));
            continue;
        }
        int raw = readX(map, image, column, line).value;
        if (count >= 2)
            raw =
                std::clamp(raw, scales.range.xLow, std::max(scales.range.xLow, scales.range.xHigh));
        xs.push_back(scales.xOfRaw(raw));
    }
    return xs;
}

std::vector<PixelPoint> linePoints(const Map& map, const config::EcuImage& image,
                                   const MapScales& scales, int line) {
    std::vector<PixelPoint> points;
    if (line < 0 || line >= map.rows())
        return points;
    const std::vector<int> xs = breakpointXs(map, image, scales, line);
    for (int column = 0; column < static_cast<int>(xs.size()); ++column)
        points.push_back({xs[static_cast<std::size_t>(column)],
                          scales.yOf(readY(map, image, column, line).value)});
    return points;
}

PlotStroke flatStroke(const MapScales& scales, int y, int colour, int width) {
    return {{{0, y}, {scales.plotWidth, y}}, colour, width};
}

PlotPicture plotPicture(const Map& map, const config::EcuImage& image, const MapScales& scales,
                        std::optional<int> openPoint) {
    PlotPicture picture;
    if (!scales.drawable)
        return picture;
    const int current = map.editRow;
    const bool all = showsAllLines(map);
    if (!(all && map.hasXRowPerZ()))
        picture.grid = breakpointXs(map, image, scales, current);
    for (int line = all ? 0 : current; line <= (all ? map.rows() - 1 : current); ++line) {
        const bool isCurrent = line == current;
        addLine(picture, map, image, scales, line, isCurrent ? 2 : 1,
                isCurrent ? openPoint : std::nullopt);
    }
    if (map.target == EditTarget::Y) {
        const std::vector<PixelPoint> points = linePoints(map, image, scales, current);
        if (map.editIndex >= 0 && map.editIndex < static_cast<int>(points.size()))
            picture.pointMark = points[static_cast<std::size_t>(map.editIndex)];
    } else if (map.target == EditTarget::X) {
        const std::vector<int> xs = breakpointXs(map, image, scales, current);
        if (map.editIndex >= 0 && map.editIndex < static_cast<int>(xs.size()))
            picture.columnMark = xs[static_cast<std::size_t>(map.editIndex)];
    }
    return picture;
}

PlotHit hitTest(const Map& map, const config::EcuImage& image, const MapScales& scales, int x,
                int y) {
    if (!scales.drawable)
        return {};
    const int current = map.editRow;
    if (const int point = pointNear(map, image, scales, current, x, y); point >= 0)
        return {EditTarget::Y, current, point};
    if (map.allLines) {
        for (int line = 0; line < map.rows(); ++line) {
            if (const int point = pointNear(map, image, scales, line, x, y); point >= 0)
                return {EditTarget::Y, line, point};
        }
    }
    if (!columnsSelectable(map))
        return {};
    const std::vector<int> xs = breakpointXs(map, image, scales, current);
    for (int column = 0; column < static_cast<int>(xs.size()); ++column) {
        if (std::abs(xs[static_cast<std::size_t>(column)] - x) <= kHitDistance)
            return {EditTarget::X, current, column};
    }
    return {};
}

} // namespace qmx::maps
