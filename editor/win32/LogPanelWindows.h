#pragma once
// The windows of the edit form's log panel: the splitter above the log's viewport, which
// the user drags to set the log's height, and the small close button that straddles it
// and shows the glyph of the worst message. Where they stand and what they mean is
// TLogPanel's business; these only draw and report the user's input.

#include "foundation/win32/WinInclude.h"

#include <functional>

#include "foundation/win32/Window.h"

namespace quillora {

class TLogSplitterWindow : public TWindow {
public:
    bool Create(HWND parent);
    // While dragging: the splitter's top would now be at `top` (parent client coordinates).
    std::function<void(int top)> OnMoved;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PointerDown(const TPointerEvent& event) override;
    void PointerMove(const TPointerEvent& event) override;
    void PointerUp(const TPointerEvent& event) override;

private:
    void Paint(HDC dc);
    bool dragging_ = false;
    int grip_ = 0; // where in the splitter the drag started
};

class TLogButtonWindow : public TWindow {
public:
    ~TLogButtonWindow() override;
    // `width` × `height` with rounded corners.
    bool Create(HWND parent, int width, int height);
    // 0 to 3: none, hint, warning, error.
    void SetGlyph(int glyph);
    int Glyph() const { return glyph_; }
    // The glyph's top-left corner in the button.
    void SetGlyphPosition(int x, int y) { glyphX_ = x, glyphY_ = y; }
    // The hint: a tooltip over the button (and the window's text).
    void SetHint(const String& hint);
    std::function<void()> OnClick;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PointerUp(const TPointerEvent& event) override;

private:
    void Paint(HDC dc);
    int glyph_ = 0;
    int glyphX_ = 0;
    int glyphY_ = 0;
    HWND tip_ = nullptr;
    String hint_;
};

} // namespace quillora
