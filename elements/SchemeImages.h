#pragma once
// The element images: lists of square pictures of one cell size (12, 16 or 32 pixels),
// 32-bit with alpha and drawn blended, filled from picture strips of the program's
// resources. Element units append their strips at start-up and keep the index of their
// first image; the palette draws disabled buttons from greyed copies.

#include <memory>
#include <vector>

#include "foundation/Streams.h"
#include "foundation/Strings.h"
#include "render/Bitmap32.h"
#include "render/Canvas.h"

namespace quillora {

class TFrame;
class TResourceModule;

// The resources that start the three process-wide lists.
inline constexpr const char16_t* CharImagesResourceName = u"diClassesCharImages";
inline constexpr const char16_t* SmallImagesResourceName = u"diClassesSmallImages";
inline constexpr const char16_t* LargeImagesResourceName = u"diClassesLargeImages";

class TSchemeImages {
public:
    // An empty list of `cellSize` x `cellSize` images.
    explicit TSchemeImages(int cellSize);
    // A greyed copy of `source`: every pixel becomes grey with the weights 61, 174 and
    // 21 (of 256) for red, green and blue, and keeps 0.22 of its opacity.
    struct TGreyed {};
    TSchemeImages(TGreyed, const TSchemeImages& source);
    TSchemeImages(const TSchemeImages&) = delete;
    TSchemeImages& operator=(const TSchemeImages&) = delete;

    int CellSize() const { return cellSize_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // The image at `index`; none outside the list.
    const TBitmap32* GetImage(int index) const;

    // Decodes the raw-data resource `resourceName` of `module` (a picture strip, its
    // format told by its content), cuts it into cells row by row, left to right, and
    // appends them (a partial cell at the right or bottom edge is left out). Returns the
    // index of the first appended image; -1, with nothing appended, when the resource is
    // missing or holds no picture.
    int AddImages(StringView resourceName, const TResourceModule& module);
    // The same with the program's own resources.
    int AddImages(StringView resourceName);
    // The same from a picture at the stream's position.
    int AddImagesFromStream(TMemoryStream& stream);
    // Cuts `strip` into cells and appends them; returns the index of the first one
    // (Count() when the strip holds no whole cell).
    int AddStrip(const TFrame& strip);

private:
    int cellSize_;
    std::vector<std::unique_ptr<TBitmap32>> images_;
};

// The grey of a pixel as the greyed lists make it.
TColor32 GreyedPixel(TColor32 color);

// The three process-wide lists, started with their resources on first use.
TSchemeImages& SchemeCharImages();  // 12 x 12
TSchemeImages& SchemeSmallImages(); // 16 x 16; the first image is the default element image
TSchemeImages& SchemeLargeImages(); // 32 x 32; the first image is the default element image

// The element classes' lists as the canvas draws them (provide them with
// TProvide<TCanvasImageLists>).
TCanvasImageLists& SchemeCanvasImageLists();

} // namespace quillora
