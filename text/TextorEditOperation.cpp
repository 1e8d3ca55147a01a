#include "text/TextorEditOperation.h"

#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "foundation/Clock.h"
#include "foundation/Exceptions.h"
#include "foundation/Knot.h"
#include "foundation/Service.h"
#include "text/TextElement.h"

namespace quillora {

namespace {

constexpr StringView CharsName = u"Chars";
constexpr StringView ValueName = u"Value";

bool IsChars(const TKnot* knot) { return knot && knot->Name() == CharsName; }

String CharsValue(const TKnot* knot)
{
    const TKnotParam* value = knot->FindParam(ValueName);
    return value ? value->Text() : String();
}

// Replaces the "Value" of a "Chars" knot, which from now on keeps one parameter per name.
void SetCharsValue(TKnot* knot, String value)
{
    knot->SetIncludedOptions(static_cast<TKnotOptions>(knot->IncludedOptions() | koUniqueParams));
    if (TKnotParam* param = knot->FindParam(ValueName)) param->SetText(std::move(value));
    else knot->WriteString(ValueName, value);
}

bool SameAttributes(const TTextAttributes* a, const TTextAttributes* b)
{
    if (!a || !b) return a == b;
    return a == b || a->IsEqual(*b);
}

// Loads `content` (a content knot, read again from the start) into the element at `at`.
void LoadInto(TTextorElement& element, TKnot& content, int mode, int options, const TTextorPosition& at,
              TTextorRange& loaded)
{
    content.MarkVisited(false);
    TScheme* scheme = element.Scheme();
    TElementMessages* messages = (scheme && mode != smExactCopy) ? &scheme->SchemeMessages() : nullptr;
    TSchemeLoader loader(scheme, messages, &content, options, mode);
    element.LoadContent(loader, content, at, loaded);
    loader.Finish();
}

} // namespace

TTextorEditOperation::TTextorEditOperation(TTextorElement* element)
    : TElementOperation(element, false), Timestamp(Now())
{
}

TTextorEditOperation::~TTextorEditOperation()
{
    if (typingAttributes_) typingAttributes_->Release();
}

void TTextorEditOperation::SetTypingAttributes(TTextAttributes* attributes)
{
    if (attributes == typingAttributes_) return;
    if (attributes) attributes->AddRef();
    if (typingAttributes_) typingAttributes_->Release();
    typingAttributes_ = attributes;
}

void TTextorEditOperation::SetInsertedContent(const TKnot* content)
{
    if (!content) {
        insertedContent_.reset();
        return;
    }
    auto copy = std::make_unique<TKnot>();
    copy->Assign(*content);
    copy->SetName(String(ClipboardContentName));
    insertedContent_ = std::move(copy);
}


TTextorEditOperation::TClock::time_point TTextorEditOperation::Now()
{
    return Service<ISteadyClock>().Now();
}

void TTextorEditOperation::ApplyTo(TElement* element)
{
    TElementOperation::ApplyTo(element);
    auto* owner = dynamic_cast<TTextorElement*>(element);
    if (!owner) return;
    TSchemeUpdate schemeUpdate(owner->Scheme());
    TTextorLocationRange selection;
    {
        TSchemeTextor& text = owner->Text();
        TTextorUpdate textUpdate(text);
        Timestamp = Now();
        TTextorLocation insertAt = InsertAt;
        TTextorPosition place = text.GetStart();
        const bool deletes = DeletedRange.Start() != DeletedRange.End();
        if (deletes) {
            TTextorRange range;
            if (!text.LocationsToRange(DeletedRange, range)) throw Exception(u"The text changed: the edit cannot be repeated");
            if (!deletedContent_) {
                auto saved = std::make_unique<TKnot>(String(ClipboardContentName));
                saved->SetList();
                TSchemeSaver saver(smExactCopy, saved.get(), 0);
                owner->SaveContent(saver, *saved, &range);
                deletedContent_ = std::move(saved);
            }
            text.DeleteRange(range, place);
            if (insertAt.ParagraphIndex == DeletedRange.EndParagraph && insertAt.CharIndex >= DeletedRange.EndChar) {
                insertAt.ParagraphIndex = DeletedRange.StartParagraph;
                insertAt.CharIndex += DeletedRange.StartChar - DeletedRange.EndChar;
            } else if (insertAt.ParagraphIndex > DeletedRange.EndParagraph) {
                insertAt.ParagraphIndex -= DeletedRange.EndParagraph - DeletedRange.StartParagraph;
            }
        }
        if (!deletes && !insertedContent_) return;
        TTextorRange current{place, place};
        if (insertedContent_) {
            if (!text.LocationToPosition(insertAt, place))
                throw Exception(u"The text changed: the edit cannot be repeated");
            LoadInto(*owner, *insertedContent_, ContentMode, ContentOptions, place, current);
            if (ContentMode != smExactCopy) {
                // Redo repeats exactly what this first execution produced.
                insertedContent_->Clear();
                insertedContent_->SetName(String(ClipboardContentName));
                insertedContent_->SetList();
                TSchemeSaver saver(smExactCopy, insertedContent_.get(), 0);
                owner->SaveContent(saver, *insertedContent_, &current);
                ContentMode = smExactCopy;
                ContentOptions = 0;
            }
        }
        InsertedRange = text.RangeToLocations(current);
        selection = InsertedRange;
        if (!KeepSelected) {
            selection.StartParagraph = selection.EndParagraph;
            selection.StartChar = selection.EndChar;
        }
        owner->SetPendingSelection(selection);
    }
    owner->ApplyPendingSelection();
}

void TTextorEditOperation::RevertOn(TElement* element)
{
    TElementOperation::RevertOn(element);
    auto* owner = dynamic_cast<TTextorElement*>(element);
    if (!owner) return;
    TSchemeUpdate schemeUpdate(owner->Scheme());
    {
        TSchemeTextor& text = owner->Text();
        TTextorUpdate textUpdate(text);
        TTextorPosition place;
        // What this undo removes, kept until the removed content is back, so that an undo
        // that cannot finish leaves the text as it found it.
        std::unique_ptr<TKnot> removed;
        if (InsertedRange.Start() != InsertedRange.End()) {
            TTextorRange range;
            if (!text.LocationsToRange(InsertedRange, range)) throw Exception(u"The text changed: the edit cannot be undone");
            removed = std::make_unique<TKnot>(String(ClipboardContentName));
            removed->SetList();
            TSchemeSaver saver(smExactCopy, removed.get(), 0);
            owner->SaveContent(saver, *removed, &range);
            text.DeleteRange(range, place);
        }
        // The empty place: where the removed content was, else where the inserted one began.
        const TTextorLocation start = DeletedRange.Start() != DeletedRange.End() ? DeletedRange.Start() : InsertedRange.Start();
        TTextorLocationRange restored{start.ParagraphIndex, start.CharIndex, start.ParagraphIndex, start.CharIndex};
        if (deletedContent_) {
            try {
                if (!text.LocationToPosition(DeletedRange.Start(), place))
                    throw Exception(u"The text changed: the edit cannot be undone");
                TTextorRange loaded;
                LoadInto(*owner, *deletedContent_, smExactCopy, 0, place, loaded);
                restored = text.RangeToLocations(loaded);
            } catch (...) {
                TTextorPosition back;
                if (removed && text.LocationToPosition(InsertedRange.Start(), back)) {
                    TTextorRange reloaded;
                    LoadInto(*owner, *removed, smExactCopy, 0, back, reloaded);
                }
                throw;
            }
        }
        owner->SetPendingSelection(restored);
    }
    owner->ApplyPendingSelection();
}

bool TTextorEditOperation::MergeWith(TOperation* previous)
{
    auto* prev = dynamic_cast<TTextorEditOperation*>(previous);
    if (!prev || prev->ElementID() != ElementID()) return false;
    const auto apart = Timestamp > prev->Timestamp ? Timestamp - prev->Timestamp : prev->Timestamp - Timestamp;
    if (apart >= MergeInterval) return false;
    return MergeTyping(*prev) || MergeBackspace(*prev);
}

bool TTextorEditOperation::MergeTyping(TTextorEditOperation& prev)
{
    if (!insertedContent_ || deletedContent_ || !prev.insertedContent_ || prev.deletedContent_) return false;
    if (prev.InsertedRange.End() != InsertAt) return false;
    if (!SameAttributes(prev.typingAttributes_, typingAttributes_)) return false;
    TKnot& target = *prev.insertedContent_;
    while (auto* knot = static_cast<TKnot*>(insertedContent_->FirstChild())) {
        auto* last = static_cast<TKnot*>(target.LastChild());
        if (IsChars(last) && IsChars(knot)) {
            SetCharsValue(last, CharsValue(last) + CharsValue(knot));
            delete knot;
        } else {
            knot->SetParent(&target);
        }
    }
    prev.InsertedRange.EndParagraph = InsertedRange.EndParagraph;
    prev.InsertedRange.EndChar = InsertedRange.EndChar;
    prev.Timestamp = Timestamp;
    MoveDependentsTo(prev);
    return true;
}

bool TTextorEditOperation::MergeBackspace(TTextorEditOperation& prev)
{
    if (!deletedContent_ || insertedContent_ || !prev.deletedContent_ || prev.insertedContent_) return false;
    if (prev.DeletedRange.Start() != DeletedRange.End()) return false;
    TKnot& target = *prev.deletedContent_;
    while (auto* knot = static_cast<TKnot*>(deletedContent_->LastChild())) {
        auto* first = static_cast<TKnot*>(target.FirstChild());
        if (IsChars(first) && IsChars(knot)) {
            SetCharsValue(first, CharsValue(knot) + CharsValue(first));
            delete knot;
        } else {
            knot->SetParent(&target, first);
        }
    }
    prev.DeletedRange.StartParagraph = DeletedRange.StartParagraph;
    prev.DeletedRange.StartChar = DeletedRange.StartChar;
    prev.Timestamp = Timestamp;
    MoveDependentsTo(prev);
    return true;
}

} // namespace quillora
