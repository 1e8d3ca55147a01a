#include "elements/SchemeImages.h"

#include <string_view>

#include "foundation/Exceptions.h"
#include "images/Frame.h"
#include "images/UniversalImage.h"
#include "render/SheetThemeTypes.h"
#include "render/ThemeResources.h"

namespace quillora {

TSchemeImages::TSchemeImages(int cellSize) : cellSize_(cellSize > 0 ? cellSize : 1) {}

TColor32 GreyedPixel(TColor32 color)
{
    const uint32_t grey = (RedOf(color) * 61u + GreenOf(color) * 174u + BlueOf(color) * 21u) >> 8;
    const auto value = static_cast<uint8_t>(grey);
    return Color32(value, value, value, static_cast<uint8_t>(AlphaOf(color) * 22u / 100u));
}

TSchemeImages::TSchemeImages(TGreyed, const TSchemeImages& source) : cellSize_(source.cellSize_)
{
    images_.reserve(source.images_.size());
    for (const auto& image : source.images_) {
        auto grey = std::make_unique<TBitmap32>();
        grey->Assign(*image);
        for (int y = 0; y < grey->Height(); ++y) {
            TColor32* row = grey->ScanLine(y);
            for (int x = 0; x < grey->Width(); ++x) row[x] = GreyedPixel(row[x]);
        }
        images_.push_back(std::move(grey));
    }
}

const TBitmap32* TSchemeImages::GetImage(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return images_[static_cast<size_t>(index)].get();
}

int TSchemeImages::AddStrip(const TFrame& strip)
{
    const int first = Count();
    const int columns = strip.Width() / cellSize_;
    const int rows = strip.Height() / cellSize_;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            auto cell = std::make_unique<TBitmap32>(cellSize_, cellSize_);
            cell->SetDrawMode(dmBlend);
            for (int y = 0; y < cellSize_; ++y) {
                const uint32_t* from = strip.Row(row * cellSize_ + y) + column * cellSize_;
                TColor32* to = cell->ScanLine(y);
                for (int x = 0; x < cellSize_; ++x) to[x] = from[x];
            }
            images_.push_back(std::move(cell));
        }
    return first;
}

int TSchemeImages::AddImagesFromStream(TMemoryStream& stream)
{
    TUniversalImage picture;
    try {
        picture.LoadFromStream(stream);
    } catch (const Exception&) {
        return -1;
    }
    const TFrame* frame = picture.FirstFrame();
    if (!frame || frame->Empty()) return -1;
    return AddStrip(*frame);
}

int TSchemeImages::AddImages(StringView resourceName, const TResourceModule& module)
{
    std::string_view bytes;
    if (!module.FindRawData(resourceName, bytes)) return -1;
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    return AddImagesFromStream(stream);
}

int TSchemeImages::AddImages(StringView resourceName) { return AddImages(resourceName, ProgramModule()); }

namespace {

class TSchemeCanvasImageLists final : public TCanvasImageLists {
public:
    const TBitmap32* GetImage(TSheetThemeImage size, int index) const override
    {
        switch (size) {
        case stiChar: return SchemeCharImages().GetImage(index);
        case stiSmall: return SchemeSmallImages().GetImage(index);
        case stiLarge: return SchemeLargeImages().GetImage(index);
        }
        return nullptr;
    }
};

} // namespace

TSchemeImages& SchemeCharImages()
{
    static TSchemeImages list(12);
    static const int started = list.AddImages(CharImagesResourceName);
    static_cast<void>(started);
    return list;
}

TSchemeImages& SchemeSmallImages()
{
    static TSchemeImages list(16);
    static const int started = list.AddImages(SmallImagesResourceName);
    static_cast<void>(started);
    return list;
}

TSchemeImages& SchemeLargeImages()
{
    static TSchemeImages list(32);
    static const int started = list.AddImages(LargeImagesResourceName);
    static_cast<void>(started);
    return list;
}

TCanvasImageLists& SchemeCanvasImageLists()
{
    static TSchemeCanvasImageLists lists;
    return lists;
}

} // namespace quillora
