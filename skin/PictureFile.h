// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Larger than any page background a skin needs, small enough that a wrong path cannot exhaust
// memory.
inline constexpr std::size_t kMaxPictureFileBytes = 32 * 1024 * 1024;

// The file that an image key names: relative to the image folder, with the backslashes of skins
// written for Windows taken as folder separators.
std::filesystem::path PicturePath(const std::filesystem::path& imageFolder, std::u16string_view file);

// The bytes of a picture file; nothing unless it is a regular file of at most
// kMaxPictureFileBytes (a device, a pipe or a folder is no picture).
std::optional<std::string> ReadPictureFile(const std::filesystem::path& path);
