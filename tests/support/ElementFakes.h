#pragma once
// Deterministic stand-ins for the sheet and the canvas, for element tests.

#include <string>
#include <vector>

#include "elements/CustomSheet.h"
#include "elements/VisualElement.h"
#include "support/NullCanvas.h"

namespace quillora::testing {

// Records every drawing call as text, with the current origin: "FillDisabled 10,20 30x40".
class TRecordingCanvas : public TNullCanvas {
public:
    explicit TRecordingCanvas(TRect clip = Rect(0, 0, 10000, 10000)) : clip_(clip) {}

    std::vector<std::string> Calls;
    TPoint Origin; // the sum of all origin moves
    TRect Margins = Rect(2, 3, 4, 5);
    TPoint ImageSize{16, 12};

    void MoveOrigin(int dx, int dy) override
    {
        Origin.X += dx;
        Origin.Y += dy;
        clip_.Offset(-dx, -dy);
    }
    TRect GetClipRect() const override { return clip_; }
    bool RectVisible(const TRect& r) const override
    {
        return !(clip_.Left >= r.Right || clip_.Right < r.Left || clip_.Top >= r.Bottom || clip_.Bottom < r.Top);
    }
    void DrawThemeImage(TSheetThemeElement e, TPoint p, uint32_t) override
    {
        Record("Image " + std::to_string(e), {p.X, p.Y, p.X, p.Y});
    }
    void DrawThemeFrame(TSheetThemeElement e, const TRect& r, uint32_t) override
    {
        Record("Frame " + std::to_string(e), r);
    }
    int GetThemeImageHeight(TSheetThemeElement) override { return ImageSize.Y; }
    TPoint GetThemeImageSize(TSheetThemeElement) override { return ImageSize; }
    TRect GetThemeMargins(TSheetThemeElement) override { return Margins; }
    void FillDisabled(const TRect& r) override { Record("FillDisabled", r); }
    void FillSelection(const TRect& r, bool) override { Record("FillSelection", r); }
    void DrawElementText(int x, int y, const String&) override { Record("ElementText", {x, y, x, y}); }
    void DrawFixedText(int x, int y, TColor, const String&) override { Record("FixedText", {x, y, x, y}); }
    int ElementTextWidth(const String& t) override { return static_cast<int>(t.size()) * 7; }
    int FixedTextWidth(const String& t) override { return static_cast<int>(t.size()) * 8; }
    int CodeTextWidth(const String& t) override { return static_cast<int>(t.size()) * 6; }
    int GetFixedLineHeight() const override { return 14; }
    int GetElementLineHeight() const override { return 13; }
    int GetCodeLineHeight() const override { return 12; }
    void DrawRectangle(const TRect& r, int, TColor, TColor) override { Record("Rectangle", r); }
    void DrawFocusRect(const TRect& r) override { Record("FocusRect", r); }
    void DrawThickFocusRect(const TRect& r) override { Record("ThickFocusRect", r); }
    void DrawBitmap(int x, int y, const TBitmap32&) override { Record("Bitmap", {x, y, x, y}); }
    void DrawCharImage(int x, int y, int) override { Record("CharImage", {x, y, x, y}); }
    void DrawSmallImage(int x, int y, int) override { Record("SmallImage", {x, y, x, y}); }
    void DrawLargeImage(int x, int y, int) override { Record("LargeImage", {x, y, x, y}); }

private:
    // Rectangles are recorded in sheet coordinates.
    void Record(const std::string& what, TRect r)
    {
        r.Offset(Origin.X, Origin.Y);
        Calls.push_back(what + " " + std::to_string(r.Left) + "," + std::to_string(r.Top) + " " +
                        std::to_string(r.Width()) + "x" + std::to_string(r.Height()));
    }
    TRect clip_;
};

// A sheet that keeps focus, capture and hover like the editor's sheet, and records
// repaint requests and reports.
class TFakeSheet : public TCustomSheet {
public:
    TFakeSheet();
    ~TFakeSheet() override;

    TVisualElement* Root() const { return root_; }

    TVisualElement* GetFocused() const override { return focused_; }
    TVisualElement* GetCapture() const override { return capture_; }
    TVisualElement* GetHover() const override { return hover_; }
    void SetFocused(TVisualElement* element) override;
    void SetCapture(TVisualElement* element) override;
    void SetHover(TVisualElement* element) override;
    void ElementRemoved(TVisualElement* element) override;

    TVisualElement* GetRoot() const override { return root_; }
    TSheetCanvas* GetCanvas() const override { return canvas_; }
    bool GetReadOnly() const override { return ReadOnly; }
    bool GetActive() const override { return true; }
    void GetAvailableSize(int& width, int& height) const override
    {
        width = 800;
        height = 600;
    }

    int GetDefaultTextDescent() const override { return 4; }

    void BeginUpdate() override { ++updateCount_; }
    void EndUpdate() override { --updateCount_; }
    bool IsUpdating() const override { return updateCount_ > 0; }
    void Invalidate(const TRect* rect) override;
    void SizeChanged() override { Log.push_back("SizeChanged"); }
    void UpdateCaret() override { Log.push_back("UpdateCaret"); }
    void ShowFocused() override {}

    void ReportFocusedState() override { Log.push_back("ReportFocusedState"); }
    void ReportSelection() override { Log.push_back("ReportSelection"); }
    void ReportFocusedContent() override { Log.push_back("ReportFocusedContent"); }
    void MarkChanged(TVisualElement*) override { Log.push_back("MarkChanged"); }

    void SetSelected(TVisualElement*, bool) override {}
    void ClearSelection() override {}
    TVisualElement* GetDropDownOwner() const override { return DropDownOwner; }
    void OpenDropDown(TDropDownList*) override {}
    void CloseDropDown(bool) override
    {
        DropDownOwner = nullptr;
        Log.push_back("CloseDropDown");
    }
    void DelayFocusAction(TVisualElement*) override {}
    void PlaySheetSound(const String&) override {}

    bool ReadOnly = false;
    TVisualElement* DropDownOwner = nullptr;
    std::vector<std::string> Log;          // reports and notices
    std::vector<std::string> Invalidated;  // "all" or "L,T WxH"

private:
    TVisualElement* root_;
    TRecordingCanvas* canvas_;
    TVisualElement* focused_ = nullptr;
    TVisualElement* capture_ = nullptr;
    TVisualElement* hover_ = nullptr;
    int updateCount_ = 0;
};

} // namespace quillora::testing
