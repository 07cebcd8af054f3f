// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QPixmap>
#include <QString>

// "Image/bg.png" -> "Image/bg@2x.png": the same picture drawn for twice the pixel density.
QString HighDensityPath(const QString& path);

// The picture for a screen of the given device pixel ratio. Above 100% scaling the "@2x" file
// beside the named one is taken when it decodes, so the page stays sharp instead of being
// enlarged; either way the picture keeps the logical size of the named file.
QPixmap LoadPictureForRatio(const QString& path, qreal devicePixelRatio);
