#pragma once
// Stand-ins for the text tests and the benchmarks: a fixed-metric font manager that
// counts the fonts it makes, a canvas that records what the text engine draws, a plain
// text with chosen line-break and tab policies, and one that also watches its signals.

#include <memory>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Service.h"
#include "foundation/Strings.h"
#include "render/DeviceContextManager.h"
#include "render/FontFixed.h"
#include "support/NullCanvas.h"
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
class TTextRecordingCanvas : public TNullCanvas {
public:
    std::vector<std::string> Calls;

    // The area being painted (current coordinates); origin moves shift it.
    void SetClipRect(const TRect& clip) { clip_ = clip; }
    TRect GetClipRect() const override { return clip_; }
    bool RectVisible(const TRect& r) const override
    {
        return !(clip_.Left >= r.Right || clip_.Right < r.Left || clip_.Top >= r.Bottom || clip_.Bottom < r.Top);
    }
    void MoveOrigin(int dx, int dy) override { clip_.Offset(-dx, -dy); }

    static std::string RectText(const TRect& r)
    {
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) + "," +
               std::to_string(r.Bottom);
    }

    void FillSelection(const TRect& r, bool active) override
    {
        Calls.push_back(std::string(active ? "Selection " : "InactiveSelection ") + RectText(r));
    }
    void DrawRectangle(const TRect& r, int radius, TColor brush, TColor pen) override
    {
        Calls.push_back("Fill " + RectText(r) + " " + std::to_string(brush) + (pen == clNone ? "" : " pen"));
    }
    int DrawFontText(const TFont& font, int x, int y, TColor color, const Char* chars, int count) override
    {
        Calls.push_back("Text " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(color) + " " +
                        StringToUtf8(StringView(chars, static_cast<size_t>(count))));
        return font.TextWidth(chars, count);
    }

private:
    TRect clip_ = Rect(0, 0, 10000, 10000);
};

// A text whose line-break and tab policies are chosen when it is made (both accepted by
// default, as the document's root text does).
class TPlainTextor : public TTextor {
public:
    explicit TPlainTextor(bool lineBreaks = true, bool tabs = true, bool lockLayout = false)
        : TTextor(lockLayout), LineBreaks(lineBreaks), Tabs(tabs)
    {
    }

    bool LineBreaks;
    bool Tabs;

    bool AcceptsLineBreaks() override { return LineBreaks; }
    bool AcceptsTabs() override { return Tabs; }
};

// A text whose policies a test sets, logging its Relayout and Changed calls.
class TTestTextor : public TPlainTextor {
public:
    using TPlainTextor::TPlainTextor;

    TTextAttributes* Defaults = nullptr;
    TRect Margins;
    std::vector<std::string> Log;
    int LaidOut = 0;

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
