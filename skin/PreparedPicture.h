// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QImage>
#include <QString>
#include <future>
#include <optional>
#include <vector>

// Pictures decoded ahead of need on another thread: those the first page shows, decoded while Qt
// connects to the display. Each goes to the first request for its path. A request for any other
// picture drops those left, so a guess that missed (a screen that wants the high-density pictures,
// say) holds no memory.
struct PreparedPicture
{
    QString path;
    QImage image;
};

void OfferPreparedPictures(std::future<std::vector<PreparedPicture>> pictures);
// Waits for the offered pictures if they are still being decoded.
std::optional<QImage> TakePreparedPicture(const QString& path);
