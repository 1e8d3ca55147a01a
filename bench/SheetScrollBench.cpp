// Scrolling the editor's view by one page: a sheet of 10,000 small elements in a range box
// of 800 x 600 pixels, each page painted whole on the bitmap-backed canvas with the
// built-in theme and the fixed-metric fonts (what a Page Down repaints).

#include <benchmark/benchmark.h>

#include <memory>

#include "editor/Sheet.h"
#include "editor/SheetView.h"
#include "elements/PanelElement.h"
#include "foundation/Service.h"
#include "render/Bitmap32.h"
#include "render/Canvas.h"
#include "render/SheetSettings.h"
#include "render/SheetSettingsTheme.h"
#include "shell/Settings.h"
#include "support/FakeViewHost.h"
#include "widgets/RangeBox.h"

namespace quillora::bench {

// A framed field with a caption, as the element library draws its small elements.
class TElement_Tile : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Tile, TVisualElement)
    void Paint(TSheetCanvas& canvas, int) override
    {
        canvas.DrawThemeFrame(steField, GetLocalRect());
        canvas.DrawElementText(6, 3, u"Snippet element");
    }
};

class TTileRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TTileRoot, TPanelElement)
};

namespace {

void BM_SheetScrollOnePage(benchmark::State& state)
{
    constexpr int Count = 10000;
    TSettings settings {Service<TSettingsPlatform>()};
    TSheetSettingsTheme look {settings.Sheet()};
    TSheet sheet {&settings.Sheet(), std::make_unique<TCustomSheetCanvas>(look)};
    TTileRoot* document = TElement::NewElement<TTileRoot>(nullptr);
    for (int i = 0; i < Count; ++i) {
        auto* tile = TElement::NewElement<TElement_Tile>(nullptr);
        tile->SetParent(document);
        tile->SetBounds(8 + (i % 4) * 190, 8 + (i / 4) * 24, 180, 20);
    }
    sheet.SetDocument(document);

    testing::TFakeViewHost host;
    host.Client = Rect(0, 0, 800, 600);
    TRangeBox box {host};
    box.SetScrollBars(rsbBoth);
    box.SetClipping(rbcTopLeft);
    TSheetView view;
    view.SetSheet(nullptr, &sheet);
    box.SetContent(&view);

    TBitmap32 window;
    window.SetSize(800, 600);
    TBitmapPaintTarget target {window};
    for (auto _ : state) {
        if (box.Position().Y >= box.RangeHeight() - 600) box.Scroll(sbVertical, scTop, 0);
        else box.Scroll(sbVertical, scPageDown, 0);
        box.PaintClient(target, host.Client);
    }
    state.counters["rows"] = Count / 4;
    box.SetContent(nullptr);
    view.SetSheet(nullptr, nullptr);
    sheet.SetDocument(nullptr);
    delete document;
}
BENCHMARK(BM_SheetScrollOnePage)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quillora::bench
