// The caret of a program that draws its own (no system caret) but exposes it to
// accessibility clients, as browsers and editors built on them do: a window of the test
// answers WM_GETOBJECT for OBJID_CARET, and the caret rectangle that places the drop-down
// list is read from it.
#include <gtest/gtest.h>

#include "foundation/win32/WinInclude.h"

#include <oleacc.h>

#include "typing/SendKeys.h"
#include "typing/win32/KeyInputWin.h"
#include "win32/TestWindows.h"

using namespace quillora;
using namespace quillora::test;

namespace {

// An accessible object for a caret drawn by its window: only its location is known.
class TDrawnCaret : public IAccessible {
public:
    explicit TDrawnCaret(RECT screen) : screen_(screen) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; } // lives on the test's stack

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT* role) override
    {
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_CARET;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return E_INVALIDARG;
        ++locationCalls;
        *left = screen_.left;
        *top = screen_.top;
        *width = screen_.right - screen_.left;
        *height = screen_.bottom - screen_.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    int locationCalls = 0;
    // What the window last answered to WM_GETOBJECT.
    LRESULT answered = 0;

private:
    RECT screen_;
    ULONG refs_ = 1;
};

// A focused window of this thread that paints its caret itself (no system caret) and
// hands out `caret` for OBJID_CARET.
class TDrawnCaretWindow {
public:
    explicit TDrawnCaretWindow(TDrawnCaret* caret)
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuilloraTestDrawnCaret";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"drawn caret", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150, 400,
                                  200, nullptr, nullptr, wc.hInstance, nullptr);
        if (!window_) return;
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(caret));
        SetForegroundWindow(window_);
        SetFocus(window_);
        PumpUntil([this] { return Ready(); }, 1000);
    }
    ~TDrawnCaretWindow()
    {
        if (window_) DestroyWindow(window_);
        PumpUntil(nullptr, 20);
    }
    bool Ready() const { return window_ && GetForegroundWindow() == window_ && GetFocus() == window_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CARET) {
            if (auto* caret = reinterpret_cast<TDrawnCaret*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
                caret->answered = LresultFromObject(IID_IAccessible, wParam, caret);
                // Wine's prefixes register no proxy for IAccessible, so the object cannot be
                // marshalled as one. Marshalled as IUnknown it comes back as itself within this
                // apartment, and the reader asks it for IAccessible as it would ask a proxy.
                if (FAILED(caret->answered)) caret->answered = LresultFromObject(IID_IUnknown, wParam, caret);
                return caret->answered;
            }
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

TEST(AccessibleCaretWin, ACaretDrawnByItsWindowPlacesTheList)
{
    struct TCom {
        TCom() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
        ~TCom() { CoUninitialize(); }
    } com;
    {
        TDrawnCaret caret(RECT{300, 240, 302, 258});
        TDrawnCaretWindow window(&caret);
        if (!window.Ready()) GTEST_SKIP() << "the window could not take the focus (no display)";
        TWindowHandle caretWindow = 0;
        TRect systemCaret;
        TWinFocusTarget target;
        ASSERT_TRUE(target.ForegroundCaret(caretWindow, systemCaret));
        EXPECT_EQ(caretWindow, 0u); // no system caret

        TRect rect;
        const bool found = target.AccessibleCaret(rect);
        if (!found && FAILED(caret.answered))
            GTEST_SKIP() << "this system cannot hand out the window's accessible object (LresultFromObject 0x" << std::hex
                         << static_cast<unsigned long>(caret.answered) << ")";
        EXPECT_TRUE(found);
        EXPECT_EQ(rect, Rect(300, 240, 302, 258));
        GetCaretScreenRect(rect);
        EXPECT_EQ(rect, Rect(300, 240, 302, 258));
        EXPECT_GE(caret.locationCalls, 2);
    }
}

TEST(AccessibleCaretWin, NoCaretAnywhereGivesNone)
{
    TDrawnCaretWindow window(nullptr);
    if (!window.Ready()) GTEST_SKIP() << "the window could not take the focus (no display)";
    TRect rect = Rect(1, 1, 2, 2);
    GetCaretScreenRect(rect);
    EXPECT_EQ(rect, TRect{});
}

} // namespace
