#pragma once
// GDI fonts of the text engine: a font handle with the metrics read once, measured on the
// device-context manager's memory context and drawn through a bitmap's device context.

#include <memory>

#include "foundation/win32/WinInclude.h"

#include "render/Font.h"

namespace quillora {

// A font made by CreateFontIndirectW from `logFont`, its metrics read on `measureDC`,
// which must outlive every measurement. Raises an Exception when GDI refuses the font.
std::unique_ptr<TFont> CreateGdiFont(HDC measureDC, const LOGFONTW& logFont);

// The GDI handle of a font made by CreateGdiFont; null for any other font.
HFONT GdiFontHandle(const TFont& font);

} // namespace quillora
