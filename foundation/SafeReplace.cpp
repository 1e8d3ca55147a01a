// The native implementation; the Windows build has win32/SafeReplaceWin.cpp instead.
#ifndef _WIN32

#include "foundation/SafeReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "foundation/Exceptions.h"

namespace quillora {

namespace {
String ErrorText(int code) { return Utf8ToString(std::strerror(code)); }

// The folder part of a path ("." when there is none).
std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}
} // namespace

void FlushFileToDisk(const String& fileName)
{
    int fd = ::open(StringToUtf8(fileName).c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        int code = errno;
        throw PlatformError(ErrorText(code), code);
    }
    int result = ::fsync(fd);
    int code = errno;
    ::close(fd);
    if (result != 0) throw PlatformError(ErrorText(code), code);
}

bool ReplaceFileAtomically(const String& source, const String& target, TReplaceError& error)
{
    std::string to = StringToUtf8(target);
    // rename() replaces a file whatever its own permissions (they guard its content,
    // the folder guards its name), and it cannot put a file over a folder.
    if (std::rename(StringToUtf8(source).c_str(), to.c_str()) != 0) {
        error.Code = errno;
        error.Text = ErrorText(errno);
        return false;
    }
    // Make the new name durable too; a folder that cannot be synchronised changes nothing.
    int dir = ::open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool RemoveFile(const String& fileName) { return ::unlink(StringToUtf8(fileName).c_str()) == 0; }

} // namespace quillora

#endif
