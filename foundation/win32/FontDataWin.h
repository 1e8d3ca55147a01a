#pragma once
// Fonts between the system's LOGFONTW and the settings' TFontData.
#include "foundation/win32/WinInclude.h"

#include "foundation/FontData.h"

namespace quillora {

// The screen's pixels per logical inch (96 when it cannot be read).
int ScreenPixelsPerInch();
// Name, size in points (from the height at the screen's resolution), style and character
// set of `lf`; the colour is left at its default.
TFontData FontDataFromLogFont(const LOGFONTW& lf);

} // namespace quillora
