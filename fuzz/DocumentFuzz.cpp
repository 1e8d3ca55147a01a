// libFuzzer target of the snippet document: arbitrary bytes are read as a knot text and
// loaded into the document's root text (text runs, paragraph breaks, the key, caret and
// date elements, anything else kept as an unknown element), every snippet is turned
// into its caption and its typing steps, and the root is saved.
//
// Findings: a crash, a leak, any exception from loading, listing or saving (loading never
// raises on bad data), and a document that loaded without a report but does not save the
// same after a second load.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "elements/Filer.h"
#include "elements/Messages.h"
#include "elements/Scheme.h"
#include "foundation/Clock.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/Streams.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "shell/PlatformServices.h"
#include "text/Paragraph.h"
#include "text/Textor.h"
#include "typing/DropDownModel.h"
#include "typing/MacroItems.h"

namespace quillora {
namespace {

std::unique_ptr<TQuilloraDocument> Load(TKnot& knot)
{
    auto document = TTrayAppDocument::New<TQuilloraDocument>();
    document->Scheme()->LoadFromKnot(document->Root(), smDocument, &knot);
    return document;
}

String Save(TQuilloraDocument& document)
{
    TKnot knot;
    document.Scheme()->SaveToKnot(document.Root(), smDocument, &knot, 0);
    return knot.SaveToText();
}

void ListAndType(TQuilloraDocument& document)
{
    TMacroItems items;
    for (TParagraph* p = document.Text().FirstParagraph(); p; p = p->Next()) {
        if (p->IsEmpty()) continue;
        (void)ParagraphCaption(*p);
        BuildMacroItems(2, *p, items);
    }
}

} // namespace
} // namespace quillora

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    using namespace quillora;
    static TPlatformServices platformServices;
    Localization().SetLanguage(LangEnglish);
    InitializeModules();
    static TFixedLocalClock clock(TDateTimeParts {2026, 12, 10, 8, 30, 15, 250});
    static TProvide<ILocalClock> provideClock(clock);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillora;
    TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    try {
        TKnot knot;
        knot.LoadFromStream(stream);
        const bool corrupt = knot.Corrupt();
        auto first = Load(knot);
        ListAndType(*first);
        const String saved = Save(*first);
        // Exactness is promised for what loaded completely (see the element target).
        if (corrupt || first->Scheme()->SchemeMessages().Count() > 0) return 0;
        TKnot again;
        again.LoadFromText(saved);
        if (again.Corrupt()) __builtin_trap();
        auto second = Load(again);
        if (Save(*second) != saved) __builtin_trap();
    } catch (...) {
        __builtin_trap();
    }
    return 0;
}
