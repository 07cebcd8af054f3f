// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// The whole content of a regular file of at most maxBytes bytes. Anything else gives nothing:
// a missing file, a folder, a device such as /dev/zero, a named pipe or socket (opened without
// waiting for a writer), or a file longer than the limit. Never reads more than maxBytes + 1.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

// The first maxBytes bytes of a regular file, or all of a shorter one: for files whose readers
// use only a leading part. Anything that is no regular file gives nothing, as above, at once.
std::optional<std::string> ReadRegularFileStart(const std::filesystem::path& path, std::size_t maxBytes);
