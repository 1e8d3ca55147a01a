#pragma once
// The theme's addressable pieces: the kinds of drawn element, the fonts and the margins
// around the element images. Their order is the order of the theme file's nodes.

#include <cstdint>

namespace quillora {

enum TSheetThemeElement : uint8_t {
    steSheet,
    steLine,
    steUnaccepted,
    steElement,
    steElementCommand,
    steElementTechnical,
    steElementExpression,
    steDescription,
    steCollapsed,
    steCollapsedData,
    steExpanded,
    steExpandedData,
    steLogicFrameCollapsed,
    steLogicFrameCollapsedData,
    steLogicFrameExpanded,
    steLogicFrameExpandedData,
    steField,
    steName,
    steNamePrivate,
    steNamePublic,
    steCheckBox,
    steCheckBoxChecked,
    steCheckBoxUnchecked,
    steContainer,
    steImageContainer,
    steSubstitution,
    steSubstitutionHorzFirst,
    steSubstitutionHorzNext,
    steSubstitutionVertFirst,
    steSubstitutionVertNext,
    steComment,
    steErrorSign,
    steNeedValueSign,
    steReferenceSign,
    steFrameDot,
    steFrameSingle,
    steMark,
    steExternalEditingMode,
    steLogicFrame,
    steImageChess,
};
constexpr int SheetThemeElementCount = steImageChess + 1;

enum TSheetThemeFont : uint8_t {
    stfStone,
    stfValue,
    stfName,
    stfFixed,
    stfArt,
    stfComment,
};
constexpr int SheetThemeFontCount = stfComment + 1;

enum TSheetThemeImage : uint8_t {
    stiChar,
    stiSmall,
    stiLarge,
};
constexpr int SheetThemeImageCount = stiLarge + 1;

} // namespace quillora
