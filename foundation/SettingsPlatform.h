#pragma once
// The defaults of the settings that come from the running system.

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

// The process-wide source (the platform's unless a test substituted one).
const TSettingsPlatform& SettingsPlatform();
// Substitutes a source (tests); null restores the platform's. Not owned.
void SetSettingsPlatform(const TSettingsPlatform* platform);
// The platform's own source, defined by the platform's source file.
const TSettingsPlatform& PlatformSettingsDefaults();

// The default of "DropDownFont": the message font, its size raised to 10 points if smaller.
TFontData DefaultDropDownFont(const TSettingsPlatform& platform);

} // namespace quillora
