#pragma once
// Which font faces the system has installed: the theme takes the first installed face of
// each font's list. Provided as Service<TFontFaces>() (foundation/Service.h): GDI's list
// on Windows; the native build treats every face as installed (TAnyFontFaces).

#include "foundation/Strings.h"

namespace quillora {

class TFontFaces {
public:
    virtual ~TFontFaces() = default;
    // Whether a face of that name is installed (compared without regard to case).
    virtual bool IsInstalled(StringView face) const = 0;
};

// Every face counts as installed, so the first face of each theme font's list is taken.
class TAnyFontFaces final : public TFontFaces {
public:
    bool IsInstalled(StringView) const override { return true; }
};

} // namespace quillora
