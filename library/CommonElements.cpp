#include "library/CommonElements.h"

#include <algorithm>

#include "elements/ClassesGroups.h"
#include "elements/CustomSheet.h"
#include "elements/Palette.h"
#include "elements/SchemeImages.h"
#include "foundation/Localization.h"
#include "foundation/StringIds.h"
#include "render/SheetCanvas.h"

namespace quillora {

int CommonSmallImageBase = -1;
int SignsClassesGroup = -1;

// ---- comment ----

void TElement_Comment::Create()
{
    TCustomCommentElement::Create();
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | voCanDisable));
    options_ |= teoMaxWidth720 | teoEmptyMinWidth;
}

// ---- logic frame ----

void TLogicFrameCaptionField::Create()
{
    TCustomCommentElement::Create();
    options_ |= teoMaxWidth480 | teoEmptyMinWidth;
}

void TLogicFrameCaptionField::GetHint(String& text) { text = LoadString(sidLogicFrameCaptionHint); }

void TLogicFrameContentContainer::Create()
{
    TTitledTextContainer::Create();
    options_ |= teoDelegate;
}

void TElement_LogicFrame::Create() { TTitledElementWithContent::Create(); }

TVisualElement* TElement_LogicFrame::CreateContent()
{
    // The parts in the order they are stored: the button, the caption, the content.
    TExpandButton* button = CreateExpandButton(true);
    button->SetLogicFrameStyle(true);
    caption_ = NewVisualPart<TLogicFrameCaptionField>(this, nullptr, this);
    auto* content = NewVisualPart<TLogicFrameContentContainer>(this, nullptr, this);
    button->AddControlled(content);
    return content;
}

void TElement_LogicFrame::BuildTitle(TTitleWriter& writer)
{
    writer.AddSpace(2);
    if (TExpandButton* button = ExpandButton()) writer.AddElement(button);
    writer.AddCaption(caption_, taCentre);
    if (!IsExpanded()) return;
    writer.AddSpace(8);
    writer.EndLine();
    writer.AddContainer(GetContent());
}

void TElement_LogicFrame::GetPadding(TRect& rect)
{
    if (!IsExpanded()) {
        rect = {};
        return;
    }
    TTitledElementWithContent::GetPadding(rect);
}

void TElement_LogicFrame::Paint(TSheetCanvas& canvas, int paintFlags)
{
    if (IsExpanded() && caption_) {
        TRect frame = GetLocalRect();
        frame.Top = caption_->Top() + caption_->Height() / 2;
        canvas.DrawThemeFrame(steLogicFrame, frame);
    }
    TExpandButton* button = ExpandButton();
    if (!button || !caption_) return;
    const TRect bar{button->Left(), std::min(button->Top(), caption_->Top()), caption_->Left() + caption_->Width(),
                    std::max(button->Top() + button->Height(), caption_->Top() + caption_->Height())};
    canvas.DrawThemeFrame(steComment, bar);
}

void TElement_LogicFrame::GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name)
{
    if (child && child == caption_) {
        name = u"Caption";
        return;
    }
    TTitledElementWithContent::GetChildKnotName(child, filer, name);
}

void TElement_LogicFrame::SetFocus(bool horizontal, bool forward, std::optional<TPoint> point, TVisualElement* from,
                                   const String& focusData)
{
    TVisualElement* content = GetContent();
    if (point && content && content->IsVisible()) {
        content->SetFocus(horizontal, forward, content->FromParent(*point), from, focusData);
        return;
    }
    TTitledElementWithContent::SetFocus(horizontal, forward, point, from, focusData);
}

// ---- signs ----

void TCustomSignElement::Create()
{
    TCustomSmallImageElement::Create();
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() & ~voCanDisable));
}

int TCustomSignElement::GetImageIndex()
{
    return CommonSmallImageBase >= 0 ? CommonSmallImageBase + ImageOffset() : 0;
}

// ---- palette ----

namespace {

std::vector<TCommonPaletteItem>& PaletteItems()
{
    static std::vector<TCommonPaletteItem> items;
    return items;
}

std::vector<TCommonPaletteItem> BuildPaletteItems()
{
    auto image = [](int offset) { return CommonSmallImageBase >= 0 ? CommonSmallImageBase + offset : 0; };
    constexpr int signFlags = 0x1000; // no caption on the button
    return {
        {&TElement_Comment::Class(), pgAdditional, sidCommentCaption, sidCommentHint, image(0), 0, 1000, nullptr},
        {&TElement_LogicFrame::Class(), pgAdditional, sidLogicFrameCaption, sidLogicFrameHint, image(1), 0x80, 900, u"L"},
        {&TElement_Star::Class(), sidSignsGroup, sidStarCaption, sidStarHint, image(2), signFlags, 32, nullptr},
        {&TElement_Information::Class(), sidSignsGroup, sidInformationCaption, sidInformationHint, image(3), signFlags,
         40, nullptr},
        {&TElement_Question::Class(), sidSignsGroup, sidQuestionCaption, sidQuestionHint, image(4), signFlags, 35,
         nullptr},
        {&TElement_Important::Class(), sidSignsGroup, sidImportantCaption, sidImportantHint, image(5), signFlags, 30,
         nullptr},
        {&TElement_Ready::Class(), sidSignsGroup, sidReadyCaption, sidReadyHint, image(6), signFlags, 10, nullptr},
        {&TElement_Stop::Class(), sidSignsGroup, sidStopCaption, sidStopHint, image(7), signFlags, 20, nullptr},
    };
}

const std::vector<const TElementClass*>& SignClasses()
{
    static const std::vector<const TElementClass*> classes = {
        &TElement_Star::Class(),      &TElement_Information::Class(), &TElement_Question::Class(),
        &TElement_Important::Class(), &TElement_Ready::Class(),       &TElement_Stop::Class(),
    };
    return classes;
}

} // namespace

const std::vector<TCommonPaletteGroup>& CommonPaletteGroups()
{
    static const std::vector<TCommonPaletteGroup> groups = {{sidSignsGroup, 1500}};
    return groups;
}

const std::vector<TCommonPaletteItem>& CommonPaletteItems() { return PaletteItems(); }

// ---- module initialization ----

void InitializeCommonElements()
{
    static bool initialized = false;
    if (initialized) return;
    initialized = true;

    CommonSmallImageBase = SchemeSmallImages().AddImages(u"diCommonElementsSmallImages");
    LoadTitledImages();
    SignsClassesGroup = ClassesGroups().AddGroup();

    TElementClassList& text = ClassesGroups().GetGroups(cgTextContent);
    AddClass(text, &TElement_Comment::Class());
    AddClass(text, &TElement_LogicFrame::Class());
    TElementClassList& comment = ClassesGroups().GetGroups(cgCommentContent);
    AddClass(comment, &TElement_LogicFrame::Class());
    TElementClassList& signs = ClassesGroups().GetGroups(SignsClassesGroup);
    for (const TElementClass* sign : SignClasses()) {
        AddClass(comment, sign);
        AddClass(signs, sign);
    }

    RegisterElementClass(TElement_Comment::Class());
    RegisterElementClass(TElement_LogicFrame::Class());
    for (const TElementClass* sign : SignClasses()) RegisterElementClass(*sign);
    PaletteItems() = BuildPaletteItems();
}

} // namespace quillora
