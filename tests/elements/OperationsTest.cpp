#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "elements/Messages.h"
#include "elements/Operations.h"
#include "foundation/UndoRedo.h"
#include "support/ElementFakes.h"
#include "support/SchemeFixture.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

// An element that records what its dependents' data asks of it.
class TElement_Witness : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Witness, TVisualElement)
    std::vector<std::string> Log;
    void RedoDependent(TKnot* data) override { Log.push_back("redo " + StringToUtf8(data->Name())); }
    void UndoDependent(TKnot* data) override { Log.push_back("undo " + StringToUtf8(data->Name())); }
};

// An operation that logs where it applied and carries dependents.
class TLoggingOperation : public TElementOperation {
public:
    TLoggingOperation(TElement* element, bool batch, std::vector<std::string>* log)
        : TElementOperation(element, batch), log_(log)
    {
    }
    void ApplyTo(TElement* element) override
    {
        TElementOperation::ApplyTo(element);
        log_->push_back("apply " + std::to_string(element->ID() == ElementID()));
    }
    void RevertOn(TElement* element) override
    {
        TElementOperation::RevertOn(element);
        log_->push_back("revert");
    }

private:
    std::vector<std::string>* log_;
};

class OperationsTest : public SchemeFixture {
protected:
    TScheme scheme{&TTestRoot::Class(), u"Quillora"};
    TUndoRedo undo;
    void SetUp() override
    {
        SchemeFixture::SetUp();
        scheme.SetUndoRedo(&undo);
    }
    template <class T>
    T* Add()
    {
        T* e = TElement::NewElement<T>(&scheme);
        e->SetParent(scheme.Root());
        return e;
    }
};

} // namespace

TEST_F(OperationsTest, DisableUndoRedo)
{
    auto* star = Add<TElement_Star>();
    PerformDisableOperation(*star, true);
    EXPECT_TRUE(star->HasVisualState(vsDisabled));
    EXPECT_TRUE(undo.Modified());
    ASSERT_TRUE(undo.CanUndo());
    undo.Undo();
    EXPECT_FALSE(star->HasVisualState(vsDisabled));
    undo.Redo();
    EXPECT_TRUE(star->HasVisualState(vsDisabled));

    // Without an undo engine the operation runs once and is gone.
    scheme.SetUndoRedo(nullptr);
    PerformDisableOperation(*star, false);
    EXPECT_FALSE(star->HasVisualState(vsDisabled));
}

TEST_F(OperationsTest, ElementsAreLookedUpByIdentifierEachTime)
{
    auto* star = Add<TElement_Star>();
    const int32_t id = star->ID();
    PerformDisableOperation(*star, true);

    // The element is deleted and re-created from an exact copy with the same identifier.
    TKnot snapshot;
    SaveElementTo(*star, snapshot, smExactCopy, 0);
    delete star;
    undo.Undo(); // the element is gone: nothing happens, nothing fails
    undo.Redo();
    auto* again = TElement::NewElement<TElement_Star>(&scheme);
    again->SetParent(scheme.Root());
    {
        TSchemeLoader loader(&scheme, nullptr, &snapshot, 0, smExactCopy);
        again->LoadFromKnot(&loader, &snapshot);
    }
    ASSERT_EQ(again->ID(), id);
    EXPECT_TRUE(again->HasVisualState(vsDisabled));
    undo.Undo();
    EXPECT_FALSE(again->HasVisualState(vsDisabled));
    undo.Redo();
    EXPECT_TRUE(again->HasVisualState(vsDisabled));
}

TEST_F(OperationsTest, DependentsRunOnRedoAndUndoOnly)
{
    auto* star = Add<TElement_Star>();
    auto* witness = Add<TElement_Witness>();
    std::vector<std::string> log;
    auto* op = new TLoggingOperation(star, false, &log);
    op->GetRedoDependents().Add(witness->ID(), std::make_unique<TKnot>(u"R"));
    op->GetUndoDependents().Add(witness->ID(), std::make_unique<TKnot>(u"U"));
    op->GetUndoDependents().Add(999999, std::make_unique<TKnot>(u"Gone"));
    EXPECT_EQ(op->UndoDependents()->GetElementIdentifiers(0), witness->ID());
    op->Perform();
    undo.Undo();
    undo.Redo();
    EXPECT_EQ(log, (std::vector<std::string>{"apply 1", "revert", "apply 1"}));
    EXPECT_EQ(witness->Log, (std::vector<std::string>{"undo U", "redo R"}));

    // Merging operations hand their dependents on.
    TLoggingOperation a(star, false, &log), b(star, false, &log);
    EXPECT_EQ(a.RedoDependents(), nullptr);
    b.GetRedoDependents().Add(1, std::make_unique<TKnot>(u"x"));
    b.GetUndoDependents().Add(2, std::make_unique<TKnot>(u"y"));
    a.GetRedoDependents().Add(3, std::make_unique<TKnot>(u"z"));
    b.MoveDependentsTo(a);
    EXPECT_EQ(b.RedoDependents()->Count(), 0);
    ASSERT_EQ(a.RedoDependents()->Count(), 2);
    EXPECT_EQ(a.RedoDependents()->GetDatas(1)->Name(), u"x");
    ASSERT_NE(a.UndoDependents(), nullptr);
    EXPECT_EQ(a.UndoDependents()->GetElementIdentifiers(0), 2);
}

TEST_F(OperationsTest, BatchedOperationsClearTheSchemeMessages)
{
    auto* star = Add<TElement_Star>();
    scheme.SchemeMessages().AddPlainMessage(mkWarning, u"stale");
    std::vector<std::string> log;
    (new TLoggingOperation(star, true, &log))->Perform();
    EXPECT_EQ(scheme.SchemeMessages().Count(), 0);
    EXPECT_EQ(scheme.SchemeMessages().BatchCount(), 0);
    scheme.SchemeMessages().AddPlainMessage(mkWarning, u"kept");
    (new TLoggingOperation(star, false, &log))->Perform();
    EXPECT_EQ(scheme.SchemeMessages().Count(), 1);
}

TEST_F(OperationsTest, FocusReturnsToTheElementOnUndo)
{
    quillora::testing::TFakeSheet sheet;
    static_cast<TVisualElement*>(scheme.Root())->SetVisualParent(sheet.Root(), nullptr);
    auto* star = Add<TElement_Star>();
    star->SetVisualOptions(star->VisualOptions() | voFocusable);
    star->Focus();
    ASSERT_TRUE(star->IsFocused());
    std::vector<std::string> log;
    auto* op = new TLoggingOperation(star, false, &log);
    EXPECT_TRUE(op->WasFocused());
    op->Perform();
    sheet.SetFocused(nullptr);
    undo.Undo();
    EXPECT_TRUE(star->IsFocused());
    static_cast<TVisualElement*>(scheme.Root())->SetVisualParent(nullptr, nullptr);
}
