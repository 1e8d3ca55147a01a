// Reading string values of the registry.
#include "foundation/win32/RegistryReaderWin.h"

#include <vector>

#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {

HKEY RootKey(TRegistryRoot root)
{
    switch (root) {
    case rrClassesRoot: return HKEY_CLASSES_ROOT;
    case rrCurrentUser: return HKEY_CURRENT_USER;
    case rrLocalMachine: return HKEY_LOCAL_MACHINE;
    }
    return HKEY_CURRENT_USER;
}

bool ReadValue(HKEY handle, const String& valueName, String& value)
{
    const wchar_t* name = valueName.empty() ? nullptr : WidePtr(valueName);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(handle, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        LONG status = RegQueryValueExW(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA) continue; // changed in between: ask again
        if (status != ERROR_SUCCESS) return false;
        size_t length = got / sizeof(wchar_t);
        while (length > 0 && buffer[length - 1] == L'\0') --length; // the stored terminator(s)
        value = FromWide(buffer.data(), length);
        return true;
    }
    return false;
}

} // namespace

bool TWinRegistryReader::ReadString(TRegistryRoot root, const String& key, const String& valueName, String& value) const
{
    HKEY handle;
    if (RegOpenKeyExW(RootKey(root), WidePtr(key), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    bool ok = ReadValue(handle, valueName, value);
    RegCloseKey(handle);
    return ok;
}

} // namespace quillora
