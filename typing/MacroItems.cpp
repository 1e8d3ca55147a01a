#include "typing/MacroItems.h"

#include "elements/VisualElement.h"
#include "foundation/Clock.h"
#include "foundation/Service.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "typing/MacroElements.h"

namespace quillora {

void BuildMacroItems(int backspaceCount, const TParagraph& paragraph, TMacroItems& items)
{
    items.clear();
    // One moment for every date element of the snippet, however slow the typing.
    const TDateTimeParts moment = Service<ILocalClock>().Now();
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
        if (MacroKindOfClass(element->GetClass(), kind)) {
            items.push_back({kind, {}});
        } else if (&element->GetClass() == &TElement_DateTime::Class()) {
            // Typed whether the element is disabled or not.
            auto* date = static_cast<TElement_DateTime*>(elementPortion->Element());
            items.push_back({mkText, date->FormatValue(moment)});
        }
    }
}

bool TypeParagraph(int filterLength, const TParagraph& paragraph, const TTypingSettings& settings)
{
    TMacroItems items;
    BuildMacroItems(filterLength, paragraph, items);
    return SendMacroItems(items, settings);
}

} // namespace quillora
