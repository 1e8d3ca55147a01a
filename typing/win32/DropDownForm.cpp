#include "typing/win32/DropDownForm.h"

#include <chrono>
#include <vector>

#include "elements/SchemeImages.h"
#include "elements/Sounds.h"
#include "foundation/ErrorHandler.h"
#include "foundation/Exceptions.h"
#include "foundation/FormPlace.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/StringIds.h"
#include "foundation/Utils.h"
#include "foundation/win32/TimingTrace.h"
#include "foundation/win32/InputWin.h"
#include "foundation/win32/WinPaths.h"
#include "foundation/win32/WindowPlacementForm.h"
#include "render/Bitmap32.h"
#include "render/Color32.h"
#include "render/win32/Bitmap32Win.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "text/Textor.h"
#include "typing/MacroElements.h"
#include "typing/SendKeys.h"
#include "typing/win32/FocusedWindowNotifier.h"
#include "typing/win32/DropDownListWindow.h"
#include "typing/win32/HookLibrary.h"

namespace quillora {

namespace {
constexpr wchar_t DropDownWindowClass[] = L"TDropDownForm";
constexpr int DesignWidth = 267;
constexpr int DesignHeight = 216;

TRect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO info {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<TMonitorArea>*>(data)->push_back(
            {ToRect(info.rcMonitor), ToRect(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

// Every monitor of the desktop; the primary work area alone when they cannot be listed.
std::vector<TMonitorArea> Monitors()
{
    std::vector<TMonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        RECT r {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
        monitors.push_back({ToRect(r), ToRect(r), true});
    }
    return monitors;
}

} // namespace

TDropDownForm::TDropDownForm(const TTypingSettings& settings, TSessionFile* sessionFile)
    : settings_(settings), hook_(std::make_unique<THookLibrary>()), notifier_(std::make_unique<TFocusedWindowNotifier>()),
      sessionFile_(sessionFile), list_(std::make_unique<TDropDownListWindow>(model_))
{
    notifier_->OnChange = [this](TFocusedWindowNotifier&) { CloseList(); };
}

TDropDownForm::~TDropDownForm()
{
    notifier_->Stop();
    hook_.reset();
    list_.reset();
    DestroyHandle();
    if (font_) DeleteObject(font_);
}

bool TDropDownForm::Create(HINSTANCE instance)
{
    TWindowClass windowClass;
    windowClass.Name = DropDownWindowClass;
    windowClass.Style = CS_SAVEBITS;
    windowClass.Background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    TWindowParams params;
    params.ExStyle = WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_STATICEDGE | WS_EX_TOOLWINDOW;
    params.Style = WS_POPUP | WS_THICKFRAME;
    params.X = 0;
    params.Y = 0;
    params.Width = DesignWidth;
    params.Height = DesignHeight;
    params.Instance = instance;
    if (!CreateHandle(windowClass, params)) return false;
    RECT client;
    GetClientRect(Handle(), &client);
    list_->OnDrawItem = [this](HDC dc, int index, const RECT& r, bool selected) { DrawItem(dc, index, r, selected); };
    list_->OnPress = [this](int) { PostMessageW(Handle(), WM_APP + 1, 0, 0); };
    list_->OnPointerMove = [this](int x, int y) { ListMouseMove(x, y); };
    if (!list_->Create(Handle(), instance, client.right, client.bottom)) return false;
    list_->SetItemHeight(itemHeight_);
    if (sessionFile_) {
        placementForm_ = std::make_unique<TWindowPlacementForm>(*this);
        formPlace_ = std::make_unique<TFormPlace>(placementForm_.get(), u"DropDownForm", sessionFile_);
        formPlace_->FormCreated();
    }
    return true;
}

void TDropDownForm::UpdateFont()
{
    const TFontData font = settings_.DropDownFont.CurrentFont();
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(font.Size, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    HFONT made = CreateFontW(height, 0, 0, 0, (font.Style & fsBold) ? FW_BOLD : FW_NORMAL, (font.Style & fsItalic) != 0,
                             (font.Style & fsUnderline) != 0, (font.Style & fsStrikeOut) != 0, font.Charset,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                             WidePtr(font.Name));
    if (!made) return;
    if (font_) DeleteObject(font_);
    font_ = made;
}

void TDropDownForm::UpdateItemHeight()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm {};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    itemHeight_ = DropDownItemHeight(tm.tmHeight);
    list_->SetItemHeight(itemHeight_);
}

int TDropDownForm::PageSize() const
{
    return list_->View().PageSize();
}

void TDropDownForm::ShowList()
{
    auto started = std::chrono::steady_clock::now();
    targetWindow_ = GetForegroundWindow();
    GetCaretScreenRect(caretRect_);
    UpdateFont();
    if (!hook_->Loaded()) {
        try {
            if (!hook_->Load()) return; // tried again at the next hotkey
        } catch (const Exception&) {
            // A missing library file: told by the application's error handler.
            HandleCurrentException();
            return;
        }
        if (!shownOnce_) {
            shownOnce_ = true;
            ShowWindow(Handle(), SW_SHOWNOACTIVATE);
            ShowWindow(Handle(), SW_HIDE);
        }
    }
    FormShow();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    hook_->HookKeys(reinterpret_cast<TWindowHandle>(Handle()), reinterpret_cast<TWindowHandle>(targetWindow_));
    hook_->SetAllowBackspace(false);
    notifier_->Start();
    TraceTiming("hotkey-to-list", started);
}

void TDropDownForm::FormShow()
{
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    TPoint at = DropDownPositionOnMonitors(caretRect_, width, height, Monitors());
    SetWindowPos(Handle(), nullptr, at.X, at.Y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (text_) model_.Open(*text_);
    else model_.Clear();
    FillList();
    UpdateItemHeight();
    if (targetWindow_) {
        DWORD thread = GetWindowThreadProcessId(targetWindow_, nullptr);
        ActivateKeyboardLayout(GetKeyboardLayout(thread), KLF_SETFORPROCESS);
    }
}

void TDropDownForm::FillList()
{
    // The list window holds no data of its own: its rows are the model's items, drawn
    // later, from the message loop.
    list_->ItemsChanged();
}

void TDropDownForm::ReleaseHook()
{
    notifier_->Stop();
    hook_->UnhookKeys();
}

void TDropDownForm::CloseList()
{
    if (!Visible()) {
        ReleaseHook();
        return;
    }
    ReleaseHook();
    if (formPlace_) formPlace_->FormCloseQuery();
    ShowWindow(Handle(), SW_HIDE);
    FormHide();
}

void TDropDownForm::FormHide()
{
    if (targetWindow_)
        PostMessageW(targetWindow_, WM_INPUTLANGCHANGEREQUEST, 0, reinterpret_cast<LPARAM>(GetKeyboardLayout(0)));
}

void TDropDownForm::HandleToken(StringView token)
{
    auto started = std::chrono::steady_clock::now();
    TTokenResult result = model_.HandleToken(token, PageSize());
    if (result == TTokenResult::FilterChanged) TraceTiming("filter-model", started);
    switch (result) {
    case TTokenResult::Choose:
        ChooseItem();
        break;
    case TTokenResult::Close:
        CloseList();
        break;
    case TTokenResult::Beep:
        MessageBeep(0);
        break;
    case TTokenResult::FilterChanged:
        hook_->SetAllowBackspace(!model_.Filter().empty());
        FillList();
        TraceTiming("filter-rebuild", started);
        if (TimingTraced()) {
            // For the measurement: the paint that the message loop would do next, now.
            UpdateWindow(list_->Handle());
            TraceFigure("filter-painted",
                        std::chrono::duration<double, std::milli>(list_->RowsShownAt() - started).count(), "ms");
            TraceTiming("filter-scrollbar", started);
        }
        break;
    case TTokenResult::SelectionMoved:
        list_->SelectionChanged();
        break;
    case TTokenResult::None:
        break;
    }
}

void TDropDownForm::ChooseItem()
{
    StartTimingSpan();
    HWND target = targetWindow_ ? targetWindow_ : GetForegroundWindow();
    const TParagraph* paragraph = model_.SelectedParagraph();
    int filterLength = static_cast<int>(model_.Filter().size());
    CloseList();
    DWORD processId = 0;
    if (!paragraph || GetWindowThreadProcessId(target, &processId) == 0) return;
    // Input into a window of a process with higher rights is dropped without an error:
    // rather say so (once for each such process) than type into nothing.
    if (!Service<TFocusTarget>().AcceptsInput(reinterpret_cast<TWindowHandle>(target))) {
        if (refusedTargets_.FirstRefusal(processId)) {
            wchar_t caption[256] = {};
            const int n = GetWindowTextW(target, caption, 256);
            ShowMessageBox(FormatString(sidTargetRefusesInput, {FromWide(caption, static_cast<size_t>(n))}), {},
                           mbIconWarning);
        }
        return;
    }
    PlaySchemeSound(u"diClassesValueSound");
    if (OnType) OnType(filterLength, *paragraph);
    TraceSinceSpanStart("typing-done");
}

void TDropDownForm::ListMouseMove(int x, int y)
{
    POINT now;
    GetCursorPos(&now);
    if (!model_.PointerMoved(ToPoint(now))) return;
    int count = model_.Count();
    if (count == 0) return;
    const TDropDownListView& view = list_->View();
    int hit = view.ItemAt(y);
    int index = hit >= 0 ? hit : (y >= 0 ? count - 1 : 0);
    int top = view.Top();
    if (y < itemHeight_ / 3 && top > 0) index = top - 1;
    model_.SetSelection(index);
    list_->SelectionChanged();
}

void TDropDownForm::DrawItem(HDC dc, int index, const RECT& r, bool selected)
{
    if (index < 0 || index >= model_.Count()) return;
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    COLORREF textColor = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    auto toColor32 = [](COLORREF c) { return Color32(GetRValue(c), GetGValue(c), GetBValue(c)); };
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));

    // The row is composed in a bitmap (key images are blended), then the texts go on top.
    TBitmap32& row = rowBitmap_;
    if (row.Width() != width || row.Height() != height) row.SetSize(width, height);
    row.Clear(toColor32(back));
    struct TTextRun {
        int X;
        String Chars;
    };
    std::vector<TTextRun> texts;
    int x = 22;
    const TParagraph* paragraph = model_.Item(index).Paragraph;
    for (TPortion* p = paragraph->FirstPortion(); p; p = p->Next()) {
        if (auto* text = dynamic_cast<TTextPortion*>(p)) {
            String chars(static_cast<size_t>(text->Length()), u'\0');
            chars.resize(static_cast<size_t>(text->GetText(0, text->Length(), chars.data())));
            SIZE size {};
            GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(chars.data()), static_cast<int>(chars.size()),
                                  &size);
            texts.push_back({x, std::move(chars)});
            x += size.cx + 1;
            continue;
        }
        auto* portion = dynamic_cast<TElementPortion*>(p);
        TVisualElement* element = portion ? portion->Element() : nullptr;
        if (!element) continue;
        if (&element->GetClass() == &TElement_Caret::Class()) {
            row.FillRect({x, 2, x + 2, height - 2}, toColor32(textColor));
            x += 4;
        } else if (auto* macro = dynamic_cast<TCustomMacroElement*>(element)) {
            if (const TBitmap32* image = SchemeSmallImages().GetImage(macro->GetImageIndex()))
                row.Draw(x - 1, 1 + (height - image->Height()) / 2, *image);
            x += 16;
        }
    }
    CopyBitmapToDC(row, dc, r.left, r.top);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    for (const TTextRun& run : texts)
        TextOutW(dc, r.left + run.X, r.top + 1, reinterpret_cast<const wchar_t*>(run.Chars.data()),
                 static_cast<int>(run.Chars.size()));
    SelectObject(dc, oldFont);
}

LRESULT TDropDownForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NULL: {
        // A token of the keyboard hook: its text is the name of a global atom.
        ATOM atom = static_cast<ATOM>(lParam & 0xFFFF);
        if (!atom) return 0;
        size_t length = static_cast<size_t>(wParam);
        if (length > 255) length = 255;
        wchar_t buffer[257] {};
        UINT n = GlobalGetAtomNameW(atom, buffer, static_cast<int>(length + 1));
        GlobalDeleteAtom(atom);
        HandleToken(StringView(reinterpret_cast<const Char*>(buffer), n));
        return 0;
    }
    case WM_APP + 1:
        ChooseItem();
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && Visible()) CloseList();
        break;
    case WM_SIZE:
        if (list_->Handle()) MoveWindow(list_->Handle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    default:
        break;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

} // namespace quillora
