#include "render/Theme.h"

namespace quillora {

namespace {

struct TElementInfo {
    const char16_t* NodeName;
    TSheetThemeElement Fallback;
    bool Frame;
};

// In the order of TSheetThemeElement.
constexpr TElementInfo ElementInfos[SheetThemeElementCount] = {
    {u"Sheet", steSheet, true},
    {u"Line", steLine, true},
    {u"Unaccepted", steElement, true},
    {u"Element", steElement, true},
    {u"ElementCommand", steElement, true},
    {u"ElementTechnical", steElement, true},
    {u"ElementExpression", steElement, true},
    {u"Description", steDescription, true},
    {u"Collapsed", steCollapsed, false},
    {u"CollapsedData", steCollapsed, false},
    {u"Expanded", steExpanded, false},
    {u"ExpandedData", steExpanded, false},
    {u"LogicFrameCollapsed", steCollapsed, false},
    {u"LogicFrameCollapsedData", steCollapsedData, false},
    {u"LogicFrameExpanded", steExpanded, false},
    {u"LogicFrameExpandedData", steExpandedData, false},
    {u"Field", steField, true},
    {u"Name", steField, true},
    {u"NamePrivate", steName, true},
    {u"NamePublic", steName, true},
    {u"CheckBox", steCheckBox, true},
    {u"CheckBoxChecked", steCheckBoxChecked, false},
    {u"CheckBoxUnchecked", steCheckBoxUnchecked, false},
    {u"Container", steField, true},
    {u"ImageContainer", steContainer, true},
    {u"Substitution", steSubstitution, true},
    {u"SubstitutionHorzFirst", steSubstitutionHorzFirst, true},
    {u"SubstitutionHorzNext", steSubstitutionHorzNext, true},
    {u"SubstitutionVertFirst", steSubstitutionVertFirst, true},
    {u"SubstitutionVertNext", steSubstitutionVertNext, true},
    {u"Comment", steComment, true},
    {u"Error", steErrorSign, false},
    {u"NeedValue", steErrorSign, false},
    {u"Referenced", steReferenceSign, false},
    {u"FrameDot", steFrameDot, true},
    {u"FrameSingle", steFrameSingle, true},
    {u"Mark", steMark, true},
    {u"ExternalEditingMode", steExternalEditingMode, true},
    {u"LogicFrame", steElement, true},
    {u"ImageChess", steImageChess, true},
};

// In the order of TSheetThemeFont.
constexpr const char16_t* FontNodeNames[SheetThemeFontCount] = {
    u"ElementFont", u"CodeFont", u"NameFont", u"FixedFont", u"ArtFont", u"CommentFont",
};

} // namespace

const char16_t* SheetThemeFontNodeName(TSheetThemeFont font) { return FontNodeNames[font]; }
const char16_t* SheetThemeElementNodeName(TSheetThemeElement element) { return ElementInfos[element].NodeName; }
TSheetThemeElement SheetThemeElementFallback(TSheetThemeElement element) { return ElementInfos[element].Fallback; }
bool SheetThemeElementIsFrame(TSheetThemeElement element) { return ElementInfos[element].Frame; }

} // namespace quillora
