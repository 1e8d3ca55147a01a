#pragma once
// The element classes of the tests, the fuzz targets and the benchmarks.
//
// Documents of panels: a star with attributes, a comment, a box with a titled part, a part
// saved inline and a transient part (the box's identifier is stored in every copy), a
// plain frame of stars, and the root that accepts them. A crate is a box that stores no
// identifier and nests in itself, so that a document of crates under a crate root saves
// the same after every load.
//
// Documents of text: an embedded key element with a code, a root text element in content
// mode that takes any text, and a plain-mode field that takes any text on one line.

#include "elements/Element.h"
#include "elements/PanelElement.h"
#include "foundation/Strings.h"
#include "text/TextElement.h"

namespace quillora::testing {

class TElement_Star : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Star, TVisualElement)
    int Points = 5;
    String Label;

    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;

protected:
    void Create() override;
};

// A comment: left out with soSkipComments.
class TElement_Note : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Note, TVisualElement)

protected:
    void Create() override;
};

// A value part stored in a knot of its own ("Title"), checked again after loading.
class TTestTitle : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TTestTitle, TElement)
    String Text;
    bool WriteNothing = false; // a value that writes nothing keeps its empty knot

    bool HasValue() override { return !Text.empty(); }
    bool IsEmpty() override { return Text.empty(); }
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;

protected:
    void Create() override;
};

// A part whose item goes into its owner's knot.
class TTestInline : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TTestInline, TElement)
    int Size = 0;

    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;

protected:
    void Create() override;
};

// A part kept only in exact copies.
class TTestTransient : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TTestTransient, TElement)
    int State = 0;

    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;

protected:
    void Create() override;
};

// A container with three parts that accepts stars; its identifier is stored in every copy.
class TElement_Box : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Box, TPanelElement)
    TTestTitle* Title = nullptr;
    TTestInline* Inline = nullptr;
    TTestTransient* Transient = nullptr;

    void GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name) override;
    void GetAcceptedClasses(TElementClassList& list) override;

protected:
    void Create() override;
};

// A plain container of stars.
class TElement_Frame : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Frame, TPanelElement)

    void GetAcceptedClasses(TElementClassList& list) override;
};

// The root of the test documents.
class TTestRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TTestRoot, TPanelElement)

    void GetAcceptedClasses(TElementClassList& list) override;
};

// A container with a title that must have a value and a part saved inline; it holds
// stars, comments and crates, and stores no identifier.
class TElement_Crate : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Crate, TPanelElement)
    TTestTitle* Title = nullptr;
    TTestInline* Inline = nullptr;

    void GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name) override;
    void GetAcceptedClasses(TElementClassList& list) override;

protected:
    void Create() override;
};

// The root of documents without stored identifiers: stars, comments, frames and crates.
class TCrateRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TCrateRoot, TPanelElement)

    void GetAcceptedClasses(TElementClassList& list) override;
};

// A small embedded element: a key with a code.
class TElement_Key : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Key, TVisualElement)
    int Code = 0;

    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;
    void GetText(String& builder) override { builder += u"<key>"; }

protected:
    void Create() override;
};

// The document root of the text tests: content mode, any text.
class TTestTextRoot : public TTextorElement {
public:
    QUILLORA_ELEMENT_CLASS(TTestTextRoot, TTextorElement)

protected:
    void Create() override;
};

// A field in plain mode that takes any text on one line.
class TElement_Field : public TTextorElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Field, TTextorElement)

protected:
    void Create() override;
};

} // namespace quillora::testing
