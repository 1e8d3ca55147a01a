#include "shell/win32/AppStartup.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "foundation/Utils.h"
#include "foundation/win32/CursorServiceWin.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {
TProcessValues* values = nullptr;
HANDLE instanceMutex = nullptr;
}

TProcessValues& ProcessValues()
{
    if (!values) {
        values = new TProcessValues;
        values->ExeBaseName = GetBaseName(ModuleFileName());
        values->HotKeyAtom = GlobalAddAtomW(WidePtr(values->ExeBaseName + u"HotKey"));
        values->DropDownHotKeyAtom = GlobalAddAtomW(L"QuilloraDropDownHotKeyAtom");
        values->FocusedWindowMessage = RegisterWindowMessageW(L"QuilloraFocusedWindowMessage");
    }
    return *values;
}

void FinalizeProcessValues()
{
    if (!values) return;
    if (values->HotKeyAtom) GlobalDeleteAtom(values->HotKeyAtom);
    if (values->DropDownHotKeyAtom) GlobalDeleteAtom(values->DropDownHotKeyAtom);
    delete values;
    values = nullptr;
}

void LoadProgramCursors()
{
    static const struct {
        TCursor Index;
        LPCWSTR Name;
        TCursor Fallback;
    } cursors[] = {
        {2, L"diExpandButtonCursor", crHandPoint},      {10, L"crTextorFieldBeam", crIBeam},
        {11, L"crTextorFieldElementsBeam", crIBeam},    {12, L"crTextorFieldDropDownBeam", crIBeam},
        {13, L"crTextorContainerBeam", crIBeam},        {14, L"crTextorContainerTextBeam", crIBeam},
        {15, L"crTextorLeftZone", crArrow},             {16, L"crTextorDragMove", crArrow},
        {17, L"crTextorDragCopy", crArrow},
    };
    for (const auto& cursor : cursors) LoadCursorResource(cursor.Index, cursor.Name, cursor.Fallback);
}

bool IsAnotherInstanceRunning()
{
    const String& name = ProcessValues().ExeBaseName;
    SetLastError(0);
    HANDLE mutex = CreateMutexW(nullptr, TRUE, WidePtr(name));
    if (mutex && GetLastError() == 0) {
        instanceMutex = mutex; // held until the process ends
        return false;
    }
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    String title = LoadString(TitleStringId);
    HWND window = FindWindowW(L"TAppMainForm", WidePtr(title));
    if (window) PostMessageW(window, WM_SHOWINSTANCE, 0, 0);
    return true;
}

void CreateAnnouncementMutexes(const String& name)
{
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes {sizeof(attributes), &descriptor, FALSE};
    CreateMutexW(&attributes, FALSE, WidePtr(name));
    CreateMutexW(&attributes, FALSE, WidePtr(u"Global\\" + name));
}

String ReadVersionValue(const String& name)
{
    String exe = ModuleFileName();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(WidePtr(exe), &handle);
    if (!size) return {};
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(WidePtr(exe), 0, size, block.data())) return {};
    struct Translation {
        WORD Language;
        WORD CodePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation))
        return {};
    wchar_t prefix[64];
    wsprintfW(prefix, L"\\StringFileInfo\\%04x%04x\\", translation->Language, translation->CodePage);
    std::wstring path = std::wstring(prefix) + WidePtr(name);
    wchar_t* value = nullptr;
    UINT n = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &n) || !value || n == 0) return {};
    String text = FromWide(value, n);
    while (!text.empty() && text.back() == 0) text.pop_back();
    return text;
}

void ReadVersionNames(String& companyName, String& productName)
{
    companyName = ReadVersionValue(u"CompanyName");
    productName = ReadVersionValue(u"ProductName");
}

namespace {
String ShellFolder(int id)
{
    wchar_t path[MAX_PATH] {};
    if (FAILED(SHGetFolderPathW(nullptr, id | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return IncludeTrailingPathDelimiter(FromWide(path, wcslen(path)));
}
} // namespace

TFilePaths SetupFilePaths()
{
    String company, product;
    ReadVersionNames(company, product);
    String programFolder = GetProgramFolder();
    String dataFolder = programFolder;
    String appData = ShellFolder(CSIDL_LOCAL_APPDATA);
    if (!company.empty() && !product.empty() && !appData.empty()) {
        String folder = appData + company + u"\\" + product + u"\\";
        if (ForceFolders(folder)) dataFolder = folder;
    }
    String docFolder = programFolder;
    String documents = ShellFolder(CSIDL_PERSONAL);
    if (!product.empty() && !documents.empty()) docFolder = documents + product + u"\\";
    return ComputeFilePaths(dataFolder, docFolder, ProcessValues().ExeBaseName);
}

String GetStartupFolder()
{
    HKEY key = nullptr;
    String result;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) == ERROR_SUCCESS) {
        wchar_t buffer[MAX_PATH * 2] {};
        DWORD size = sizeof(buffer) - sizeof(wchar_t), type = 0;
        if (RegQueryValueExW(key, L"Startup", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ))
            result = FromWide(buffer, wcslen(buffer));
        RegCloseKey(key);
    }
    return IncludeTrailingPathDelimiter(result);
}

namespace {
// The shell link object and its two interfaces.
const GUID ShellLinkClassId = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID ShellLinkWId = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID PersistFileId = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
} // namespace

String GetStartupShortcutPath() { return GetStartupFolder() + ProcessValues().ExeBaseName + u".lnk"; }

bool CreateShortcut(const String& target, const String& linkFile, const String& arguments, const String& description)
{
    bool initialized = SUCCEEDED(CoInitialize(nullptr));
    bool ok = false;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(ShellLinkClassId, nullptr, CLSCTX_INPROC_SERVER, ShellLinkWId,
                                   reinterpret_cast<void**>(&link)))) {
        link->SetPath(WidePtr(target));
        link->SetArguments(WidePtr(arguments));
        link->SetDescription(WidePtr(description));
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(PersistFileId, reinterpret_cast<void**>(&file)))) {
            ok = SUCCEEDED(file->Save(WidePtr(linkFile), FALSE));
            file->Release();
        }
        link->Release();
    }
    if (initialized) CoUninitialize();
    return ok;
}

void ApplyAutoStart(bool autoStart)
{
    String path = GetStartupShortcutPath();
    bool exists = FileExists(path);
    if (autoStart == exists) return;
    if (autoStart) {
        CreateShortcut(ModuleFileName(), path, {}, {});
    } else {
        SetFileAttributesW(WidePtr(path), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(WidePtr(path));
    }
}

} // namespace quillora
