// The caret of a program that draws its own and exposes it only through UI Automation's
// text pattern, as newer editors and browsers do: a window of the test answers
// WM_GETOBJECT with a provider whose text pattern has a caret range, and the caret
// rectangle that places the drop-down list is read from it.
#include <gtest/gtest.h>

#include "foundation/win32/WinInclude.h"

#include <ole2.h>
#include <uiautomationcore.h>

#include <string>
#include <vector>

#include "typing/SendKeys.h"
#include "typing/win32/KeyInputWin.h"
#include "win32/TestWindows.h"

using namespace quillora;
using namespace quillora::test;

namespace {

constexpr int TextPatternId = 10014;
constexpr int TextPattern2Id = 10024;
constexpr LONG RootObjectId = -25; // UiaRootObjectId

// {d6dd68d1-86fd-4332-8666-9abedea2d24c} (here: the compiler's uuid library would bring a
// second definition of the accessibility identifiers)
constexpr IID IidRawElementProviderSimple = {0xd6dd68d1, 0x86fd, 0x4332, {0x86, 0x66, 0x9a, 0xbe, 0xde, 0xa2, 0xd2, 0x4c}};
// {5347ad7b-c355-46f8-aff5-909033582f63}
constexpr IID IidTextRangeProvider = {0x5347ad7b, 0xc355, 0x46f8, {0xaf, 0xf5, 0x90, 0x90, 0x33, 0x58, 0x2f, 0x63}};
// {3589c92c-63f3-4367-99bb-ada653b77cf2}
constexpr IID IidTextProvider = {0x3589c92c, 0x63f3, 0x4367, {0x99, 0xbb, 0xad, 0xa6, 0x53, 0xb7, 0x7c, 0xf2}};
// {0dc5e6ed-3e16-4bf1-8f9a-a979878bc195}
constexpr IID IidTextProvider2 = {0x0dc5e6ed, 0x3e16, 0x4bf1, {0x8f, 0x9a, 0xa9, 0x79, 0x87, 0x8b, 0xc1, 0x95}};

// What the provider side saw, for the report of a platform that does not get there.
struct TCalls {
    std::vector<int> patternsAsked;
    int caretRangeCalls = 0;
    int rectangleCalls = 0;
};

// The provider interfaces, not in the compiler's headers: declared in their order.
struct ITextRangeProviderDecl : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Clone(ITextRangeProviderDecl** copy) = 0;
    virtual HRESULT STDMETHODCALLTYPE Compare(ITextRangeProviderDecl*, BOOL*) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareEndpoints(int, ITextRangeProviderDecl*, int, int*) = 0;
    virtual HRESULT STDMETHODCALLTYPE ExpandToEnclosingUnit(int) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAttribute(int, VARIANT, BOOL, ITextRangeProviderDecl**) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindText(BSTR, BOOL, BOOL, ITextRangeProviderDecl**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAttributeValue(int, VARIANT*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBoundingRectangles(SAFEARRAY** rectangles) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetEnclosingElement(IRawElementProviderSimple**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetText(int, BSTR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE Move(int, int, int*) = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveEndpointByUnit(int, int, int, int*) = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveEndpointByRange(int, ITextRangeProviderDecl*, int) = 0;
    virtual HRESULT STDMETHODCALLTYPE Select() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddToSelection() = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveFromSelection() = 0;
    virtual HRESULT STDMETHODCALLTYPE ScrollIntoView(BOOL) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChildren(SAFEARRAY**) = 0;
};

struct TUiaPoint {
    double x, y;
};

struct ITextProvider2Decl : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetSelection(SAFEARRAY**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVisibleRanges(SAFEARRAY**) = 0;
    virtual HRESULT STDMETHODCALLTYPE RangeFromChild(IRawElementProviderSimple*, ITextRangeProviderDecl**) = 0;
    virtual HRESULT STDMETHODCALLTYPE RangeFromPoint(TUiaPoint, ITextRangeProviderDecl**) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DocumentRange(ITextRangeProviderDecl**) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SupportedTextSelection(int*) = 0;
    virtual HRESULT STDMETHODCALLTYPE RangeFromAnnotation(IRawElementProviderSimple*, ITextRangeProviderDecl**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaretRange(BOOL* active, ITextRangeProviderDecl** range) = 0;
};

// The caret: a range without extent whose one rectangle is the bar the window draws.
class TCaretRange : public ITextRangeProviderDecl {
public:
    TCaretRange(RECT bar, TCalls& calls) : bar_(bar), calls_(calls) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IidTextRangeProvider) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // lives in the test's scope
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Clone(ITextRangeProviderDecl** copy) override
    {
        *copy = this;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Compare(ITextRangeProviderDecl*, BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CompareEndpoints(int, ITextRangeProviderDecl*, int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ExpandToEnclosingUnit(int) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FindAttribute(int, VARIANT, BOOL, ITextRangeProviderDecl**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindText(BSTR, BOOL, BOOL, ITextRangeProviderDecl**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributeValue(int, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBoundingRectangles(SAFEARRAY** rectangles) override
    {
        ++calls_.rectangleCalls;
        *rectangles = SafeArrayCreateVector(VT_R8, 0, 4);
        if (!*rectangles) return E_OUTOFMEMORY;
        double* values = nullptr;
        SafeArrayAccessData(*rectangles, reinterpret_cast<void**>(&values));
        values[0] = bar_.left;
        values[1] = bar_.top;
        values[2] = bar_.right - bar_.left;
        values[3] = bar_.bottom - bar_.top;
        SafeArrayUnaccessData(*rectangles);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetEnclosingElement(IRawElementProviderSimple**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetText(int, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Move(int, int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MoveEndpointByUnit(int, int, int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MoveEndpointByRange(int, ITextRangeProviderDecl*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Select() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddToSelection() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveFromSelection() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ScrollIntoView(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChildren(SAFEARRAY**) override { return E_NOTIMPL; }

private:
    RECT bar_;
    TCalls& calls_;
};

class TTextProvider : public ITextProvider2Decl {
public:
    TTextProvider(TCaretRange& caret, TCalls& calls) : caret_(caret), calls_(calls) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IidTextProvider || iid == IidTextProvider2) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetSelection(SAFEARRAY** ranges) override
    {
        *ranges = SafeArrayCreateVector(VT_UNKNOWN, 0, 1);
        if (!*ranges) return E_OUTOFMEMORY;
        LONG index = 0;
        return SafeArrayPutElement(*ranges, &index, static_cast<IUnknown*>(&caret_));
    }
    HRESULT STDMETHODCALLTYPE GetVisibleRanges(SAFEARRAY**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RangeFromChild(IRawElementProviderSimple*, ITextRangeProviderDecl**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE RangeFromPoint(TUiaPoint, ITextRangeProviderDecl**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_DocumentRange(ITextRangeProviderDecl**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_SupportedTextSelection(int* selection) override
    {
        *selection = 1; // single
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RangeFromAnnotation(IRawElementProviderSimple*, ITextRangeProviderDecl**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetCaretRange(BOOL* active, ITextRangeProviderDecl** range) override
    {
        ++calls_.caretRangeCalls;
        *active = TRUE;
        *range = &caret_;
        return S_OK;
    }

private:
    TCaretRange& caret_;
    TCalls& calls_;
};

using THostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using TReturnRawElementProvider = LRESULT(WINAPI*)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);

// The window's element: a text control with the text pattern.
class TElementProvider : public IRawElementProviderSimple {
public:
    TElementProvider(TTextProvider& text, TCalls& calls, THostProviderFromHwnd host) : text_(text), calls_(calls), host_(host)
    {
    }
    HWND window = nullptr;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IidRawElementProviderSimple) {
            *out = static_cast<IRawElementProviderSimple*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override
    {
        *options = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** provider) override
    {
        calls_.patternsAsked.push_back(pattern);
        *provider = nullptr;
        if (pattern == TextPatternId || pattern == TextPattern2Id) {
            *provider = static_cast<IUnknown*>(&text_);
            text_.AddRef();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT* value) override
    {
        VariantInit(value);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override
    {
        *host = nullptr;
        return host_ && window ? host_(window, host) : S_OK;
    }

private:
    TTextProvider& text_;
    TCalls& calls_;
    THostProviderFromHwnd host_;
};

// A focused window of this thread that paints its caret itself (no system caret) and
// answers UI Automation with `provider`.
class TAutomationWindow {
public:
    TAutomationWindow(TElementProvider* provider, TReturnRawElementProvider answer)
    {
        answer_ = answer;
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuilloraTestAutomationCaret";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"automation caret", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150,
                                  400, 200, nullptr, nullptr, wc.hInstance, nullptr);
        if (!window_) return;
        if (provider) provider->window = window_;
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(provider));
        SetForegroundWindow(window_);
        SetFocus(window_);
        PumpUntil([this] { return Ready(); }, 1000);
    }
    ~TAutomationWindow()
    {
        if (window_) DestroyWindow(window_);
        PumpUntil(nullptr, 20);
    }
    bool Ready() const { return window_ && GetForegroundWindow() == window_ && GetFocus() == window_; }

private:
    static inline TReturnRawElementProvider answer_ = nullptr;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == RootObjectId && answer_) {
            if (auto* provider = reinterpret_cast<TElementProvider*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
                return answer_(window, wParam, lParam, provider);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

std::string Patterns(const std::vector<int>& ids)
{
    std::string s;
    for (int id : ids) s += (s.empty() ? "" : ",") + std::to_string(id);
    return s.empty() ? "none" : s;
}

TEST(AutomationCaretWin, ACaretExposedThroughTheTextPatternPlacesTheList)
{
    struct TCom {
        TCom() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
        ~TCom() { CoUninitialize(); }
    } com;
    HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
    if (!core) GTEST_SKIP() << "this system has no UI Automation";
    auto answer = reinterpret_cast<TReturnRawElementProvider>(
        reinterpret_cast<void*>(GetProcAddress(core, "UiaReturnRawElementProvider")));
    auto host = reinterpret_cast<THostProviderFromHwnd>(
        reinterpret_cast<void*>(GetProcAddress(core, "UiaHostProviderFromHwnd")));
    ASSERT_NE(answer, nullptr);
    {
        TCalls calls;
        TCaretRange caret(RECT{310, 250, 310, 268}, calls);
        TTextProvider text(caret, calls);
        TElementProvider provider(text, calls, host);
        TAutomationWindow window(&provider, answer);
        if (!window.Ready()) GTEST_SKIP() << "the window could not take the focus (no display)";

        TWinFocusTarget target;
        TRect rect;
        EXPECT_FALSE(target.AccessibleCaret(rect)); // nothing through the older interface
        const bool found = target.AutomationCaret(rect);
        if (!found && calls.caretRangeCalls == 0 && calls.rectangleCalls == 0)
            GTEST_SKIP() << "this system's UI Automation client does not reach a provider's text pattern (patterns "
                            "asked of the provider: "
                         << Patterns(calls.patternsAsked) << ")";
        EXPECT_TRUE(found);
        EXPECT_EQ(rect, Rect(310, 250, 310, 268));
        GetCaretScreenRect(rect);
        EXPECT_EQ(rect, Rect(310, 250, 310, 268));
    }
    FreeLibrary(core);
}

} // namespace
