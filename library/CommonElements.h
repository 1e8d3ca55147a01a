#pragma once
// The general-purpose elements that the user inserts from the palette: the comment (a
// note of rich text), the logic frame (a collapsible group with a caption and a body of
// rich text) and six signs (small pictures that mark text).

#include <vector>

#include "elements/CustomElements.h"
#include "library/Titled.h"

namespace quillora {

class TElement_Comment : public TCustomCommentElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Comment, TCustomCommentElement)

protected:
    void Create() override;
};

// The caption of a logic frame: a one-piece comment without a frame of its own.
class TLogicFrameCaptionField : public TCustomCommentElement {
public:
    QUILLORA_ELEMENT_CLASS(TLogicFrameCaptionField, TCustomCommentElement)

    bool GetFrameKind(TSheetThemeElement& kind) override { return false; }
    void GetMargins(TRect& rect) override { rect = {}; }
    void GetHint(String& text) override;

protected:
    void Create() override;
};

// The body of a logic frame: rich text that takes its content rules from the text
// around the frame.
class TLogicFrameContentContainer : public TTitledTextContainer {
public:
    QUILLORA_ELEMENT_CLASS(TLogicFrameContentContainer, TTitledTextContainer)

    bool GetFrameKind(TSheetThemeElement& kind) override { return false; }

protected:
    void Create() override;
};

class TElement_LogicFrame : public TTitledElementWithContent {
public:
    QUILLORA_ELEMENT_CLASS(TElement_LogicFrame, TTitledElementWithContent)

    TLogicFrameCaptionField* Caption() const { return caption_; }
    TLogicFrameContentContainer* Content() { return static_cast<TLogicFrameContentContainer*>(GetContent()); }

    void BuildTitle(TTitleWriter& writer) override;
    TSheetThemeElement GetTitleFrame() override { return steLogicFrame; }
    // The frame is drawn by Paint.
    void DrawFrame(TSheetCanvas& canvas, const TRect& rect) override {}
    void GetPadding(TRect& rect) override;
    void Paint(TSheetCanvas& canvas, int paintFlags) override;
    void GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name) override;
    // A point inside the frame places the caret in the content.
    void SetFocus(bool horizontal, bool forward, std::optional<TPoint> point, TVisualElement* from,
                  const String& focusData) override;

protected:
    void Create() override;
    TVisualElement* CreateContent() override;

private:
    TLogicFrameCaptionField* caption_ = nullptr;
};

// A small picture that marks text.
class TCustomSignElement : public TCustomSmallImageElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomSignElement, TCustomSmallImageElement)

    int GetImageIndex() override;
    // The sign's image, counted from the first image of this unit's strip.
    virtual int ImageOffset() const { return 0; }

protected:
    void Create() override;
};

#define QUILLORA_SIGN_CLASS(Name, Offset)                                   \
    class Name : public TCustomSignElement {                                \
    public:                                                                 \
        QUILLORA_ELEMENT_CLASS(Name, TCustomSignElement)                    \
        int ImageOffset() const override { return Offset; }                 \
    };

QUILLORA_SIGN_CLASS(TElement_Star, 2)
QUILLORA_SIGN_CLASS(TElement_Information, 3)
QUILLORA_SIGN_CLASS(TElement_Question, 4)
QUILLORA_SIGN_CLASS(TElement_Important, 5)
QUILLORA_SIGN_CLASS(TElement_Ready, 6)
QUILLORA_SIGN_CLASS(TElement_Stop, 7)

#undef QUILLORA_SIGN_CLASS

// ---- registration ----

// The first image of this unit's strip in the 16-pixel element images (-1: none).
extern int CommonSmallImageBase;
// The class group of the signs (-1 before initialization).
extern int SignsClassesGroup;

// A palette item of this unit: the class it inserts and how the palette shows it.
struct TCommonPaletteItem {
    const TElementClass* Class;
    int GroupCaptionId; // the caption string of its palette group
    int CaptionId;
    int HintId;
    int Image; // in the 16-pixel element images
    int Flags;
    int Order;
    const Char* Key; // none: no key
};
struct TCommonPaletteGroup {
    int CaptionId;
    int Order;
};

// The palette group "Signs" (created by the program with the palette).
const std::vector<TCommonPaletteGroup>& CommonPaletteGroups();
// The items of the comment, the logic frame and the signs (valid after
// InitializeCommonElements: the images count from this unit's strip).
const std::vector<TCommonPaletteItem>& CommonPaletteItems();

// Registers the classes, their groups and images; once per process.
void InitializeCommonElements();

} // namespace quillora
