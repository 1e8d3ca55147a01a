#pragma once
// TSheetTheme: how the document looks in the editor. Six fonts, forty kinds of decoration
// cut from one shared theme image (render/ThemeElementData.h), the margins around element
// images and three translucent overlay colours. A theme is a theme info text in the knot
// format and a picture with alpha: either the built-in "Default" compiled into the
// program, or a pair of files "<name>.txt" and "<name>.png" in the folder "Themes" beside
// the executable.
//
// A theme is created empty, loaded once (LoadTheme) and scaled (SetScale) whenever the
// font size changes. It is never saved.

#include <array>
#include <memory>
#include <vector>

#include "foundation/Colors.h"
#include "foundation/FontData.h"
#include "foundation/Geometry.h"
#include "foundation/Strings.h"
#include "render/Bitmap32.h"
#include "render/Color32.h"
#include "render/SheetThemeTypes.h"
#include "render/ThemeElementData.h"
#include "render/ThemeResources.h"

namespace quillora {

class TKnot;
class TUniversalImage;

// The theme's name of the built-in theme (compared without regard to case).
inline constexpr char16_t DefaultThemeName[] = u"Default";
// The resources of the built-in theme are this name followed by "Info" and by "Image".
inline constexpr char16_t DefaultThemeResourceName[] = u"LoomwiseDefaultTheme";

struct TSheetThemeFontData {
    // The face; empty when none of the listed faces is installed (the platform's default
    // face is used then).
    String Name;
    // Points as read, and with the font-size delta added.
    int Size = 0;
    int ScaledSize = 0;
    TFontStyles Style = 0; // fsBold, fsItalic, fsUnderline
    // Text colour as a Windows colour.
    TColor Color = 0;
    // Shadow colour as a Windows colour, or clNone: text with a shadow is drawn first in
    // SecondColor one pixel right and down, then in Color.
    TColor SecondColor = clNone;

    bool HasSecondColor() const { return SecondColor != clNone; }
};

// The margins around the 12, 16 and 32 pixel element images of titles.
struct TSheetThemeImageData {
    TRect Margins;
    TRect ScaledMargins;
};

class TSheetTheme {
public:
    static constexpr TColor32 DefaultDisableColor = Color32(220, 220, 220, 190);
    static constexpr TColor32 DefaultSelectColor = Color32(95, 143, 216, 130);
    static constexpr TColor32 DefaultSelectInactiveColor = Color32(237, 237, 230, 185);
    static constexpr TRect DefaultTextMargins{3, 0, 3, 0};

    TSheetTheme();
    ~TSheetTheme();
    TSheetTheme(const TSheetTheme&) = delete;
    TSheetTheme& operator=(const TSheetTheme&) = delete;

    TSheetThemeElementData& GetElements(TSheetThemeElement element) { return *elements_[element]; }
    const TSheetThemeElementData& GetElements(TSheetThemeElement element) const { return *elements_[element]; }
    const TSheetThemeFontData& GetFonts(TSheetThemeFont font) const { return fonts_[font]; }
    const TSheetThemeImageData& GetImages(TSheetThemeImage image) const { return images_[image]; }

    // The overlay colours (ARGB) of disabled, selected, and selected-while-inactive content.
    TColor32 DisableColor() const { return disableColor_; }
    TColor32 SelectColor() const { return selectColor_; }
    TColor32 SelectInactiveColor() const { return selectInactiveColor_; }
    // Margins of a plain text run inside a title, scaled and as fixed (3, 0, 3, 0).
    const TRect& TextMargins() const { return textMargins_; }
    const TRect& RawTextMargins() const { return rawTextMargins_; }

    // The theme image (32-bit ARGB, blend mode); empty before loading.
    const TBitmap32& Image() const { return *image_; }

    // Reads the theme info from fileName and the picture from the same path with the
    // extension ".png" (decoded by its extension; the first frame is the image). Raises
    // when a file is missing or unreadable, the picture cannot be decoded or the info text
    // is not well-formed; the theme is unchanged then.
    void LoadFromFile(const String& fileName);
    // Reads the theme info from the raw-data resource name + "Info" of `instance` and the
    // picture from name + "Image" (decoded by its content). Raises as LoadFromFile.
    void LoadFromResource(const TResourceModule& instance, const String& name);

    // Recomputes every scaled value: font sizes + fontDelta; element margins and paddings,
    // image margins and text margins percent * value / 100 (truncated toward zero).
    void SetScale(int fontDelta, int percent);
    int FontDelta() const { return fontDelta_; }
    int Percent() const { return percent_; }

private:
    void Read(TKnot& info, TUniversalImage& picture);

    std::unique_ptr<TBitmap32> image_;
    std::array<TSheetThemeFontData, SheetThemeFontCount> fonts_;
    std::array<std::unique_ptr<TSheetThemeElementData>, SheetThemeElementCount> elements_;
    std::array<TSheetThemeImageData, SheetThemeImageCount> images_;
    TColor32 disableColor_ = DefaultDisableColor;
    TColor32 selectColor_ = DefaultSelectColor;
    TColor32 selectInactiveColor_ = DefaultSelectInactiveColor;
    TRect rawTextMargins_ = DefaultTextMargins;
    TRect textMargins_ = DefaultTextMargins;
    int fontDelta_ = 0;
    int percent_ = 100;
};

// The node name of a font or element in the theme info ("ElementFont", "Sheet", ...).
const char16_t* SheetThemeFontNodeName(TSheetThemeFont font);
const char16_t* SheetThemeElementNodeName(TSheetThemeElement element);
// The element whose node stands in when the element's own node is missing (itself when
// none does).
TSheetThemeElement SheetThemeElementFallback(TSheetThemeElement element);
// Whether the element is a nine-part frame.
bool SheetThemeElementIsFrame(TSheetThemeElement element);

// The folder of the executable followed by "Themes" and a path delimiter.
String GetThemesFolder();
// Loads the theme `name` into `theme`: "Default" (any case) is the built-in theme, any
// other name the files name + ".txt" and name + ".png" in themesFolder (GetThemesFolder
// when omitted). Never raises: a theme that cannot be loaded gives the built-in one.
void LoadTheme(TSheetTheme& theme, const String& name);
void LoadTheme(TSheetTheme& theme, const String& name, const String& themesFolder);
// "Default" followed by the names (without extension) of the "*.txt" files of themesFolder
// (GetThemesFolder when omitted), in the order the file system gives them.
std::vector<String> GetThemeNames();
std::vector<String> GetThemeNames(const String& themesFolder);

} // namespace quillora
