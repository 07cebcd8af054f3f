// SPDX-License-Identifier: Apache-2.0
#include "skin/LoadPicture.h"

#include "skin/PictureFile.h"
#include "skin/PreparedPicture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <string_view>

namespace {

// The format a picture's first bytes announce, for the formats Qt decodes itself.
const char* AnnouncedFormat(std::string_view bytes)
{
    static constexpr std::string_view kPng("\x89PNG\r\n\x1a\n", 8);
    if (bytes.starts_with(kPng))
        return "png";
    if (bytes.starts_with("BM"))
        return "bmp";
    return nullptr;
}

QImage Decode(const QByteArray& bytes, const char* format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, format);
    // Left on, Qt would load every image plugin to ask each whether it knows the data, even for
    // a format that it reads itself.
    reader.setAutoDetectImageFormat(format == nullptr);
    return reader.read();
}

} // namespace

QImage DecodePicture(std::string_view bytes)
{
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // What the first bytes claim may be wrong; then the content decides, as for any other format.
    if (const char* format = AnnouncedFormat(bytes)) {
        QImage image = Decode(data, format);
        if (!image.isNull())
            return image;
    }
    return Decode(data, nullptr);
}

QPixmap LoadPicture(const QString& path)
{
    if (path.isEmpty())
        return {};
    if (std::optional<QImage> prepared = TakePreparedPicture(path))
        return QPixmap::fromImage(std::move(*prepared));
    const auto bytes = ReadPictureFile(std::filesystem::path(path.toStdU16String()));
    if (!bytes || bytes->empty())
        return {};
    QImage image = DecodePicture(*bytes);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(std::move(image));
}
