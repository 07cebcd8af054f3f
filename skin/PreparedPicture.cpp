#include "PreparedPicture.h"

#include <mutex>
#include <utility>

namespace {

std::mutex& OfferMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::future<PreparedPicture>& Offer()
{
    static std::future<PreparedPicture> offer;
    return offer;
}

} // namespace

void OfferPreparedPicture(std::future<PreparedPicture> picture)
{
    const std::lock_guard lock(OfferMutex());
    Offer() = std::move(picture);
}

std::optional<QImage> TakePreparedPicture(const QString& path)
{
    std::future<PreparedPicture> offer;
    {
        const std::lock_guard lock(OfferMutex());
        offer = std::move(Offer());
    }
    if (!offer.valid())
        return std::nullopt;
    PreparedPicture picture;
    try {
        picture = offer.get();
    } catch (const std::future_error&) {
        // Its decoder never ran (no thread could be started): the caller decodes.
        return std::nullopt;
    }
    if (picture.path != path || picture.image.isNull())
        return std::nullopt;
    return std::move(picture.image);
}
