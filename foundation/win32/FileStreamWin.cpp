// TFileStream over Win32 file handles and UTF-16 names.
#include "foundation/FileStream.h"

#include "foundation/Exceptions.h"
#include "foundation/Localization.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {
[[noreturn]] void RaiseFileError(const char16_t* what, const String& fileName, DWORD error)
{
    throw PlatformError(String(what) + u" \"" + fileName + u"\". " + SystemErrorText(error), static_cast<long>(error));
}
HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
} // namespace

std::unique_ptr<TFileStream> TFileStream::CreateNew(const String& fileName)
{
    HANDLE h = CreateFileW(WidePtr(fileName), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return nullptr;
        // A folder of that name answers "access denied".
        if (error == ERROR_ACCESS_DENIED && GetFileAttributesW(WidePtr(fileName)) != INVALID_FILE_ATTRIBUTES)
            return nullptr;
        if (error == ERROR_PATH_NOT_FOUND) RaisePathNotFound(fileName);
        RaiseFileError(u"Cannot create file", fileName, error);
    }
    return std::unique_ptr<TFileStream>(new TFileStream(fileName, reinterpret_cast<intptr_t>(h)));
}

TFileStream::~TFileStream()
{
    if (IsOpen()) CloseHandle(AsHandle(handle_));
}

void TFileStream::Write(const void* bytes, size_t count)
{
    if (!IsOpen()) RaiseFileError(u"Cannot write to the closed file", fileName_, ERROR_INVALID_HANDLE);
    const char* p = static_cast<const char*>(bytes);
    while (count > 0) {
        DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
        DWORD written = 0;
        if (!WriteFile(AsHandle(handle_), p, chunk, &written, nullptr) || written == 0)
            RaiseFileError(u"Cannot write to file", fileName_, GetLastError());
        p += written;
        count -= written;
    }
}

void TFileStream::Close()
{
    if (!IsOpen()) return;
    HANDLE h = AsHandle(handle_);
    handle_ = InvalidHandle;
    if (!CloseHandle(h)) RaiseFileError(u"Cannot write to file", fileName_, GetLastError());
}

} // namespace quillora
