#include "support/TestElements.h"

#include "elements/ClassesGroups.h"
#include "elements/Filer.h"
#include "foundation/Knot.h"

namespace quillora::testing {

// ---- star ----

void TElement_Star::Create()
{
    TVisualElement::Create();
    SetVisualOptions(voCanDisable | voStorePosition);
}

void TElement_Star::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::SaveToKnot(filer, knot);
    knot->WriteInteger(u"Points", Points);
    if (!Label.empty()) knot->WriteString(u"Label", Label);
}

void TElement_Star::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::LoadFromKnot(filer, knot);
    Points = knot->ReadInteger(u"Points", 5);
    Label = knot->ReadString(u"Label");
}

// ---- note ----

void TElement_Note::Create()
{
    TVisualElement::Create();
    flags_ |= efComment;
}

// ---- parts ----

void TTestTitle::Create()
{
    TElement::Create();
    flags_ |= efValue;
}

void TTestTitle::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TElement::SaveToKnot(filer, knot);
    if (!Text.empty() && !WriteNothing) knot->WriteString(u"Text", Text);
}

void TTestTitle::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TElement::LoadFromKnot(filer, knot);
    Text = knot->ReadString(u"Text");
    Recheck();
}

void TTestInline::Create()
{
    TElement::Create();
    flags_ |= efSavedInline;
}

void TTestInline::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TElement::SaveToKnot(filer, knot);
    if (Size) knot->WriteInteger(u"Size", Size);
}

void TTestInline::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TElement::LoadFromKnot(filer, knot);
    Size = knot->ReadInteger(u"Size", 0);
}

void TTestTransient::Create()
{
    TElement::Create();
    flags_ |= efTransient;
}

void TTestTransient::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TElement::SaveToKnot(filer, knot);
    knot->WriteInteger(u"State", State);
}

void TTestTransient::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TElement::LoadFromKnot(filer, knot);
    State = knot->ReadInteger(u"State", 0);
}

// ---- containers ----

void TElement_Box::Create()
{
    TPanelElement::Create();
    flags_ |= efIdentified;
    Title = NewPart<TTestTitle>(this);
    Inline = NewPart<TTestInline>(this);
    Transient = NewPart<TTestTransient>(this);
}

void TElement_Box::GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name)
{
    if (child == Title) name = u"Title";
    else if (child == Inline) name = u"Inline"; // its knot in exact copies
    else if (child == Transient) name = u"Transient";
    else TPanelElement::GetChildKnotName(child, filer, name);
}

void TElement_Box::GetAcceptedClasses(TElementClassList& list) { AddClass(list, &TElement_Star::Class()); }

void TElement_Frame::GetAcceptedClasses(TElementClassList& list) { AddClass(list, &TElement_Star::Class()); }

void TTestRoot::GetAcceptedClasses(TElementClassList& list)
{
    AddClass(list, &TElement_Star::Class());
    AddClass(list, &TElement_Box::Class());
    AddClass(list, &TElement_Note::Class());
    AddClass(list, &TElement_Frame::Class());
}

void TElement_Crate::Create()
{
    TPanelElement::Create();
    Title = NewPart<TTestTitle>(this);
    Title->SetFlags(Title->Flags() | efValueRequired);
    Inline = NewPart<TTestInline>(this);
}

void TElement_Crate::GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name)
{
    if (child == Title) name = u"Title";
    else if (child == Inline) name = u"Inline";
    else TPanelElement::GetChildKnotName(child, filer, name);
}

void TElement_Crate::GetAcceptedClasses(TElementClassList& list)
{
    AddClass(list, &TElement_Star::Class());
    AddClass(list, &TElement_Note::Class());
    AddClass(list, &TElement_Crate::Class());
}

void TCrateRoot::GetAcceptedClasses(TElementClassList& list)
{
    AddClass(list, &TElement_Star::Class());
    AddClass(list, &TElement_Note::Class());
    AddClass(list, &TElement_Frame::Class());
    AddClass(list, &TElement_Crate::Class());
}

// ---- text ----

void TElement_Key::Create()
{
    TVisualElement::Create();
    SetVisualOptions(voCanDisable);
    SetBounds(0, 0, 16, 16, 3);
}

void TElement_Key::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::SaveToKnot(filer, knot);
    if (Code) knot->WriteInteger(u"Code", Code);
}

void TElement_Key::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::LoadFromKnot(filer, knot);
    Code = knot->ReadInteger(u"Code", 0);
}

void TTestTextRoot::Create()
{
    TTextorElement::Create();
    options_ = teoContent;
    textOptions_ = toNoChecks;
}

void TElement_Field::Create()
{
    TTextorElement::Create();
    textOptions_ = toAnyText & ~toLineBreaks;
}

} // namespace quillora::testing
