#pragma once
// Small element classes for the scheme, persistence and operation tests: a root that
// accepts them, a star with an attribute, a box with a titled part, a part saved inline
// and a transient part, and a comment.

#include <gtest/gtest.h>

#include "elements/ClassesGroups.h"
#include "elements/Element.h"
#include "elements/Filer.h"
#include "elements/Messages.h"
#include "elements/PanelElement.h"
#include "elements/Scheme.h"
#include "elements/Unaccepted.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"

namespace quillora::schemetest {

class TElement_Star : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Star, TVisualElement)
    int Points = 5;

protected:
    void Create() override
    {
        TVisualElement::Create();
        SetVisualOptions(voCanDisable | voStorePosition);
    }

public:
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TVisualElement::SaveToKnot(filer, knot);
        knot->WriteInteger(u"Points", Points);
    }
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TVisualElement::LoadFromKnot(filer, knot);
        Points = knot->ReadInteger(u"Points", 5);
    }
};

// A comment: left out with soSkipComments.
class TElement_Note : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Note, TVisualElement)

protected:
    void Create() override
    {
        TVisualElement::Create();
        flags_ |= efComment;
    }
};

// A value part stored in a knot of its own ("Title").
class TTestTitle : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TTestTitle, TElement)
    String Text;
    bool WriteNothing = false; // a value that writes nothing keeps its empty knot

protected:
    void Create() override
    {
        TElement::Create();
        flags_ |= efValue;
    }

public:
    bool HasValue() override { return !Text.empty(); }
    bool IsEmpty() override { return Text.empty(); }
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TElement::SaveToKnot(filer, knot);
        if (!Text.empty() && !WriteNothing) knot->WriteString(u"Text", Text);
    }
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TElement::LoadFromKnot(filer, knot);
        Text = knot->ReadString(u"Text");
    }
};

// A part whose item goes into its owner's knot.
class TTestInline : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TTestInline, TElement)
    int Size = 0;

protected:
    void Create() override
    {
        TElement::Create();
        flags_ |= efSavedInline;
    }

public:
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TElement::SaveToKnot(filer, knot);
        if (Size) knot->WriteInteger(u"Size", Size);
    }
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TElement::LoadFromKnot(filer, knot);
        Size = knot->ReadInteger(u"Size", 0);
    }
};

// A part kept only in exact copies.
class TTestTransient : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TTestTransient, TElement)
    int State = 0;

protected:
    void Create() override
    {
        TElement::Create();
        flags_ |= efTransient;
    }

public:
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TElement::SaveToKnot(filer, knot);
        knot->WriteInteger(u"State", State);
    }
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TElement::LoadFromKnot(filer, knot);
        State = knot->ReadInteger(u"State", 0);
    }
};

// A container with three parts that accepts stars.
class TElement_Box : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Box, TPanelElement)
    TTestTitle* Title = nullptr;
    TTestInline* Inline = nullptr;
    TTestTransient* Transient = nullptr;

protected:
    void Create() override
    {
        TPanelElement::Create();
        flags_ |= efIdentified;
        Title = NewPart<TTestTitle>(this);
        Inline = NewPart<TTestInline>(this);
        Transient = NewPart<TTestTransient>(this);
    }

public:
    void GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name) override
    {
        if (child == Title) name = u"Title";
        else if (child == Inline) name = u"Inline"; // its knot in exact copies
        else if (child == Transient) name = u"Transient";
        else TPanelElement::GetChildKnotName(child, filer, name);
    }
    void GetAcceptedClasses(TElementClassList& list) override { AddClass(list, &TElement_Star::Class()); }
};

// A plain container of stars.
class TElement_Frame : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Frame, TPanelElement)

    void GetAcceptedClasses(TElementClassList& list) override { AddClass(list, &TElement_Star::Class()); }
};

// The root of the test documents.
class TTestRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TTestRoot, TPanelElement)

    void GetAcceptedClasses(TElementClassList& list) override
    {
        AddClass(list, &TElement_Star::Class());
        AddClass(list, &TElement_Box::Class());
        AddClass(list, &TElement_Note::Class());
        AddClass(list, &TElement_Frame::Class());
    }
};

// English messages and the placeholder class registered, for every test that loads.
class SchemeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedLanguage_ = Localization().Language();
        Localization().SetLanguage(1033);
        TElement_Unaccepted::Register();
    }
    void TearDown() override { Localization().SetLanguage(savedLanguage_); }

    // The texts of the scheme's messages, in order.
    static std::vector<String> MessageTexts(const TElementMessages& messages)
    {
        std::vector<String> texts;
        for (int i = 0; i < messages.Count(); ++i) texts.push_back(messages.GetItems(i).GetText());
        return texts;
    }

private:
    TLanguageId savedLanguage_ = 0;
};

} // namespace quillora::schemetest
