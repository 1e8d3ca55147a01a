#include "render/Canvas.h"

#include <algorithm>
#include <climits>

#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "render/DeviceContextManager.h"
#include "render/SheetSettingsTheme.h"
#include "render/Theme.h"

namespace quillora {

namespace {

int ClampToInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

} // namespace

void TBitmapPaintTarget::Present(const TBitmap32& buffer, TPoint at)
{
    target_.Draw(at.X, at.Y, buffer);
}

TCustomSheetCanvas::TCustomSheetCanvas(TSheetSettingsTheme& settings) : settings_(settings)
{
    ResetFonts();
}

TCustomSheetCanvas::~TCustomSheetCanvas() = default;

// ---- the life of a paint ----

void TCustomSheetCanvas::BeginPaint(const TRect& rect)
{
    buffer_.reset();
    origin_ = rect.TopLeft();
    offsetX_ = 0;
    offsetY_ = 0;
    if (rect.IsEmpty()) return;
    auto buffer = std::make_unique<TBitmap32>();
    TDeviceContextManager& manager = Service<TDeviceContextManager>();
    if (auto storage = manager.NewBitmapStorage()) buffer->SetStorage(std::move(storage));
    const int64_t width = int64_t{rect.Right} - rect.Left;
    const int64_t height = int64_t{rect.Bottom} - rect.Top;
    if (width > INT_MAX || height > INT_MAX)
        throw Exception(AsciiToString("A paint buffer of ") + IntToString(width) + AsciiToString(" x ") +
                        IntToString(height) + AsciiToString(" pixels is too large"));
    buffer->SetSize(static_cast<int>(width), static_cast<int>(height));
    const TColor32 window = ColorToColor32(clWindow);
    buffer->Clear(window);
    buffer->SetOuterColor(window);
    buffer->SetDrawMode(dmOpaque);
    buffer_ = std::move(buffer);
    ApplyDrawingOrigin();
}

void TCustomSheetCanvas::EndPaint(TPaintTarget* target)
{
    if (!buffer_) return;
    std::unique_ptr<TBitmap32> buffer = std::move(buffer_);
    buffer->Storage().SetDrawingOrigin(TPoint{0, 0});
    if (target) target->Present(*buffer, origin_);
}

TPoint TCustomSheetCanvas::Offset() const
{
    return {ClampToInt(offsetX_), ClampToInt(offsetY_)};
}

TPoint TCustomSheetCanvas::ToBuffer(int x, int y, int shift) const
{
    return {ClampToInt(int64_t{x} + shift + offsetX_ - origin_.X), ClampToInt(int64_t{y} + shift + offsetY_ - origin_.Y)};
}

TRect TCustomSheetCanvas::ToBuffer(const TRect& rect) const
{
    const int64_t dx = offsetX_ - origin_.X;
    const int64_t dy = offsetY_ - origin_.Y;
    return {ClampToInt(rect.Left + dx), ClampToInt(rect.Top + dy), ClampToInt(rect.Right + dx),
            ClampToInt(rect.Bottom + dy)};
}

void TCustomSheetCanvas::ApplyDrawingOrigin()
{
    if (buffer_) buffer_->Storage().SetDrawingOrigin(ToBuffer(0, 0));
}

// ---- origin and clip ----

void TCustomSheetCanvas::MoveOrigin(int dx, int dy)
{
    offsetX_ += dx;
    offsetY_ += dy;
    ApplyDrawingOrigin();
}

TRect TCustomSheetCanvas::GetClipRect() const
{
    const int width = buffer_ ? buffer_->Width() : 0;
    const int height = buffer_ ? buffer_->Height() : 0;
    const int64_t left = int64_t{origin_.X} - offsetX_;
    const int64_t top = int64_t{origin_.Y} - offsetY_;
    return {ClampToInt(left), ClampToInt(top), ClampToInt(left + width), ClampToInt(top + height)};
}

bool TCustomSheetCanvas::RectVisible(const TRect& rect) const
{
    if (!buffer_) return false;
    const TRect r = ToBuffer(rect);
    const TRect b = buffer_->BoundsRect();
    return !(b.Left >= r.Right || b.Right < r.Left || b.Top >= r.Bottom || b.Bottom < r.Top);
}

// ---- theme access ----

TSheetTheme& TCustomSheetCanvas::Theme()
{
    return settings_.GetTheme();
}

void TCustomSheetCanvas::DrawThemeImage(TSheetThemeElement element, TPoint point, uint32_t color)
{
    if (!buffer_) return;
    Theme().GetElements(element).DrawImage(*buffer_, ToBuffer(point.X, point.Y), color);
}

void TCustomSheetCanvas::DrawThemeFrame(TSheetThemeElement element, const TRect& rect, uint32_t color)
{
    if (!buffer_) return;
    Theme().GetElements(element).DrawFrame(*buffer_, ToBuffer(rect), color);
}

int TCustomSheetCanvas::GetThemeImageHeight(TSheetThemeElement element)
{
    return Theme().GetElements(element).ImageHeight();
}

TPoint TCustomSheetCanvas::GetThemeImageSize(TSheetThemeElement element)
{
    return Theme().GetElements(element).ImageSize();
}

int TCustomSheetCanvas::GetThemeZoneWidth(TSheetThemeElement element)
{
    return Theme().GetElements(element).ZoneWidth();
}

int TCustomSheetCanvas::GetThemeZoneHeight(TSheetThemeElement element)
{
    return Theme().GetElements(element).ZoneHeight();
}

TRect TCustomSheetCanvas::GetThemeMargins(TSheetThemeElement element)
{
    return Theme().GetElements(element).Margins();
}

TRect TCustomSheetCanvas::GetThemePadding(TSheetThemeElement element)
{
    return Theme().GetElements(element).Padding();
}

TRect TCustomSheetCanvas::GetThemeMouseTransparent(TSheetThemeElement element)
{
    return Theme().GetElements(element).MouseTransparent();
}

void TCustomSheetCanvas::FillDisabled(const TRect& rect)
{
    if (!buffer_) return;
    buffer_->FillRectBlend(ToBuffer(rect), Theme().DisableColor());
}

void TCustomSheetCanvas::FillSelection(const TRect& rect, bool active)
{
    if (!buffer_) return;
    TSheetTheme& theme = Theme();
    buffer_->FillRectBlend(ToBuffer(rect), active ? theme.SelectColor() : theme.SelectInactiveColor());
}

} // namespace quillora
