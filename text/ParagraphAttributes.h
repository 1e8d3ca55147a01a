#pragma once
// TParagraphAttributes: the attributes of a paragraph: its alignment; no indents, no
// background, no bullet. TRichParagraphAttributes adds background, indents and a bullet.

#include <cstdint>

#include "foundation/Colors.h"
#include "foundation/Geometry.h"
#include "text/Attributes.h"
#include "text/TextAttributes.h"

namespace quillora {

class TSheetCanvas;

enum TParagraphAlignment : uint8_t { paLeft = 0, paRight = 1, paCenter = 2 };

// The bullet character drawn before the first row of a bulleted paragraph.
constexpr Char BulletChar = u'\u2022';

class TParagraphAttributes : public TAttributes {
public:
    static const TAttributesClass& Class();
    const TAttributesClass& GetClass() const override { return Class(); }

    TParagraphAlignment Alignment() const { return alignment_; }
    void SetAlignment(TParagraphAlignment value);

    void Create() override;
    void Assign(const TAttributes& source) override;
    bool IsEqual(const TAttributes& other) const override;
    size_t HashValue() const override;

    // ---- in slot order after the base's ----
    // Paints the paragraph's background and bullet; `paragraphRect` spans all its rows
    // over the full text width, `textLeft` is where the first row's text begins.
    // Nothing here.
    virtual void Paint(TSheetCanvas& canvas, TTextPaintState state, int firstRowHeight, int textLeft,
                       const TTextAttributes* textAttributes, const TRect& paragraphRect) const; // 6
    // Indents in pixels; all 0 here. `textAttributes` (may be null) are the paragraph's
    // run attributes.
    virtual int GetFirstIndent(const TTextAttributes* textAttributes) const; // 7
    virtual int GetLeftIndent(const TTextAttributes* textAttributes) const;  // 8
    virtual int GetRightIndent(const TTextAttributes* textAttributes) const; // 9

private:
    TParagraphAlignment alignment_ = paLeft;
};

class TRichParagraphAttributes : public TParagraphAttributes {
public:
    static const TAttributesClass& Class();
    const TAttributesClass& GetClass() const override { return Class(); }

    TColor BackColor() const { return backColor_; }
    int FirstIndent() const { return firstIndent_; }
    int LeftIndent() const { return leftIndent_; }
    bool Bullet() const { return bullet_; }
    int RightIndent() const { return rightIndent_; }

    void SetBackColor(TColor value);
    void SetFirstIndent(int value);
    void SetLeftIndent(int value);
    void SetBullet(bool value);
    void SetRightIndent(int value);

    void Create() override;
    void Assign(const TAttributes& source) override;
    bool IsEqual(const TAttributes& other) const override;
    size_t HashValue() const override;

    // The background between the left and right indents (when not clNone), then the
    // bullet, drawn with the text attributes half a tab step left of `textLeft`.
    void Paint(TSheetCanvas& canvas, TTextPaintState state, int firstRowHeight, int textLeft,
               const TTextAttributes* textAttributes, const TRect& paragraphRect) const override;
    int GetFirstIndent(const TTextAttributes* textAttributes) const override;
    // LeftIndent, plus one tab step of the text attributes when the bullet is on.
    int GetLeftIndent(const TTextAttributes* textAttributes) const override;
    int GetRightIndent(const TTextAttributes* textAttributes) const override;

private:
    TColor backColor_ = clNone;
    int firstIndent_ = 0;
    int leftIndent_ = 0;
    bool bullet_ = false;
    int rightIndent_ = 0;
};

} // namespace quillora
