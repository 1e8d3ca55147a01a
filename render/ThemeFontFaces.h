#pragma once
// Which font faces the system has installed: the theme takes the first installed face of
// each font's list. The platform's list (GDI on Windows) is chosen at link time; the
// native build treats every face as installed. Tests substitute a fake.

#include "foundation/Strings.h"

namespace quillora {

class TFontFaces {
public:
    virtual ~TFontFaces() = default;
    // Whether a face of that name is installed (compared without regard to case).
    virtual bool IsInstalled(StringView face) const = 0;
};

// The process-wide list: the one set by SetFontFaces, else the platform's.
const TFontFaces& FontFaces();
// Substitutes `faces` (not owned; nullptr restores the platform's list).
void SetFontFaces(const TFontFaces* faces);
// The build's own list, chosen at link time.
const TFontFaces& PlatformFontFaces();

} // namespace quillora
