// Replacing files through MoveFileExW with write-through.
#include "foundation/win32/WinInclude.h"

#include "foundation/Exceptions.h"
#include "foundation/SafeReplace.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

void FlushFileToDisk(const String& fileName)
{
    HANDLE h = CreateFileW(WidePtr(fileName), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        throw PlatformError(SystemErrorText(code), static_cast<long>(code));
    }
    BOOL flushed = FlushFileBuffers(h);
    DWORD code = GetLastError();
    CloseHandle(h);
    if (!flushed) throw PlatformError(SystemErrorText(code), static_cast<long>(code));
}

bool ReplaceFileAtomically(const String& source, const String& target, TReplaceError& error)
{
    // MoveFileExW refuses a read-only target: lift the attribute for the move and put
    // it back when the move fails, so that a failure leaves the target as it was.
    DWORD attributes = GetFileAttributesW(WidePtr(target));
    bool liftedReadOnly = false;
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        (attributes & FILE_ATTRIBUTE_READONLY)) {
        DWORD plain = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
        liftedReadOnly = SetFileAttributesW(WidePtr(target), plain ? plain : FILE_ATTRIBUTE_NORMAL) != 0;
    }
    if (MoveFileExW(WidePtr(source), WidePtr(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DWORD code = GetLastError();
    if (liftedReadOnly) SetFileAttributesW(WidePtr(target), attributes);
    error.Code = static_cast<long>(code);
    error.Text = SystemErrorText(code);
    return false;
}

bool RemoveFile(const String& fileName) { return DeleteFileW(WidePtr(fileName)) != 0; }

} // namespace quillora
