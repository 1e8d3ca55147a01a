#pragma once
// The fixture of the text element tests: a scheme of the test text root with the test
// key and field classes embeddable, an undo engine, a clipboard in memory and a clock
// the test moves.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "elements/ClassesGroups.h"
#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "elements/Unaccepted.h"
#include "foundation/Knot.h"
#include "foundation/Service.h"
#include "foundation/UndoRedo.h"
#include "support/TestElements.h"
#include "text/TextClipboard.h"
#include "foundation/Clock.h"
#include "text/TextElement.h"
#include "text/TextorEditOperation.h"

namespace quillora::testing {

class TextElementFixture : public ::testing::Test {
protected:
    TUndoRedo undo;
    TMemoryTextClipboard clipboard;
    TProvide<TTextClipboard> provideClipboard{clipboard};
    TManualSteadyClock clock;
    TProvide<ISteadyClock> provideClock{clock};
    std::unique_ptr<TScheme> scheme;

    void SetUp() override
    {
        AddClass(ClassesGroups().GetGroups(cgTextContent), &TElement_Key::Class());
        AddClass(ClassesGroups().GetGroups(cgTextContent), &TElement_Field::Class());
        TElement_Unaccepted::Register();
        scheme = std::make_unique<TScheme>(&TTestTextRoot::Class(), u"Quillora");
        scheme->SetUndoRedo(&undo);
    }
    void TearDown() override
    {
        scheme.reset();
        RemoveClass(ClassesGroups().GetGroups(cgTextContent), &TElement_Key::Class());
        RemoveClass(ClassesGroups().GetGroups(cgTextContent), &TElement_Field::Class());
    }

    TTextorElement& Root() { return *static_cast<TTextorElement*>(scheme->Root()); }
    void Advance(int milliseconds) { clock.Advance(std::chrono::milliseconds(milliseconds)); }

    // Loads a document text (the root knot named "Quillora") into the root.
    void LoadText(const String& text)
    {
        TKnot knot;
        knot.LoadFromText(text);
        ASSERT_FALSE(knot.Corrupt());
        scheme->LoadFromKnot(scheme->Root(), smDocument, &knot);
    }
    // The root saved as a document text.
    String SaveText(int mode = smDocument)
    {
        TKnot knot;
        scheme->SaveToKnot(scheme->Root(), mode, &knot, 0);
        return knot.SaveToText();
    }
    // The root's content knots as a compact string: Chars("ab") Br Key ...
    String Children(int mode = smDocument)
    {
        TKnot knot;
        scheme->SaveToKnot(scheme->Root(), mode, &knot, 0);
        String out;
        for (TNode* n = knot.FirstChild(); n; n = n->NextSibling()) {
            auto* k = static_cast<TKnot*>(n);
            if (!out.empty()) out += u" ";
            out += k->Name();
            if (k->Name() == u"Chars") out += u"(" + k->ReadString(u"Value") + u")";
        }
        return out;
    }
    void Select(int sp, int sc, int ep, int ec) { ASSERT_TRUE(Root().SetSelection({sp, sc, ep, ec})); }
    void Type(const String& text)
    {
        Root().ReplaceSelection(&text, false);
    }
    int UndoSteps() const { return undo.UndoList().ChildCount(); }
};

} // namespace quillora::testing
