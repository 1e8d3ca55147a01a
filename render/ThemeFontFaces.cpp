#include "render/ThemeFontFaces.h"

namespace quillora {

namespace {
const TFontFaces* substitute = nullptr;
} // namespace

const TFontFaces& FontFaces() { return substitute ? *substitute : PlatformFontFaces(); }

void SetFontFaces(const TFontFaces* faces) { substitute = faces; }

} // namespace quillora
