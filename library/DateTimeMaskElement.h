#pragma once
// TCustomDateTimeMaskElement: a text element whose plain text is a date-and-time mask
// (library/DateMask.h). Its drop-down list offers the preset masks; a new element gets
// the default mask.

#include "foundation/LocaleFormat.h"
#include "text/TextElement.h"

namespace quillora {

class TCustomDateTimeMaskElement : public TTextorElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomDateTimeMaskElement, TTextorElement)

    // The mask (the element's plain text).
    String GetMask();
    // `moment` formatted by the mask with the process-wide locale conventions; an empty
    // mask formats as "c".
    String FormatValue(const TDateTimeParts& moment);

    // The nine preset masks, then the text element's choice of the item matching the text.
    TDropDownItem* FillDropDown(TDropDownItem& rootItem) override;
    void InitializeNew(intptr_t context) override;

protected:
    void Create() override;
};

} // namespace quillora
