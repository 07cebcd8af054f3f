// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "skin/PictureFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

// A program folder of its own for a skin fuzz target, removed when the fuzzer exits. Its image
// folder holds a picture (2 x 2 pixels), the start of one, an empty file, a pipe, a link to
// /dev/zero and a file over the size limit, so that a skin can name each of them.
struct FuzzFolder
{
    explicit FuzzFolder(const std::string& target)
    {
        std::string name = "/tmp/quillane-fuzz-" + target + "-XXXXXX";
        if (!::mkdtemp(name.data()))
            std::abort();
        root = name;
        const std::filesystem::path images = root / "Image";
        std::filesystem::create_directory(images);
        // clang-format off
        static constexpr unsigned char kPicture[] = {
            'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,              // file header
            40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, // info header
            16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
            0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0, // two rows, padded to 4
        };
        // clang-format on
        std::ofstream(images / "picture.bmp", std::ios::binary)
            .write(reinterpret_cast<const char*>(kPicture), sizeof kPicture);
        std::ofstream(images / "normal.bmp", std::ios::binary) << "BM";
        std::ofstream(images / "empty.bmp", std::ios::binary);
        std::ofstream(images / "huge.bmp", std::ios::binary);
        std::filesystem::resize_file(images / "huge.bmp", kMaxPictureFileBytes + 1);
        ::mkfifo((images / "pipe.bmp").c_str(), 0600);
        std::filesystem::create_symlink("/dev/zero", images / "zero.bmp");
    }
    ~FuzzFolder() { std::filesystem::remove_all(root); }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    std::filesystem::path root;
};
