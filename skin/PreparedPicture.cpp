// SPDX-License-Identifier: Apache-2.0
#include "skin/PreparedPicture.h"

#include <algorithm>
#include <mutex>
#include <utility>

namespace {

struct Offer
{
    std::mutex mutex;
    std::future<std::vector<PreparedPicture>> coming;
    std::vector<PreparedPicture> held;
};

Offer& TheOffer()
{
    static Offer offer;
    return offer;
}

} // namespace

void OfferPreparedPictures(std::future<std::vector<PreparedPicture>> pictures)
{
    Offer& offer = TheOffer();
    const std::lock_guard lock(offer.mutex);
    offer.coming = std::move(pictures);
    offer.held.clear();
}

std::optional<QImage> TakePreparedPicture(const QString& path)
{
    Offer& offer = TheOffer();
    const std::lock_guard lock(offer.mutex);
    if (offer.coming.valid()) {
        try {
            offer.held = offer.coming.get();
        } catch (const std::future_error&) {
            // Their decoder never ran (no thread could be started): the callers decode.
            offer.held.clear();
        }
    }
    const auto found = std::find_if(offer.held.begin(), offer.held.end(),
                                    [&](const PreparedPicture& picture) { return picture.path == path; });
    if (found == offer.held.end()) {
        offer.held.clear();
        return std::nullopt;
    }
    QImage image = std::move(found->image);
    offer.held.erase(found);
    if (image.isNull())
        return std::nullopt;
    return image;
}
