// The text model at the size of a full snippet document: 10,000 paragraphs built as a
// load does (one update), read back paragraph by paragraph as the drop-down list does,
// edited keystroke by keystroke, and formatted with many distinct link attributes.
#include <benchmark/benchmark.h>

#include "foundation/Strings.h"
#include "support/TextFakes.h"
#include "text/RichTextAttributes.h"
#include "text/Textor.h"

using namespace quillora;
using testing::TPlainTextor;

namespace {

constexpr int ParagraphCount = 10000;

String SnippetText(int i) { return u"Snippet number " + IntToString(i) + u"\twith a tab and some words"; }

// Builds the text in one update: each snippet inserted at the end, then a paragraph break.
void Fill(TTextor& text, TTextAttributes* attributes = nullptr)
{
    TTextorUpdate update(text);
    TTextorRange range;
    for (int i = 0; i < ParagraphCount; ++i) {
        const String snippet = SnippetText(i);
        text.InsertText(text.GetEnd(), snippet, attributes, range);
        if (i + 1 < ParagraphCount) text.SplitParagraph(text.GetEnd(), nullptr, range);
    }
}

void BM_BuildText(benchmark::State& state)
{
    for (auto _ : state) {
        TPlainTextor text;
        Fill(text);
        benchmark::DoNotOptimize(text.LastParagraph());
    }
    state.SetItemsProcessed(state.iterations() * ParagraphCount);
}
BENCHMARK(BM_BuildText)->Unit(benchmark::kMillisecond);

void BM_SetWholeText(benchmark::State& state)
{
    String all;
    for (int i = 0; i < ParagraphCount; ++i) all += SnippetText(i) + u"\r\n";
    for (auto _ : state) {
        TPlainTextor text;
        text.SetText(all);
        benchmark::DoNotOptimize(text.LastParagraph());
    }
    state.SetItemsProcessed(state.iterations() * ParagraphCount);
}
BENCHMARK(BM_SetWholeText)->Unit(benchmark::kMillisecond);

void BM_ParagraphCaptions(benchmark::State& state)
{
    TPlainTextor text;
    Fill(text);
    for (auto _ : state) {
        size_t total = 0;
        for (TParagraph* p = text.FirstParagraph(); p; p = p->Next()) total += text.GetRangeText(p->GetRange()).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * ParagraphCount);
}
BENCHMARK(BM_ParagraphCaptions)->Unit(benchmark::kMillisecond);

// Typing in the middle of the text: every keystroke is an update of its own, followed by
// the location round trip that an undoable edit stores.
void BM_TypeInTheMiddle(benchmark::State& state)
{
    TPlainTextor text;
    Fill(text);
    const int keys = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TTextorPosition pos;
        text.LocationToPosition({ParagraphCount / 2, 3}, pos);
        TTextorRange range;
        for (int i = 0; i < keys; ++i) {
            const Char c = static_cast<Char>(u'a' + i % 26);
            text.InsertText(pos, &c, 1, nullptr, range);
            const TTextorLocation location = text.PositionToLocation(range.EndPos);
            text.LocationToPosition(location, pos);
        }
        state.PauseTiming();
        TTextorPosition start;
        text.LocationToPosition({ParagraphCount / 2, 3}, start);
        text.DeleteRange({start, pos}, start);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * keys);
}
BENCHMARK(BM_TypeInTheMiddle)->Arg(100)->Unit(benchmark::kMillisecond);

// One distinct link per paragraph, as link detection makes them: the registry holds
// 10,000 attribute sets at once.
void BM_LinkEveryParagraph(benchmark::State& state)
{
    TPlainTextor text;
    Fill(text);
    for (auto _ : state) {
        {
            TTextorUpdate update(text);
            int i = 0;
            for (TParagraph* p = text.FirstParagraph(); p; p = p->Next(), ++i) {
                TRichTextAttributes scratch;
                scratch.SetColor(0xFF0000);
                scratch.SetStyle(fsUnderline);
                scratch.SetIsLink(true);
                scratch.SetHyperlink(u"https://example.test/" + IntToString(i));
                TTextorRange result;
                text.ApplyAttributes({p->GetStart(), TTextor::Normalize({p, p->FirstPortion(), 7})}, false,
                                     TRichTextAttributes::GetRegistered(scratch), result);
            }
        }
        state.PauseTiming();
        {
            TTextorUpdate update(text);
            TTextorRange result;
            text.ApplyAttributes(text.GetWholeRange(), false, nullptr, result);
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * ParagraphCount);
}
BENCHMARK(BM_LinkEveryParagraph)->Unit(benchmark::kMillisecond);

void BM_DeleteEverything(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        TPlainTextor text;
        Fill(text);
        state.ResumeTiming();
        TTextorPosition pos;
        text.DeleteRange(text.GetWholeRange(), pos);
        benchmark::DoNotOptimize(pos);
    }
    state.SetItemsProcessed(state.iterations() * ParagraphCount);
}
BENCHMARK(BM_DeleteEverything)->Unit(benchmark::kMillisecond);

} // namespace
