// The text element's edits, each one TTextorEditOperation, and its clipboard commands.
#include <algorithm>
#include <memory>

#include "elements/CustomSheet.h"
#include "elements/Filer.h"
#include "elements/Palette.h"
#include "elements/Scheme.h"
#include "foundation/Exceptions.h"
#include "foundation/Knot.h"
#include "foundation/Service.h"
#include "render/SheetSettings.h"
#include "text/Paragraph.h"
#include "text/TextClipboard.h"
#include "text/TextElement.h"
#include "text/TextorEditOperation.h"

namespace quillora {

namespace {

TKnot* NewContentKnot()
{
    auto* knot = new TKnot(String(ClipboardContentName));
    knot->SetList();
    return knot;
}

} // namespace

TTextorEditOperation* TTextorElement::CreateEditOperation(bool hasContent) { return new TTextorEditOperation(this); }

void TTextorElement::Edit(TTextEditKind kind, const TTextorLocationRange* range, bool keepSelected, const TKnot* content,
                          int contentMode, int contentOptions)
{
    std::unique_ptr<TTextorEditOperation> operation(CreateEditOperation(content != nullptr));
    const TTextorRange selection = GetSelectionRange();
    TTextorRange target;
    switch (kind) {
    case tekSelection:
        if (!selection.IsEmpty()) operation->DeletedRange = selection_;
        break;
    case tekRange:
        if (!range || !text_->LocationsToRange(*range, target) || TTextor::IsBefore(target.EndPos, target.StartPos))
            throw Exception(u"Invalid text range");
        if (!target.IsEmpty()) operation->DeletedRange = *range;
        break;
    case tekWholeText:
        operation->DeletedRange = text_->RangeToLocations(text_->GetWholeRange());
        break;
    case tekAppend:
        break;
    }
    if (content) {
        TTextorPosition attributesAt;
        switch (kind) {
        case tekSelection:
            operation->InsertAt = selection_.End();
            attributesAt = selection.EndPos;
            break;
        case tekRange:
            operation->InsertAt = range->Start();
            attributesAt = target.EndPos;
            break;
        case tekWholeText:
            operation->InsertAt = {};
            attributesAt = text_->GetEnd();
            break;
        case tekAppend:
            operation->InsertAt = text_->PositionToLocation(text_->GetEnd());
            attributesAt = text_->GetEnd();
            break;
        }
        operation->SetTypingAttributes(text_->GetAttributesAt(attributesAt));
        operation->SetInsertedContent(content);
        operation->ContentMode = static_cast<uint8_t>(contentMode);
        operation->ContentOptions = static_cast<uint8_t>(contentOptions);
        operation->KeepSelected = keepSelected;
    }
    operation.release()->Perform();
}

void TTextorElement::ReplaceSelection(const String* text, bool keepSelected)
{
    if (!text) {
        Edit(tekSelection, nullptr, keepSelected, nullptr, smExactCopy, 0);
        return;
    }
    std::unique_ptr<TKnot> content(NewContentKnot());
    if (*text == u"\r") content->AddKnot(u"Br")->SetIncludedOptions(koInline);
    else content->AddKnot(u"Chars")->WriteString(u"Value", *text);
    Edit(tekSelection, nullptr, keepSelected, content.get(), smExactCopy, 0);
}

void TTextorElement::ReplaceAllText(StringView text)
{
    std::unique_ptr<TKnot> content;
    if (!text.empty()) {
        content.reset(NewContentKnot());
        content->AddKnot(u"Chars")->WriteString(u"Value", text);
    }
    Edit(tekWholeText, nullptr, false, content.get(), smExactCopy, 0);
    CommitChange();
}

void TTextorElement::InsertElements(const std::vector<TElement*>& list)
{
    std::vector<std::unique_ptr<TElement>> owned;
    for (TElement* element : list) owned.emplace_back(element);
    if (owned.empty()) return;
    std::unique_ptr<TKnot> content(NewContentKnot());
    const TTextorLocationRange place = selection_;
    const bool lineBreaks = (textOptions_ & toLineBreaks) != 0;
    {
        TSchemeSaver saver(smExactCopy, content.get(), 0);
        auto addBreak = [&]() { content->AddKnot(u"Br")->SetIncludedOptions(koInline); };
        if (lineBreaks && HasOption(teoElementOwnLine) && place.StartChar != 0) addBreak();
        bool first = true;
        for (auto& element : owned) {
            if (!first && lineBreaks) addBreak();
            first = false;
            SaveChildToKnot(element.get(), &saver, content.get());
        }
    }
    // The knots carry the elements' identifiers: the originals go before the copies come.
    owned.clear();
    Edit(tekRange, &place, false, content.get(), smExactCopy, 0);
}

// ---- inserting from the palette ----

TElement* TTextorElement::InsertFromPalette(const TElementClass& elementClass, TPaletteItem* item, const String& value)
{
    std::unique_ptr<TElement> element(elementClass.Create(Scheme()));
    if (!element) return nullptr;
    element->InitializeNewTree();
    if (auto* elementItem = dynamic_cast<TElementPaletteItem*>(item)) elementItem->PrepareElement(*element, value);

    const bool appended = !interactive_;
    const TTextorLocationRange place =
        appended ? text_->RangeToLocations({text_->GetEnd(), text_->GetEnd()}) : selection_;
    const bool ownLine = (textOptions_ & toLineBreaks) &&
                         (HasOption(teoElementOwnLine) || (item && (item->Flags & pifOwnLine)));
    bool breakAfter = false;
    std::unique_ptr<TKnot> content(NewContentKnot());
    {
        TSchemeSaver saver(smExactCopy, content.get(), 0);
        auto addBreak = [&]() { content->AddKnot(u"Br")->SetIncludedOptions(koInline); };
        if (ownLine && place.StartChar != 0) addBreak();
        SaveChildToKnot(element.get(), &saver, content.get());
        if (ownLine) {
            const TParagraph* end = text_->ParagraphAt(place.EndParagraph);
            breakAfter = end && place.EndChar < end->GetLength();
            if (breakAfter) addBreak();
        }
    }
    // The knot carries the element's identifier: the template goes before its copy comes,
    // so that no two elements ever share it.
    const int32_t id = element->ID();
    element.reset();
    if (appended) Edit(tekAppend, nullptr, false, content.get(), smExactCopy, 0);
    else Edit(tekRange, &place, false, content.get(), smExactCopy, 0);

    TElement* inserted = Scheme() ? Scheme()->FindElement(id) : nullptr;
    if (breakAfter && interactive_) {
        // The caret stands right after the element, before the break.
        TTextorLocationRange caret = selection_;
        if (caret.EndChar > 0) {
            --caret.EndChar;
        } else if (caret.EndParagraph > 0) {
            --caret.EndParagraph;
            const TParagraph* previous = text_->ParagraphAt(caret.EndParagraph);
            caret.EndChar = previous ? previous->GetLength() : 0;
        }
        caret.StartParagraph = caret.EndParagraph;
        caret.StartChar = caret.EndChar;
        SetSelection(caret);
    }
    TSheetSettings* settings = SheetSettings();
    if (settings && settings->FocusNew().Value() && IsFocused() && Sheet())
        if (auto* visual = dynamic_cast<TVisualElement*>(inserted)) {
            Sheet()->SetFocused(visual);
            // A while later the new element takes its first step (a frame focuses its
            // caption, a list opens).
            if (visual->IsFocused()) Sheet()->DelayFocusAction(visual);
        }
    return inserted;
}

bool TTextorElement::ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked)
{
    if (auto* elementItem = dynamic_cast<TElementPaletteItem*>(item)) {
        TElementClassList accepted;
        GetAcceptedClassesFiltered(accepted);
        if (IsReadOnly() || std::find(accepted.begin(), accepted.end(), &elementItem->ElementClass()) == accepted.end())
            return false;
        InsertFromPalette(elementItem->ElementClass(), item);
        return true;
    }
    return TCustomDropDownElement::ExecutePaletteItem(target, item, checked);
}

bool TTextorElement::ExecutePaletteSubItem(TVisualElement* target, TPaletteItem* item, const String& value)
{
    if (auto* elementItem = dynamic_cast<TElementPaletteItem*>(item)) {
        TElementClassList accepted;
        GetAcceptedClassesFiltered(accepted);
        if (IsReadOnly() || std::find(accepted.begin(), accepted.end(), &elementItem->ElementClass()) == accepted.end())
            return false;
        InsertFromPalette(elementItem->ElementClass(), item, value);
        return true;
    }
    return TCustomDropDownElement::ExecutePaletteSubItem(target, item, value);
}

void TTextorElement::GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state)
{
    TCustomDropDownElement::GetPaletteItemState(item, state);
    if (dynamic_cast<TElementPaletteItem*>(item) && IsReadOnly()) state.Enabled = false;
}

// ---- clipboard ----

bool TTextorElement::CanDelete() { return HasSelection() && !IsReadOnly(); }

bool TTextorElement::CanCopyText() { return HasSelection(); }

bool TTextorElement::CanCopy() { return HasSelection(); }

bool TTextorElement::CanPaste()
{
    if (IsReadOnly()) return false;
    return Service<TTextClipboard>().HasText() || (AcceptsDataElements() && HasDataToPaste());
}

const TElementClass* TTextorElement::DataElementClass()
{
    if (HasOption(teoDelegate))
        if (TTextorElement* parent = GetParentText()) return parent->DataElementClass();
    return nullptr;
}

bool TTextorElement::HasDataToPaste()
{
    if (HasOption(teoDelegate))
        if (TTextorElement* parent = GetParentText()) return parent->HasDataToPaste();
    return false;
}

bool TTextorElement::AcceptsDataElements()
{
    const TElementClass* dataClass = DataElementClass();
    if (!dataClass || !IsContentMode()) return false;
    TElementClassList accepted;
    GetAcceptedClassesFiltered(accepted);
    return std::find(accepted.begin(), accepted.end(), dataClass) != accepted.end();
}

void TTextorElement::InsertDataElements(std::vector<std::unique_ptr<TElement>> elements)
{
    if (elements.empty()) return;
    const int32_t firstId = elements.front()->ID();
    std::vector<TElement*> list;
    for (auto& element : elements) list.push_back(element.release());
    // A step of its own: a paste right after typing or another paste is undone alone.
    TScheme* scheme = Scheme();
    if (scheme) scheme->BeginGroup(false);
    try {
        InsertElements(list);
    } catch (...) {
        if (scheme) scheme->EndGroup();
        throw;
    }
    if (scheme) scheme->EndGroup();
    TSheetSettings* settings = SheetSettings();
    if (settings && settings->FocusNew().Value() && IsFocused() && Sheet() && Scheme())
        if (auto* visual = dynamic_cast<TVisualElement*>(Scheme()->FindElement(firstId))) {
            Sheet()->SetFocused(visual);
            if (visual->IsFocused()) Sheet()->DelayFocusAction(visual);
        }
}

bool TTextorElement::PasteDataElement()
{
    if (IsReadOnly() || !AcceptsDataElements() || !HasDataToPaste()) return false;
    std::unique_ptr<TElement> element(DataElementClass()->Create(Scheme()));
    auto* data = dynamic_cast<ITextDataElement*>(element.get());
    if (!data) return false;
    element->InitializeNewTree();
    if (!data->LoadPastedData()) return false;
    std::vector<std::unique_ptr<TElement>> elements;
    elements.push_back(std::move(element));
    InsertDataElements(std::move(elements));
    return true;
}

std::vector<std::unique_ptr<TElement>> TTextorElement::LoadDroppedFiles(const std::vector<String>& fileNames)
{
    std::vector<std::unique_ptr<TElement>> elements;
    if (IsReadOnly() || !AcceptsDataElements()) return elements;
    for (const String& name : fileNames) {
        std::unique_ptr<TElement> element(DataElementClass()->Create(Scheme()));
        auto* data = dynamic_cast<ITextDataElement*>(element.get());
        if (!data || !data->TakesFile(name)) continue;
        element->InitializeNewTree();
        data->LoadDroppedFile(name);
        elements.push_back(std::move(element));
    }
    return elements;
}

bool TTextorElement::DropFiles(const std::vector<String>& fileNames)
{
    std::vector<std::unique_ptr<TElement>> elements = LoadDroppedFiles(fileNames);
    if (elements.empty()) return false;
    InsertDataElements(std::move(elements));
    return true;
}

bool TTextorElement::DropFilesAt(const std::vector<String>& fileNames, TPoint point)
{
    std::vector<std::unique_ptr<TElement>> elements = LoadDroppedFiles(fileNames);
    if (elements.empty()) return false;
    if (HasVisualOption(voFocusable) && !IsFocused()) Focus();
    TTextorPosition position;
    TRow* row = nullptr;
    if (text_->PositionAtPoint(TextPoint(point), true, true, position, row)) {
        const TTextorLocation at = text_->PositionToLocation(position);
        SetSelection({at.ParagraphIndex, at.CharIndex, at.ParagraphIndex, at.CharIndex});
    }
    InsertDataElements(std::move(elements));
    return true;
}

void TTextorElement::Delete()
{
    if (HasSelection()) ReplaceSelection(nullptr, false);
}

void TTextorElement::CopyText()
{
    const TTextorRange range = GetSelectionRange();
    Service<TTextClipboard>().SetText(GetRangePlainText(range));
}

void TTextorElement::Copy()
{
    const TTextorRange range = GetSelectionRange();
    std::unique_ptr<TKnot> content(NewContentKnot());
    TSchemeSaver saver(smClipboard, content.get(), soClipboard);
    SaveContent(saver, *content, &range);
    String plain;
    if (GetContentPlainText(*content, plain)) {
        Service<TTextClipboard>().SetText(plain);
    } else {
        saver.WriteFormatVersion();
        Service<TTextClipboard>().SetText(content->SaveToText());
    }
    if (Sheet()) Sheet()->CloseDropDown(false);
}

bool TTextorElement::Paste()
{
    TTextClipboard& clipboard = Service<TTextClipboard>();
    if (!clipboard.HasText()) {
        const bool pasted = PasteDataElement();
        if (pasted && Sheet()) Sheet()->CloseDropDown(false);
        return pasted;
    }
    const String text = clipboard.GetText();
    TKnot node;
    node.LoadFromText(text);
    bool pasted = false;
    if (node.Corrupt() || node.Name() != ClipboardContentName) {
        if (textOptions_ & toAnyText) {
            ReplaceSelection(&text, false);
            pasted = true;
        }
    } else if (IsContentMode()) {
        node.SetList();
        Edit(tekSelection, nullptr, false, &node, smClipboard, soClipboard);
        pasted = true;
    } else if (textOptions_ & toAnyText) {
        String plain;
        if (!GetContentPlainText(node, plain)) plain = text;
        ReplaceSelection(&plain, false);
        pasted = true;
    }
    if (pasted && Sheet()) Sheet()->CloseDropDown(false);
    return pasted;
}

} // namespace quillora
