#pragma once
// TSheetSettingsTheme: what the settings group "Sheet" (render/SheetSettings.h) owns beyond its
// keys: the active theme, loaded by the key "Theme" and scaled by the key "FontSize".
//
// The theme is made on first use. A change of "Theme" drops it (the next GetTheme loads
// the theme of the new name); a change of "FontSize" rescales it. Changes are noticed
// through the group's notifications and, whatever the order in which listeners of the
// group are called, by GetTheme itself, so a listener that re-measures on a change always
// sees the new theme. Every drop or rescale advances Generation(), by which holders of
// realised fonts know that theirs are stale.
//
// The settings group must outlive this object.

#include <cstdint>
#include <memory>

#include "foundation/Node.h"
#include "foundation/Strings.h"

namespace quillora {

class TSheetSettings;
class TSheetTheme;

// The values of the key "FontSize".
enum TSheetFontSize : int { sfsNormal = 0, sfsLarge = 1, sfsGreat = 2 };

// Value scaled to the font size: x 140 / 100 for "Large", x 180 / 100 for "Great"
// (truncated toward zero), unchanged otherwise.
int ScaleByFontSize(int fontSize, int value);
// The font-size delta (points) and the percentage that a theme is scaled by: 0 and 100,
// 2 and 140 for "Large", 4 and 180 for "Great".
void FontSizeScale(int fontSize, int& fontDelta, int& percent);

class TSheetSettingsTheme {
public:
    explicit TSheetSettingsTheme(TSheetSettings& settings);
    ~TSheetSettingsTheme();
    TSheetSettingsTheme(const TSheetSettingsTheme&) = delete;
    TSheetSettingsTheme& operator=(const TSheetSettingsTheme&) = delete;

    TSheetSettings& Settings() const { return settings_; }

    // The theme, loaded and scaled on first use and after every change of the keys.
    TSheetTheme& GetTheme();
    // Rescales the theme (when there is one) to the current "FontSize".
    void ApplyFontSize();
    // ScaleByFontSize with the current "FontSize".
    int ScaleByFontSize(int value) const;

    // Advances whenever the theme is dropped or rescaled.
    uint64_t Generation() const { return generation_; }

    // The folder in which theme files are looked for; empty (the default) means the
    // folder "Themes" beside the executable.
    const String& ThemesFolder() const { return themesFolder_; }
    void SetThemesFolder(String folder);

private:
    void SettingsChanged(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    // Drops or rescales the theme when the keys no longer match it.
    void Follow();
    void DropTheme();

    TSheetSettings& settings_;
    std::unique_ptr<TSheetTheme> theme_;
    String loadedName_;   // the "Theme" value theme_ was loaded for
    int appliedSize_ = 0; // the "FontSize" value theme_ was scaled for
    uint64_t generation_ = 0;
    String themesFolder_;
};

} // namespace quillora
