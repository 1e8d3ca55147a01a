#pragma once
// Stand-ins for the text tests: a fixed-metric font manager that counts the fonts it
// makes, a canvas that records what the text engine draws, and a text that lets a test
// choose its policies and watches its signals.

#include <memory>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Service.h"
#include "foundation/Strings.h"
#include "render/DeviceContextManager.h"
#include "render/FontFixed.h"
#include "render/SheetCanvas.h"
#include "text/Textor.h"

namespace quillora::testing {

// The deterministic font engine, counting CreateFont calls (provide it with
// TProvide<TDeviceContextManager>).
class TCountingFontManager : public TDeviceContextManager {
public:
    int Created = 0;

    int PixelsPerInch() const override { return fixed_.PixelsPerInch(); }
    std::unique_ptr<TFont> CreateFont(const String& name, int size, int escapement, int orientation, TFontPitch pitch,
                                      TFontCharset charset, TFontStyles style) override
    {
        ++Created;
        return fixed_.CreateFont(name, size, escapement, orientation, pitch, charset, style);
    }

private:
    TFixedFontManager fixed_;
};

// Records the calls the text engine makes, with rectangles as "L,T RxB" (right, bottom).
class TTextRecordingCanvas : public TSheetCanvas {
public:
    std::vector<std::string> Calls;

    static std::string RectText(const TRect& r)
    {
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) + "," +
               std::to_string(r.Bottom);
    }

    void MoveOrigin(int, int) override {}
    TRect GetClipRect() const override { return Rect(0, 0, 10000, 10000); }
    bool RectVisible(const TRect&) const override { return true; }
    void DrawThemeImage(TSheetThemeElement, TPoint, uint32_t) override {}
    void DrawThemeFrame(TSheetThemeElement, const TRect&, uint32_t) override {}
    int GetThemeImageHeight(TSheetThemeElement) override { return 0; }
    TPoint GetThemeImageSize(TSheetThemeElement) override { return {}; }
    int GetThemeZoneWidth(TSheetThemeElement) override { return 0; }
    int GetThemeZoneHeight(TSheetThemeElement) override { return 0; }
    TRect GetThemeMargins(TSheetThemeElement) override { return {}; }
    TRect GetThemePadding(TSheetThemeElement) override { return {}; }
    TRect GetThemeMouseTransparent(TSheetThemeElement) override { return {}; }
    void FillDisabled(const TRect&) override {}
    void FillSelection(const TRect& r, bool active) override
    {
        Calls.push_back(std::string(active ? "Selection " : "InactiveSelection ") + RectText(r));
    }
    void DrawElementText(int, int, const String&) override {}
    void DrawFixedText(int, int, TColor, const String&) override {}
    int ElementTextWidth(const String&) override { return 0; }
    int FixedTextWidth(const String&) override { return 0; }
    int CodeTextWidth(const String&) override { return 0; }
    void ResetFonts() override {}
    int GetFixedLineHeight() const override { return 0; }
    int GetElementLineHeight() const override { return 0; }
    int GetCodeLineHeight() const override { return 0; }
    void DrawRectangle(const TRect& r, int radius, TColor brush, TColor pen) override
    {
        Calls.push_back("Fill " + RectText(r) + " " + std::to_string(brush) + (pen == clNone ? "" : " pen"));
    }
    void DrawFocusRect(const TRect&) override {}
    void DrawThickFocusRect(const TRect&) override {}
    void DrawBitmap(int, int, const TBitmap32&) override {}
    void DrawCharImage(int, int, int) override {}
    void DrawSmallImage(int, int, int) override {}
    void DrawLargeImage(int, int, int) override {}
    int DrawFontText(const TFont& font, int x, int y, TColor color, const Char* chars, int count) override
    {
        Calls.push_back("Text " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(color) + " " +
                        StringToUtf8(StringView(chars, static_cast<size_t>(count))));
        return font.TextWidth(chars, count);
    }
};

// A text whose policies a test sets, logging its Relayout and Changed calls.
class TTestTextor : public TTextor {
public:
    explicit TTestTextor(bool lineBreaks = true, bool tabs = true, bool lockLayout = false)
        : TTextor(lockLayout), LineBreaks(lineBreaks), Tabs(tabs)
    {
    }

    bool LineBreaks;
    bool Tabs;
    TTextAttributes* Defaults = nullptr;
    TRect Margins;
    std::vector<std::string> Log;
    int LaidOut = 0;

    bool AcceptsLineBreaks() override { return LineBreaks; }
    bool AcceptsTabs() override { return Tabs; }
    TTextAttributes* GetDefaultTextAttributes() override { return Defaults; }
    void GetMargins(TRect& rect) override { rect = Margins; }
    void Changed() override { Log.push_back("Changed"); }
    void Relayout(bool contentChanged) override
    {
        Log.push_back(contentChanged ? "Relayout content" : "Relayout");
        TTextor::Relayout(contentChanged);
    }
    void LayoutParagraph(TParagraph& paragraph, int width) override
    {
        ++LaidOut;
        TTextor::LayoutParagraph(paragraph, width);
    }
};

// The structure of a text: paragraphs separated by " | ", portions by "+": a text
// portion as its characters in quotes, a tab portion as "tabN", an element as "E".
inline std::string Dump(const TTextor& text)
{
    std::string out;
    for (TParagraph* p = text.FirstParagraph(); p; p = p->Next()) {
        if (p != text.FirstParagraph()) out += " | ";
        for (TPortion* portion = p->FirstPortion(); portion; portion = portion->Next()) {
            if (portion != p->FirstPortion()) out += "+";
            if (auto* t = dynamic_cast<TTextPortion*>(portion))
                out += "\"" + StringToUtf8(t->Text()) + "\"";
            else if (dynamic_cast<TTabStopsPortion*>(portion))
                out += "tab" + std::to_string(portion->Length());
            else
                out += "E";
        }
    }
    return out;
}

} // namespace quillora::testing
