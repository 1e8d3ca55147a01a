#pragma once
// TTextAttributes: the attributes of a run of characters: whether the run is a hyperlink
// and its target, and (in the concrete classes) how the run is measured and drawn. The
// layout never talks to fonts directly: it measures and draws through these.

#include <cstdint>

#include "foundation/Geometry.h"
#include "foundation/Strings.h"
#include "text/Attributes.h"

namespace quillora {

class TSheetCanvas;

// Drawing flags of every draw operation of the text engine.
using TTextDrawFlags = uint8_t;
enum TTextDrawFlag : uint8_t {
    tdfSelected = 0x01,       // the stretch is selected
    tdfInactive = 0x02,       // the selection is inactive (its text does not have the focus)
    tdfNonPrinting = 0x04,    // show non-printing characters
};

// The caller's paint state: bit 0 means that the text does not have the focus.
using TTextPaintState = uint8_t;
constexpr TTextPaintState tpsNoFocus = 0x01;

class TTextAttributes : public TAttributes {
public:
    static const TAttributesClass& Class();
    const TAttributesClass& GetClass() const override { return Class(); }

    bool IsLink() const { return isLink_; }
    const String& Hyperlink() const { return hyperlink_; }
    void SetIsLink(bool value);
    void SetHyperlink(const String& value);

    void Create() override;
    void Assign(const TAttributes& source) override;
    bool IsEqual(const TAttributes& other) const override;
    size_t HashValue() const override;

    // ---- measuring and drawing, in slot order after the base's ----
    // Pixels from the top of a row's text to its baseline, and below the baseline.
    virtual int GetAscent() const = 0;                                                      // 6
    virtual int GetDescent() const = 0;                                                     // 7
    // Fills `rect` with the background colour (nothing without one).
    virtual void DrawBackground(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags, const TRect& rect,
                                const TRect& rowRect) const = 0;                            // 8
    // An empty stretch (a tab) from x to x + width between the row's top and bottom: its
    // background, highlighted when selected.
    virtual void DrawBlank(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags, int width, int x,
                           const TRect& rowRect) const = 0;                                 // 9
    // Draws `count` characters at x with their baseline at `baseline`; returns their width.
    virtual int DrawText(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags, int count,
                         const Char* chars, int baseline, int x, const TRect& rowRect) const = 0; // 10
    // The width of one tab step.
    virtual int GetTabWidth() const = 0;                                                    // 11
    // The width of `count` characters; 0 when count <= 0.
    virtual int GetTextWidth(const Char* chars, int count) const = 0;                      // 12

    int GetTextWidth(StringView text) const { return GetTextWidth(text.data(), static_cast<int>(text.size())); }

private:
    bool isLink_ = false;
    String hyperlink_;
};

} // namespace quillora
