// A document root text element of 10,000 snippets, each a paragraph of text with a tab
// and two small embedded elements: loaded from its knot tree and from its file text, and
// saved to a knot tree and to file text.
#include <benchmark/benchmark.h>

#include <memory>

#include "elements/ClassesGroups.h"
#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "support/TestElements.h"

using namespace quillora;
using testing::TElement_Key;
using testing::TTestTextRoot;

namespace {

constexpr int SnippetCount = 10000;

// Where a load starts and a save ends: the knot tree, or the file text it is written as.
enum class TForm { Knot, Text };

void RegisterClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    AddClass(ClassesGroups().GetGroups(cgTextContent), &TElement_Key::Class());
}

// The document's file text: per snippet "Chars", an element, "Chars", an element, "Br".
const String& DocumentText()
{
    static const String text = [] {
        TKnot knot(u"Quillora");
        knot.WriteString(u"FormatVersion", u"1.2");
        for (int i = 0; i < SnippetCount; ++i) {
            knot.AddKnot(u"Chars")->WriteString(u"Value", u"Snippet " + IntToString(i) + u"\twith words and ");
            knot.AddKnot(u"Key")->WriteInteger(u"Code", 13);
            knot.AddKnot(u"Chars")->WriteString(u"Value", u" more text after the key");
            knot.AddKnot(u"Key")->WriteInteger(u"Code", 9);
            if (i + 1 < SnippetCount) knot.AddKnot(u"Br")->SetIncludedOptions(koInline);
        }
        return knot.SaveToText();
    }();
    return text;
}

std::unique_ptr<TScheme> NewScheme() { return std::make_unique<TScheme>(&TTestTextRoot::Class(), u"Quillora"); }

// Loading the document into a new scheme; from text, the reading of the text is timed too.
void BM_TextElementLoad(benchmark::State& state, TForm from)
{
    RegisterClasses();
    TKnot source;
    if (from == TForm::Knot) source.LoadFromText(DocumentText());
    for (auto _ : state) {
        state.PauseTiming();
        TKnot knot;
        if (from == TForm::Knot) knot.Assign(source);
        auto scheme = NewScheme();
        state.ResumeTiming();
        if (from == TForm::Text) knot.LoadFromText(DocumentText());
        scheme->LoadFromKnot(scheme->Root(), smDocument, &knot);
        benchmark::DoNotOptimize(scheme->Root());
        state.PauseTiming();
        scheme.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * SnippetCount);
}
BENCHMARK_CAPTURE(BM_TextElementLoad, FromKnot, TForm::Knot)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextElementLoad, FromText, TForm::Text)->Unit(benchmark::kMillisecond);

// Saving the loaded document; to text, the writing of the text is timed too and the text
// must be the one that was loaded.
void BM_TextElementSave(benchmark::State& state, TForm to)
{
    RegisterClasses();
    TKnot source;
    source.LoadFromText(DocumentText());
    auto scheme = NewScheme();
    scheme->LoadFromKnot(scheme->Root(), smDocument, &source);
    for (auto _ : state) {
        TKnot knot;
        scheme->SaveToKnot(scheme->Root(), smDocument, &knot, soStreamRefs);
        if (to == TForm::Text) {
            String text = knot.SaveToText();
            benchmark::DoNotOptimize(text.data());
            if (text != DocumentText()) state.SkipWithError("the saved text differs from the loaded one");
        } else {
            benchmark::DoNotOptimize(knot.LastChild());
            state.PauseTiming();
            knot.Clear();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * SnippetCount);
}
BENCHMARK_CAPTURE(BM_TextElementSave, ToKnot, TForm::Knot)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextElementSave, ToText, TForm::Text)->Unit(benchmark::kMillisecond);

} // namespace
