// The caret that the focused element of the foreground application exposes through UI
// Automation's text pattern: the caret range of the second text pattern, else the first
// range of the selection, measured by its bounding rectangles.
//
// UI Automation is reached through COM (its client object), so the program does not
// link to its library and starts where it is missing; the question then just finds no
// caret. The compiler's headers lack the client interfaces: they are declared below up
// to the methods called here, with placeholders that keep the order of the tables.
#include "foundation/win32/WinInclude.h"
#include "typing/win32/KeyInputWin.h"

#include <cmath>
#include <vector>
#include <ole2.h>

namespace quillora {

namespace {

constexpr int TextPatternId = 10014;
constexpr int TextPattern2Id = 10024;
constexpr int TextUnitCharacter = 0;

// {ff48dba4-60ef-4201-aa87-54103eef594e}
constexpr CLSID ClsidAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
// {30cbe57d-d9d0-452a-ab13-7ac5ac4825ee}
constexpr IID IidAutomation = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
// {32eba289-3583-42c9-9c59-3b6d9a1e9b6a}
constexpr IID IidTextPattern = {0x32eba289, 0x3583, 0x42c9, {0x9c, 0x59, 0x3b, 0x6d, 0x9a, 0x1e, 0x9b, 0x6a}};
// {506a921a-fcc9-409f-b23b-37eb74106872}
constexpr IID IidTextPattern2 = {0x506a921a, 0xfcc9, 0x409f, {0xb2, 0x3b, 0x37, 0xeb, 0x74, 0x10, 0x68, 0x72}};

struct IUiaTextRange : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Clone(IUiaTextRange** copy) = 0;
    virtual HRESULT STDMETHODCALLTYPE Compare_() = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareEndpoints_() = 0;
    virtual HRESULT STDMETHODCALLTYPE ExpandToEnclosingUnit(int unit) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAttribute_() = 0;
    virtual HRESULT STDMETHODCALLTYPE FindText_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAttributeValue_() = 0;
    // Four doubles per rectangle: left, top, width, height, in screen pixels.
    virtual HRESULT STDMETHODCALLTYPE GetBoundingRectangles(SAFEARRAY** rectangles) = 0;
};

struct IUiaTextRangeArray : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Length(int* length) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetElement(int index, IUiaTextRange** range) = 0;
};

struct IUiaTextPattern : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE RangeFromPoint_() = 0;
    virtual HRESULT STDMETHODCALLTYPE RangeFromChild_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSelection(IUiaTextRangeArray** ranges) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVisibleRanges_() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DocumentRange_() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SupportedTextSelection_() = 0;
};

struct IUiaTextPattern2 : IUiaTextPattern {
    virtual HRESULT STDMETHODCALLTYPE RangeFromAnnotation_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaretRange(BOOL* active, IUiaTextRange** range) = 0;
};

struct IUiaElement : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetFocus_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRuntimeId_() = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirst_() = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAll_() = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache_() = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache_() = 0;
    virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValue_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValueEx_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPatternAs(int pattern, REFIID iid, void** object) = 0;
};

struct IUiaAutomation : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CompareElements_() = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElement_() = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND window, IUiaElement** element) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromPoint_() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElement(IUiaElement** element) = 0;
};

// Releases a COM pointer at the end of its scope.
template <class T>
class TComRef {
public:
    TComRef() = default;
    ~TComRef()
    {
        if (p_) p_->Release();
    }
    TComRef(const TComRef&) = delete;
    TComRef& operator=(const TComRef&) = delete;
    T** Out() { return &p_; }
    void** OutVoid() { return reinterpret_cast<void**>(&p_); }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// The rectangles of a range (left, top, right, bottom), in screen pixels.
bool RangeRects(IUiaTextRange& range, std::vector<RECT>& out)
{
    out.clear();
    SAFEARRAY* array = nullptr;
    if (FAILED(range.GetBoundingRectangles(&array)) || !array) return false;
    LONG low = 0, high = -1;
    double* values = nullptr;
    if (SafeArrayGetDim(array) == 1 && SUCCEEDED(SafeArrayGetLBound(array, 1, &low)) &&
        SUCCEEDED(SafeArrayGetUBound(array, 1, &high)) && SUCCEEDED(SafeArrayAccessData(array, reinterpret_cast<void**>(&values)))) {
        const LONG count = high - low + 1;
        for (LONG i = 0; i + 3 < count; i += 4) {
            const double left = values[i], top = values[i + 1], width = values[i + 2], height = values[i + 3];
            if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(width) || !std::isfinite(height) ||
                width < 0 || height <= 0)
                continue;
            out.push_back({static_cast<LONG>(std::lround(left)), static_cast<LONG>(std::lround(top)),
                           static_cast<LONG>(std::lround(left + width)), static_cast<LONG>(std::lround(top + height))});
        }
        SafeArrayUnaccessData(array);
    }
    SafeArrayDestroy(array);
    return !out.empty();
}

// Where the caret of a range stands, as a bar without width: a range without extent (the
// caret range, an empty selection) usually has no rectangle, so the character after it
// is measured and the bar stands at its left edge; a selection's bar stands at its end.
bool CaretOfRange(IUiaTextRange& range, RECT& caret)
{
    std::vector<RECT> rects;
    if (RangeRects(range, rects)) {
        const RECT& last = rects.back();
        caret = {last.right, last.top, last.right, last.bottom};
        return true;
    }
    TComRef<IUiaTextRange> character;
    if (FAILED(range.Clone(character.Out())) || !character) return false;
    if (FAILED(character->ExpandToEnclosingUnit(TextUnitCharacter))) return false;
    if (!RangeRects(*character.operator->(), rects)) return false;
    const RECT& first = rects.front();
    caret = {first.left, first.top, first.left, first.bottom};
    return true;
}

bool CaretOfElement(IUiaElement& element, RECT& caret)
{
    TComRef<IUiaTextPattern2> pattern2;
    if (SUCCEEDED(element.GetCurrentPatternAs(TextPattern2Id, IidTextPattern2, pattern2.OutVoid())) && pattern2) {
        BOOL active = FALSE;
        TComRef<IUiaTextRange> range;
        if (SUCCEEDED(pattern2->GetCaretRange(&active, range.Out())) && range && CaretOfRange(*range.operator->(), caret))
            return true;
    }
    TComRef<IUiaTextPattern> pattern;
    if (FAILED(element.GetCurrentPatternAs(TextPatternId, IidTextPattern, pattern.OutVoid())) || !pattern) return false;
    TComRef<IUiaTextRangeArray> selection;
    if (FAILED(pattern->GetSelection(selection.Out())) || !selection) return false;
    int length = 0;
    if (FAILED(selection->get_Length(&length)) || length <= 0) return false;
    TComRef<IUiaTextRange> range;
    if (FAILED(selection->GetElement(0, range.Out())) || !range) return false;
    return CaretOfRange(*range.operator->(), caret);
}

} // namespace

bool TWinFocusTarget::AutomationCaret(TRect& screenRect)
{
    HWND window = reinterpret_cast<HWND>(CaretOwnerWindow());
    if (!window) return false;
    TComScope com; // made first, so it outlives the automation objects below
    TComRef<IUiaAutomation> automation;
    if (FAILED(CoCreateInstance(ClsidAutomation, nullptr, CLSCTX_INPROC_SERVER, IidAutomation, automation.OutVoid())) ||
        !automation)
        return false;
    RECT caret{};
    // The focused element itself (inside a browser's page, say), else the focused window's.
    bool found = false;
    TComRef<IUiaElement> focused;
    if (SUCCEEDED(automation->GetFocusedElement(focused.Out())) && focused)
        found = CaretOfElement(*focused.operator->(), caret);
    if (!found) {
        TComRef<IUiaElement> element;
        if (SUCCEEDED(automation->ElementFromHandle(window, element.Out())) && element)
            found = CaretOfElement(*element.operator->(), caret);
    }
    if (found) screenRect = {caret.left, caret.top, caret.right, caret.bottom};
    return found;
}

} // namespace quillora
