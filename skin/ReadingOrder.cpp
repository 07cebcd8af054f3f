// SPDX-License-Identifier: Apache-2.0
#include "skin/ReadingOrder.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <numeric>

namespace {

// In 64 bits: a rectangle's corners may lie anywhere in the int range.
int64_t middleY(const QRect& rect)
{
    return (int64_t{rect.top()} + rect.bottom()) / 2;
}

// The lowest line of a row that starts with `first`. An empty rectangle's bottom lies above its
// top; its row still takes in the controls whose middle is on its top line.
int64_t rowFoot(const QRect& first)
{
    return std::max(first.top(), first.bottom());
}

} // namespace

std::vector<size_t> ReadingOrder(const std::vector<QRect>& rects)
{
    std::vector<size_t> byTop(rects.size());
    std::iota(byTop.begin(), byTop.end(), size_t{0});
    std::stable_sort(byTop.begin(), byTop.end(), [&](size_t a, size_t b) {
        return rects[a].top() != rects[b].top() ? rects[a].top() < rects[b].top()
                                                : rects[a].left() < rects[b].left();
    });

    std::vector<size_t> order;
    order.reserve(rects.size());
    auto rowStart = byTop.begin();
    while (rowStart != byTop.end()) {
        // The first control belongs to its row whatever its shape, so every row takes at least
        // one control and the walk always ends.
        const int64_t foot = rowFoot(rects[*rowStart]);
        const auto rowEnd = std::stable_partition(std::next(rowStart), byTop.end(),
                                                  [&](size_t i) { return middleY(rects[i]) <= foot; });
        std::stable_sort(rowStart, rowEnd,
                         [&](size_t a, size_t b) { return rects[a].left() < rects[b].left(); });
        order.insert(order.end(), rowStart, rowEnd);
        rowStart = rowEnd;
    }
    return order;
}
