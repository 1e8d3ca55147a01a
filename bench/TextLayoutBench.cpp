// The text layout and editing of the snippet document at its target size: the first
// full layout of 10,000 snippets, one character typed in the middle from the key event to
// its row painted on a raster canvas, and one page painted after a scroll.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchDocument.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "render/Bitmap32.h"
#include "render/Canvas.h"
#include "render/SheetSettingsTheme.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "shell/Settings.h"
#include "support/ElementFakes.h"
#include "text/TextorInteractive.h"
#include "text/TextorRow.h"

using namespace quillora;

namespace {

constexpr int PageWidth = 800;
constexpr int PageHeight = 600;

// A sheet whose canvas is the raster canvas of the program.
class TRasterSheet : public testing::TFakeSheet {
public:
    TSettings Settings{Service<TSettingsPlatform>()};
    TSheetSettingsTheme Look{Settings.Sheet()};
    TCustomSheetCanvas Canvas{Look};

    TSheetCanvas* GetCanvas() const override { return const_cast<TCustomSheetCanvas*>(&Canvas); }
    void GetAvailableSize(int& width, int& height) const override
    {
        width = PageWidth;
        height = PageHeight;
    }
};

// The document loaded, not yet in a sheet.
struct TLoadedDocument {
    bench::TBenchFiles Files;
    std::unique_ptr<TQuilloraDocument> Document;
    TLoadedDocument()
    {
        Localization().SetLanguage(LangEnglish);
        InitializeModules();
        Document = TTrayAppDocument::New<TQuilloraDocument>();
        Document->LoadDataFile(Files.Source);
    }
    TTextorElement& Root() const { return *Document->QuilloraRoot(); }
};

void Paint(TRasterSheet& sheet, TTextorElement& root, const TRect& rect)
{
    sheet.Canvas.BeginPaint(rect);
    root.PaintAll(sheet.Canvas, 0);
    sheet.Canvas.EndPaint(nullptr);
}

void BM_TextFirstLayout10000Snippets(benchmark::State& state)
{
    TLoadedDocument loaded;
    TRasterSheet sheet;
    for (auto _ : state) {
        loaded.Root().SetVisualParent(sheet.Root(), nullptr); // attaching lays every paragraph out
        benchmark::DoNotOptimize(loaded.Root().Text().GetHeight());
        state.PauseTiming();
        loaded.Root().SetVisualParent(nullptr, nullptr);
        state.ResumeTiming();
    }
    state.counters["rows"] = loaded.Root().Text().ParagraphCount();
}
BENCHMARK(BM_TextFirstLayout10000Snippets)->Unit(benchmark::kMillisecond);

void BM_TextTypeOneCharacterInTheMiddle(benchmark::State& state)
{
    TLoadedDocument loaded;
    TRasterSheet sheet;
    TTextorElement& root = loaded.Root();
    root.SetVisualParent(sheet.Root(), nullptr);
    root.Focus();
    TTextor& text = root.Text();
    root.SetSelection({bench::SnippetCount / 2, 8, bench::SnippetCount / 2, 8});
    for (auto _ : state) {
        TKeyEvent press = TKeyEvent::Press(u'x');
        root.KeyPress(press);
        // The caret's row repainted, across the page.
        const TRow* row = root.Interactive()->CaretRow();
        TRect padding;
        root.GetPadding(padding);
        Paint(sheet, root, TRect{0, root.Top() + padding.Top + row->Top(), PageWidth,
                                 root.Top() + padding.Top + row->Bottom});
        state.PauseTiming();
        TKeyEvent back = TKeyEvent::Down(kcBack);
        root.KeyDown(back);
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(text.GetHeight());
}
BENCHMARK(BM_TextTypeOneCharacterInTheMiddle)->Unit(benchmark::kMicrosecond);

void BM_TextPaintOnePageAfterAScroll(benchmark::State& state)
{
    TLoadedDocument loaded;
    TRasterSheet sheet;
    TTextorElement& root = loaded.Root();
    root.SetVisualParent(sheet.Root(), nullptr);
    const int height = root.Text().GetHeight();
    int top = height / 2;
    for (auto _ : state) {
        Paint(sheet, root, TRect{0, top, PageWidth, top + PageHeight});
        top = (top + PageHeight) % (height - PageHeight);
    }
}
BENCHMARK(BM_TextPaintOnePageAfterAScroll)->Unit(benchmark::kMicrosecond);

} // namespace
