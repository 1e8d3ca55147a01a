// The native implementation; the Windows build has win32/FilesWin.cpp instead.
#include "foundation/Files.h"

#ifndef _WIN32

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>

#include "foundation/Exceptions.h"
#include "foundation/Localization.h"

namespace quillora {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void RaiseErrno(int code)
{
    throw PlatformError(Utf8ToString(std::strerror(code)), code);
}
} // namespace

bool FileExists(const String& fileName)
{
    struct stat st {};
    return ::stat(StringToUtf8(fileName).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ReadWholeFile(const String& fileName)
{
    FilePtr f(std::fopen(StringToUtf8(fileName).c_str(), "rb"));
    if (!f) {
        int code = errno;
        if (code == ENOENT || code == ENOTDIR) RaiseFileNotFound(fileName);
        RaiseErrno(code);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        size_t n = std::fread(buffer, 1, sizeof buffer, f.get());
        bytes.append(buffer, n);
        if (n < sizeof buffer) break;
    }
    if (std::ferror(f.get())) RaiseErrno(errno ? errno : EIO);
    return bytes;
}

void WriteWholeFile(const String& fileName, std::string_view bytes)
{
    FilePtr f(std::fopen(StringToUtf8(fileName).c_str(), "wb"));
    if (!f) RaiseErrno(errno);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) RaiseErrno(errno ? errno : EIO);
    std::FILE* raw = f.release();
    if (std::fclose(raw) != 0) RaiseErrno(errno ? errno : EIO);
}

bool GetFileLastWriteTime(const String& fileName, int64_t& unixSeconds)
{
    struct stat st {};
    if (::stat(StringToUtf8(fileName).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    unixSeconds = static_cast<int64_t>(st.st_mtime);
    return true;
}

bool SetFileLastWriteTime(const String& fileName, int64_t unixSeconds)
{
    struct timespec times[2] {};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(unixSeconds);
    return ::utimensat(AT_FDCWD, StringToUtf8(fileName).c_str(), times, 0) == 0;
}

bool CopyFileReplacing(const String& source, const String& dest)
{
    struct stat st {};
    std::string from = StringToUtf8(source);
    if (::stat(from.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    try {
        WriteWholeFile(dest, ReadWholeFile(source));
    } catch (const Exception&) {
        return false;
    }
    struct timespec times[2] {};
    times[0].tv_nsec = UTIME_OMIT;
    times[1] = st.st_mtim;
    ::utimensat(AT_FDCWD, StringToUtf8(dest).c_str(), times, 0);
    return true;
}

} // namespace quillora

#endif
