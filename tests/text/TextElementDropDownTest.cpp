// The item of a text element's drop-down list that stands for its text, and applying a
// chosen item as one undoable edit.
#include "TextElementSupport.h"
#include "elements/DropDownList.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

class TextElementDropDownTest : public TextElementFixture {
protected:
    TDropDownList list{nullptr, nullptr};
    void SetUp() override
    {
        TextElementFixture::SetUp();
        for (const char16_t* name : {u"alpha", u"Beta", u"beta gamma", u"delta", u"\u0141\u00F3d\u017A", u"xy",
                                     u"x\U0001F600"})
            list.RootItem().AddItem(name);
        list.RootItem().FirstItem()->AddItem(u"alphabet");
    }
    String Found(const String& text)
    {
        Root().Text().SetText(text);
        TDropDownItem* item = Root().FillDropDown(list.RootItem());
        return item ? item->Name : u"(none)";
    }
};

TEST_F(TextElementDropDownTest, ItemForTheText)
{
    const struct {
        const char16_t* Text;
        const char16_t* Item;
    } cases[] = {
        {u"alphabet", u"alphabet"},    // equal, found in pre-order below its parent
        {u"alp", u"alpha"},            // begins with
        {u"beta", u"beta gamma"},      // case-sensitive begins-with wins over a case-blind equal
        {u"BETA", u"Beta"},            // case-blind equal
        {u"deltoid", u"delta"},        // longest common beginning
        {u"\u0142\u00D3D\u0179", u"\u0141\u00F3d\u017A"}, // case-blind beyond Latin-1
        {u"x\U0001F601", u"xy"},      // a shared half of a surrogate pair is no shared character
        {u"zzz", u"(none)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(StringToUtf8(c.Text));
        EXPECT_EQ(Found(c.Text), c.Item);
    }
}

TEST_F(TextElementDropDownTest, NoItemWhileTheTextEmbedsElements)
{
    LoadText(u"<Quillora><Chars Value=\"alpha\"/><Key/></Quillora>");
    EXPECT_EQ(Root().FillDropDown(list.RootItem()), nullptr);
}

TEST_F(TextElementDropDownTest, ApplyingAnItemReplacesTheWholeText)
{
    Root().Text().SetText(u"old\r\ntext");
    EXPECT_TRUE(Root().ApplyDropDownItem(list.RootItem().FirstItem()));
    EXPECT_EQ(Root().GetText(), u"alpha");
    EXPECT_EQ(UndoSteps(), 1);
    scheme->SetReadOnly(true);
    EXPECT_FALSE(Root().ApplyDropDownItem(list.RootItem().FirstItem()->NextItem()));
    EXPECT_EQ(Root().GetText(), u"alpha");
}

} // namespace
