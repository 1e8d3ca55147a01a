// Reading the registry: string values, and the names of subkeys and values.
#include "foundation/win32/RegistryReaderWin.h"

#include <algorithm>
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

// An open key, closed when it goes.
class TOpenKey {
public:
    TOpenKey(TRegistryRoot root, const String& key)
    {
        if (RegOpenKeyExW(RootKey(root), WidePtr(key), 0, KEY_READ, &handle_) != ERROR_SUCCESS) handle_ = nullptr;
    }
    ~TOpenKey()
    {
        if (handle_) RegCloseKey(handle_);
    }
    TOpenKey(const TOpenKey&) = delete;
    TOpenKey& operator=(const TOpenKey&) = delete;
    HKEY Handle() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

// The names that RegEnumKeyExW (subkeys) or RegEnumValueW (values) give, index by index
// until ERROR_NO_MORE_ITEMS. A name longer than the key said when asked (changed in
// between) is asked again with room for it.
std::vector<String> EnumerateNames(HKEY handle, bool subKeys)
{
    std::vector<String> names;
    DWORD maxSubKey = 0, maxValueName = 0;
    if (RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, nullptr, &maxSubKey, nullptr, nullptr, &maxValueName,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<wchar_t> buffer(std::max<DWORD>(subKeys ? maxSubKey : maxValueName, 255) + 2);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LONG status = subKeys ? RegEnumKeyExW(handle, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)
                              : RegEnumValueW(handle, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA && buffer.size() < 32768) {
            buffer.resize(32768 + 2); // the longest name the registry allows
            --index;
            continue;
        }
        if (status != ERROR_SUCCESS) break; // ERROR_NO_MORE_ITEMS, or the key went away
        if (subKeys || length > 0) names.push_back(FromWide(buffer.data(), length));
    }
    return names;
}

} // namespace

bool TWinRegistryReader::KeyExists(TRegistryRoot root, const String& key) const
{
    return TOpenKey(root, key).Handle() != nullptr;
}

bool TWinRegistryReader::GetSubKeyNames(TRegistryRoot root, const String& key, std::vector<String>& names) const
{
    names.clear();
    TOpenKey open(root, key);
    if (!open.Handle()) return false;
    names = EnumerateNames(open.Handle(), true);
    return true;
}

bool TWinRegistryReader::GetValueNames(TRegistryRoot root, const String& key, std::vector<String>& names) const
{
    names.clear();
    TOpenKey open(root, key);
    if (!open.Handle()) return false;
    names = EnumerateNames(open.Handle(), false);
    return true;
}

bool TWinRegistryReader::ReadString(TRegistryRoot root, const String& key, const String& valueName, String& value) const
{
    HKEY handle;
    if (RegOpenKeyExW(RootKey(root), WidePtr(key), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    bool ok = ReadValue(handle, valueName, value);
    RegCloseKey(handle);
    return ok;
}

} // namespace quillora
