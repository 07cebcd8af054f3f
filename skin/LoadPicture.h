// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <string_view>

// Decodes an image file by its content, whatever its name says (BMP, JPEG, GIF, ICO, PNG).
// A file that is missing, empty or not decodable gives a null pixmap, and so does anything
// ReadPictureFile refuses (no regular file, or too large).
QPixmap LoadPicture(const QString& path);

// Decodes a picture held in memory by its content; a null image when it cannot be decoded.
QImage DecodePicture(std::string_view bytes);
