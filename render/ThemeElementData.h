#pragma once
// TSheetThemeElementData: one kind of theme decoration, a part of the theme image (its
// cut) with the margins and paddings that the layout of elements uses, an optional tint
// and, for frames, the border bands and fill modes of a nine-part frame.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/Geometry.h"
#include "render/Bitmap32.h"
#include "render/Color32.h"
#include "render/NinePart.h"

namespace quillora {

class TKnot;

// A tinted copy of an element's cut, made once per tint colour.
struct TColorOverImage {
    TColor32 Color = 0;
    std::unique_ptr<TBitmap32> Bitmap;
};

class TSheetThemeElementData {
public:
    TSheetThemeElementData() = default;
    TSheetThemeElementData(const TSheetThemeElementData&) = delete;
    TSheetThemeElementData& operator=(const TSheetThemeElementData&) = delete;

    // Reads the element's keys from `node` (an empty knot gives the defaults). `image` is the
    // theme image (not owned; may be null for none); the cut is limited to it. Frame kinds
    // also read the zone and the fill modes. Empties the tint cache; the scaled values equal
    // the values as read.
    void Read(TKnot& node, const TBitmap32* image, bool frame);
    // Scaled margins and padding = percent * value / 100, truncated toward zero.
    void SetScale(int percent);

    // The theme image (shared, not owned); null before reading.
    const TBitmap32* Image() const { return image_; }
    bool IsFrame() const { return frame_; }
    // The source rectangle inside the theme image (Right and Bottom exclusive).
    const TRect& Cut() const { return cut_; }
    // The tint, 0 for none.
    TColor32 ColorOver() const { return colorOver_; }
    // Insets of the element's rectangle that the hit test treats as outside; not scaled.
    const TRect& MouseTransparent() const { return mouseTransparent_; }
    // Space around the frame, scaled and as read.
    const TRect& Margins() const { return margins_; }
    const TRect& RawMargins() const { return rawMargins_; }
    // Space between the frame and the content, scaled and as read.
    const TRect& Padding() const { return padding_; }
    const TRect& RawPadding() const { return rawPadding_; }
    // The border bands of the nine-part frame in source pixels (0 for other kinds).
    const TRect& Zone() const { return parts_.Zone; }
    // The zone with the fill modes of the left, top, right and bottom bands and the centre.
    const TNinePart& FrameParts() const { return parts_; }

    int ImageWidth() const { return cut_.Width(); }
    int ImageHeight() const { return cut_.Height(); }
    // Width and height of the cut as a point (X width, Y height).
    TPoint ImageSize() const { return {ImageWidth(), ImageHeight()}; }
    int ZoneWidth() const { return parts_.Zone.Left + parts_.Zone.Right; }
    int ZoneHeight() const { return parts_.Zone.Top + parts_.Zone.Bottom; }

    // Draws the cut at its natural size with its top-left corner at `point`, alpha-blended.
    // A color of 0 takes the element's ColorOver; when that is 0 too the cut is drawn
    // untinted, otherwise its tinted copy.
    void DrawImage(TBitmap32& bitmap, TPoint point, TColor32 color = 0);
    // Draws the cut as a nine-part frame filling `rect`, tinted as DrawImage says.
    void DrawFrame(TBitmap32& bitmap, const TRect& rect, TColor32 color = 0);
    // The copy of the cut tinted by `color`, from the cache or made now.
    const TBitmap32& GetColorOverImage(TColor32 color);
    // How many tinted copies the cache holds.
    int ColorOverImageCount() const { return static_cast<int>(colorOverImages_.size()); }

private:
    const TBitmap32* image_ = nullptr;
    bool frame_ = false;
    TRect cut_;
    TColor32 colorOver_ = 0;
    TRect mouseTransparent_;
    TRect rawMargins_;
    TRect margins_;
    TRect rawPadding_;
    TRect padding_;
    TNinePart parts_;
    std::vector<TColorOverImage> colorOverImages_;
};

} // namespace quillora
