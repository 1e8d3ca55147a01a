#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "elements/Messages.h"
#include "elements/ValueChecks.h"
#include "foundation/Localization.h"

using namespace quillora;

namespace {

struct PartCase {
    const char16_t* text;
    std::vector<TElementMessagePart> parts;
};

bool SameParts(const std::vector<TElementMessagePart>& a, const std::vector<TElementMessagePart>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].Kind != b[i].Kind || a[i].Text != b[i].Text || a[i].Data != b[i].Data) return false;
    return true;
}

} // namespace

TEST(MessagesTest, SplitsAtTheBrackets)
{
    const PartCase cases[] = {
        {u"The value must be [set]", {{mpText, u"The value must be ", u""}, {mpElements, u"set", u"7"}}},
        {u"[Text] is not allowed in the editor", {{mpElements, u"Text", u"7"}, {mpText, u" is not allowed in the editor", u""}}},
        {u"Invalid [data type] in the element",
         {{mpText, u"Invalid ", u""}, {mpElements, u"data type", u"7"}, {mpText, u" in the element", u""}}},
        {u"no brackets at all", {{mpElements, u"no brackets at all", u"7"}}},
        {u"", {{mpElements, u"", u"7"}}},
        {u"[]", {{mpElements, u"", u"7"}}},
        // Faulty texts never make overlapping or lost stretches.
        {u"open [to the end", {{mpText, u"open ", u""}, {mpElements, u"to the end", u"7"}}},
        {u"a] b [c] d", {{mpText, u"a] b ", u""}, {mpElements, u"c", u"7"}, {mpText, u" d", u""}}},
    };
    for (const PartCase& c : cases) {
        TElementMessages list;
        TElementMessage* m = list.AddMessage(mkInvalidValue, c.text, u"7");
        ASSERT_NE(m, nullptr);
        EXPECT_TRUE(SameParts(m->Parts, c.parts)) << StringToUtf8(c.text);
        EXPECT_EQ(m->Kind, mkInvalidValue);
    }
}

TEST(MessagesTest, SanitizesArguments)
{
    String long250(250, u'x');
    String cut = SanitizeMessageArgument(long250);
    EXPECT_EQ(cut.size(), 200u);
    EXPECT_EQ(cut, String(197, u'x') + u"...");
    EXPECT_EQ(SanitizeMessageArgument(String(200, u'y')), String(200, u'y'));
    EXPECT_EQ(SanitizeMessageArgument(u"a\tb\r\nc[d]e\x1F"), u"a\xFFFD" u"b\xFFFD\xFFFD" u"c\xFFFD" u"d\xFFFD" u"e\xFFFD");
    EXPECT_EQ(SanitizeMessageArgument(u"plain \x00A0text"), u"plain \x00A0text");
    // A cut through a surrogate pair leaves no half character behind.
    String halved = SanitizeMessageArgument(String(196, u'x') + u"\xD83D\xDE00" + String(10, u'z'));
    EXPECT_EQ(halved, String(196, u'x') + u"\xFFFD...");
    EXPECT_EQ(SanitizeMessageArgument(String(195, u'x') + u"\xD83D\xDE00" + String(10, u'z')),
              String(195, u'x') + u"\xD83D\xDE00...");
}

TEST(MessagesTest, ClearAndBatchesTellOnClearOncePerNonEmptyList)
{
    TElementMessages list;
    int clears = 0;
    list.OnClear = [&](TElementMessages&) { ++clears; };
    list.Clear();
    EXPECT_EQ(clears, 0);
    list.AddPlainMessage(mkWarning, u"one");
    list.Clear();
    list.Clear();
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(list.Count(), 0);

    list.AddPlainMessage(mkWarning, u"before the batch");
    list.BeginBatch(); // outermost: clears
    EXPECT_EQ(list.Count(), 0);
    list.AddPlainMessage(mkWarning, u"in the batch");
    list.BeginBatch(); // nested: keeps
    EXPECT_EQ(list.Count(), 1);
    list.EndBatch();
    list.EndBatch();
    EXPECT_EQ(list.BatchCount(), 0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(clears, 2);
}

TEST(MessagesTest, AddingEventsAndRefusal)
{
    TElementMessages list;
    std::vector<std::string> log;
    list.OnAdding = [&](TElementMessages&, TElementMessage& m, bool& accept) {
        log.push_back("adding " + StringToUtf8(m.GetText()));
        accept = m.Kind != mkHint;
    };
    list.OnAdd = [&](TElementMessages& sender, TElementMessage& m) {
        log.push_back("add " + StringToUtf8(m.GetText()) + " count " + std::to_string(sender.Count()));
    };
    EXPECT_EQ(list.AddPlainMessage(mkHint, u"refused"), nullptr);
    EXPECT_EQ(list.Count(), 0);
    TElementMessage* kept = list.AddMessage(mkWarning, u"kept [here]", u"1");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(&list.GetItems(0), kept);
    EXPECT_EQ(kept->GetText(), u"kept here");
    EXPECT_EQ(log, (std::vector<std::string>{"adding refused", "adding kept here", "add kept here count 1"}));
    EXPECT_EQ(TElementMessage().GetText(), u"");
}

TEST(MessagesTest, SeverityAndKinds)
{
    struct Case {
        std::vector<uint8_t> kinds;
        int severity;
    };
    const Case cases[] = {
        {{}, 0}, {{mkInformation}, 0}, {{mkHint}, 1}, {{mkHint, mkValueRequired}, 2},
        {{mkWarning, mkError}, 3}, {{mkInvalidValue}, 2}, {{9}, 0},
    };
    for (const Case& c : cases) {
        TElementMessages list;
        for (uint8_t k : c.kinds) list.AddPlainMessage(k, u"m");
        EXPECT_EQ(list.GetSeverity(), c.severity);
    }
    TElementMessages list;
    EXPECT_FALSE(list.HasKind(0xFF));
    list.AddMessage(mkInvalidValue, u"Invalid [data type] in the element", u"3");
    EXPECT_TRUE(list.HasKind(MessageKindBit(mkInvalidValue) | MessageKindBit(mkHint)));
    EXPECT_FALSE(list.HasKind(MessageKindBit(mkValueRequired)));
    EXPECT_TRUE(list.HasKind(FaultMessageKinds));
    list.AddPlainMessage(9, u"kind above 7");
    list.Clear();
    list.AddPlainMessage(9, u"kind above 7");
    EXPECT_FALSE(list.HasKind(0xFF));
}

TEST(MessagesTest, StringTableMessagesInsertSanitizedArguments)
{
    TLanguageId saved = Localization().Language();
    Localization().SetLanguage(1033);
    TElementMessages list;
    TElementMessage* m = AddElementMessage(list, mkInvalidValue, sidUnsupportedElement, 42, {u"My[Odd]\tName"});
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(m->Parts.size(), 2u);
    EXPECT_EQ(m->Parts[0].Text, u"Unsupported");
    EXPECT_EQ(m->Parts[0].Data, u"42");
    EXPECT_EQ(m->Parts[1].Text, u" element \"My\xFFFDOdd\xFFFD\xFFFDName\" in\xA0this editor");
    TElementMessage* r = AddLoadReport(list, sidAttributeNotRead, {u"Quillora.Extra"});
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Kind, mkWarning);
    ASSERT_EQ(r->Parts.size(), 1u);
    EXPECT_EQ(r->Parts[0].Kind, mpText);
    EXPECT_EQ(r->GetText(), u"Attribute \"Quillora.Extra\" was not read");
    // The exact English texts of the element model (with the tables' non-breaking spaces).
    EXPECT_EQ(LoadString(sidDataCorrupt), u"Data provided are corrupt");
    EXPECT_EQ(LoadString(sidNewerFormat), u"The format of\xA0the data provided is\xA0of\xA0" u"a\xA0newer version\xA0"
                                          u"\x2014 perhaps you should update the program version");
    EXPECT_EQ(LoadString(sidNodeNotRead), u"Node \"%1\" was not read");
    EXPECT_EQ(LoadString(sidValueMustBeSet), u"The value must\xA0" u"be [set]");
    Localization().SetLanguage(saved);
}
