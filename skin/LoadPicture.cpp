#include "LoadPicture.h"

#include "PictureFile.h"

#include <QImage>

QPixmap LoadPicture(const QString& path)
{
    if (path.isEmpty())
        return {};
    const auto bytes = ReadPictureFile(std::filesystem::path(path.toStdU16String()));
    if (!bytes || bytes->empty())
        return {};
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size())))
        return {};
    return QPixmap::fromImage(image);
}
