// SPDX-License-Identifier: Apache-2.0
#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// A regular file opened for reading, with its size then; an invalid descriptor for anything else.
FileDescriptor OpenRegularFile(const std::filesystem::path& path, std::size_t& size)
{
    // O_NONBLOCK: opening a named pipe must not wait for a writer. It changes nothing for
    // regular files, the only kind read.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status
    {
    };
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return FileDescriptor(-1);
    size = static_cast<std::size_t>(status.st_size);
    return file;
}

// Reads until the end of the file or until `limit` bytes, starting with room for `expected`;
// nothing on a read error.
std::optional<std::string> ReadUpTo(const FileDescriptor& file, std::size_t expected, std::size_t limit)
{
    std::string bytes(std::min(expected, limit), '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (bytes.size() >= limit)
                break;
            bytes.resize(std::min(std::max<std::size_t>(bytes.size() * 2, 1), limit));
        }
        const ssize_t n = ::read(file.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

} // namespace

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    std::size_t size = 0;
    const FileDescriptor file = OpenRegularFile(path, size);
    if (file.get() < 0 || size > maxBytes)
        return std::nullopt;
    // The file may grow while it is read: read one byte past the limit to notice.
    std::optional<std::string> bytes = ReadUpTo(file, size + 1, maxBytes + 1);
    if (bytes && bytes->size() > maxBytes)
        return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadRegularFileStart(const std::filesystem::path& path, std::size_t maxBytes)
{
    std::size_t size = 0;
    const FileDescriptor file = OpenRegularFile(path, size);
    if (file.get() < 0)
        return std::nullopt;
    return ReadUpTo(file, size, maxBytes);
}
