// Quillora.exe: start-up, the message loop and shutdown.
#include "foundation/win32/WinInclude.h"

#include "foundation/Localization.h"

namespace {

constexpr wchar_t kMainWindowClass[] = L"TAppMainForm";

std::wstring ToWide(const quillora::String& s)
{
    return std::wstring(s.begin(), s.end());
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    quillora::TLocalization& localization = quillora::Localization();
    localization.SetFallbackLanguage(quillora::LangEnglish);
    localization.SetLanguage(quillora::LangEnglish);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kMainWindowClass;
    if (!RegisterClassExW(&wc)) return 1;

    std::wstring title = ToWide(quillora::LoadString(quillora::TitleStringId));
    if (title.empty()) title = L"Quillora";
    HWND main = CreateWindowExW(0, kMainWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    if (!main) return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
