// One insertion from the palette into the document of 10,000 snippets, up to the repainted
// sheet: the Enter button is run on the focused root text (one undo step), and the view
// of 800 x 600 pixels is painted whole on the bitmap-backed canvas. The insertion is
// undone outside the timing, so that every round starts from the same document.

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchDocument.h"
#include "editor/PaletteForm.h"
#include "editor/Sheet.h"
#include "editor/SheetView.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/UndoRedo.h"
#include "render/Bitmap32.h"
#include "render/Canvas.h"
#include "render/SheetSettings.h"
#include "render/SheetSettingsTheme.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "shell/Settings.h"
#include "support/FakeViewHost.h"
#include "widgets/RangeBox.h"

namespace quillora::bench {
namespace {

void BM_PaletteInsertionRepainted(benchmark::State& state)
{
    Localization().SetLanguage(LangEnglish);
    InitializeModules();
    TBenchFiles files;
    auto document = TTrayAppDocument::New<TQuilloraDocument>();
    document->LoadDataFile(files.Source);

    TSettings settings {Service<TSettingsPlatform>()};
    TSheetSettingsTheme look {settings.Sheet()};
    TSheet sheet {&settings.Sheet(), std::make_unique<TCustomSheetCanvas>(look)};
    sheet.SetDocument(document->QuilloraRoot());
    testing::TFakeViewHost host;
    host.Client = Rect(0, 0, 800, 600);
    TRangeBox box {host};
    box.SetScrollBars(rsbBoth);
    box.SetClipping(rbcTopLeft);
    TSheetView view;
    view.SetSheet(document->Scheme(), &sheet);
    box.SetContent(&view);
    sheet.SetActive(true);
    sheet.SetFocused(document->QuilloraRoot());

    TPaletteForm palette;
    palette.SetSheet(&sheet);
    const int enter = palette.FindKey(u"10");

    TBitmap32 window;
    window.SetSize(800, 600);
    TBitmapPaintTarget target {window};
    for (auto _ : state) {
        if (!palette.Click(enter)) state.SkipWithError("the Enter button did not run");
        box.PaintClient(target, host.Client);
        state.PauseTiming();
        document->UndoRedo()->Undo();
        state.ResumeTiming();
    }
    state.counters["snippets"] = SnippetCount;
    palette.SetSheet(nullptr);
    box.SetContent(nullptr);
    view.SetSheet(nullptr, nullptr);
    sheet.SetDocument(nullptr);
}
BENCHMARK(BM_PaletteInsertionRepainted)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quillora::bench
