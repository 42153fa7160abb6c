#include "config/rangereplace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace qmx::config {
namespace {

// An element that counts how often it was moved; the count travels with the value.
struct Counted {
    explicit Counted(int v) : value(v) {}
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    Counted(Counted&& other) noexcept : value(other.value), moves(other.moves + 1) {}
    Counted& operator=(Counted&& other) noexcept {
        value = other.value;
        moves = other.moves + 1;
        return *this;
    }
    int value;
    int moves = 0;
};

std::vector<Counted> counted(int from, int count, std::size_t spareCapacity = 0) {
    std::vector<Counted> items;
    items.reserve(static_cast<std::size_t>(count) + spareCapacity);
    for (int i = 0; i < count; ++i)
        items.emplace_back(from + i);
    return items;
}

// Rebuilding a section of a long list costs one move per element, whether the section shrinks,
// grows within the capacity or grows past it; the order is the replaced list's.
TEST(ReplaceRange, MovesEveryElementAtMostOnce) {
    struct Case {
        std::size_t first, last;
        int replacements;
        std::size_t spareCapacity;
    };
    for (const Case c : {Case{10, 5010, 40, 0}, Case{10, 50, 4000, 0}, Case{10, 50, 4000, 8000},
                         Case{0, 10000, 3, 0}, Case{10000, 10000, 100, 0}}) {
        std::vector<Counted> items = counted(0, 10000, c.spareCapacity);
        replaceRange(items, c.first, c.last, counted(-c.replacements, c.replacements));

        ASSERT_EQ(items.size(),
                  10000 - (c.last - c.first) + static_cast<std::size_t>(c.replacements));
        std::vector<int> expected;
        for (std::size_t i = 0; i < c.first; ++i)
            expected.push_back(static_cast<int>(i));
        for (int i = -c.replacements; i < 0; ++i)
            expected.push_back(i);
        for (std::size_t i = c.last; i < 10000; ++i)
            expected.push_back(static_cast<int>(i));
        std::vector<int> values;
        int mostMoves = 0;
        for (const Counted& item : items) {
            values.push_back(item.value);
            mostMoves = std::max(mostMoves, item.moves);
        }
        EXPECT_EQ(values, expected) << c.first << ".." << c.last;
        EXPECT_LE(mostMoves, 1) << c.first << ".." << c.last << " by " << c.replacements;
    }
    std::vector<Counted> items = counted(0, 3);
    EXPECT_THROW(replaceRange(items, 2, 4, {}), std::out_of_range);
    EXPECT_THROW(replaceRange(items, 2, 1, {}), std::out_of_range);
}

} // namespace
} // namespace qmx::config
