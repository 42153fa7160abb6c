#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace qmx::config {

// Replaces the elements [first, last) of `items` by `replacement`, in order, in one pass: every
// element is moved at most once, so the cost is linear in the size of `items` whatever the two
// range lengths are. Throws std::out_of_range unless first <= last <= items.size().
template <typename T>
void replaceRange(std::vector<T>& items, std::size_t first, std::size_t last,
                  std::vector<T>&& replacement) {
    if (first > last || last > items.size())
        throw std::out_of_range("replaceRange");
    const auto begin = items.begin();
    const auto rangeBegin = begin + static_cast<std::ptrdiff_t>(first);
    const auto rangeEnd = begin + static_cast<std::ptrdiff_t>(last);
    const std::size_t size = items.size() - (last - first) + replacement.size();
    if (size > items.capacity()) {
        // Growing in place would move the new elements a second time.
        std::vector<T> rebuilt;
        rebuilt.reserve(size);
        std::move(begin, rangeBegin, std::back_inserter(rebuilt));
        std::move(replacement.begin(), replacement.end(), std::back_inserter(rebuilt));
        std::move(rangeEnd, items.end(), std::back_inserter(rebuilt));
        items = std::move(rebuilt);
        return;
    }
    const std::size_t common = std::min(last - first, replacement.size());
    const auto spare = replacement.begin() + static_cast<std::ptrdiff_t>(common);
    const auto rest = std::move(replacement.begin(), spare, rangeBegin);
    if (common < last - first)
        items.erase(rest, rangeEnd);
    else
        items.insert(rest, std::make_move_iterator(spare),
                     std::make_move_iterator(replacement.end()));
}

} // namespace qmx::config
