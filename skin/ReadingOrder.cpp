// SPDX-License-Identifier: Apache-2.0
#include "skin/ReadingOrder.h"

#include <algorithm>
#include <numeric>

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
        const QRect& first = rects[*rowStart];
        const auto rowEnd = std::stable_partition(
            rowStart, byTop.end(), [&](size_t i) { return rects[i].center().y() <= first.bottom(); });
        std::stable_sort(rowStart, rowEnd,
                         [&](size_t a, size_t b) { return rects[a].left() < rects[b].left(); });
        order.insert(order.end(), rowStart, rowEnd);
        rowStart = rowEnd;
    }
    return order;
}
