#include "render/ThemeElementData.h"

#include <algorithm>
#include <climits>

#include "foundation/Knot.h"
#include "render/ThemeValues.h"
#include "render/Tint.h"

namespace quillora {

namespace {

constexpr int MaxItem = 10000;

// The cut of the inclusive corners L, T, R, B: all 0 (or none) is the whole image; the
// rectangle is limited to the image, and nothing of it inside the image leaves it empty.
TRect ReadCut(TKnot& node, const TBitmap32* image)
{
    const TRect bounds = image ? image->BoundsRect() : TRect{};
    const TRect items = ReadThemeIntegerList(node, u"Cut", 0, MaxItem);
    if (items == TRect{})
        return bounds;
    const TRect cut{std::max(items.Left, bounds.Left), std::max(items.Top, bounds.Top),
                    std::min(items.Right + 1, bounds.Right), std::min(items.Bottom + 1, bounds.Bottom)};
    return cut.IsEmpty() ? TRect{} : cut;
}

// Band widths that fit the source: the first band at most the size, the second at most
// what the first leaves, so that every corner of the frame is copied one to one.
void FitBands(int& first, int& second, int size)
{
    first = std::min(first, size);
    second = std::min(second, size - first);
}

} // namespace

void TSheetThemeElementData::Read(TKnot& node, const TBitmap32* image, bool frame)
{
    image_ = image;
    frame_ = frame;
    colorOverImages_.clear();

    cut_ = ReadCut(node, image);
    colorOver_ = 0;
    if (image)
        ReadThemeColor(node, u"ColorOver", *image, colorOver_);
    mouseTransparent_ = ReadThemeIntegerList(node, u"MouseTransparent", 0, MaxItem);
    rawMargins_ = ReadThemeIntegerList(node, u"Margins", -MaxItem, MaxItem);
    margins_ = rawMargins_;
    rawPadding_ = ReadThemeIntegerList(node, u"Padding", 0, MaxItem);
    padding_ = rawPadding_;

    parts_ = TNinePart{};
    if (frame) {
        parts_.Left = ReadThemeFillMode(node, u"FillModeLeft");
        parts_.Top = ReadThemeFillMode(node, u"FillModeTop");
        parts_.Right = ReadThemeFillMode(node, u"FillModeRight");
        parts_.Bottom = ReadThemeFillMode(node, u"FillModeBottom");
        parts_.Client = ReadThemeFillMode(node, u"FillModeClient");
        TRect zone = ReadThemeIntegerList(node, u"Zone", 0, MaxItem);
        FitBands(zone.Left, zone.Right, cut_.Width());
        FitBands(zone.Top, zone.Bottom, cut_.Height());
        parts_.Zone = zone;
    }
}

void TSheetThemeElementData::SetScale(int percent)
{
    margins_ = ScaleThemeRect(rawMargins_, percent);
    padding_ = ScaleThemeRect(rawPadding_, percent);
}

const TBitmap32& TSheetThemeElementData::GetColorOverImage(TColor32 color)
{
    for (const TColorOverImage& record : colorOverImages_)
        if (record.Color == color)
            return *record.Bitmap;
    TColorOverImage record;
    record.Color = color;
    record.Bitmap = std::make_unique<TBitmap32>();
    if (image_)
        CopyTinted(*record.Bitmap, *image_, cut_, color);
    record.Bitmap->SetDrawMode(dmBlend);
    colorOverImages_.push_back(std::move(record));
    return *colorOverImages_.back().Bitmap;
}

void TSheetThemeElementData::DrawImage(TBitmap32& bitmap, TPoint point, TColor32 color)
{
    if (!image_)
        return;
    const TColor32 tint = color != 0 ? color : colorOver_;
    if (tint != 0) {
        bitmap.Draw(point.X, point.Y, GetColorOverImage(tint));
    } else {
        bitmap.Draw(point.X, point.Y, cut_, *image_);
    }
}

void TSheetThemeElementData::DrawFrame(TBitmap32& bitmap, const TRect& rect, TColor32 color)
{
    if (!image_)
        return;
    const TColor32 tint = color != 0 ? color : colorOver_;
    if (tint != 0) {
        const TBitmap32& copy = GetColorOverImage(tint);
        DrawNinePart(bitmap, rect, copy, copy.BoundsRect(), parts_);
    } else {
        DrawNinePart(bitmap, rect, *image_, cut_, parts_);
    }
}

} // namespace quillora
