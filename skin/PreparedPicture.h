#pragma once

#include <QImage>
#include <QString>
#include <future>
#include <optional>

// A picture decoded ahead of need on another thread: the first page's background, decoded while
// Qt connects to the display. Only one is held. The first picture asked for after the offer
// takes it when its path matches and drops it otherwise, so a guess that missed (a screen that
// wants the high-density picture, say) holds no memory.
struct PreparedPicture
{
    QString path;
    QImage image;
};

void OfferPreparedPicture(std::future<PreparedPicture> picture);
// Waits for the offered picture if it is still being decoded.
std::optional<QImage> TakePreparedPicture(const QString& path);
