#include "library/DateTimeMaskElement.h"

#include "elements/DropDownList.h"
#include "library/DateMask.h"

namespace quillora {

void TCustomDateTimeMaskElement::Create()
{
    TTextorElement::Create();
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | voHasDropDown | voDropDownCaseSensitive));
    options_ = teoWordByClass | teoMaxWidth240;
    textOptions_ = toLetters | toDigits | toUnderscore | toSpaces | toSymbols;
}

void TCustomDateTimeMaskElement::InitializeNew(intptr_t context)
{
    TTextorElement::InitializeNew(context);
    SetTextIfChanged(DefaultDateMask);
}

String TCustomDateTimeMaskElement::GetMask() { return GetText(); }

String TCustomDateTimeMaskElement::FormatValue(const TDateTimeParts& moment)
{
    return FormatDateMask(GetMask(), moment);
}

TDropDownItem* TCustomDateTimeMaskElement::FillDropDown(TDropDownItem& rootItem)
{
    for (StringView mask : DateMaskPresets()) rootItem.AddItem(String(mask));
    return TTextorElement::FillDropDown(rootItem);
}

} // namespace quillora
