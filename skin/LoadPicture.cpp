#include "LoadPicture.h"

#include <QFile>
#include <QImage>

QPixmap LoadPicture(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return {};
    QImage image;
    if (!image.loadFromData(bytes))
        return {};
    return QPixmap::fromImage(image);
}
