// The drop-down list over a document of 10,000 snippets: reading every caption when
// the list opens, and one filter character (two in all) rebuilding the items.
#include <benchmark/benchmark.h>

#include "foundation/Strings.h"
#include "support/TextFakes.h"
#include "text/Textor.h"
#include "typing/DropDownModel.h"

using namespace quillora;
using testing::TPlainTextor;

namespace {

constexpr int SnippetCount = 10000;

// Snippets beginning with two letters out of a small alphabet, so that a two-letter
// filter keeps a few hundred of them.
void Fill(TTextor& text)
{
    TTextorUpdate update(text);
    TTextorRange range;
    for (int i = 0; i < SnippetCount; ++i) {
        String snippet;
        snippet += static_cast<Char>(u'a' + i % 5);
        snippet += static_cast<Char>(u'a' + (i / 5) % 5);
        snippet += u" snippet " + IntToString(i) + u"\twith a tab and some words";
        text.InsertText(text.GetEnd(), snippet, nullptr, range);
        if (i + 1 < SnippetCount) text.SplitParagraph(text.GetEnd(), nullptr, range);
    }
}

void BM_DropDownOpenAndFilterTwoCharacters(benchmark::State& state)
{
    TPlainTextor text;
    Fill(text);
    TDropDownModel model;
    for (auto _ : state) {
        model.Open(text);
        model.HandleChar(u'B');
        model.HandleChar(u'c');
        benchmark::DoNotOptimize(model.Count());
    }
    state.counters["listed"] = model.Count();
}
BENCHMARK(BM_DropDownOpenAndFilterTwoCharacters)->Unit(benchmark::kMillisecond);

void BM_DropDownOneFilterCharacter(benchmark::State& state)
{
    TPlainTextor text;
    Fill(text);
    TDropDownModel model;
    model.Open(text);
    for (auto _ : state) {
        model.HandleChar(u'b');
        model.HandleChar(8);
        benchmark::DoNotOptimize(model.Count());
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_DropDownOneFilterCharacter)->Unit(benchmark::kMicrosecond);

} // namespace
