#include "library/DateTimeMaskPaletteItem.h"

#include "library/DateMask.h"
#include "library/DateTimeMaskElement.h"

namespace quillora {

TDateTimeMaskPaletteItem::TDateTimeMaskPaletteItem(TPaletteGroup* group, const TElementClass& elementClass,
                                                   int captionId, int hintId, int order, uint16_t flags, int image)
    : TElementPaletteItem(group, elementClass, captionId, hintId, order, flags, image)
{
    for (StringView mask : DateMaskPresets()) SubItems.push_back({String(mask), String(mask)});
}

void TDateTimeMaskPaletteItem::PrepareElement(TElement& element, const String& value)
{
    if (value.empty()) return;
    if (auto* mask = dynamic_cast<TCustomDateTimeMaskElement*>(&element)) mask->SetTextIfChanged(value);
}

} // namespace quillora
