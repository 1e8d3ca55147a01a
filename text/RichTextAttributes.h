#pragma once
// TRichTextAttributes: the concrete run attributes: font (face, size, style, character
// set, pitch), text colour and background colour. The font is realised lazily through the
// process-wide device-context manager, once per instance, together with its ascent,
// descent and tab width; every measurement uses it, never the device being painted.
// Changing the face, size, style, character set or pitch of a scratch instance discards
// the realised font; colours and link fields keep it.

#include <memory>

#include "foundation/Colors.h"
#include "foundation/FontData.h"
#include "render/Font.h"
#include "text/TextAttributes.h"

namespace quillora {

class TRichTextAttributes : public TTextAttributes {
public:
    static const TAttributesClass& Class();
    const TAttributesClass& GetClass() const override { return Class(); }

    TRichTextAttributes();
    ~TRichTextAttributes() override;

    TColor BackColor() const { return backColor_; }
    const String& FontName() const { return fontName_; }
    TFontCharset Charset() const { return charset_; }
    TColor Color() const { return color_; }
    TFontPitch Pitch() const { return pitch_; }
    int Size() const { return size_; }
    TFontStyles Style() const { return style_; }

    void SetBackColor(TColor value);
    void SetColor(TColor value);
    void SetFontName(const String& value);
    void SetSize(int value);
    void SetStyle(TFontStyles value);
    void SetCharset(TFontCharset value);
    void SetPitch(TFontPitch value);

    // Drops the realised font and its metrics.
    void FontChanged();
    // The realised font (made now when there is none).
    const TFont& Font() const;
    // Whether the font is realised, and the cached metrics (-1, -1, 0 while unknown).
    bool HasFont() const { return font_ != nullptr; }
    int CachedAscent() const { return ascent_; }
    int CachedDescent() const { return descent_; }
    int CachedTabWidth() const { return tabWidth_; }

    void Create() override;
    // Also copies the cached metrics; the realised font is not shared, so the own one is
    // dropped and made again for the copied values when needed.
    void Assign(const TAttributes& source) override;
    bool IsEqual(const TAttributes& other) const override;
    size_t HashValue() const override;

    int GetAscent() const override;
    int GetDescent() const override;
    void DrawBackground(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags, const TRect& rect,
                        const TRect& rowRect) const override;
    void DrawBlank(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags, int width, int x,
                   const TRect& rowRect) const override;
    int DrawText(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags, int count, const Char* chars,
                 int baseline, int x, const TRect& rowRect) const override;
    int GetTabWidth() const override;
    int GetTextWidth(const Char* chars, int count) const override;
    using TTextAttributes::GetTextWidth;

private:
    void SetDefaults();
    void Realise() const;

    TColor backColor_ = clNone;
    String fontName_;
    TFontCharset charset_ = DefaultCharset;
    TColor color_ = clWindowText;
    TFontPitch pitch_ = fpDefault;
    int size_ = 8;
    TFontStyles style_ = 0;

    mutable int ascent_ = -1;
    mutable int descent_ = -1;
    mutable int tabWidth_ = 0;
    mutable std::unique_ptr<TFont> font_;
};

} // namespace quillora
