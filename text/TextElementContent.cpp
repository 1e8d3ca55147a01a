// The content format of text elements: "Chars" knots with a "Value" for runs of
// characters (tabs included), "Br" for paragraph ends and one knot per embedded element;
// or, without content mode, the whole text as one "Value".
#include <memory>

#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "text/TextElement.h"

namespace quillora {

namespace {

constexpr StringView CharsName = u"Chars";
constexpr StringView BrName = u"Br";
constexpr StringView ValueName = u"Value";
constexpr StringView FloatingName = u"Floating";

class TCounterScope {
public:
    explicit TCounterScope(int& counter) : counter_(counter) { ++counter_; }
    ~TCounterScope() { --counter_; }
    TCounterScope(const TCounterScope&) = delete;
    TCounterScope& operator=(const TCounterScope&) = delete;

private:
    int& counter_;
};

// Whether "Br" is left out: filer option 0x08 on a text that holds no text at all.
bool SkipsBreaks(const TSchemeFiler& filer, uint32_t textOptions)
{
    return filer.HasOption(soNoPositions) && !(textOptions & toTextMask);
}

} // namespace

void TTextorElement::LoadContent(TSchemeFiler& filer, TKnot& node, const TTextorPosition& at, TTextorRange& loaded)
{
    TSchemeUpdate schemeUpdate(Scheme());
    TTextorUpdate textUpdate(*text_);
    TCounterScope loading(loading_);
    const TTextorLocation start = text_->PositionToLocation(at);
    TElement* before = ElementAfter(at);
    auto* visualBefore = dynamic_cast<TVisualElement*>(before);
    const bool skipBreaks = SkipsBreaks(filer, textOptions_);
    TElementClassList accepted;
    bool acceptedKnown = false;
    TTextorPosition current = at;
    TTextorRange piece;
    for (TNode* n = node.FirstChild(); n;) {
        auto* knot = static_cast<TKnot*>(n);
        n = n->NextSibling();
        if (knot->IsVisited()) continue;
        const String& name = knot->Name();
        if (name == CharsName) {
            knot->SetVisited(true);
            TKnotParam* value = knot->FindParam(ValueName);
            if (!value) continue;
            value->SetVisited(true);
            text_->InsertText(current, value->Text(), GetAttributesForKnot(knot), piece);
            current = piece.EndPos;
        } else if (name == BrName) {
            knot->SetVisited(true);
            if (skipBreaks) continue;
            text_->InsertText(current, u"\r\n", nullptr, piece);
            current = piece.EndPos;
        } else {
            if (!acceptedKnown) {
                GetAcceptedClassesFiltered(accepted);
                acceptedKnown = true;
            }
            TElement* element = CreateChildFromKnot(&filer, knot, before, accepted);
            if (!element) continue;
            auto* visual = dynamic_cast<TVisualElement*>(element);
            if (!visual) {
                // Only visual elements can stand in a text: the knot stays unread.
                delete element;
                knot->SetVisited(false);
                continue;
            }
            visual->SetVisualParent(this, visualBefore);
            text_->InsertElement(current, visual, nullptr, piece);
            current = piece.EndPos;
        }
    }
    TTextorLocationRange locations{start.ParagraphIndex, start.CharIndex, 0, 0};
    const TTextorLocation end = text_->PositionToLocation(current);
    locations.EndParagraph = end.ParagraphIndex;
    locations.EndChar = end.CharIndex;
    if (!text_->LocationsToRange(locations, loaded)) loaded = {current, current};
}

bool TTextorElement::GetContentPlainText(TKnot& node, String& text)
{
    text.clear();
    for (TNode* n = node.FirstChild(); n; n = n->NextSibling()) {
        auto* knot = static_cast<TKnot*>(n);
        if (knot->Name() == CharsName) {
            if (TKnotParam* value = knot->FindParam(ValueName)) text += value->Text();
        } else if (knot->Name() == BrName) {
            text += u"\r\n";
        } else {
            text.clear();
            return false;
        }
    }
    return true;
}

void TTextorElement::SaveContent(TSchemeFiler& filer, TKnot& node, const TTextorRange* range)
{
    const TTextorRange whole = text_->GetWholeRange();
    const TTextorRange& r = range ? *range : whole;
    const bool skipBreaks = SkipsBreaks(filer, textOptions_);
    String pending;
    auto flush = [&]() {
        if (pending.empty()) return;
        auto* last = static_cast<TKnot*>(node.LastChild());
        TKnotParam* value = last && last->Name() == CharsName ? last->FindParam(ValueName) : nullptr;
        if (value && value->Kind() == pkText) {
            String joined = value->Text();
            joined += pending;
            value->SetText(std::move(joined));
        } else {
            node.AddKnot(CharsName)->WriteString(ValueName, pending);
        }
        pending.clear();
    };
    text_->ForEachPart(r, false, [&](TParagraph*, TPortion* portion, int offset, int count) {
        if (!portion) {
            flush();
            if (!skipBreaks) node.AddKnot(BrName)->SetIncludedOptions(koInline);
        } else if (portion->IsElement()) {
            flush();
            TVisualElement* element = static_cast<TElementPortion*>(portion)->Element();
            if (!element) return true;
            if (filer.Mode() == smClipboard && element->HasVisualOption(voNotCopiedWithText)) return true;
            SaveChildToKnot(element, &filer, &node);
        } else if (&portion->GetClass() == &TTextPortion::Class()) {
            pending.append(static_cast<TTextPortion*>(portion)->Chars() + offset, static_cast<size_t>(count));
        } else {
            pending.append(static_cast<size_t>(count), u'\t');
        }
        return true;
    });
    flush();
}

void TTextorElement::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    {
        TSchemeUpdate schemeUpdate(Scheme());
        TTextorUpdate textUpdate(*text_);
        TCounterScope loading(loading_);
        TVisualElement::LoadFromKnot(filer, knot);
        if (IsContentMode()) {
            TKnot* node = knot;
            // Only exact copies put the content below "Floating".
            if (filer->IsExactCopy())
                if (TKnot* floating = knot->FindKnot(FloatingName)) node = floating;
            text_->Clear();
            TTextorRange loaded;
            LoadContent(*filer, *node, text_->GetEnd(), loaded);
        } else {
            const String value = knot->ReadString(ValueName, defaultValue_ ? StringView(defaultValue_) : StringView());
            if (value != GetText()) text_->SetText(value);
        }
    }
    if (HasOption(teoDelegate | teoInheritOptions)) InheritOptions();
}

void TTextorElement::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::SaveToKnot(filer, knot);
    if (IsContentMode()) {
        if (!IsEmpty() || (filer->IsExactCopy() && HasValue())) {
            TKnot* node = knot;
            if (filer->IsExactCopy()) {
                TElement* first = FirstElement();
                if (first && first->HasFlag(efPart)) node = knot->AddKnot(FloatingName);
            }
            SaveContent(*filer, *node, nullptr);
        }
    } else if (!IsEmpty()) {
        knot->WriteString(ValueName, GetText());
    }
}

} // namespace quillora
