// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QRect>
#include <vector>

// The order in which a person reads controls laid out on a page: row by row from the top, and
// within a row from the left. Controls whose middle lies within the height of the first control
// of a row belong to that row, so that a label-high check box beside a taller edit field shares
// its row. Returns indices into `rects`.
std::vector<size_t> ReadingOrder(const std::vector<QRect>& rects);
