#include "render/Theme.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "foundation/Exceptions.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/Utils.h"
#include "images/UniversalImage.h"
#include "render/ThemeFontFaces.h"
#include "render/ThemeValues.h"

namespace quillora {

namespace {

constexpr int CorruptDataStringId = 2327; // "Data provided are corrupt"

// The left and right margins of the 12, 16 and 32 pixel element images.
constexpr int ImageSideMargins[SheetThemeImageCount] = {3, 4, 5};

int SaturatedAdd(int a, int b)
{
    return static_cast<int>(std::clamp<int64_t>(int64_t{a} + b, INT_MIN, INT_MAX));
}

bool IsSpace(Char c) { return c == u' ' || c == u'\t'; }

// The first face of the comma-separated list that is installed; empty when none is.
String FirstInstalledFace(StringView list)
{
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(u',', start);
        if (comma == StringView::npos)
            comma = list.size();
        StringView face = list.substr(start, comma - start);
        while (!face.empty() && IsSpace(face.front()))
            face.remove_prefix(1);
        while (!face.empty() && IsSpace(face.back()))
            face.remove_suffix(1);
        if (!face.empty() && Service<TFontFaces>().IsInstalled(face))
            return String(face);
        start = comma + 1;
    }
    return {};
}

// The file name with its extension (if any) replaced by `extension` (with its dot).
String ChangeExtension(const String& fileName, StringView extension)
{
    size_t dot = fileName.size();
    for (size_t i = fileName.size(); i > 0; --i) {
        const Char c = fileName[i - 1];
        if (IsPathDelimiter(c))
            break;
        if (c == u'.') {
            dot = i - 1;
            break;
        }
    }
    return fileName.substr(0, dot) + String(extension);
}

TKnot& FindElementNode(TKnot& info, TSheetThemeElement element, TKnot& empty)
{
    // The fallbacks form chains that end in an element standing for itself; the bound only
    // guards against a table that would not.
    for (int step = 0; step < SheetThemeElementCount; ++step) {
        if (TKnot* node = info.FindKnot(SheetThemeElementNodeName(element)))
            return *node;
        const TSheetThemeElement next = SheetThemeElementFallback(element);
        if (next == element)
            break;
        element = next;
    }
    return empty;
}

} // namespace

TSheetTheme::TSheetTheme() : image_(std::make_unique<TBitmap32>())
{
    image_->SetDrawMode(dmBlend);
    for (auto& element : elements_)
        element = std::make_unique<TSheetThemeElementData>();
}

TSheetTheme::~TSheetTheme() = default;

void TSheetTheme::LoadFromFile(const String& fileName)
{
    TKnot info;
    info.LoadFromFile(fileName);
    TUniversalImage picture;
    picture.LoadFromFile(ChangeExtension(fileName, u".png"));
    Read(info, picture);
}

void TSheetTheme::LoadFromResource(const TResourceModule& instance, const String& name)
{
    std::string_view infoData;
    std::string_view imageData;
    if (!instance.FindRawData(name + u"Info", infoData))
        RaiseFileNotFound(name + u"Info");
    if (!instance.FindRawData(name + u"Image", imageData))
        RaiseFileNotFound(name + u"Image");
    TKnot info;
    TMemoryStream infoStream(std::vector<uint8_t>(infoData.begin(), infoData.end()));
    info.LoadFromStream(infoStream);
    TUniversalImage picture;
    TMemoryStream imageStream(std::vector<uint8_t>(imageData.begin(), imageData.end()));
    picture.LoadFromStream(imageStream);
    Read(info, picture);
}

void TSheetTheme::Read(TKnot& info, TUniversalImage& picture)
{
    // Everything that can fail comes first, so that a failed load leaves the theme as it was.
    const TFrame* frame = picture.FirstFrame();
    if (info.Corrupt() || !frame || frame->Empty())
        throw Exception(LoadString(CorruptDataStringId));
    auto image = std::make_unique<TBitmap32>(frame->Width(), frame->Height());
    for (int y = 0; y < frame->Height(); ++y)
        std::memcpy(image->ScanLine(y), frame->Row(y), sizeof(TColor32) * static_cast<size_t>(frame->Width()));
    image->SetDrawMode(dmBlend);

    ReadThemeColor(info, u"DisableColor", *image, disableColor_);
    ReadThemeColor(info, u"SelectColor", *image, selectColor_);
    ReadThemeColor(info, u"SelectInactiveColor", *image, selectInactiveColor_);

    TKnot empty;
    for (int f = 0; f < SheetThemeFontCount; ++f) {
        TKnot* found = info.FindKnot(SheetThemeFontNodeName(static_cast<TSheetThemeFont>(f)));
        TKnot& node = found ? *found : empty;
        TSheetThemeFontData& font = fonts_[f];
        font.Name = FirstInstalledFace(node.ReadString(u"Name"));
        font.Size = node.ReadInteger(u"Size", 0);
        font.ScaledSize = font.Size;
        font.Style = 0;
        if (node.ReadBool(u"Bold", false))
            font.Style |= fsBold;
        if (node.ReadBool(u"Italic", false))
            font.Style |= fsItalic;
        if (node.ReadBool(u"Underline", false))
            font.Style |= fsUnderline;
        TColor32 color = Color32(0, 0, 0);
        ReadThemeColor(node, u"Color", *image, color);
        font.Color = Color32ToColor(color);
        TColor32 second = 0;
        ReadThemeColor(node, u"SecondColor", *image, second);
        font.SecondColor = second == 0 ? clNone : Color32ToColor(second);
    }

    for (int e = 0; e < SheetThemeElementCount; ++e) {
        const auto element = static_cast<TSheetThemeElement>(e);
        elements_[e]->Read(FindElementNode(info, element, empty), image.get(), SheetThemeElementIsFrame(element));
    }

    const TRect& fieldMargins = elements_[steField]->RawMargins();
    for (int i = 0; i < SheetThemeImageCount; ++i) {
        const int side = ImageSideMargins[i];
        images_[i].Margins = {side, fieldMargins.Top, side, fieldMargins.Bottom};
        images_[i].ScaledMargins = images_[i].Margins;
    }
    textMargins_ = rawTextMargins_;
    fontDelta_ = 0;
    percent_ = 100;
    image_ = std::move(image);
}

void TSheetTheme::SetScale(int fontDelta, int percent)
{
    fontDelta_ = fontDelta;
    percent_ = percent;
    for (TSheetThemeFontData& font : fonts_)
        font.ScaledSize = SaturatedAdd(font.Size, fontDelta);
    for (auto& element : elements_)
        element->SetScale(percent);
    for (TSheetThemeImageData& image : images_)
        image.ScaledMargins = ScaleThemeRect(image.Margins, percent);
    textMargins_ = ScaleThemeRect(rawTextMargins_, percent);
}

} // namespace quillora
