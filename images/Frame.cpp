#include "images/Frame.h"

#include "foundation/Exceptions.h"

namespace quillora {

void TFrame::SetSize(int width, int height)
{
    if (width < 0 || height < 0 || uint64_t(width) * uint64_t(height) > MaxFramePixels)
        throw Exception(AsciiToString("Picture size out of range: ") + IntToString(width) + AsciiToString("x") +
                        IntToString(height));
    if (width == 0 || height == 0) width = height = 0;
    pixels_.assign(size_t(width) * size_t(height), 0);
    width_ = width;
    height_ = height;
}

} // namespace quillora
