#pragma once
// A window for views under test: records what a view asks of its host (repaints, caret,
// pointer capture, cursor, focus, scroll bars, timers, menus) and answers from fields the
// test sets. Every call is also logged in order ("StartTimer 2 300", "ShowCaret 1,2 3x4").

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "foundation/ViewHost.h"

namespace quillora::testing {

class TFakeViewHost : public TViewHost {
public:
    // ---- what the test sets ----
    TRect Client = Rect(0, 0, 400, 300);
    // Where the client area's top-left corner is on the screen.
    TPoint ScreenOrigin{1000, 500};
    uint32_t DoubleClickMs = 500;
    TPoint DoubleClickPixels{4, 4};
    // The command every menu answers with; 0: the user chose nothing.
    int MenuAnswer = 0;

    // ---- what the view asked for ----
    struct TShownMenu {
        TMenu Menu;
        TPoint At;
    };
    std::vector<std::string> Log;
    // Repaint requests in order; nullopt asked for everything.
    std::vector<std::optional<TRect>> Invalidated;
    int UpdatesNow = 0;
    // The sum of the pixel moves asked for with ScrollClient.
    TPoint Scrolled;
    // The caret while shown.
    std::optional<TRect> Caret;
    bool Captured = false;
    TCursor Cursor = crDefault;
    bool Focused = false;
    TScrollRange Scroll[2];
    // The running timers: id -> interval.
    std::map<int, unsigned> Timers;
    std::vector<TShownMenu> Menus;
    // The hint shown (empty: none) and where.
    String Hint;
    TPoint HintPoint;
    bool AcceptsFiles = false;

    // ---- TViewHost ----
    void Invalidate(const TRect* rect) override
    {
        Invalidated.push_back(rect ? std::optional<TRect>(*rect) : std::nullopt);
        Log.push_back(rect ? "Invalidate " + Text(*rect) : "Invalidate all");
    }
    void UpdateNow() override
    {
        ++UpdatesNow;
        Log.push_back("UpdateNow");
    }
    TRect ClientRect() const override { return Client; }
    void ScrollClient(int dx, int dy) override
    {
        Scrolled.X += dx;
        Scrolled.Y += dy;
        Log.push_back("ScrollClient " + std::to_string(dx) + "," + std::to_string(dy));
    }

    void ShowCaret(const TRect& rect) override
    {
        Caret = rect;
        Log.push_back("ShowCaret " + Text(rect));
    }
    void HideCaret() override
    {
        Caret.reset();
        Log.push_back("HideCaret");
    }

    void CapturePointer() override
    {
        Captured = true;
        Log.push_back("CapturePointer");
    }
    void ReleasePointer() override
    {
        Captured = false;
        Log.push_back("ReleasePointer");
    }
    bool HasPointerCapture() const override { return Captured; }
    void SetCursor(TCursor cursor) override
    {
        Cursor = cursor;
        Log.push_back("SetCursor " + std::to_string(cursor));
    }

    void TakeFocus() override
    {
        Focused = true;
        Log.push_back("TakeFocus");
    }
    bool HasFocus() const override { return Focused; }

    void SetScrollRange(TScrollBarKind bar, const TScrollRange& range) override
    {
        Scroll[bar] = range;
        Log.push_back(std::string(bar == sbVertical ? "ScrollV " : "ScrollH ") + std::to_string(range.Min) + ".." +
                      std::to_string(range.Max) + " page " + std::to_string(range.Page) + " at " +
                      std::to_string(range.Pos));
    }
    TScrollRange GetScrollRange(TScrollBarKind bar) const override { return Scroll[bar]; }

    void StartTimer(int id, unsigned milliseconds) override
    {
        Timers[id] = milliseconds;
        Log.push_back("StartTimer " + std::to_string(id) + " " + std::to_string(milliseconds));
    }
    void StopTimer(int id) override
    {
        Timers.erase(id);
        Log.push_back("StopTimer " + std::to_string(id));
    }
    bool TimerRuns(int id) const { return Timers.count(id) != 0; }

    TPoint ClientToScreen(TPoint point) const override { return {point.X + ScreenOrigin.X, point.Y + ScreenOrigin.Y}; }
    TPoint ScreenToClient(TPoint point) const override { return {point.X - ScreenOrigin.X, point.Y - ScreenOrigin.Y}; }

    int ShowPopupMenu(const TMenu& menu, TPoint screenPoint) override
    {
        Menus.push_back({menu, screenPoint});
        Log.push_back("ShowPopupMenu " + std::to_string(screenPoint.X) + "," + std::to_string(screenPoint.Y) +
                      " -> " + std::to_string(MenuAnswer));
        return MenuAnswer;
    }

    void ShowHint(const String& text, TPoint screenPoint, int) override
    {
        Hint = text;
        HintPoint = screenPoint;
        Log.push_back("ShowHint " + std::to_string(screenPoint.X) + "," + std::to_string(screenPoint.Y));
    }
    void HideHint() override
    {
        Hint.clear();
        Log.push_back("HideHint");
    }

    void AcceptFiles(bool accept) override
    {
        AcceptsFiles = accept;
        Log.push_back(accept ? "AcceptFiles on" : "AcceptFiles off");
    }

    uint32_t DoubleClickTime() const override { return DoubleClickMs; }
    TPoint DoubleClickDistance() const override { return DoubleClickPixels; }

    // "L,T WxH"
    static std::string Text(const TRect& r)
    {
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + " " + std::to_string(r.Width()) + "x" +
               std::to_string(r.Height());
    }
};

} // namespace quillora::testing
