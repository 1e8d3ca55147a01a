// The text element: creation and destruction, options, value and emptiness, embedded
// elements as children, selection, size limits and the hooks of its text.
#include "text/TextElement.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "elements/ClassesGroups.h"
#include "elements/CustomSheet.h"
#include "elements/Scheme.h"
#include "elements/Sounds.h"
#include "render/Canvas.h"
#include "render/SheetSettings.h"
#include "render/SheetSettingsTheme.h"
#include "text/DefaultAttributes.h"
#include "text/ThemeTextAttributes.h"
#include "text/TextorInteractive.h"
#include "text/TextorRow.h"

namespace quillora {

// The option sets, bit for bit as the element's defaults and reactions are defined.
static_assert(toTextMask == 0x4F && toAnyText == 0x7F && toNoChecks == 127);
static_assert(TextElementVisualOptions == 0x81E);
static_assert(teoLayoutOptions == 0x3BFDFE01);
static_assert(teoFrames == 0x3800);
static_assert(teoInheritable == 0x1C024);
static_assert(teoInheritableByDelegate == 0x7DC067);

TTextorElement::TTextorElement() : text_(std::make_unique<TSchemeTextor>(this)) {}

TTextorElement::~TTextorElement()
{
    BeginDestroy();
    DropInteractive();
    text_->SetOwner(nullptr);
    // Freeing the text frees the element portions and with them the embedded elements.
    text_.reset();
}

void TTextorElement::Create()
{
    TCustomDropDownElement::Create();
    flags_ |= efValue;
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | TextElementVisualOptions));
}

// ---- options ----

void TTextorElement::SetOptions(uint32_t options)
{
    const uint32_t changed = options ^ options_;
    if (!changed) return;
    options_ = options;
    if (changed & teoLayoutOptions) text_->InvalidateLayout();
    else if (changed & teoFrames) Invalidate();
}

void TTextorElement::SetTextOptions(uint32_t options)
{
    const uint32_t changed = options ^ textOptions_;
    if (!changed) return;
    textOptions_ = options;
    if (changed & (toTabs | toLineBreaks)) {
        textState_ |= tesReparsing;
        try {
            text_->Reparse();
        } catch (...) {
            textState_ &= ~tesReparsing;
            throw;
        }
        textState_ &= ~tesReparsing;
    }
    Recheck();
}

void TTextorElement::InheritOptions()
{
    const uint32_t mask = HasOption(teoDelegate) ? teoInheritableByDelegate : teoInheritable;
    if (TTextorElement* parent = GetParentText()) {
        SetOptions((parent->Options() & mask) | (options_ & ~mask));
        SetTextOptions(parent->TextOptions());
    } else {
        SetOptions(options_ & ~mask);
        SetTextOptions(toNoChecks);
    }
}

// ---- text ----

String TTextorElement::GetText() { return text_->GetText(); }

void TTextorElement::SetTextIfChanged(StringView text)
{
    if (FirstVisual() || GetText() != text) text_->SetText(text);
}

// ---- value and emptiness ----

bool TTextorElement::HasValue() { return !text_->IsEmpty(); }

bool TTextorElement::IsEmpty()
{
    for (TVisualElement* child = FirstVisual(); child; child = child->NextVisual())
        if (child->Portion()) return false;
    if (!defaultValue_) return text_->IsEmpty();
    return GetText() == defaultValue_;
}

// ---- embedded elements ----

TElement* TTextorElement::ElementAfter(const TTextorPosition& pos)
{
    TParagraph* paragraph = pos.Paragraph;
    TPortion* portion = pos.Portion;
    if (portion && pos.Offset > 0) portion = portion->Next();
    while (paragraph) {
        for (; portion; portion = portion->Next())
            if (portion->IsElement())
                if (TVisualElement* element = static_cast<TElementPortion*>(portion)->Element()) return element;
        paragraph = paragraph->Next();
        portion = paragraph ? paragraph->FirstPortion() : nullptr;
    }
    return nullptr;
}

void TTextorElement::RemoveVisualChild(TVisualElement* child)
{
    // An embedded element that leaves (destroyed or moved elsewhere) takes its portion
    // out of the text.
    if (TElementPortion* portion = child->Portion(); portion && text_ && !HasState(esDestroying)) {
        portion->ReleaseElement();
        TTextorUpdate update(*text_);
        TParagraph* paragraph = portion->Paragraph();
        delete portion;
        if (paragraph) paragraph->InvalidateContent();
    }
    TVisualElement::RemoveVisualChild(child);
}

void TTextorElement::ChildrenChanged()
{
    TVisualElement::ChildrenChanged();
    // Own edits run inside an update of the text and keep tree and text in step; a
    // child taken out of the tree from outside leaves the text here.
    if (HasState(esDestroying) || !text_ || text_->UpdateCount() > 0) return;
    for (TVisualElement* child = FirstVisual(); child;) {
        TVisualElement* next = child->NextVisual();
        if (child->Portion() && child->Parent() != this) child->SetVisualParent(nullptr, nullptr);
        child = next;
    }
}

int TTextorElement::CountEmbeddedElements()
{
    int count = 0;
    for (TVisualElement* child = FirstVisual(); child && count < 2; child = child->NextVisual()) {
        if (!child->Portion() || child->IsEffectivelyDisabled() || child->HasFlag(efComment)) continue;
        ++count;
    }
    return count;
}

void TTextorElement::GetAcceptedClasses(TElementClassList& list)
{
    if (!IsContentMode()) return;
    if (HasOption(teoDelegate))
        if (TTextorElement* parent = GetParentText()) {
            parent->GetAcceptedClasses(list);
            return;
        }
    AddGroupClasses(list, cgTextContent);
    if (textOptions_ & toLetters) AddGroupClasses(list, cgExtendedTextContent);
}

// ---- plain text ----

String TTextorElement::GetRangePlainText(const TTextorRange& range)
{
    String text;
    text_->ForEachPart(range, false, [&](TParagraph*, TPortion* portion, int offset, int count) {
        if (!portion) {
            text += u"\r\n";
        } else if (portion->IsElement()) {
            if (TVisualElement* element = static_cast<TElementPortion*>(portion)->Element()) element->GetText(text);
        } else {
            const size_t size = text.size();
            text.resize(size + static_cast<size_t>(portion->GetText(offset, count, nullptr)));
            portion->GetText(offset, count, text.data() + size);
        }
        return true;
    });
    return text;
}

void TTextorElement::GetText(String& builder)
{
    TVisualElement::GetText(builder);
    builder += GetRangePlainText(text_->GetWholeRange());
    builder += u"\r\n";
}

// ---- selection ----

bool TTextorElement::SetSelection(const TTextorLocationRange& range, bool caretAtStart)
{
    TTextorRange positions;
    if (!text_->LocationsToRange(range, positions)) return false;
    if (TTextor::IsBefore(positions.EndPos, positions.StartPos)) {
        selection_ = {range.EndParagraph, range.EndChar, range.StartParagraph, range.StartChar};
        std::swap(positions.StartPos, positions.EndPos);
    } else {
        selection_ = range;
    }
    caretAtStart_ = caretAtStart && !positions.IsEmpty();
    if (interactive_) {
        if (positions.IsEmpty()) interactive_->SetCaret(positions.StartPos);
        else interactive_->SetSelection(positions, caretAtStart_);
    }
    return true;
}

TTextorRange TTextorElement::GetSelectionRange()
{
    TTextorRange range;
    if (!text_->LocationsToRange(selection_, range)) {
        selection_ = {};
        range = {text_->GetStart(), text_->GetStart()};
    }
    return range;
}

bool TTextorElement::HasSelection()
{
    return selection_.Start() != selection_.End();
}

String TTextorElement::GetSelectionText() const
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d,%d,%d,%d", selection_.StartParagraph, selection_.StartChar,
                  selection_.EndParagraph, selection_.EndChar);
    return AsciiToString(buffer);
}

bool TTextorElement::SetSelectionText(StringView text)
{
    int values[4] = {0, 0, 0, 0};
    size_t pos = 0;
    for (int i = 0; i < 4 && pos <= text.size(); ++i) {
        size_t end = text.find(u',', pos);
        if (end == StringView::npos) end = text.size();
        long long value = 0;
        bool negative = false;
        size_t k = pos;
        while (k < end && text[k] == u' ') ++k;
        if (k < end && (text[k] == u'-' || text[k] == u'+')) negative = text[k++] == u'-';
        bool digits = false;
        while (k < end && text[k] >= u'0' && text[k] <= u'9') {
            value = std::min<long long>(value * 10 + (text[k] - u'0'), INT_MAX);
            ++k;
            digits = true;
        }
        while (k < end && text[k] == u' ') ++k;
        if (!digits || k != end) return false;
        values[i] = static_cast<int>(negative ? -value : value);
        pos = end + 1;
    }
    return SetSelection({values[0], values[1], values[2], values[3]});
}

void TTextorElement::GetFocusData(String& text) { text = GetSelectionText(); }

void TTextorElement::SetFocus(bool horizontal, bool forward, std::optional<TPoint> point, TVisualElement* from,
                              const String& focusData)
{
    TCustomDropDownElement::SetFocus(horizontal, forward, point, from, focusData);
    if (!IsFocused() || point) return; // a press places the caret itself
    TElementPortion* portion = from ? from->Portion() : nullptr;
    if (portion && portion->Paragraph() && from->VisualParent() == this) {
        const TTextorPosition at {portion->Paragraph(), portion, forward ? portion->Length() : 0};
        const TTextorLocation location = text_->PositionToLocation(at);
        SetSelection({location.ParagraphIndex, location.CharIndex, location.ParagraphIndex, location.CharIndex});
    } else if (!focusData.empty()) {
        if (!SetSelectionText(focusData)) SetSelection({});
    } else if (horizontal) {
        if (forward) {
            SetSelection({});
        } else {
            const TTextorLocationRange whole = text_->RangeToLocations(text_->GetWholeRange());
            SetSelection({whole.EndParagraph, whole.EndChar, whole.EndParagraph, whole.EndChar});
        }
    }
}

void TTextorElement::SelectAll() { SetSelection(text_->RangeToLocations(text_->GetWholeRange())); }

void TTextorElement::SetPendingSelection(const TTextorLocationRange& range)
{
    pendingSelection_ = range;
    hasPendingSelection_ = true;
}

void TTextorElement::ApplyPendingSelection()
{
    if (!hasPendingSelection_) return;
    hasPendingSelection_ = false;
    if (!SetSelection(pendingSelection_)) SetSelection({});
}

// ---- the text's hooks ----

void TTextorElement::TextChanged()
{
    contentChangedSinceLayout_ = true;
    ContentChanged();
}

void TTextorElement::AfterRelayout(bool contentChanged)
{
    textState_ |= tesInAfterRelayout | tesApplyingSelection;
    try {
        if (hasPendingSelection_) {
            ApplyPendingSelection();
        } else if (contentChanged || contentChangedSinceLayout_) {
            // A change made from outside the element's edits: the old places may not
            // exist any more.
            if (interactive_) SetSelection({});
            else GetSelectionRange();
        } else if (interactive_) {
            // Same places, new rows.
            bool atStart = false;
            SetSelection(interactive_->GetSelectionLocations(atStart), atStart);
        }
        contentChangedSinceLayout_ = false;
        UpdateSize();
        if (Sheet()) {
            Invalidate();
            if (interactive_ && IsFocused()) Sheet()->UpdateCaret();
        }
    } catch (...) {
        textState_ &= ~(tesInAfterRelayout | tesApplyingSelection);
        throw;
    }
    textState_ &= ~(tesInAfterRelayout | tesApplyingSelection);
}

void TTextorElement::ContentChanged()
{
    NotifyParentContentChanged();
    if (HasOption(teoCommitOnLeave) && IsFocused()) commitPending_ = true;
    else Changed();
}

void TTextorElement::CommitChange()
{
    if (!commitPending_) return;
    commitPending_ = false;
    PlaySchemeSound(u"diClassesValueSound");
    Changed();
}

void TTextorElement::FocusChanged()
{
    TCustomDropDownElement::FocusChanged();
    if (IsFocused()) {
        CreateInteractive();
    } else {
        DropInteractive();
        CommitChange();
    }
}

void TTextorElement::NotifyParentContentChanged()
{
    if (HasOption(teoDelegate))
        if (TTextorElement* parent = GetParentText()) parent->NotifyParentContentChanged();
}

// ---- virtual operations ----

void TTextorElement::InitInteractive(TSchemeTextorInteractive& interactive)
{
    if (TSheetSettings* settings = SheetSettings()) interactive.SetCaretWidth(settings->CaretSize().Value());
    uint16_t flags = tifParagraphEndSelected | tifLinks | tifCtrlEnterLinks;
    if (textOptions_ & (toTextMask | toTabs)) flags |= tifText;
    if (IsContentMode()) flags |= tifContent;
    if (HasDropDown()) flags |= tifDropDown;
    if (textOptions_ & toLineBreaks) flags |= tifLineBreaks;
    interactive.Flags = flags;
}

void TTextorElement::BeforeLayoutParagraph(TParagraph& paragraph)
{
    if (HasOption(teoDelegate))
        if (TTextorElement* parent = GetParentText()) parent->BeforeLayoutParagraph(paragraph);
    if (HasOption(teoHyperlinks) && Sheet() && !paragraph.IsEmpty()) DetectLinks(paragraph);
}

TTextAttributes* TTextorElement::GetAttributesForKnot(TKnot* node)
{
    if (HasOption(teoDelegate))
        if (TTextorElement* parent = GetParentText()) return parent->GetAttributesForKnot(node);
    return nullptr;
}

TTextAttributes* TTextorElement::GetDefaultTextAttributes()
{
    // The theme's fonts in a sheet; outside one the shared defaults.
    TSheetCanvas* canvas = Sheet() ? Sheet()->GetCanvas() : nullptr;
    if (!canvas) return DefaultTextAttributes();
    if (HasOption(teoArtFont)) return GetArtAttributes(*canvas);
    if (HasOption(teoFixedFont)) return GetFixedAttributes(*canvas);
    if (HasOption(teoCommentFont)) return GetCommentAttributes(*canvas);
    return GetCodeAttributes(*canvas);
}

TTextorElement* TTextorElement::GetParentText()
{
    TElement* parent = ParentElement();
    if (HasFlag(efPart) && parent) parent = parent->ParentElement();
    return dynamic_cast<TTextorElement*>(parent);
}

bool TTextorElement::GetFrameKind(TSheetThemeElement& kind)
{
    const bool part = HasFlag(efPart);
    if (HasOption(teoFieldFrame) || (HasOption(teoPartFrame) && !part)) {
        kind = steField;
        return true;
    }
    if (HasOption(teoContainerFrame) || (HasOption(teoPartFrame) && part)) {
        kind = steContainer;
        return true;
    }
    return false;
}

void TTextorElement::GetSizeLimits(int& minWidth, int& maxWidth, int& minHeight)
{
    int availableWidth = INT_MAX, availableHeight = INT_MAX;
    if (TVisualElement* parent = VisualParent()) parent->GetAvailableSize(this, availableWidth, availableHeight);
    const int lineHeight = 10;
    if (HasOption(teoNoMaxWidth)) maxWidth = INT_MAX;
    else if (HasOption(teoMaxWidth960)) maxWidth = 960;
    else if (HasOption(teoMaxWidth720)) maxWidth = 720;
    else if (HasOption(teoMaxWidth480)) maxWidth = 480;
    else if (HasOption(teoMaxWidth240)) maxWidth = 240;
    else maxWidth = std::max(availableWidth, lineHeight);
    if (HasOption(teoFillWidth)) minWidth = std::max(lineHeight, availableWidth == INT_MAX ? 0 : availableWidth);
    else if (HasOption(teoMinWidth480)) minWidth = 480;
    else if (HasOption(teoMinWidth240)) minWidth = 240;
    else if (HasOption(teoMinWidth30)) minWidth = 30;
    else minWidth = lineHeight;
    if (HasOption(teoFillHeight)) minHeight = std::max(0, availableHeight == INT_MAX ? 0 : availableHeight);
    else if (HasOption(teoMinHeight240)) minHeight = 240;
    else if (HasOption(teoMinHeight120)) minHeight = 120;
    else if (HasOption(teoMinHeight60)) minHeight = 60;
    else minHeight = 0;
}

void TTextorElement::LinkClicked(TPortion* part)
{
    if (HasOption(teoDelegate))
        if (TTextorElement* parent = GetParentText()) parent->LinkClicked(part);
}

bool TTextorElement::DelegatesEvent(int code)
{
    return code == tenDataElementClass || code == tenAdjustDataElement || code == tenReserved200 ||
           code == tenReserved250;
}

void TTextorElement::PaintFrame(TSheetCanvas& canvas)
{
    TSheetThemeElement kind;
    if (GetFrameKind(kind)) canvas.DrawThemeFrame(kind, GetLocalRect());
}

void TTextorElement::GetPadding(TRect& rect)
{
    TSheetThemeElement kind;
    TSheetCanvas* canvas = Sheet() ? Sheet()->GetCanvas() : nullptr;
    if (canvas && GetFrameKind(kind)) rect = canvas->GetThemePadding(kind);
    else TVisualElement::GetPadding(rect);
}

void TTextorElement::ComputeSize(int& width, int& height, int& descent)
{
    TRect padding;
    GetPadding(padding);
    int minWidth = 0, maxWidth = 0, minHeight = 0;
    GetSizeLimits(minWidth, maxWidth, minHeight);
    int contentWidth = text_->GetContentWidth();
    int contentHeight = text_->GetHeight();
    if ((HasOption(teoEmptyMinWidth) || HasFlag(efValueRequired)) && text_->IsEmpty())
        contentWidth = std::max(contentWidth, contentHeight * 2 / 3);
    const TRow* lastRow = text_->LastRow();
    if (HasOption(teoWorkspaceHeight) && lastRow)
        if (TSheetSettings* settings = SheetSettings(); settings && settings->IncreaseWorkspaceHeight().Value()) {
            const int extra = minHeight - lastRow->Height() - padding.Top - padding.Bottom;
            if (extra >= 0) contentHeight += extra;
        }
    width = std::max(minWidth, contentWidth + padding.Left + padding.Right);
    height = std::max(minHeight, contentHeight + padding.Top + padding.Bottom);
    descent = padding.Bottom + (lastRow ? lastRow->Descent : 0);
}

void TTextorElement::UpdateSize()
{
    if (!Sheet() || text_->LayoutLockCount() > 0) return;
    int width = 0, height = 0, descent = 0;
    ComputeSize(width, height, descent);
    SetBounds(Left(), Top(), width, height, descent);
    if (const TRow* first = text_->FirstRow()) {
        TRect padding;
        GetPadding(padding);
        const int firstHeight = first->Height() + padding.Top + padding.Bottom;
        if (firstHeight != firstRowHeight_) {
            firstRowHeight_ = firstHeight;
            if (TElement* parent = ParentElement()) parent->ChildEvent(this, TextElementFirstRowEvent, 0);
        }
    }
}

void TTextorElement::GetAvailableSize(TVisualElement* child, int& width, int& height)
{
    TVisualElement::GetAvailableSize(this, width, height);
    TRect padding;
    GetPadding(padding);
    if (width != INT_MAX) width = std::max(0, width - padding.Left - padding.Right - 2);
    if (height != INT_MAX) height = std::max(0, height - padding.Top - padding.Bottom);
}

void TTextorElement::Paint(TSheetCanvas& canvas, int paintFlags)
{
    if (text_->LayoutLockCount() > 0) return;
    PaintFrame(canvas);
    if (!text_->IsLaidOut()) return;
    TRect padding;
    GetPadding(padding);
    TTextDrawFlags flags = 0;
    if (!HasOption(teoNoNonPrinting))
        if (TSheetSettings* settings = SheetSettings(); settings && settings->NonPrintingCharacters().Value())
            flags |= tdfNonPrinting;
    TTextPaintState state = 0;
    if (paintFlags & pfInactive) {
        state |= tpsNoFocus;
        flags |= tdfInactive;
    }
    canvas.MoveOrigin(padding.Left, padding.Top);
    try {
        if (interactive_) {
            interactive_->Paint(canvas, state, flags | tdfSelected);
        } else {
            text_->PaintBackgrounds(canvas, state);
            text_->Paint(canvas, state, false, flags, text_->GetWholeRange());
        }
    } catch (...) {
        canvas.MoveOrigin(-padding.Left, -padding.Top);
        throw;
    }
    canvas.MoveOrigin(-padding.Left, -padding.Top);
}

void TTextorElement::UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged)
{
    // The embedded elements size themselves below; the text is laid out once, after them.
    text_->LockLayout();
    try {
        if (Sheet() && !layoutAttached_) {
            layoutAttached_ = true;
            text_->UnlockLayout();
        } else if (!Sheet() && layoutAttached_) {
            layoutAttached_ = false;
            text_->LockLayout();
        }
        if (Sheet() && (attached || styleChanged || (widthChanged && !HasOption(teoNoMaxWidth))))
            text_->InvalidateLayout();
        TVisualElement::UpdateLayout(attached, styleChanged, widthChanged, heightChanged);
    } catch (...) {
        text_->UnlockLayout();
        throw;
    }
    text_->UnlockLayout();
}

void TTextorElement::ChildBoundsChanged(TVisualElement* child, const TRect& oldRect, int oldDescent)
{
    TVisualElement::ChildBoundsChanged(child, oldRect, oldDescent);
    if (loading_ > 0) return;
    TElementPortion* portion = child->Portion();
    if (!portion || !portion->Paragraph()) return;
    if (child->Width() != oldRect.Width() || child->Height() != oldRect.Height() || child->Descent() != oldDescent)
        portion->Paragraph()->InvalidateLayout();
}

} // namespace quillora
