// SPDX-License-Identifier: Apache-2.0
#include "skin/PictureFile.h"

#include "platform/RegularFile.h"

std::filesystem::path PicturePath(const std::filesystem::path& imageFolder, std::u16string_view file)
{
    std::u16string relative(file);
    for (char16_t& c : relative) {
        if (c == u'\\')
            c = u'/';
    }
    return imageFolder / std::filesystem::path(relative);
}

std::optional<std::string> ReadPictureFile(const std::filesystem::path& path)
{
    return ReadRegularFile(path, kMaxPictureFileBytes);
}
