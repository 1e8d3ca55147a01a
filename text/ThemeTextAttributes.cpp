#include "text/ThemeTextAttributes.h"

#include <array>
#include <memory>

#include "render/SheetCanvas.h"
#include "text/DefaultAttributes.h"
#include "text/RichTextAttributes.h"

namespace quillora {

namespace {

// The four attributes of one theme and font size, each with one reference.
class TThemeTextAttributesCache final : public TCanvasThemeCache {
public:
    ~TThemeTextAttributesCache() override
    {
        for (TRichTextAttributes*& slot : slots_)
            if (slot) {
                slot->Release();
                slot = nullptr;
            }
    }
    TRichTextAttributes*& Slot(int index) { return slots_[static_cast<size_t>(index)]; }

private:
    std::array<TRichTextAttributes*, 4> slots_{};
};

TRichTextAttributes* ThemeAttributes(TSheetCanvas& canvas, int index, TSheetThemeFont font)
{
    TThemeTextFont data;
    if (!canvas.GetThemeTextFont(font, data)) return DefaultTextAttributes();
    auto* cache = dynamic_cast<TThemeTextAttributesCache*>(canvas.GetThemeCache());
    if (!cache) {
        auto made = std::make_unique<TThemeTextAttributesCache>();
        cache = made.get();
        canvas.SetThemeCache(std::move(made));
    }
    TRichTextAttributes*& slot = cache->Slot(index);
    if (!slot) {
        TRichTextAttributes scratch;
        scratch.SetFontName(data.Name);
        scratch.SetSize(data.Size);
        scratch.SetStyle(data.Style);
        scratch.SetColor(data.Color);
        TRichTextAttributes* registered = TRichTextAttributes::GetRegistered(scratch);
        registered->AddRef();
        slot = registered;
    }
    return slot;
}

} // namespace

TRichTextAttributes* GetCodeAttributes(TSheetCanvas& canvas) { return ThemeAttributes(canvas, 0, stfValue); }
TRichTextAttributes* GetFixedAttributes(TSheetCanvas& canvas) { return ThemeAttributes(canvas, 1, stfFixed); }
TRichTextAttributes* GetArtAttributes(TSheetCanvas& canvas) { return ThemeAttributes(canvas, 2, stfArt); }
TRichTextAttributes* GetCommentAttributes(TSheetCanvas& canvas) { return ThemeAttributes(canvas, 3, stfComment); }

} // namespace quillora
