#pragma once
// The defaults of the settings that come from the running system, provided as
// Service<TSettingsPlatform>() (foundation/Service.h): the system's on Windows,
// TFixedSettingsPlatform elsewhere.

#include "foundation/FontData.h"

namespace quillora {

class TSettingsPlatform {
public:
    virtual ~TSettingsPlatform() = default;
    // The system's message font (face, size in points, style, character set).
    virtual TFontData MessageFont() const = 0;
    // The width of a window border in pixels (SM_CXBORDER).
    virtual int BorderWidth() const = 0;
};

// A fixed system: "Segoe UI" 9 pt, borders of one pixel.
class TFixedSettingsPlatform : public TSettingsPlatform {
public:
    TFontData MessageFont() const override;
    int BorderWidth() const override { return 1; }
};

// The default of "DropDownFont": the message font, its size raised to 10 points if smaller.
TFontData DefaultDropDownFont(const TSettingsPlatform& platform);

} // namespace quillora
