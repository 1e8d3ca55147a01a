// Bindings of settings controls to properties: what each kind puts into its control,
// what ApplyAll writes back and in which order, and that unchanged controls notify
// nothing.

#include <gtest/gtest.h>

#include "foundation/ShortCut.h"
#include "support/FakePropertyControls.h"
#include "widgets/PropertyAssociator.h"

namespace quillora {
namespace {

using testing::FakeControl;

// A root with one key of each kind; records which properties reached the root changed.
class PropertyAssociatorTest : public ::testing::Test {
protected:
    PropertyAssociatorTest() { root.AddNotifyEvent(BindNotify<&PropertyAssociatorTest::OnNotify>(this)); }
    void OnNotify(TItfObject*, int notify, intptr_t param1, intptr_t)
    {
        if (notify == pnChanged) changed.push_back(reinterpret_cast<TProperty*>(param1));
    }

    TProperty root {nullptr, u""};
    TBooleanProperty flag {&root, u"Flag", true};
    TEnumProperty method {&root, u"Method", {u"Method1", u""}};
    TIntegerProperty interval {&root, u"Interval", 1, 1, 200};
    TStringProperty theme {&root, u"Theme", u"Default"};
    TStringProperty hotKey {&root, u"HotKey", u"Ctrl+B"};
    TFontProperty font {&root, u"Font", TFontData {}};
    std::vector<TProperty*> changed;
    TPropertyAssociator pa;
};

TEST_F(PropertyAssociatorTest, EachKindFillsItsControlAndOkWithoutChangesWritesNothing)
{
    FakeControl check, combo, radio, edit, themes, hot, fontButton;
    pa.AddCheckBox(check, flag, u"Flag caption");
    pa.AddEnumComboBox(combo, method, u"Method 1\r\nMethod 2");
    pa.AddEnumRadioGroup(radio, method, u"Method 1\r\nMethod 2");
    pa.AddIntegerEdit(edit, interval);
    pa.AddStringComboBox(themes, theme, {u"Default", u"Dark"});
    pa.AddHotKey(hot, hotKey);
    pa.AddFontButton(fontButton, font);

    EXPECT_EQ(check.caption, u"Flag caption");
    EXPECT_TRUE(check.checked);
    EXPECT_EQ(combo.items, (std::vector<String> {u"Method 1", u"Method 2"}));
    EXPECT_EQ(combo.itemIndex, 1);
    EXPECT_EQ(radio.items.size(), 2u);
    EXPECT_EQ(radio.itemIndex, 1);
    EXPECT_EQ(edit.number, 1);
    EXPECT_EQ(edit.minValue, 1);
    EXPECT_EQ(edit.maxValue, 200);
    EXPECT_EQ(themes.itemIndex, 0);
    EXPECT_EQ(hot.modifiers, ModControl);
    EXPECT_EQ(hot.key, unsigned('B'));
    EXPECT_EQ(fontButton.font, TFontData {});

    pa.ApplyAll();
    EXPECT_TRUE(changed.empty());
}

TEST_F(PropertyAssociatorTest, ApplyAllWritesInCreationOrderEachChangeNotifiedOnItsOwn)
{
    FakeControl edit, check, hot, fontButton, radio;
    pa.AddIntegerEdit(edit, interval);
    pa.AddCheckBox(check, flag);
    pa.AddHotKey(hot, hotKey);
    pa.AddFontButton(fontButton, font);
    pa.AddEnumRadioGroup(radio, method, u"Method 1\r\nMethod 2");

    check.checked = false;
    edit.number = 500; // clamped by the setter
    hot.SetHotKey(ModShift | ModControl, 'K');
    fontButton.font.Size = 12;
    radio.itemIndex = 0;
    pa.ApplyAll();

    EXPECT_EQ(changed, (std::vector<TProperty*> {&interval, &flag, &hotKey, &font, &method}));
    EXPECT_EQ(interval.Value(), 200);
    EXPECT_FALSE(flag.Value());
    EXPECT_EQ(hotKey.Value(), u"Shift+Ctrl+K");
    EXPECT_EQ(font.CurrentFont().Size, 12);
    EXPECT_EQ(method.Value(), 0);
}

TEST_F(PropertyAssociatorTest, ControlsWithoutAValueLeaveTheirSettingsAlone)
{
    FakeControl edit, combo, radio;
    pa.AddIntegerEdit(edit, interval);
    pa.AddEnumComboBox(combo, method, u"Method 1\r\nMethod 2");
    pa.AddEnumRadioGroup(radio, method, u"Method 1\r\nMethod 2");
    edit.hasNumber = false;
    combo.itemIndex = -1;
    radio.itemIndex = -1;
    pa.ApplyAll();
    EXPECT_TRUE(changed.empty());
}

TEST_F(PropertyAssociatorTest, HotKeyInAnotherSpellingIsKeptAndAnEmptyControlClearsIt)
{
    hotKey.SetValue(u"ctrl+b");
    changed.clear();
    FakeControl hot;
    pa.AddHotKey(hot, hotKey);
    pa.ApplyAll();
    EXPECT_EQ(hotKey.Value(), u"ctrl+b");
    EXPECT_TRUE(changed.empty());

    hot.SetHotKey(0, 0);
    pa.ApplyAll();
    EXPECT_EQ(hotKey.Value(), u"");
}

TEST_F(PropertyAssociatorTest, StringComboSelectsByValueOrShowsTheTextOfAShortList)
{
    struct Case {
        std::vector<String> items, values;
        String stored;
        int selected;
        String shown;
    };
    const Case cases[] = {
        {{u"Default", u"Dark"}, {}, u"Dark", 1, u"Dark"},
        {{u"Default", u"Dark"}, {}, u"Gone", -1, u""},
        {{u"English", u"Deutsch"}, {u"ENU", u"DEU"}, u"DEU", 1, u"Deutsch"},
        {{u"English", u"Deutsch"}, {u"ENU", u"DEU"}, u"XYZ", -1, u""},
        {{u"Default"}, {}, u"Own", -1, u"Own"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(StringToUtf8(c.stored));
        TStringProperty key {nullptr, u"Key"};
        key.SetValue(c.stored);
        FakeControl combo;
        TPropertyAssociator associator;
        associator.AddStringComboBox(combo, key, c.items, c.values);
        EXPECT_EQ(combo.itemIndex, c.selected);
        EXPECT_EQ(combo.text, c.shown);
        // Nothing selected in a list writes an empty string; a short list writes its text.
        associator.ApplyAll();
        EXPECT_EQ(key.Value(), c.items.size() <= 1 ? c.stored : c.selected < 0 ? String() : c.stored);
    }
}

TEST_F(PropertyAssociatorTest, CustomBindingFillsAtOnceAndWritesAtApply)
{
    int fills = 0, writes = 0;
    pa.AddCustom([&] { ++fills; }, [&] { ++writes; });
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(writes, 0);
    pa.ApplyAll();
    EXPECT_EQ(writes, 1);
}

TEST(SplitCaptionLines, CrLfOrLfSeparateLines)
{
    EXPECT_EQ(SplitCaptionLines(u"Normal\r\nLarge\r\nExtra large"), (std::vector<String> {u"Normal", u"Large", u"Extra large"}));
    EXPECT_EQ(SplitCaptionLines(u"A\nB"), (std::vector<String> {u"A", u"B"}));
    EXPECT_TRUE(SplitCaptionLines(u"").empty());
}

} // namespace
} // namespace quillora
