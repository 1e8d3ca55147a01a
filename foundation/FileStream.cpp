// TFileStream over POSIX file descriptors (the Windows build has its own).
#ifndef _WIN32

#include "foundation/FileStream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "foundation/Exceptions.h"
#include "foundation/Localization.h"

namespace quillora {

namespace {
[[noreturn]] void RaiseFileError(const char* what, const String& fileName, int error)
{
    throw PlatformError(Utf8ToString(what) + u" \"" + fileName + u"\". " + Utf8ToString(std::strerror(error)), error);
}
} // namespace

std::unique_ptr<TFileStream> TFileStream::CreateNew(const String& fileName)
{
    std::string path = StringToUtf8(fileName);
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        int error = errno;
        if (error == EEXIST) return nullptr;
        if (error == ENOENT || error == ENOTDIR) RaisePathNotFound(fileName);
        RaiseFileError("Cannot create file", fileName, error);
    }
    return std::unique_ptr<TFileStream>(new TFileStream(fileName, fd));
}

TFileStream::~TFileStream()
{
    if (IsOpen()) ::close(static_cast<int>(handle_));
}

void TFileStream::Write(const void* bytes, size_t count)
{
    if (!IsOpen()) RaiseFileError("Cannot write to the closed file", fileName_, EBADF);
    const char* p = static_cast<const char*>(bytes);
    while (count > 0) {
        ssize_t n = ::write(static_cast<int>(handle_), p, count);
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseFileError("Cannot write to file", fileName_, errno);
        }
        p += n;
        count -= static_cast<size_t>(n);
    }
}

void TFileStream::Close()
{
    if (!IsOpen()) return;
    int fd = static_cast<int>(handle_);
    handle_ = InvalidHandle;
    if (::close(fd) != 0) RaiseFileError("Cannot write to file", fileName_, errno);
}

} // namespace quillora

#endif
