#pragma once

#include <QPixmap>
#include <QString>

// Decodes an image file by its content, whatever its name says (BMP, JPEG, GIF, ICO, PNG).
// A file that is missing, empty or not decodable gives a null pixmap, and so does anything
// ReadPictureFile refuses (no regular file, or too large).
QPixmap LoadPicture(const QString& path);
