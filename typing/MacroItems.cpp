#include "typing/MacroItems.h"

#include "elements/VisualElement.h"
#include "foundation/Clock.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "typing/MacroElements.h"

namespace quillora {

void BuildMacroItems(int backspaceCount, const TParagraph& paragraph, TMacroItems& items)
{
    items.clear();
    const TDateTimeParts moment = LocalClock().Now();
    static_cast<void>(moment);
    for (int i = 0; i < backspaceCount; ++i) items.push_back({mkBack, {}});
    for (const TPortion* portion = paragraph.FirstPortion(); portion; portion = portion->Next()) {
        if (const auto* text = dynamic_cast<const TTextPortion*>(portion)) {
            items.push_back({mkText, String(text->Text().substr(0, static_cast<size_t>(text->Length())))});
            continue;
        }
        const auto* elementPortion = dynamic_cast<const TElementPortion*>(portion);
        const TVisualElement* element = elementPortion ? elementPortion->Element() : nullptr;
        if (!element) continue;
        TMacroItemKind kind;
        if (MacroKindOfClass(element->GetClass(), kind)) items.push_back({kind, {}});
    }
}

bool TypeParagraph(int filterLength, const TParagraph& paragraph, const TGeneralSettings& settings)
{
    TMacroItems items;
    BuildMacroItems(filterLength, paragraph, items);
    return SendMacroItems(items, settings);
}

} // namespace quillora
