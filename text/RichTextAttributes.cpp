#include "text/RichTextAttributes.h"

#include <functional>

#include "foundation/Service.h"
#include "render/DeviceContextManager.h"
#include "render/SheetCanvas.h"

namespace quillora {

namespace {
TAttributes* NewRichTextAttributes() { return new TRichTextAttributes(); }
} // namespace

const TAttributesClass& TRichTextAttributes::Class()
{
    static const TAttributesClass cls{"TRichTextAttributes", &TTextAttributes::Class(), &NewRichTextAttributes};
    return cls;
}

TRichTextAttributes::TRichTextAttributes() { SetDefaults(); }

TRichTextAttributes::~TRichTextAttributes() = default;

void TRichTextAttributes::SetDefaults()
{
    backColor_ = clNone;
    fontName_ = u"Tahoma";
    charset_ = DefaultCharset;
    color_ = clWindowText;
    pitch_ = fpDefault;
    size_ = 8;
    style_ = 0;
}

void TRichTextAttributes::Create()
{
    TTextAttributes::Create();
    SetDefaults();
    FontChanged();
}

void TRichTextAttributes::SetBackColor(TColor value)
{
    CheckWritable();
    Changing();
    backColor_ = value;
    Changed();
}

void TRichTextAttributes::SetColor(TColor value)
{
    CheckWritable();
    Changing();
    color_ = value;
    Changed();
}

void TRichTextAttributes::SetFontName(const String& value)
{
    CheckWritable();
    Changing();
    if (value == fontName_) return;
    fontName_ = value;
    FontChanged();
    Changed();
}

void TRichTextAttributes::SetSize(int value)
{
    CheckWritable();
    Changing();
    if (value == size_) return;
    size_ = value;
    FontChanged();
    Changed();
}

void TRichTextAttributes::SetStyle(TFontStyles value)
{
    CheckWritable();
    Changing();
    if (value == style_) return;
    style_ = value;
    FontChanged();
    Changed();
}

void TRichTextAttributes::SetCharset(TFontCharset value)
{
    CheckWritable();
    Changing();
    if (value == charset_) return;
    charset_ = value;
    FontChanged();
    Changed();
}

void TRichTextAttributes::SetPitch(TFontPitch value)
{
    CheckWritable();
    Changing();
    if (value == pitch_) return;
    pitch_ = value;
    FontChanged();
    Changed();
}

void TRichTextAttributes::FontChanged()
{
    font_.reset();
    tabWidth_ = 0;
    ascent_ = -1;
    descent_ = -1;
}

void TRichTextAttributes::Realise() const
{
    std::unique_ptr<TFont> font = Service<TDeviceContextManager>().CreateFont(fontName_, size_, 0, 0, pitch_, charset_, style_);
    ascent_ = font->Ascent();
    descent_ = font->Descent();
    tabWidth_ = font->TabWidth();
    font_ = std::move(font);
}

const TFont& TRichTextAttributes::Font() const
{
    if (!font_) Realise();
    return *font_;
}

void TRichTextAttributes::Assign(const TAttributes& source)
{
    TTextAttributes::Assign(source);
    if (const auto* s = dynamic_cast<const TRichTextAttributes*>(&source)) {
        backColor_ = s->backColor_;
        fontName_ = s->fontName_;
        charset_ = s->charset_;
        color_ = s->color_;
        pitch_ = s->pitch_;
        size_ = s->size_;
        style_ = s->style_;
        font_.reset();
        ascent_ = s->ascent_;
        descent_ = s->descent_;
        tabWidth_ = s->tabWidth_;
    }
}

bool TRichTextAttributes::IsEqual(const TAttributes& other) const
{
    if (!TTextAttributes::IsEqual(other)) return false;
    const auto& o = static_cast<const TRichTextAttributes&>(other);
    return backColor_ == o.backColor_ && fontName_ == o.fontName_ && charset_ == o.charset_ && color_ == o.color_ &&
           pitch_ == o.pitch_ && size_ == o.size_ && style_ == o.style_;
}

size_t TRichTextAttributes::HashValue() const
{
    size_t seed = TTextAttributes::HashValue();
    HashCombine(seed, backColor_);
    HashCombine(seed, std::hash<String>()(fontName_));
    HashCombine(seed, charset_);
    HashCombine(seed, color_);
    HashCombine(seed, pitch_);
    HashCombine(seed, static_cast<size_t>(static_cast<unsigned>(size_)));
    HashCombine(seed, style_);
    return seed;
}

int TRichTextAttributes::GetAscent() const
{
    if (ascent_ == -1) Realise();
    return ascent_;
}

int TRichTextAttributes::GetDescent() const
{
    if (descent_ == -1) Realise();
    return descent_;
}

int TRichTextAttributes::GetTabWidth() const
{
    if (tabWidth_ == 0 && !font_) Realise();
    return tabWidth_;
}

int TRichTextAttributes::GetTextWidth(const Char* chars, int count) const
{
    if (count <= 0) return 0;
    return Font().TextWidth(chars, count);
}

void TRichTextAttributes::DrawBackground(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags,
                                         const TRect& rect, const TRect& rowRect) const
{
    if (backColor_ != clNone) canvas.DrawRect(rect, clNone, backColor_);
}

void TRichTextAttributes::DrawBlank(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags, int width, int x,
                                    const TRect& rowRect) const
{
    const TRect rect{x, rowRect.Top, x + width, rowRect.Bottom};
    DrawBackground(canvas, state, flags, rect, rowRect);
    if (flags & tdfSelected) canvas.FillSelection(rect, (flags & tdfInactive) == 0);
}

int TRichTextAttributes::DrawText(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags, int count,
                                  const Char* chars, int baseline, int x, const TRect& rowRect) const
{
    if (count <= 0) return 0;
    const TFont& font = Font();
    const int width = font.TextWidth(chars, count);
    const TRect rect{x, rowRect.Top, x + width, rowRect.Bottom};
    DrawBackground(canvas, state, flags, rect, rowRect);
    canvas.DrawFontText(font, x, baseline - font.Ascent(), color_, chars, count);
    if (flags & tdfSelected) canvas.FillSelection(rect, (flags & tdfInactive) == 0);
    return width;
}

} // namespace quillora
