// SPDX-License-Identifier: Apache-2.0
#include "skin/PageFont.h"

#include <QtGlobal>

QFont PageFont(const SkinFont& font)
{
    QFont pageFont(QString::fromStdU16String(font.face));
    // A height of 0 asks for the face's default size.
    if (font.height > 0)
        pageFont.setPixelSize(font.height);
    pageFont.setWeight(static_cast<QFont::Weight>(qBound(1, font.weight, 1000)));
    return pageFont;
}
