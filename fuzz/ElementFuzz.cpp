// libFuzzer target of the knot reader and the element loader: arbitrary bytes are read as
// a knot text (byte-order mark rules) and loaded into a scheme of the test element classes
// whose root accepts stars with attributes, comments, frames and crates (parts, a required
// title, a part saved inline, nested containers) and, for everything else, the placeholder
// of unknown elements. The first byte chooses the mode and the options.
//
// Findings: a crash, a leak, any exception from loading or saving (loading never raises on
// bad data), and a document that loaded without a report but does not save the same
// after a second load (the placeholder must write back exactly what it read).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "elements/Filer.h"
#include "elements/Messages.h"
#include "elements/Scheme.h"
#include "elements/Unaccepted.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "shell/PlatformServices.h"
#include "support/TestElements.h"

namespace quillora {
namespace {

using testing::TCrateRoot;

// Loads `knot` into a new scheme and returns the scheme.
std::unique_ptr<TScheme> Load(TKnot& knot, int mode, int options)
{
    auto scheme = std::make_unique<TScheme>(&TCrateRoot::Class(), u"Quillora");
    TSchemeLoader loader(scheme.get(), &scheme->SchemeMessages(), &knot, options, mode);
    scheme->Root()->LoadFromKnot(&loader, &knot);
    loader.Finish();
    // The messages are made and readable.
    for (int i = 0; i < scheme->SchemeMessages().Count(); ++i) (void)scheme->SchemeMessages().GetItems(i).GetText();
    return scheme;
}

String Save(TScheme& scheme, int mode, int options)
{
    TKnot knot;
    scheme.SaveToKnot(scheme.Root(), mode, &knot, options);
    return knot.SaveToText();
}

} // namespace
} // namespace quillora

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static quillora::TPlatformServices platformServices;
    quillora::Localization().SetLanguage(1033);
    quillora::TElement_Unaccepted::Register();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillora;
    if (size < 1) return 0;
    const int mode = data[0] % 3;
    // Positions and the skipping options, never stream references (the knot outlives nothing).
    const int options = (data[0] >> 2) & (soNoPositions | soSkipDisabled | soSkipUnsupported | soSkipComments);
    TMemoryStream stream(std::vector<uint8_t>(data + 1, data + size));
    try {
        TKnot knot;
        knot.LoadFromStream(stream);
        const bool corrupt = knot.Corrupt();
        auto first = Load(knot, mode, 0);
        const String saved = Save(*first, mode, options);
        // Exactness is promised for what loaded completely: a load that reported data it
        // did not read (the program then refuses to overwrite the file) may save less.
        if (corrupt || first->SchemeMessages().Count() > 0) return 0;
        // What was saved loads and saves the same again.
        TKnot again;
        again.LoadFromText(saved);
        if (again.Corrupt()) __builtin_trap();
        auto second = Load(again, mode, 0);
        if (Save(*second, mode, options) != saved) __builtin_trap();
    } catch (...) {
        __builtin_trap();
    }
    return 0;
}
