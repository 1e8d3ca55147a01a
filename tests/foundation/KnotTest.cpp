// Reading and writing knot texts.
#include <gtest/gtest.h>

#include "foundation/Knot.h"

namespace quillora {
namespace {

// name(params)[children]; a pkNone parameter as its name, a text one as name="text".
std::string Dump(const TKnot& knot)
{
    std::string out = StringToUtf8(knot.Name());
    if (knot.ParamCount()) {
        out += '(';
        for (int i = 0; i < knot.ParamCount(); ++i) {
            const TKnotParam* p = knot.ParamAt(i);
            if (i) out += ',';
            out += StringToUtf8(p->Name());
            if (p->Kind() != pkNone) out += "=\"" + StringToUtf8(p->TextForm()) + "\"";
        }
        out += ')';
    }
    if (knot.FirstChild()) {
        out += '[';
        for (TNode* n = knot.FirstChild(); n; n = n->NextSibling()) {
            if (n != knot.FirstChild()) out += ',';
            out += Dump(*static_cast<TKnot*>(n));
        }
        out += ']';
    }
    return out;
}

struct ReadCase {
    const char* Text;
    bool Corrupt;
    const char* Tree;     // Dump of what was read
    const char* Written;  // SaveToText with default options; null: not checked
};

// The text with control characters escaped (it also names the case in test listings).
void PrintTo(const ReadCase& c, std::ostream* os)
{
    static const char digits[] = "0123456789ABCDEF";
    for (const char* p = c.Text; *p; ++p) {
        auto b = static_cast<unsigned char>(*p);
        if (b < 0x20) *os << "\\x" << digits[b >> 4] << digits[b & 15];
        else *os << *p;
    }
    if (!*c.Text) *os << "(empty)";
}

class KnotReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(KnotReadTest, ReadsAndWritesBack)
{
    const ReadCase& c = GetParam();
    TKnot knot;
    knot.LoadFromText(Utf8ToString(c.Text));
    EXPECT_EQ(knot.Corrupt(), c.Corrupt);
    EXPECT_EQ(Dump(knot), c.Tree);
    if (c.Written) {
        EXPECT_EQ(StringToUtf8(knot.SaveToText()), c.Written);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, KnotReadTest, testing::Values(
    // Attributes without "=", unquoted values; the writer quotes every value.
    ReadCase{"<a b c=1/>", false, "a(b,c=\"1\")", "<a b c=\"1\"/>\r\n"},
    // "=" followed by a space gives no value; an empty pair of quotes an empty text.
    ReadCase{"<a b= c=\"\"/>", false, "a(b,c=\"\")", "<a b c=\"\"/>\r\n"},
    // Doubled quotes inside quotes.
    ReadCase{"<a b=\"x\"\"y\"/>", false, "a(b=\"x\"y\")", "<a b=\"x&quot;y\"/>\r\n"},
    // Quotes inside an unquoted value keep a space in the value.
    ReadCase{"<a b=x\"a b\"y/>", false, "a(b=\"x\"a b\"y\")", nullptr},
    // References: decoded once, numeric in 0..65535, unknown names kept.
    ReadCase{"<a b=\"&amp;lt;\" c=&#65;&#x41;&#X41;&#$41;&#0x41; d=\"&#70000;&foo;&;&#-1;\"/>", false,
             "a(b=\"&lt;\",c=\"AAAAA\",d=\"&#70000;&foo;&;&#-1;\")", nullptr},
    ReadCase{"<a b=\"&quot;&lt;&gt;&amp;&#9;\"/>", false, "a(b=\"\"<>&\t\")",
             "<a b=\"&quot;&lt;&gt;&amp;&#9;\"/>\r\n"},
    // A value that ends inside an opened quote.
    ReadCase{"<a b=\"x/>", true, "a(b=\"\"x/>\")", nullptr},
    // End tags that do not match exactly.
    ReadCase{"<a></a >", true, "a[]", nullptr},
    ReadCase{"<a><b/></A>", true, "a[b,]", nullptr}, // the end tag is read as a nameless child
    // Text between elements: corrupt, but the elements around it are read.
    ReadCase{"<a><b/>text<c/></a>", true, "a[b,c]", "<a>\r\n\t<b/>\r\n\t<c/>\r\n</a>\r\n"},
    // After the root's end tag anything up to the end is ignored ...
    ReadCase{"<a></a>trailing junk", false, "a", "<a/>\r\n"},
    ReadCase{"<a>\r\n</a>\r\n", false, "a", nullptr},
    // ... but not after an empty-element root, and no second root.
    ReadCase{"<a/>junk", true, "a", nullptr},
    ReadCase{"<a/><b/>", true, "a", nullptr},
    // One leading declaration.
    ReadCase{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a x=\"1\"/>", false, "a(x=\"1\")", nullptr},
    ReadCase{"< ?xml?><a/>", false, "a", nullptr},
    ReadCase{"<?xml?><?xml?><a/>", true, "?xml?[a]", nullptr},
    ReadCase{"<?xml", true, "", nullptr},
    // Empty or blank texts; no "<" first.
    ReadCase{"", true, "", nullptr},
    ReadCase{" \t\r\n", true, "", nullptr},
    ReadCase{"x<a/>", true, "", nullptr},
    // Two attributes of the same name are both kept.
    ReadCase{"<a x=\"1\" x=\"2\"/>", false, "a(x=\"1\",x=\"2\")", "<a x=\"1\" x=\"2\"/>\r\n"},
    // Whitespace inside tags.
    ReadCase{"<\ta\r\n x=1 / >", false, "a(x=\"1\")", nullptr},
    // A value only right after the name and "=".
    ReadCase{"<a x = 1/>", false, "a(x,1)", nullptr},
    ReadCase{"< a >\n<b/>\n< / a>", false, "a[b]", nullptr},
    // Tags cut short.
    ReadCase{"<a", true, "a", nullptr},
    ReadCase{"<a x=1", true, "a(x=\"1\")", nullptr},
    ReadCase{"<a/", true, "a", nullptr},
    ReadCase{"<a>", true, "a", nullptr},
    ReadCase{"<a><b>", true, "a[b]", nullptr},
    ReadCase{"<>", true, "", nullptr},
    // A "/" not followed by ">" inside a tag.
    ReadCase{"<a / x=1/>", true, "a(1)", nullptr},
    // A tag that opens inside another one is read as its child.
    ReadCase{"<a <b/></a>", true, "a[b]", nullptr},
    ReadCase{"<a<b/></a>", true, "a[b]", nullptr},
    // Nested end tags in the wrong order.
    ReadCase{"<a><b></a></b>", true, "a[b[[]]]", nullptr}
));

TEST(KnotWriterTest, WritesTheDocumentedExample)
{
    TKnot root(u"R");
    root.WriteString(u"a", u"1");
    root.AddKnot(u"C")->WriteString(u"b", u"x y");
    root.AddKnot(u"D");
    EXPECT_EQ(root.SaveToText(), u"<R a=\"1\">\r\n\t<C b=\"x y\"/>\r\n\t<D/>\r\n</R>\r\n");
    root.SetOptions(koUnquotedValues);
    EXPECT_EQ(root.SaveToText(), u"<R a=1>\r\n\t<C b=\"x y\"/>\r\n\t<D/>\r\n</R>\r\n");
}

TEST(KnotWriterTest, EscapesByEntitiesOrByDoubledQuotes)
{
    bool needsQuotes = false;
    EXPECT_EQ(TCustomXmlCodeWriter::EscapeValue(u"a\"b&c<d>e\tf\x01g\x80", false, needsQuotes),
              u"a&quot;b&amp;c&lt;d&gt;e&#9;f&#1;g\x80");
    EXPECT_FALSE(needsQuotes);
    TCustomXmlCodeWriter::EscapeValue(u"a/b", false, needsQuotes);
    EXPECT_TRUE(needsQuotes);
    TCustomXmlCodeWriter::EscapeValue(u"a b", false, needsQuotes);
    EXPECT_TRUE(needsQuotes);

    EXPECT_EQ(TCustomXmlCodeWriter::EscapeValue(u"a&b<c\x01", true, needsQuotes), u"a&b<c\x01");
    EXPECT_FALSE(needsQuotes);
    EXPECT_EQ(TCustomXmlCodeWriter::EscapeValue(u"x\"y", true, needsQuotes), u"x\"\"y");
    EXPECT_TRUE(needsQuotes);
    for (const char16_t* v : {u"a\tb", u"a\nb", u"a\rb", u"a/b", u"a>b", u"a b"}) {
        TCustomXmlCodeWriter::EscapeValue(v, true, needsQuotes);
        EXPECT_TRUE(needsQuotes) << StringToUtf8(v);
    }
}

TEST(KnotWriterTest, UnescapeReducesOnlyCountedQuotePairs)
{
    // The scan from the end stops after the pair that used the last two counted quotes.
    EXPECT_EQ(TCustomXmlCodeWriter::UnescapeValue(u"a\"\"b\"\"c", 2, 0), u"a\"\"b\"c");
    EXPECT_EQ(TCustomXmlCodeWriter::UnescapeValue(u"a\"\"b\"\"c", 4, 0), u"a\"b\"c");
    EXPECT_EQ(TCustomXmlCodeWriter::UnescapeValue(u"\"\"\"\"", 4, 0), u"\"\"");
    EXPECT_EQ(TCustomXmlCodeWriter::UnescapeValue(u"a\"\"b", 0, 0), u"a\"\"b");
    EXPECT_EQ(TCustomXmlCodeWriter::UnescapeValue(u"&a&amp;&lt", 0, 3), u"&a&&lt");
    EXPECT_EQ(TCustomXmlCodeWriter::UnescapeValue(u"&# 66;&#+67;", 0, 2), u"BC");
}

TEST(KnotWriterTest, DoubledQuotesWriteAmpersandsAsTheyAre)
{
    TKnot root(u"a");
    root.SetOptions(koDoubledQuotes | koUnquotedValues);
    root.WriteString(u"v", u"&lt;");
    root.WriteString(u"q", u"say \"hi\"");
    const String text = root.SaveToText();
    EXPECT_EQ(text, u"<a v=&lt; q=\"say \"\"hi\"\"\"/>\r\n");
    TKnot back;
    back.LoadFromText(text);
    EXPECT_FALSE(back.Corrupt());
    EXPECT_EQ(back.ReadString(u"v"), u"<"); // the one case that does not read back the same
    EXPECT_EQ(back.ReadString(u"q"), u"say \"hi\"");
}

TEST(KnotWriterTest, RoundTripsAwkwardValues)
{
    const char16_t* values[] = {u"", u" ", u"\"", u"\"\"", u"a\"b", u"\"x\"", u"/", u">", u"<", u"&", u"&amp;",
                                u"\t\r\n", u"x=y", u"a b/c", u"\x01\x1F", u"\u00E9\u4E2D\U0001F600"};
    for (TKnotOptions options : {TKnotOptions(0), koUnquotedValues, koDoubledQuotes,
                                 TKnotOptions(koDoubledQuotes | koUnquotedValues)}) {
        TKnot root(u"r");
        root.SetOptions(options);
        for (const char16_t* v : values) root.AddKnot(u"k")->WriteString(u"v", v);
        TKnot back;
        back.LoadFromText(root.SaveToText());
        ASSERT_FALSE(back.Corrupt()) << StringToUtf8(root.SaveToText());
        TKnot* k = back.FirstKnot();
        for (const char16_t* v : values) {
            ASSERT_NE(k, nullptr);
            if ((options & koDoubledQuotes) && String(v) == u"&amp;")
                EXPECT_EQ(k->ReadString(u"v"), u"&"); // references are not escaped in this mode
            else if ((options & koUnquotedValues) && String(v).empty())
                EXPECT_EQ(k->ReadString(u"v", u"?"), u"") << "options " << options; // read back as a bare name
            else
                EXPECT_EQ(k->ReadString(u"v"), v) << "options " << options << " value " << StringToUtf8(v);
            k = k->NextKnot();
        }
    }
}

// Random values of every length in every escaping mode read back as written (long ones
// run through the reader's block scans).
TEST(KnotWriterTest, RoundTripsRandomValues)
{
    const char16_t alphabet[] = u"ab \"&;<>/=#x1\t\u00E9\u4E2D";
    uint32_t seed = 7;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (TKnotOptions options : {TKnotOptions(0), koUnquotedValues}) {
        TKnot root(u"r");
        root.SetOptions(options);
        std::vector<String> values;
        for (int i = 0; i < 400; ++i) {
            String v;
            const uint32_t length = 1 + next(60);
            for (uint32_t k = 0; k < length; ++k) v += alphabet[next(std::size(alphabet) - 1)];
            values.push_back(v);
            root.AddKnot(u"k")->WriteString(u"v", v);
        }
        TKnot back;
        back.LoadFromText(root.SaveToText());
        ASSERT_FALSE(back.Corrupt());
        TKnot* k = back.FirstKnot();
        for (const String& v : values) {
            ASSERT_NE(k, nullptr);
            EXPECT_EQ(k->ReadString(u"v"), v) << StringToUtf8(v);
            k = k->NextKnot();
        }
    }
}

TEST(KnotWriterTest, InlineChildrenContinueTheLine)
{
    TKnot root(u"p");
    root.AddKnot(u"a");
    root.AddKnot(u"b")->SetIncludedOptions(koInline);
    root.AddKnot(u"c")->SetIncludedOptions(koInline);
    root.AddKnot(u"d");
    EXPECT_EQ(root.SaveToText(), u"<p>\r\n\t<a/><b/><c/>\r\n\t<d/>\r\n</p>\r\n");
    // The first child starts a new line even when it is inline itself.
    TKnot first(u"p");
    first.AddKnot(u"a")->SetIncludedOptions(koInline);
    EXPECT_EQ(first.SaveToText(), u"<p>\r\n\t<a/>\r\n</p>\r\n");
}

TEST(KnotWriterTest, NoIndentAndNoLineBreaksApplyWhileTheKnotIsWritten)
{
    TKnot root(u"r");
    TKnot* flat = root.AddKnot(u"f");
    flat->AddKnot(u"x");
    flat->AddKnot(u"y");
    TKnot* plain = root.AddKnot(u"n");
    plain->AddKnot(u"z");
    // Included options hold for the knot alone: its children break and indent their lines.
    flat->SetIncludedOptions(koNoLineBreaks);
    plain->SetIncludedOptions(koNoIndent);
    EXPECT_EQ(root.SaveToText(), u"<r>\r\n\t<f><x/>\r\n\t\t<y/>\r\n\t</f><n>\r\n\t\t<z/>\r\n</n>\r\n</r>\r\n");
    // Inherited options hold for the subtree.
    flat->SetIncludedOptions(0);
    plain->SetIncludedOptions(0);
    flat->SetOptions(koNoLineBreaks);
    plain->SetOptions(koNoIndent);
    EXPECT_EQ(root.SaveToText(), u"<r>\r\n\t<f><x/><y/></f><n>\r\n<z/>\r\n</n>\r\n</r>\r\n");
}

TEST(KnotWriterTest, SkipEmptyLeavesOutEmptyChildrenUnlessTheyAreLists)
{
    TKnot root(u"r");
    root.SetIncludedOptions(koSkipEmpty);
    root.AddKnot(u"empty");
    root.AddKnot(u"nested")->AddKnot(u"inner")->AddKnot(u"deeper");
    TKnot* list = root.AddKnot(u"list");
    list->SetList();
    list->AddKnot(u"item");
    root.AddKnot(u"full")->AddKnot(u"x")->WriteBool(u"b", true);
    EXPECT_EQ(root.SaveToText(), u"<r>\r\n\t<list>\r\n\t\t<item/>\r\n\t</list>\r\n"
                                 u"\t<full>\r\n\t\t<x b=\"1\"/>\r\n\t</full>\r\n</r>\r\n");
}

TEST(KnotWriterTest, BinaryValuesAreWrittenAsHexWithoutQuotes)
{
    TKnot root(u"r");
    root.SetOptions(koUnquotedValues);
    TMemoryStream data(std::vector<uint8_t>{0x00, 0xFF});
    root.WriteStream(u"d", data);
    TMemoryStream referenced(std::vector<uint8_t>{0xAB});
    root.WriteStreamRef(u"e", &referenced);
    referenced.Write("\xCD", 1); // the reference shows the stream as it is when written
    EXPECT_EQ(root.SaveToText(), u"<r d=00FF e=CD/>\r\n");
}

TEST(KnotWriterTest, CodeWriterLines)
{
    TCodeWriter w;
    EXPECT_EQ(w.Text(), u"");
    w.SetIndentSize(2);
    w.SetIndentChar(u'.');
    w.IncLevel();
    w.Write(u"a");
    w.WriteFmt(u"%s-%s", {u"b", u"c"});
    w.WriteFmt(u"%s", {u""}); // nothing
    w.NewLine();
    w.NewLine();
    w.SetAutoIndent(false);
    w.Write(u"x\r\ny");
    w.SetLineBreaks(false);
    w.NewLine();
    EXPECT_EQ(w.Lines(), (std::vector<String>{u"..ab-c", u"", u"x\r\ny"}));
    EXPECT_EQ(w.Text(), u"..ab-c\r\n\r\nx\r\ny\r\n");
}

TEST(KnotTreeTest, PathsCarryListPositions)
{
    TKnot root(u"Root");
    TKnot* list = root.AddKnot(u"List");
    list->SetList();
    list->AddKnot(u"Item");
    TKnot* second = list->AddKnot(u"Item");
    EXPECT_EQ(second->GetPath(), u"Root.List.Item[2]");
    second->WriteInteger(u"N", 1);
    EXPECT_EQ(second->FindParam(u"N")->GetPath(), u"Root.List.Item[2].N");
    EXPECT_EQ(root.GetPath(), u"Root");
}

TEST(KnotTreeTest, LookupsMarkVisitedAndFindUnreadReportsTheRest)
{
    TKnot root;
    root.LoadFromText(u"<r a=1 b=2><x c=3><y/></x><z/><x d=4/></r>");
    ASSERT_FALSE(root.Corrupt());
    EXPECT_EQ(root.ReadInteger(u"a", 0), 1);
    TKnot* x = root.FindKnot(u"x");
    ASSERT_NE(x, nullptr);
    TKnot* x2 = root.FindKnot(u"x", x);
    ASSERT_NE(x2, nullptr);
    EXPECT_EQ(x2->ReadInteger(u"d", 0), 4);
    EXPECT_EQ(root.FindKnot(u"x", x2), nullptr);
    EXPECT_EQ(root.FindKnot(u"X"), nullptr);

    std::vector<TKnot*> knots;
    std::vector<TKnotParam*> params;
    EXPECT_TRUE(root.FindUnread(&knots, &params));
    ASSERT_EQ(knots.size(), 2u); // y below the visited x, and z
    EXPECT_EQ(knots[0]->Name(), u"y");
    EXPECT_EQ(knots[1]->Name(), u"z");
    ASSERT_EQ(params.size(), 2u);
    EXPECT_EQ(params[0]->GetPath(), u"r.b");
    EXPECT_EQ(params[1]->GetPath(), u"r.x.c");
    EXPECT_TRUE(root.FindUnread(nullptr, nullptr));

    root.MarkVisited(true);
    EXPECT_FALSE(root.FindUnread(&knots, &params));
    root.MarkVisited(false);
    EXPECT_FALSE(static_cast<TKnot*>(root.FirstChild())->IsVisited());
    EXPECT_FALSE(root.FindParam(u"a")->Visited());
    EXPECT_TRUE(root.FirstKnot()->IsVisited()); // FirstKnot marks what it returns
}

TEST(KnotTreeTest, GetKnotByPathCreatesOrFinds)
{
    TKnot root(u"r");
    EXPECT_EQ(root.GetKnotByPath(u"a.b.c"), nullptr);
    TKnot* c = root.GetKnotByPath(u"a.b.c", true);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->IsVisited());
    EXPECT_EQ(c->GetPath(), u"r.a.b.c");
    EXPECT_EQ(root.GetKnotByPath(u"a.b.c"), c);
    EXPECT_EQ(root.GetKnotByPath(u"a.x.c"), nullptr);
    EXPECT_EQ(root.GetKnot(u"a"), root.FirstKnot());
    EXPECT_EQ(root.KnotCount(), 1);
}

TEST(KnotTreeTest, OptionsPassDownAndIncludedOrExcludedStay)
{
    TKnot root(u"r");
    TKnot* a = root.AddKnot(u"a");
    TKnot* b = a->AddKnot(u"b");
    root.SetOptions(koUniqueParams | koSkipEmpty);
    EXPECT_EQ(b->InheritedOptions(), koUniqueParams | koSkipEmpty);
    a->SetExcludedOptions(koSkipEmpty);
    a->SetIncludedOptions(koList);
    EXPECT_EQ(a->Options(), koUniqueParams | koList);
    EXPECT_EQ(b->Options(), koUniqueParams | koSkipEmpty);
    // A knot attached elsewhere takes over its new parent's inherited options.
    TKnot other(u"o");
    other.SetOptions(koColorHash);
    a->SetParent(&other);
    EXPECT_EQ(b->InheritedOptions(), koColorHash);
    EXPECT_EQ(a->IncludedOptions(), koList);
    EXPECT_EQ(root.AddKnot(u"n")->InheritedOptions(), koUniqueParams | koSkipEmpty);
}

TEST(KnotTreeTest, UniqueParamsReplaceInPlace)
{
    TKnot root(u"r");
    root.WriteString(u"a", u"1");
    root.WriteString(u"b", u"2");
    root.WriteString(u"a", u"3");
    EXPECT_EQ(root.SaveToText(), u"<r a=\"1\" b=\"2\" a=\"3\"/>\r\n");
    EXPECT_EQ(root.ReadString(u"a"), u"1");

    TKnot unique(u"r");
    unique.SetOptions(koUniqueParams);
    unique.WriteString(u"a", u"1");
    unique.WriteString(u"b", u"2");
    unique.WriteInteger(u"a", 3);
    EXPECT_EQ(unique.SaveToText(), u"<r a=\"3\" b=\"2\"/>\r\n");
    // Reading never merges.
    unique.LoadFromText(u"<r a=1 a=2/>");
    EXPECT_EQ(unique.ParamCount(), 2);
}

TEST(KnotTreeTest, IsEmptyLooksThroughChildrenUnlessList)
{
    TKnot root(u"r");
    EXPECT_TRUE(root.IsEmpty());
    TKnot* a = root.AddKnot(u"a");
    a->AddKnot(u"b");
    EXPECT_TRUE(root.IsEmpty());
    a->SetList();
    EXPECT_FALSE(root.IsEmpty());
    a->SetIncludedOptions(0);
    a->FirstKnot()->AddParam(u"p");
    EXPECT_FALSE(root.IsEmpty());
}

TEST(KnotTreeTest, AssignCopiesDeeplyAndClearResets)
{
    TKnot source;
    source.LoadFromText(u"<s a=1><c b=\"x\"><d/></c><e/></s>");
    source.SetIncludedOptions(koList);
    source.SetExcludedOptions(koInline);
    source.SetOptions(koColorHash);
    TMemoryStream bytes(std::vector<uint8_t>{1, 2});
    source.FirstKnot()->WriteStream(u"owned", bytes);
    source.FirstKnot()->WriteStreamRef(u"shared", &bytes);

    TKnot copy(u"old");
    copy.WriteString(u"gone", u"1");
    copy.AddKnot(u"gone");
    copy.SetOptions(koSkipEmpty);
    copy.Assign(source);
    EXPECT_EQ(Dump(copy), Dump(source));
    EXPECT_EQ(copy.IncludedOptions(), koList);
    EXPECT_EQ(copy.ExcludedOptions(), koInline);
    EXPECT_EQ(copy.InheritedOptions(), koSkipEmpty);
    EXPECT_FALSE(copy.IsVisited());
    EXPECT_NE(copy.FirstKnot()->FindParam(u"owned")->Stream(), source.FirstKnot()->FindParam(u"owned")->Stream());
    EXPECT_EQ(copy.FirstKnot()->FindParam(u"shared")->Stream(), &bytes);

    // Assigning a knot of one's own subtree.
    TKnot* c = copy.FirstKnot();
    copy.Assign(*c);
    EXPECT_EQ(Dump(copy), "c(b=\"x\",owned=\"0102\",shared=\"0102\")[d]");

    copy.SetVisited(true);
    copy.Clear();
    EXPECT_EQ(Dump(copy), "");
    EXPECT_EQ(copy.IncludedOptions(), 0);
    EXPECT_EQ(copy.InheritedOptions(), koSkipEmpty);
    EXPECT_FALSE(copy.IsVisited());
}

TEST(KnotTreeTest, ReadingStartsFromClearAndKeepsPartialTrees)
{
    TKnot knot(u"old");
    knot.WriteString(u"x", u"1");
    knot.LoadFromText(u"<a><b x=1/><c>");
    EXPECT_TRUE(knot.Corrupt());
    EXPECT_EQ(Dump(knot), "a[b(x=\"1\"),c]");
    knot.LoadFromText(u"<a/>");
    EXPECT_FALSE(knot.Corrupt());
    EXPECT_EQ(Dump(knot), "a");
}

TEST(KnotTreeTest, ParsedChildrenInheritTheReadersOptions)
{
    TKnot root;
    root.SetOptions(koDoubledQuotes);
    root.LoadFromText(u"<r><a><b/></a></r>");
    EXPECT_EQ(root.FirstKnot()->FirstKnot()->InheritedOptions(), koDoubledQuotes);
}

} // namespace
} // namespace quillora
