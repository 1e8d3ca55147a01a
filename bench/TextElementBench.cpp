// A document root text element of 10,000 snippets, each a paragraph of text with a tab
// and two small embedded elements: loaded from its knot tree and from its file text, and
// saved to a knot tree and to file text.
#include <benchmark/benchmark.h>

#include <memory>

#include "elements/ClassesGroups.h"
#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "text/TextElement.h"

using namespace quillora;

namespace {

constexpr int SnippetCount = 10000;

class TElement_BenchKey : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_BenchKey, TVisualElement)
    int Code = 0;
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TVisualElement::SaveToKnot(filer, knot);
        if (Code) knot->WriteInteger(u"Code", Code);
    }
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TVisualElement::LoadFromKnot(filer, knot);
        Code = knot->ReadInteger(u"Code", 0);
    }
};

class TBenchRoot : public TTextorElement {
public:
    QUILLORA_ELEMENT_CLASS(TBenchRoot, TTextorElement)

protected:
    void Create() override
    {
        TTextorElement::Create();
        options_ = teoContent;
        textOptions_ = toNoChecks;
    }
};

void RegisterClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    AddClass(ClassesGroups().GetGroups(cgTextContent), &TElement_BenchKey::Class());
}

// The document's file text: per snippet "Chars", an element, "Chars", an element, "Br".
const String& DocumentText()
{
    static const String text = [] {
        TKnot knot(u"Quillora");
        knot.WriteString(u"FormatVersion", u"1.2");
        for (int i = 0; i < SnippetCount; ++i) {
            knot.AddKnot(u"Chars")->WriteString(u"Value", u"Snippet " + IntToString(i) + u"\twith words and ");
            knot.AddKnot(u"BenchKey")->WriteInteger(u"Code", 13);
            knot.AddKnot(u"Chars")->WriteString(u"Value", u" more text after the key");
            knot.AddKnot(u"BenchKey")->WriteInteger(u"Code", 9);
            if (i + 1 < SnippetCount) knot.AddKnot(u"Br")->SetIncludedOptions(koInline);
        }
        return knot.SaveToText();
    }();
    return text;
}

std::unique_ptr<TScheme> LoadedScheme(TKnot& knot)
{
    auto scheme = std::make_unique<TScheme>(&TBenchRoot::Class(), u"Quillora");
    scheme->LoadFromKnot(scheme->Root(), smDocument, &knot);
    return scheme;
}

void BM_TextElementLoadFromKnot(benchmark::State& state)
{
    RegisterClasses();
    TKnot source;
    source.LoadFromText(DocumentText());
    for (auto _ : state) {
        state.PauseTiming();
        TKnot knot;
        knot.Assign(source);
        auto scheme = std::make_unique<TScheme>(&TBenchRoot::Class(), u"Quillora");
        state.ResumeTiming();
        scheme->LoadFromKnot(scheme->Root(), smDocument, &knot);
        benchmark::DoNotOptimize(scheme->Root());
        state.PauseTiming();
        scheme.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * SnippetCount);
}
BENCHMARK(BM_TextElementLoadFromKnot)->Unit(benchmark::kMillisecond);

void BM_TextElementLoadFromText(benchmark::State& state)
{
    RegisterClasses();
    const String& text = DocumentText();
    for (auto _ : state) {
        state.PauseTiming();
        auto scheme = std::make_unique<TScheme>(&TBenchRoot::Class(), u"Quillora");
        state.ResumeTiming();
        TKnot knot;
        knot.LoadFromText(text);
        scheme->LoadFromKnot(scheme->Root(), smDocument, &knot);
        benchmark::DoNotOptimize(scheme->Root());
        state.PauseTiming();
        scheme.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * SnippetCount);
}
BENCHMARK(BM_TextElementLoadFromText)->Unit(benchmark::kMillisecond);

void BM_TextElementSaveToKnot(benchmark::State& state)
{
    RegisterClasses();
    TKnot source;
    source.LoadFromText(DocumentText());
    auto scheme = LoadedScheme(source);
    for (auto _ : state) {
        TKnot knot;
        scheme->SaveToKnot(scheme->Root(), smDocument, &knot, soStreamRefs);
        benchmark::DoNotOptimize(knot.LastChild());
        state.PauseTiming();
        knot.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * SnippetCount);
}
BENCHMARK(BM_TextElementSaveToKnot)->Unit(benchmark::kMillisecond);

void BM_TextElementSaveToText(benchmark::State& state)
{
    RegisterClasses();
    TKnot source;
    source.LoadFromText(DocumentText());
    auto scheme = LoadedScheme(source);
    for (auto _ : state) {
        TKnot knot;
        scheme->SaveToKnot(scheme->Root(), smDocument, &knot, soStreamRefs);
        String text = knot.SaveToText();
        benchmark::DoNotOptimize(text.data());
        if (text != DocumentText()) state.SkipWithError("the saved text differs from the loaded one");
    }
    state.SetItemsProcessed(state.iterations() * SnippetCount);
}
BENCHMARK(BM_TextElementSaveToText)->Unit(benchmark::kMillisecond);

} // namespace
