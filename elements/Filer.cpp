#include "elements/Filer.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "elements/Element.h"
#include "elements/Messages.h"
#include "elements/Scheme.h"
#include "elements/ValueChecks.h"
#include "elements/VisualElement.h"
#include "foundation/Knot.h"
#include "foundation/NumberParse.h"

namespace quillora {

// ---- format version ----

String FormatVersionText(int32_t version)
{
    int32_t major = version / 1000;
    int32_t minor = version % 1000;
    if (minor < 0) minor = -minor;
    String minorText = IntToString(minor);
    while (minorText.size() < 3) minorText.insert(minorText.begin(), u'0');
    while (minorText.size() >= 2 && minorText.back() == u'0') minorText.pop_back();
    return IntToString(major) + u"." + minorText;
}

namespace {
int32_t IntOrDefault(StringView text, int32_t defaultValue)
{
    int32_t value = 0;
    return TryParseInt32(text, value) ? value : defaultValue;
}

int32_t Capped(long long value)
{
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}
} // namespace

int32_t ParseFormatVersion(StringView text)
{
    size_t dot = text.find(u'.');
    if (dot == StringView::npos) return Capped(static_cast<long long>(IntOrDefault(text, 1)) * 1000);
    String minor(text.substr(dot + 1));
    while (minor.size() < 3) minor += u'0';
    long long major = IntOrDefault(text.substr(0, dot), 1);
    return Capped(major * 1000 + IntOrDefault(minor, 0));
}

// ---- filers ----

TSchemeFiler::TSchemeFiler(int mode, TKnot* knot, int options)
    : mode_(mode), options_(options), knot_(knot), ownsKnot_(knot == nullptr)
{
    if (!knot_) knot_ = new TKnot();
}

TSchemeFiler::~TSchemeFiler()
{
    if (ownsKnot_) delete knot_;
}

void TSchemeSaver::WriteFormatVersion() { Knot()->WriteString(u"FormatVersion", FormatVersionText(CurrentFormatVersion)); }

TSchemeLoader::TSchemeLoader(TScheme* scheme, TElementMessages* messages, TKnot* knot, int options, int mode)
    : TSchemeFiler(mode, knot, options), scheme_(scheme), messages_(messages)
{
    TKnot* root = Knot();
    if (root->FindParam(u"FormatVersion")) formatVersion_ = ParseFormatVersion(root->ReadString(u"FormatVersion"));
    if (scheme_) {
        scheme_->BeginUpdate();
        updating_ = true;
    }
    if (messages_) {
        if (root->Corrupt()) AddLoadReport(*messages_, sidDataCorrupt);
        if (formatVersion_ > CurrentFormatVersion) AddLoadReport(*messages_, sidNewerFormat);
    }
}

TSchemeLoader::~TSchemeLoader()
{
    try {
        Finish();
    } catch (...) {
        // Reports that cannot be made while an error passes are lost.
    }
}

void TSchemeLoader::Finish()
{
    if (finished_) return;
    finished_ = true;
    if (updating_) {
        updating_ = false;
        scheme_->EndUpdate();
    }
    if (messages_ && !IsExactCopy()) {
        std::vector<TKnot*> knots;
        std::vector<TKnotParam*> params;
        Knot()->FindUnread(&knots, &params);
        for (TKnot* k : knots) AddLoadReport(*messages_, sidNodeNotRead, {k->GetPath()});
        for (TKnotParam* p : params) AddLoadReport(*messages_, sidAttributeNotRead, {p->GetPath()});
    }
}

void TSchemeLoader::AddIDPair(int32_t storedID, int32_t newID)
{
    storedIDs_.push_back(storedID);
    newIDs_.push_back(newID);
}

int32_t TSchemeLoader::FindNewID(int32_t storedID) const
{
    for (size_t i = 0; i < storedIDs_.size(); ++i)
        if (storedIDs_[i] == storedID) return newIDs_[i];
    return 0;
}

TSchemeLoader* AsLoader(TSchemeFiler* filer) { return dynamic_cast<TSchemeLoader*>(filer); }

// ---- base behaviour of the persistence slots ----

bool ElementShouldSavePart(const TSchemeFiler& filer, const TElement& part)
{
    if (!filer.IsExactCopy() && part.HasFlag(efTransient)) return false;
    if (filer.HasOption(soSkipComments) && part.HasFlag(efComment)) return false;
    return true;
}

bool ElementSavesInline(const TElement& element, const TSchemeFiler& filer)
{
    return element.HasFlag(efPart) && element.HasFlag(efSavedInline) && !filer.IsExactCopy();
}

bool ElementShouldSaveChild(const TSchemeFiler& filer, const TElement& child)
{
    if (filer.HasOption(soSkipDisabled))
        if (auto* visual = dynamic_cast<const TVisualElement*>(&child); visual && visual->HasVisualState(vsDisabled))
            return false;
    if (filer.HasOption(soSkipComments) && child.HasFlag(efComment)) return false;
    if (filer.HasOption(soSkipUnsupported) && child.HasFlag(efUnsupported)) return false;
    return true;
}

void SaveElementItems(TElement& element, TSchemeFiler& filer, TKnot& knot)
{
    if (filer.IsExactCopy() || element.HasFlag(efIdentified)) knot.WriteInteger(u"ID", element.ID());
    for (TElement* part = element.FirstElement(); part; part = part->NextElement()) {
        if (!part->HasFlag(efPart)) continue;
        if (!element.ShouldSavePart(&filer, part)) continue;
        if (filer.HasOption(soSkipDefaults) && part->IsDefault(&filer, &knot)) continue;
        if (part->SavesInline(&filer)) {
            part->SaveToKnot(&filer, &knot);
            continue;
        }
        String name;
        part->GetKnotName(&filer, name);
        TKnot* partKnot = knot.AddKnot(name);
        part->SaveToKnot(&filer, partKnot);
        if (partKnot->IsEmpty() && !(part->HasFlag(efValue) && !part->IsEmpty())) delete partKnot;
    }
}

void LoadElementItems(TElement& element, TSchemeFiler& filer, TKnot& knot)
{
    int32_t oldID = element.ID();
    int32_t newID = oldID;
    if (filer.IsExactCopy()) {
        const int32_t stored = knot.ReadInteger(u"ID", 0);
        TElement::RaiseIDCounter(stored);
        // An exact copy takes its stored identifier back unless another element of the
        // scheme holds it (the same copy inserted twice): it then keeps its new one.
        TScheme* scheme = element.Scheme();
        TElement* holder = scheme && stored != 0 ? scheme->FindElement(stored) : nullptr;
        if (stored != 0 && (!holder || holder == &element)) newID = stored;
    } else if (element.HasFlag(efIdentified)) {
        int32_t stored = knot.ReadInteger(u"ID", 0);
        if (stored != element.ID())
            if (TSchemeLoader* loader = AsLoader(&filer)) loader->AddIDPair(stored, element.ID());
    }
    if (filer.HasOption(soInProcess)) element.IncludeState(esLoaded);
    if (newID != oldID) element.SetID(newID); // calls IDChanged
    for (TElement* part = element.FirstElement(); part; part = part->NextElement()) {
        if (!part->HasFlag(efPart)) continue;
        if (!filer.IsExactCopy() && part->HasFlag(efTransient)) continue;
        if (part->SavesInline(&filer)) {
            part->LoadFromKnot(&filer, &knot);
            continue;
        }
        String name;
        part->GetKnotName(&filer, name);
        if (TKnot* partKnot = knot.FindKnot(name)) part->LoadFromKnot(&filer, partKnot);
    }
}

void SaveVisualElementItems(TVisualElement& element, TSchemeFiler& filer, TKnot& knot)
{
    if (element.HasVisualState(vsDisabled)) knot.WriteString(u"Disabled", u"1");
    if (element.HasVisualOption(voStorePosition) && !filer.HasOption(soNoPositions)) {
        knot.WriteInteger(u"Left", element.Left());
        knot.WriteInteger(u"Top", element.Top());
    }
}

void LoadVisualElementItems(TVisualElement& element, TSchemeFiler& filer, TKnot& knot)
{
    if (element.HasVisualOption(voCanDisable)) element.SetDisabled(knot.ReadBool(u"Disabled", false));
    if (element.HasVisualOption(voStorePosition) && !filer.HasOption(soNoPositions)) {
        int left = knot.ReadInteger(u"Left", element.Left());
        int top = knot.ReadInteger(u"Top", element.Top());
        element.SetBounds(left, top, element.Width(), element.Height(), element.Descent());
    }
}

void SaveElementTo(TElement& element, TKnot& knot, int mode, int options)
{
    TSchemeSaver saver(mode, &knot, options);
    element.SaveToKnot(&saver, &knot);
}

TKnot* SaveChildElement(TElement& container, TElement& child, TSchemeFiler& filer, TKnot& knot)
{
    if (auto* visual = dynamic_cast<TVisualElement*>(&container)) {
        if (!visual->ShouldSaveChild(&filer, &child)) return nullptr;
    } else if (!ElementShouldSaveChild(filer, child)) {
        return nullptr;
    }
    if (filer.HasOption(soSkipDefaults) && child.IsDefault(&filer, &knot)) return nullptr;
    TKnot* childKnot = knot.AddKnot(child.GetTypeName());
    child.SaveToKnot(&filer, childKnot);
    return childKnot;
}

TElement* CreateChildElement(TElement& container, TSchemeFiler& filer, TKnot& knot, TElement* before,
                             const TElementClassList& acceptedClasses)
{
    String name;
    if (auto* visual = dynamic_cast<TVisualElement*>(&container)) visual->GetKnotClassName(&filer, &knot, name);
    else name = knot.Name();
    const TElementClass* elementClass = FindClassByTypeName(acceptedClasses, name);
    if (!elementClass) elementClass = container.GetClass().GetUnacceptedClass(&filer);
    if (!elementClass) return nullptr; // nothing can keep it: it stays unread and is reported
    std::unique_ptr<TElement> element(elementClass->Create(container.Scheme()));
    element->SetParent(&container, before);
    element->LoadFromKnot(&filer, &knot);
    knot.SetVisited(true);
    return element.release();
}

void SaveChildElements(TElement& container, TSchemeFiler& filer, TKnot& knot)
{
    for (TElement* child = container.FirstElement(); child; child = child->NextElement())
        if (!child->HasFlag(efPart)) container.SaveChildToKnot(child, &filer, &knot);
}

void LoadChildElements(TElement& container, TSchemeFiler& filer, TKnot& knot)
{
    TElementClassList accepted;
    container.GetAcceptedClassesFiltered(accepted);
    for (TNode* n = knot.FirstChild(); n; n = n->NextSibling()) {
        auto* childKnot = static_cast<TKnot*>(n);
        if (childKnot->IsVisited()) continue;
        container.CreateChildFromKnot(&filer, childKnot, nullptr, accepted);
    }
}

} // namespace quillora
