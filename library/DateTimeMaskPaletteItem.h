#pragma once
// The palette item that inserts a date-and-time mask element: its sub-commands are the
// nine preset masks, and the element inserted with one of them gets that mask.

#include "elements/Palette.h"

namespace quillora {

class TDateTimeMaskPaletteItem : public TElementPaletteItem {
public:
    // `elementClass` must be a TCustomDateTimeMaskElement class.
    TDateTimeMaskPaletteItem(TPaletteGroup* group, const TElementClass& elementClass, int captionId, int hintId,
                             int order, uint16_t flags, int image);
    // The mask `value` (when not empty) replaces the new element's default mask.
    void PrepareElement(TElement& element, const String& value) override;
};

} // namespace quillora
