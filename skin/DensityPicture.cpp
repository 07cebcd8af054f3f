// SPDX-License-Identifier: Apache-2.0
#include "skin/DensityPicture.h"

#include "skin/LoadPicture.h"

#include <QFileInfo>

QString HighDensityPath(const QString& path)
{
    const QFileInfo file(path);
    const QString suffix = file.suffix();
    const QString stem = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return suffix.isEmpty() ? stem + QStringLiteral("@2x") : stem + QStringLiteral("@2x.") + suffix;
}

QPixmap LoadPictureForRatio(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0 && !path.isEmpty()) {
        QPixmap sharp = LoadPicture(HighDensityPath(path));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return LoadPicture(path);
}
