#pragma once
// The key elements of a snippet: small inline elements that stand for a key (Enter, Tab,
// Backspace, Home, End, the arrows, Delete, Paste, word left and right) or for the place
// where the caret is left after typing. Each shows one image of the module's strip in
// the 16-pixel element images and is stored by its class alone.

#include <vector>

#include "elements/CustomElements.h"
#include "foundation/Strings.h"
#include "library/DateTimeMaskElement.h"
#include "typing/SendKeys.h"

namespace quillora {

// The index of the module's first image in the 16-pixel element images (-1 while the
// module is not initialized or its strip could not be read).
extern int MacroSmallImageBase;
// The index of the module's image in the 32-pixel element images (-1 likewise).
extern int MacroLargeImageBase;
// The element-class group that holds the module's classes (-1 before initialization).
extern int MacroClassesGroup;

// The picture strips of the module (raw-data resources of the program).
inline constexpr const char16_t* MacroSmallImagesResourceName = u"unElementsSmallImages";
inline constexpr const char16_t* MacroLargeImagesResourceName = u"unElementsLargeImages";

// A key element: no state of its own, cannot be disabled.
class TCustomMacroElement : public TCustomSmallImageElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomMacroElement, TCustomSmallImageElement)

protected:
    void Create() override;
    // MacroSmallImageBase + `offset`; the default element image while the strip is missing.
    static int MacroImage(int offset);
};

#define QUILLORA_MACRO_KEY_CLASS(Name, Offset)                                \
    class Name : public TCustomMacroElement {                          \
    public:                                                                  \
        QUILLORA_ELEMENT_CLASS(Name, TCustomMacroElement)                    \
        int GetImageIndex() override { return MacroImage(Offset); }          \
    };

// 4 pixels wide, as high as the 16-pixel images.
class TElement_Caret : public TCustomMacroElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Caret, TCustomMacroElement)
    int GetImageIndex() override { return MacroImage(0); }

protected:
    void Create() override;
};

QUILLORA_MACRO_KEY_CLASS(TElement_Left, 1)
QUILLORA_MACRO_KEY_CLASS(TElement_Up, 2)
QUILLORA_MACRO_KEY_CLASS(TElement_Right, 3)
QUILLORA_MACRO_KEY_CLASS(TElement_Down, 4)
QUILLORA_MACRO_KEY_CLASS(TElement_Back, 5)
QUILLORA_MACRO_KEY_CLASS(TElement_Tab, 6)
QUILLORA_MACRO_KEY_CLASS(TElement_Return, 7)
QUILLORA_MACRO_KEY_CLASS(TElement_Home, 8)
QUILLORA_MACRO_KEY_CLASS(TElement_End, 9)
QUILLORA_MACRO_KEY_CLASS(TElement_Del, 10)
QUILLORA_MACRO_KEY_CLASS(TElement_Paste, 11)
QUILLORA_MACRO_KEY_CLASS(TElement_WordLeft, 12)
QUILLORA_MACRO_KEY_CLASS(TElement_WordRight, 13)

#undef QUILLORA_MACRO_KEY_CLASS

// The image offset of the date-and-time element in the module's strip.
inline constexpr int MacroDateTimeImageOffset = 14;

// The current date and time in a chosen format. Its mask is required (an empty mask is
// an error of the element, though it still types as "c"); it can be disabled.
class TElement_DateTime : public TCustomDateTimeMaskElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_DateTime, TCustomDateTimeMaskElement)

    // "Date and Time".
    void GetHint(String& text) override;
    // Drawn in the theme's frame for substituted values, "Substitution".
    bool GetFrameKind(TSheetThemeElement& kind) override;

protected:
    void Create() override;
};

// The typing step of an element of exactly `elementClass` (a key class or the caret;
// subclasses do not count); false for every other class.
bool MacroKindOfClass(const TElementClass& elementClass, TMacroItemKind& kind);

// ---- palette descriptions (the palette builds its groups and items from them) ----

struct TMacroPaletteGroup {
    StringView Name;  // "Control", "Editing"
    int CaptionId;
    int Order;
};

inline constexpr int pifSmallImageItem = 0x1000;
inline constexpr int pifLargeImageItem = 0x100;

struct TMacroPaletteItem {
    const TElementClass* Class;
    StringView Group; // a group of MacroPaletteGroups, or the existing "Insert"
    int CaptionId;
    int HintId;       // 0: none
    int Order;
    int Flags;        // pifSmallImageItem or pifLargeImageItem
    int ImageIndex;   // in the small or large element images, after the flags
};

// The groups the module adds to the program's palette, in order of creation.
const std::vector<TMacroPaletteGroup>& MacroPaletteGroups();
// One item per class of the module (valid after InitializeMacroElements).
const std::vector<TMacroPaletteItem>& MacroPaletteItems();

// Module initialization (once; later calls do nothing): appends the picture strips to
// the element images, creates MacroClassesGroup with the fifteen classes and registers
// them.
void InitializeMacroElements();

} // namespace quillora
