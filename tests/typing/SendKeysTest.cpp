// The keystroke sender against a recording platform: the exact records and pauses of
// both typing methods, the caret placement and the wait for held modifier keys.
#include <gtest/gtest.h>

#include "foundation/Service.h"
#include "shell/Settings.h"
#include "tests/typing/SendKeysFakes.h"
#include "typing/SendKeys.h"

using namespace quillora;
using quillora::testing_typing::FormatRecords;
using quillora::testing_typing::TFakeKeyInput;

namespace {

TMacroItem Text(const char16_t* text) { return {mkText, text}; }
TMacroItem Key(TMacroItemKind kind) { return {kind, {}}; }

std::string Join(const std::vector<std::string>& entries)
{
    std::string s;
    for (const std::string& e : entries) {
        if (!s.empty()) s += " | ";
        s += e;
    }
    return s;
}

struct SendKeysTest : testing::Test {
    TFakeKeyInput fake;
    TGeneralSettings settings{nullptr, Service<TSettingsPlatform>()};
    TKeystrokeSender sender{settings.Typing(), fake.Services()};

    std::string Send(const TMacroItems& items)
    {
        fake.Log.clear();
        sender.SendMacroItems(items);
        return Join(fake.Log);
    }
};

// ---- Method 2: one batch per text run ----

struct TextCase {
    const char* name;
    std::u16string text;
    std::map<char16_t, int16_t> keyScans;
    const char* records;
    std::set<TKeyCode> deadKeys = {};
    bool capsLock = false;
};

class SendKeysTextTest : public SendKeysTest, public testing::WithParamInterface<TextCase> {};

TEST_P(SendKeysTextTest, OneBatchPerRunThenTheInterval)
{
    const TextCase& c = GetParam();
    fake.KeyScans = c.keyScans;
    fake.DeadKeys = c.deadKeys;
    fake.CapsLock = c.capsLock;
    EXPECT_EQ(Send({{mkText, c.text}}), std::string("send[") + c.records + "] | sleep 1");
}

INSTANTIATE_TEST_SUITE_P(
    Characters, SendKeysTextTest,
    testing::Values(
        TextCase{"Plain", u"ab", {}, "+A -A +B -B"},
        TextCase{"Shifted", u"aB", {}, "+A -A +Shift +B -B -Shift"},
        TextCase{"Digits", u"0 9", {}, "+0 -0 +#20 -#20 +9 -9"},
        // AltGr (Ctrl+Alt in the layout's shift state) is never pressed: the German "@"
        // (AltGr+Q) and "\u20AC" (AltGr+E), and Shift with AltGr, go as Unicode units.
        TextCase{"AltGr", u"a@\u20AC", {{u'@', 0x0651}, {u'\u20AC', 0x0645}}, "+A -A +u0040 -u0040 +u20AC -u20AC"},
        TextCase{"ShiftAltGr", u"\u00A6", {{u'\u00A6', 0x07DC}}, "+u00A6 -u00A6"},
        // Dead keys would compose with the next character: "^a" is "^" then "a", never
        // "\u00E2"; the German "`" is Shift with the dead key of "\u00B4".
        TextCase{"DeadKey", u"^a", {{u'^', 0x00DC}}, "+u005E -u005E +A -A", {0xDC}},
        TextCase{"ShiftedDeadKey", u"`e", {{u'`', 0x01DD}}, "+u0060 -u0060 +E -E", {0xDD}},
        // The same key that is no dead key on this layout is pressed.
        TextCase{"LiveAccentKey", u"^", {{u'^', 0x0136}}, "+Shift +6 -6 -Shift", {0xDC}},
        // Characters the layout cannot produce go out as Unicode units.
        TextCase{"Unproducible", u"a\u00E9b", {}, "+A -A +u00E9 -u00E9 +B -B"},
        TextCase{"SurrogatePair", u"x\U0001F600", {}, "+X -X +uD83D -uD83D +uDE00 -uDE00"},
        TextCase{"LoneSurrogate", u"\xDC00", {}, "+uDC00 -uDC00"},
        // A character a layout gives to a surrogate half is still not looked up.
        TextCase{"SurrogateNeverLookedUp", u"\U0001F600", {{u'\xD83D', 0x41}}, "+uD83D -uD83D +uDE00 -uDE00"},
        // Ctrl or Alt alone would make a shortcut of the character.
        TextCase{"CtrlAlone", u"\x01", {{u'\x01', 0x0241}}, "+u0001 -u0001"},
        TextCase{"AltAlone", u"\u00F1", {{u'\u00F1', 0x044E}}, "+u00F1 -u00F1"},
        // Shift states beyond Shift, Ctrl and Alt (kana, layout-specific) are not pressed.
        TextCase{"ExtraShiftState", u"\u30A2", {{u'\u30A2', 0x0833}}, "+u30A2 -u30A2"},
        TextCase{"KeyFFWithoutState", u"\u00B5", {{u'\u00B5', 0x00FF}}, "+u00B5 -u00B5"},
        // With Caps Lock on the letters take Shift the other way; other keys are as they were.
        TextCase{"CapsLock", u"aB1-", {{u'-', 0x00BD}}, "+Shift +A -A -Shift +B -B +1 -1 +#BD -#BD", {}, true}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST_F(SendKeysTest, KeyRecordsCarryTheLayoutScanCodesAndExtendedFlags)
{
    fake.KeyScans[u'\u20AC'] = 0x0645;
    fake.KeyScans[u'-'] = 0x00BD;
    Send({Text(u"A\u00E9\u20AC-"), Key(mkDel)});
    ASSERT_EQ(fake.Batches.size(), 2u);
    auto key = [](uint16_t vk, uint16_t scan, uint32_t flags) {
        TInputRecord r;
        r.Vk = vk;
        r.Scan = scan;
        r.Flags = flags;
        return r;
    };
    const TInputsArray text{
        key(0x10, 0x110, 0), key('A', 0x141, 0), key('A', 0x141, kfKeyUp), key(0x10, 0x110, kfKeyUp),
        key(0, 0xE9, kfUnicode), key(0, 0xE9, kfUnicode | kfKeyUp),
        key(0, 0x20AC, kfUnicode), key(0, 0x20AC, kfUnicode | kfKeyUp),
        key(0xBD, 0x1BD, 0), key(0xBD, 0x1BD, kfKeyUp)};
    EXPECT_EQ(fake.Batches[0], text);
    const TInputsArray del{key(0x2E, 0x12E, kfExtendedKey), key(0x2E, 0x12E, kfExtendedKey | kfKeyUp)};
    EXPECT_EQ(fake.Batches[1], del);
}

// A long run asks the layout once per distinct unit and key (each question costs the
// platform several calls), and asks afresh for the next run: a layout switched in
// between counts from there.
TEST_F(SendKeysTest, TheLayoutIsAskedOncePerUnitAndKeyOfARun)
{
    std::u16string text;
    for (int i = 0; i < 1000; ++i) text += u"aB\u00E9 ";
    bool switched = false;
    fake.OnSend = [&] {
        if (switched) return;
        switched = true;
        fake.KeyScans[u'a'] = 0x0151; // now Shift+Q
    };
    Send({{mkText, text}, Text(u"aB")});
    ASSERT_EQ(fake.Batches.size(), 2u);
    EXPECT_EQ(fake.Batches[0].size(), 1000u * (2 + 4 + 2 + 2));
    EXPECT_EQ(FormatRecords(fake.Batches[1]), "+Shift +Q -Q -Shift +Shift +B -B -Shift");
    EXPECT_EQ(fake.UnitQuestions[u'a'], 2);
    EXPECT_EQ(fake.UnitQuestions[u'B'], 2);
    EXPECT_EQ(fake.UnitQuestions[u'\u00E9'], 1);
    EXPECT_EQ(fake.UnitQuestions[u' '], 1);
    EXPECT_EQ(fake.ScanCodeQuestions[kcShift], 2);
    EXPECT_EQ(fake.ScanCodeQuestions[TKeyCode('B')], 2);
}

// ---- key steps ----

struct KeyCase {
    TMacroItemKind kind;
    const char* records;
};

class SendKeysKeyTest : public SendKeysTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(SendKeysKeyTest, OneBatchPerKeyThenTheInterval)
{
    const KeyCase& c = GetParam();
    EXPECT_EQ(Send({Key(c.kind)}), std::string("send[") + c.records + "] | sleep 1");
}

INSTANTIATE_TEST_SUITE_P(Kinds, SendKeysKeyTest,
                         testing::Values(KeyCase{mkReturn, "+Enter -Enter"}, KeyCase{mkTab, "+Tab -Tab"},
                                         KeyCase{mkBack, "+Back -Back"}, KeyCase{mkHome, "+Home* -Home*"},
                                         KeyCase{mkEnd, "+End* -End*"}, KeyCase{mkLeft, "+Left* -Left*"},
                                         KeyCase{mkUp, "+Up* -Up*"}, KeyCase{mkRight, "+Right* -Right*"},
                                         KeyCase{mkDown, "+Down* -Down*"}, KeyCase{mkDel, "+Del* -Del*"},
                                         KeyCase{mkPaste, "+Ctrl +V -V -Ctrl"},
                                         KeyCase{mkWordLeft, "+Ctrl +Left* -Left* -Ctrl"},
                                         KeyCase{mkWordRight, "+Ctrl +Right* -Right* -Ctrl"}));

TEST_F(SendKeysTest, TextAndCaretKindsHaveNoKey)
{
    TKeyCode key = kcA;
    bool shift = true, ctrl = true;
    EXPECT_FALSE(MacroKindToKey(mkText, key, shift, ctrl));
    EXPECT_EQ(key, kcNone);
    EXPECT_FALSE(MacroKindToKey(mkCaret, key, shift, ctrl));
    EXPECT_TRUE(MacroKindToKey(mkPaste, key, shift, ctrl));
    EXPECT_EQ(key, kcV);
    EXPECT_FALSE(shift);
    EXPECT_TRUE(ctrl);
}

TEST_F(SendKeysTest, IntervalIsReadAtEveryStep)
{
    settings.Interval().SetValue(200);
    // The value changes while the first run is sent: the next steps pause by the new one.
    fake.OnSend = [this] { settings.Interval().SetValue(7); };
    EXPECT_EQ(Send({Text(u"a"), Key(mkTab), Text(u"b")}),
              "send[+A -A] | sleep 7 | send[+Tab -Tab] | sleep 7 | send[+B -B] | sleep 7");
    fake.OnSend = nullptr;
    settings.Interval().SetValue(200);
    EXPECT_EQ(Send({Text(u"a")}), "send[+A -A] | sleep 200");
}

// ---- Method 1: one character message per UTF-16 unit ----

TEST_F(SendKeysTest, CharMessagesOnePerUnitToTheFocusedControl)
{
    settings.Method().SetValue(smCharMessages);
    settings.Interval().SetValue(5);
    fake.KeyScans[u'\u20AC'] = 0x0645;
    // A surrogate pair goes as two messages back to back, with one pause after both;
    // the key step waits until the target has taken its key.
    EXPECT_EQ(Send({Text(u"a\u20AC\U0001F600"), Key(mkReturn)}),
              "char 70:61 | sleep 5 | char 70:20AC | sleep 5 | char 70:D83D | char 70:DE00 | sleep 5 | "
              "taken? Enter | send[+Enter -Enter] | taken? Enter | sleep 1 | taken? Enter | sleep 5");
}

TEST_F(SendKeysTest, CharMessagesWaitUntilTheTargetTookTheKeys)
{
    settings.Method().SetValue(smCharMessages);
    // The target takes one queued record at each pause: the press, then the release.
    fake.TakePerSleep = 1;
    fake.TakenStates[kcTab] = 0x01; // toggled from earlier presses
    EXPECT_EQ(Send({Key(mkBack), Text(u"k"), Key(mkTab), Text(u"2")}),
              "taken? Back | send[+Back -Back] | taken? Back | sleep 1 | taken? Back | sleep 1 | taken? Back | "
              "sleep 1 | char 70:6B | sleep 1 | "
              "taken? Tab | send[+Tab -Tab] | taken? Tab | sleep 1 | taken? Tab | sleep 1 | taken? Tab | "
              "sleep 1 | char 70:32 | sleep 1");
    // The watch ends with the typing.
    EXPECT_EQ(fake.WatchEnds, 1u);
    // With Ctrl, the last key released is watched.
    fake.Log.clear();
    Send({Key(mkPaste)});
    EXPECT_EQ(fake.Log.front(), "taken? Ctrl");
}

TEST_F(SendKeysTest, CharMessagesAfterKeysThatCannotBeWatched)
{
    settings.Method().SetValue(smCharMessages);
    // The target's input is out of reach: a fixed pause instead.
    fake.TakenStateReadable = false;
    EXPECT_EQ(Send({Key(mkTab), Text(u"a")}), "taken? Tab | send[+Tab -Tab] | sleep 50 | sleep 1 | char 70:61 | sleep 1");
    // A target that never takes its keys holds the typing for the bound only.
    fake.TakenStateReadable = true;
    fake.TakePerSleep = 0;
    Send({Key(mkTab), Text(u"a")});
    EXPECT_EQ(fake.Entries("sleep 1").size(), TKeystrokeSender::KeyTakenWaitMs + 2);
    EXPECT_EQ(fake.Log.back(), "sleep 1");
    EXPECT_EQ(fake.Entries("char").size(), 1u);
}

TEST_F(SendKeysTest, CharMessagesWithoutFocusedControlGoOn)
{
    settings.Method().SetValue(smCharMessages);
    fake.Focus = 0;
    EXPECT_EQ(Send({Text(u"ab"), Key(mkTab)}),
              "char 0:61 | sleep 1 | char 0:62 | sleep 1 | send[+Tab -Tab] | sleep 50 | sleep 1");
    EXPECT_FALSE(sender.Abandoned());
}

TEST_F(SendKeysTest, TargetThatStopsAnsweringEndsTheTyping)
{
    settings.Method().SetValue(smCharMessages);
    fake.CharResults[1] = cdNotAnswering;
    // Nothing after the unanswered message: no more characters, keys or caret moves.
    EXPECT_EQ(Send({Text(u"abc"), Key(mkCaret), Text(u"d"), Key(mkTab)}), "char 70:61 | sleep 1 | char 70:62");
    EXPECT_TRUE(sender.Abandoned());
    // The next list is typed again.
    EXPECT_EQ(Send({Text(u"e")}), "char 70:65 | sleep 1");
    EXPECT_FALSE(sender.Abandoned());
}

// ---- caret placement ----

TEST_F(SendKeysTest, WithoutCaretNeitherClickNorLeft)
{
    EXPECT_EQ(Send({Text(u"ab"), Key(mkReturn), Text(u"c")}),
              "send[+A -A +B -B] | sleep 1 | send[+Enter -Enter] | sleep 1 | send[+C -C] | sleep 1");
}

struct LeftCase {
    const char* name;
    std::vector<TMacroItem> tail;  // the steps after the caret marker
    int lefts;
};

class SendKeysLeftTest : public SendKeysTest, public testing::WithParamInterface<LeftCase> {};

TEST_P(SendKeysLeftTest, CountableStepsAfterTheCaretAreUndoneByLeftInOneBatch)
{
    const LeftCase& c = GetParam();
    TMacroItems items{Text(u"abc"), Key(mkCaret)};
    items.insert(items.end(), c.tail.begin(), c.tail.end());
    Send(items);
    EXPECT_TRUE(fake.Entries("caret?").empty());
    EXPECT_TRUE(fake.Entries("cursor").empty());
    std::string expected;
    for (int i = 0; i < c.lefts; ++i) expected += std::string(i ? " " : "") + "+Left* -Left*";
    if (c.lefts > 0) {
        // The last entry: one batch, no pause after it.
        ASSERT_FALSE(fake.Log.empty());
        EXPECT_EQ(fake.Log.back(), "send[" + expected + "]");
    } else {
        EXPECT_EQ(fake.Log.back(), "sleep 1");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, SendKeysLeftTest,
    testing::Values(LeftCase{"TextAndTab", {Text(u"def"), Key(mkTab)}, 4},
                    LeftCase{"RightAndBack", {Text(u"de"), Key(mkRight), Key(mkBack)}, 2},
                    LeftCase{"SurrogatePairCountsTwice", {Text(u"\U0001F600b")}, 3},
                    LeftCase{"CaretLast", {}, 0},
                    LeftCase{"NetNegative", {Text(u"a"), Key(mkLeft), Key(mkLeft)}, 0}),
    [](const testing::TestParamInfo<LeftCase>& info) { return std::string(info.param.name); });

TEST_F(SendKeysTest, UncountableStepsAfterTheCaretClickAtTheCapturedCaret)
{
    fake.CaretRects = {Rect(10, 20, 12, 36)};
    EXPECT_EQ(Send({Text(u"abc"), Key(mkCaret), Text(u"def"), Key(mkReturn), Text(u"g")}),
              // The caret is read once the target has taken the keys before it.
              "taken? C | send[+A -A +B -B +C -C] | taken? C | sleep 1 | taken? C | sleep 1 | "
              "pump | sleep 100 | caret? | pump | sleep 20 | "
              "send[+D -D +E -E +F -F] | sleep 1 | send[+Enter -Enter] | sleep 1 | send[+G -G] | sleep 1 | "
              "pump | sleep 100 | cursor 1011,2028 | send[L+~@1011,2028 L-~@1011,2028] | pump | sleep 20 | cursor 3,4");
}

TEST_F(SendKeysTest, BeforeACaretCaptureTheLastKeyPressedOddTimesIsWatched)
{
    fake.CaretRects = {Rect(10, 20, 12, 36)};
    // The last unit is Unicode input: the packet key, pressed once.
    Send({Text(u"a\u00E9"), Key(mkCaret), Key(mkReturn)});
    EXPECT_EQ(fake.Log.front(), "taken? #E7");
    // "a" twice: its toggle bit would end where it began; a fixed pause instead.
    fake.CaretCalls = 0;
    EXPECT_EQ(Send({Text(u"aa"), Key(mkCaret), Key(mkReturn)}).substr(0, 48),
              "send[+A -A +A -A] | sleep 50 | sleep 1 | pump | ");
}

TEST_F(SendKeysTest, SwappedButtonsClickWithTheRightButton)
{
    fake.Swapped = true;
    fake.CaretRects = {Rect(0, 0, 3, 3)};
    Send({Key(mkCaret), Key(mkHome)});
    EXPECT_EQ(fake.Entries("send[R").size(), 1u);
    EXPECT_EQ(fake.Entries("send[R").front(), "send[R+~@1001,2001 R-~@1001,2001]");
}

TEST_F(SendKeysTest, LastCaptureWins)
{
    fake.CaretRects = {Rect(0, 0, 2, 2), Rect(100, 100, 110, 120)};
    Send({Key(mkCaret), Text(u"a"), Key(mkCaret), Key(mkUp)});
    EXPECT_EQ(fake.Entries("caret?").size(), 2u);
    EXPECT_EQ(fake.Entries("cursor").front(), "cursor 1105,2110");
}

TEST_F(SendKeysTest, NoClickWithoutCaretOrPointer)
{
    // No caret window at the capture: the rectangle stays empty.
    fake.CaretRects = {};
    Send({Key(mkCaret), Key(mkEnd)});
    EXPECT_TRUE(fake.Entries("cursor").empty());
    EXPECT_EQ(fake.Batches.size(), 1u);

    // A caret, but the pointer cannot be read.
    fake.CaretRects = {Rect(0, 0, 2, 2)};
    fake.CaretCalls = 0;
    fake.CursorReadable = false;
    fake.Batches.clear();
    Send({Key(mkCaret), Key(mkEnd)});
    EXPECT_TRUE(fake.Entries("cursor").empty());
    EXPECT_EQ(fake.Batches.size(), 1u);
}

TEST_F(SendKeysTest, CaretScreenRectIsOffsetByTheCaretWindowOrigin)
{
    TRect rect = Rect(1, 1, 1, 1);
    fake.CaretRects = {Rect(5, 6, 7, 26)};
    sender.GetCaretScreenRect(rect);
    EXPECT_EQ(rect, Rect(1005, 2006, 1007, 2026));
    sender.GetCaretScreenRect(rect);  // no caret window now
    EXPECT_EQ(rect, TRect{});
}

TEST_F(SendKeysTest, WithoutSystemCaretTheAccessibleCaretCounts)
{
    TRect rect;
    // No system caret: the caret the control exposes, already in screen coordinates.
    fake.AccessibleCarets = {Rect(300, 400, 301, 420)};
    sender.GetCaretScreenRect(rect);
    EXPECT_EQ(rect, Rect(300, 400, 301, 420));
    // A system caret wins without asking.
    fake.CaretRects = {Rect(5, 6, 7, 26)};
    fake.CaretCalls = 0;
    fake.Log.clear();
    sender.GetCaretScreenRect(rect);
    EXPECT_EQ(rect, Rect(1005, 2006, 1007, 2026));
    EXPECT_TRUE(fake.Entries("accessible?").empty());
    // Neither: empty.
    sender.GetCaretScreenRect(rect);
    EXPECT_EQ(rect, TRect{});
}

// The caret's sources in order: the system caret, the accessible caret, UI Automation's
// text pattern; each asked only when the ones before gave nothing usable.
struct CaretSourceCase {
    const char* name;
    std::vector<TRect> system, accessible, automation;
    TRect expected;
    const char* asked;
};

class SendKeysCaretSourceTest : public SendKeysTest, public testing::WithParamInterface<CaretSourceCase> {};

TEST_P(SendKeysCaretSourceTest, FirstUsableSourceWins)
{
    const CaretSourceCase& c = GetParam();
    fake.CaretRects = c.system;
    fake.AccessibleCarets = c.accessible;
    fake.AutomationCarets = c.automation;
    TRect rect = Rect(1, 1, 1, 1);
    sender.GetCaretScreenRect(rect);
    EXPECT_EQ(rect, c.expected);
    EXPECT_EQ(Join(fake.Log), c.asked);
}

INSTANTIATE_TEST_SUITE_P(
    Order, SendKeysCaretSourceTest,
    testing::Values(
        CaretSourceCase{"SystemCaret", {Rect(5, 6, 7, 26)}, {Rect(300, 400, 301, 420)}, {Rect(50, 60, 51, 80)},
                        Rect(1005, 2006, 1007, 2026), "caret?"},
        CaretSourceCase{"AccessibleBeforeAutomation", {}, {Rect(300, 400, 301, 420)}, {Rect(50, 60, 51, 80)},
                        Rect(300, 400, 301, 420), "caret? | accessible?"},
        CaretSourceCase{"AutomationLast", {}, {}, {Rect(50, 60, 51, 80)}, Rect(50, 60, 51, 80),
                        "caret? | accessible? | automation?"},
        // A caret range is a bar without width; without height too it says nothing.
        CaretSourceCase{"ZeroWidthBar", {}, {}, {Rect(50, 60, 50, 80)}, Rect(50, 60, 50, 80),
                        "caret? | accessible? | automation?"},
        CaretSourceCase{"PointIsNoCaret", {}, {}, {Rect(50, 60, 50, 60)}, TRect{}, "caret? | accessible? | automation?"},
        CaretSourceCase{"InvertedIsNoCaret", {}, {}, {Rect(50, 80, 51, 60)}, TRect{},
                        "caret? | accessible? | automation?"},
        CaretSourceCase{"None", {}, {}, {}, TRect{}, "caret? | accessible? | automation?"}),
    [](const testing::TestParamInfo<CaretSourceCase>& info) { return std::string(info.param.name); });

TEST_F(SendKeysTest, ProcessWideEntriesUseTheProvidedServices)
{
    TProvide<TInputInjector> provideInput(fake);
    TProvide<TKeyboardLayout> provideLayout(fake);
    TProvide<TFocusTarget> provideTarget(fake);
    fake.CaretRects = {Rect(5, 6, 7, 26)};
    TRect rect;
    GetCaretScreenRect(rect);
    EXPECT_EQ(rect, Rect(1005, 2006, 1007, 2026));
    EXPECT_TRUE(SendMacroItems({Text(u"a")}, settings.Typing()));
    fake.ModifiersHeldUntil = fake.Clock + 5000;
    EXPECT_FALSE(SendMacroItems({Text(u"b")}, settings.Typing()));
    EXPECT_EQ(fake.Entries("send[").back(), "send[+A -A]");
}

// ---- modifier keys the user still holds ----

TEST_F(SendKeysTest, WaitsForHeldModifiersBeforeTheFirstStep)
{
    fake.ModifiersHeldUntil = 35;
    EXPECT_EQ(Send({Text(u"q")}), "sleep 10 | sleep 10 | sleep 10 | sleep 10 | send[+Q -Q] | sleep 1");
}

TEST_F(SendKeysTest, ModifiersHeldBeyondTheWaitTypeNothing)
{
    fake.ModifiersHeldUntil = 1000000;
    fake.CaretRects = {Rect(0, 0, 2, 2)};
    Send({Text(u"q"), Key(mkCaret), Key(mkReturn)});
    EXPECT_EQ(fake.Entries("sleep 10").size(), TKeystrokeSender::ModifierWaitMs / TKeystrokeSender::ModifierPollMs);
    EXPECT_EQ(fake.Entries("sleep 10").size(), fake.Log.size());  // no key, no caret capture, no click
    EXPECT_TRUE(sender.Abandoned());
}

TEST_F(SendKeysTest, NoPauseBeforeTheFirstStepWhenNothingIsHeld)
{
    EXPECT_EQ(Send({Key(mkPaste)}), "send[+Ctrl +V -V -Ctrl] | sleep 1");
}

} // namespace
