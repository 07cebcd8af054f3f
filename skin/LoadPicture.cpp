#include "LoadPicture.h"

#include "PictureFile.h"

#include <QImage>

#include <string_view>

namespace {

// The format a picture's first bytes announce, for the formats Qt decodes itself. Naming it spares
// Qt from loading every image plugin to ask each whether it knows the data.
const char* AnnouncedFormat(std::string_view bytes)
{
    static constexpr std::string_view kPng("\x89PNG\r\n\x1a\n", 8);
    if (bytes.starts_with(kPng))
        return "png";
    if (bytes.starts_with("BM"))
        return "bmp";
    return nullptr;
}

} // namespace

QPixmap LoadPicture(const QString& path)
{
    if (path.isEmpty())
        return {};
    const auto bytes = ReadPictureFile(std::filesystem::path(path.toStdU16String()));
    if (!bytes || bytes->empty())
        return {};
    const auto* data = reinterpret_cast<const uchar*>(bytes->data());
    const int size = static_cast<int>(bytes->size());
    QImage image;
    // What its first bytes claim may be wrong; then the content decides, as for any other format.
    const char* format = AnnouncedFormat(*bytes);
    if ((format == nullptr || !image.loadFromData(data, size, format)) && !image.loadFromData(data, size))
        return {};
    return QPixmap::fromImage(image);
}
