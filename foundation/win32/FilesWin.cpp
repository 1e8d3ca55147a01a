// Whole-file reading and writing through the UTF-16 file API.
#include <windows.h>

#include <algorithm>

#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"

namespace quillora {

namespace {
const wchar_t* WidePath(const String& fileName) { return reinterpret_cast<const wchar_t*>(fileName.c_str()); }

String SystemMessage(DWORD code)
{
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    String text;
    if (n && buffer) text.assign(reinterpret_cast<const char16_t*>(buffer), n);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    if (text.empty()) text = u"System error " + IntToString(static_cast<long long>(code));
    return text;
}

[[noreturn]] void RaiseLastError(DWORD code) { throw PlatformError(SystemMessage(code), static_cast<long>(code)); }

struct HandleCloser {
    HANDLE h;
    ~HandleCloser() { CloseHandle(h); }
};
} // namespace

bool FileExists(const String& fileName)
{
    DWORD attributes = GetFileAttributesW(WidePath(fileName));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const String& fileName)
{
    HANDLE h = CreateFileW(WidePath(fileName), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) RaiseFileNotFound(fileName);
        RaiseLastError(code);
    }
    HandleCloser closer{h};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) RaiseLastError(GetLastError());
    std::string bytes;
    bytes.reserve(static_cast<size_t>(size.QuadPart));
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(h, buffer, sizeof buffer, &read, nullptr)) RaiseLastError(GetLastError());
        if (read == 0) break;
        bytes.append(buffer, read);
    }
    return bytes;
}

void WriteWholeFile(const String& fileName, std::string_view bytes)
{
    HANDLE h = CreateFileW(WidePath(fileName), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) RaiseLastError(GetLastError());
    HandleCloser closer{h};
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr)) RaiseLastError(GetLastError());
        done += written;
    }
}

namespace {
// FILETIME counts 100-nanosecond steps from 1601-01-01 UTC.
constexpr int64_t FileTimeUnixOffset = 11644473600LL;

int64_t FileTimeToUnix(const FILETIME& ft)
{
    int64_t ticks = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return ticks / 10000000 - FileTimeUnixOffset;
}
} // namespace

bool GetFileLastWriteTime(const String& fileName, int64_t& unixSeconds)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!GetFileAttributesExW(WidePath(fileName), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    unixSeconds = FileTimeToUnix(data.ftLastWriteTime);
    return true;
}

bool SetFileLastWriteTime(const String& fileName, int64_t unixSeconds)
{
    HANDLE h = CreateFileW(WidePath(fileName), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    HandleCloser closer {h};
    int64_t ticks = (unixSeconds + FileTimeUnixOffset) * 10000000;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
    return SetFileTime(h, nullptr, nullptr, &ft) != 0;
}

bool CopyFileReplacing(const String& source, const String& dest)
{
    return CopyFileW(WidePath(source), WidePath(dest), FALSE) != 0;
}

} // namespace quillora
