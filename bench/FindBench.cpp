// Find and replace over the document of 10,000 snippets: finding a word of the last
// snippet from the top, and replacing a word that every snippet holds (one undo step).
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchDocument.h"
#include "elements/Filer.h"
#include "elements/FindReplace.h"
#include "elements/Scheme.h"
#include "foundation/Encoding.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/UndoRedo.h"
#include "foundation/UtilsServices.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "support/ElementFakes.h"

using namespace quillora;

namespace {

struct TQuietBoxes : TMessageBoxService {
    int Show(const String&, const String&, unsigned) override { return idOk; }
    bool ActiveWindowIsTopmost() const override { return false; }
    String ApplicationTitle() const override { return u"Quillora"; }
};

// The document in a sheet, its root focused with the caret at the start.
struct TFindBenchDocument {
    TUndoRedo undo;
    testing::TFakeSheet sheet;
    std::unique_ptr<TScheme> scheme;
    TQuietBoxes boxes;
    TProvide<TMessageBoxService> provideBoxes{boxes};

    TFindBenchDocument()
    {
        Localization().SetLanguage(LangEnglish);
        InitializeModules();
        scheme = std::make_unique<TScheme>(&TQuilloraRoot::Class(), u"Quillora");
        scheme->SetUndoRedo(&undo);
        TKnot knot;
        knot.LoadFromText(DecodeText(bench::GeneratedDataFile()));
        scheme->LoadFromKnot(scheme->Root(), smDocument, &knot);
        Root().SetVisualParent(sheet.Root(), nullptr);
        undo.Clear();
    }
    ~TFindBenchDocument() { Root().SetVisualParent(nullptr, nullptr); }

    TQuilloraRoot& Root() { return *static_cast<TQuilloraRoot*>(scheme->Root()); }
    void CaretToStart()
    {
        sheet.SetFocused(&Root());
        Root().SetSelection({0, 0, 0, 0});
    }
};

void BM_FindInLastSnippet10000(benchmark::State& state)
{
    TFindBenchDocument document;
    TFindData data;
    data.SearchRoot = &document.Root();
    data.Text = u"Snippet 9999";
    for (auto _ : state) {
        document.CaretToStart();
        TFindResult result = SheetFindNext(document.sheet, data, true);
        if (!result.Found) state.SkipWithError("not found");
    }
}
BENCHMARK(BM_FindInLastSnippet10000)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllFrequentWord10000(benchmark::State& state)
{
    TFindBenchDocument document;
    TFindData data;
    data.SearchRoot = &document.Root();
    data.Text = u"words";
    for (auto _ : state) {
        document.CaretToStart();
        TFindResult result = SheetReplace(document.sheet, data, u"terms", true, true);
        if (result.Replacements != bench::SnippetCount) state.SkipWithError("wrong count");
        state.PauseTiming();
        document.undo.Undo();
        document.undo.ClearRedo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * bench::SnippetCount);
}
BENCHMARK(BM_ReplaceAllFrequentWord10000)->Unit(benchmark::kMillisecond);

} // namespace
