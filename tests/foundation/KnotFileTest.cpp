// Knot files: encodings, file errors, and hostile nesting.
#include <gtest/gtest.h>

#include <cstdio>

#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/Knot.h"
#include "foundation/LanguageId.h"
#include "foundation/Localization.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

class KnotFileTest : public ::testing::Test {
protected:
    String PathOf(const char16_t* name) const { return folder_.File(name); }

    testing::TempFolder folder_;
};

TEST_F(KnotFileTest, SavesAndLoadsInEveryEncoding)
{
    TKnot root(u"R");
    root.WriteString(u"t", u"caf\u00E9 \u4E2D");
    root.AddKnot(u"C");
    const String name = PathOf(u"\u00FCber \u4E2D.tpt"); // a file name beyond ASCII
    struct Case {
        TTextEncoding Encoding;
        std::string Mark;
    };
    for (const Case& c : {Case{TTextEncoding::Utf8, "\xEF\xBB\xBF"}, Case{TTextEncoding::Utf16LE, "\xFF\xFE"},
                          Case{TTextEncoding::Utf16BE, "\xFE\xFF"}}) {
        root.SaveToFile(name, c.Encoding);
        EXPECT_TRUE(FileExists(name));
        const std::string bytes = ReadWholeFile(name);
        EXPECT_EQ(bytes.substr(0, c.Mark.size()), c.Mark);
        TKnot back;
        back.LoadFromFile(name);
        EXPECT_FALSE(back.Corrupt());
        EXPECT_EQ(back.SaveToText(), root.SaveToText());
    }
    // The default: ANSI without a mark.
    TKnot ansi(u"A");
    ansi.WriteString(u"t", u"caf\u00E9");
    ansi.SaveToFile(name);
    EXPECT_EQ(ReadWholeFile(name), "<A t=\"caf\xE9\"/>\r\n");
    TKnot back;
    back.LoadFromFile(name);
    EXPECT_EQ(back.ReadString(u"t"), u"caf\u00E9");
}

// UTF-8 is decoded and encoded by runs; broken sequences must come out as the general
// conversion gives them.
TEST_F(KnotFileTest, Utf8RunsConvertLikeTheGeneralConversion)
{
    const std::string value = "0123456789abcdefghijklmnopqrstuvwxyz\xC3\xA9" "0123456789abcdef\xC3\xA9" "b\xC3z\xE4\xB8\xAD\xF0\x9F\x98\x80\xFF\x80\xE4\xB8 \xED\xA0\x80x\xC3";
    const std::string bytes = "\xEF\xBB\xBF<a v=\"" + value + "\"/>";
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    TKnot knot;
    knot.LoadFromStream(stream);
    EXPECT_EQ(knot.ReadString(u"v"), DecodeText("\xEF\xBB\xBF" + value));

    const String text = u"a\u00E9\U0001F600" u"b\xD800" u"c\xDC00\xD800";
    TKnot out(u"a");
    out.WriteString(u"v", text);
    TMemoryStream saved;
    out.SaveToStream(saved, TTextEncoding::Utf8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.Data()), saved.Size()),
              EncodeText(u"<a v=\"" + text + u"\"/>\r\n", TTextEncoding::Utf8));
}

TEST_F(KnotFileTest, StreamsReadFromTheirPosition)
{
    TMemoryStream stream;
    stream.Write("junk", 4);
    TKnot root(u"R");
    root.SaveToStream(stream, TTextEncoding::Utf8);
    stream.SetPosition(4);
    TKnot back;
    back.LoadFromStream(stream);
    EXPECT_FALSE(back.Corrupt());
    EXPECT_EQ(back.Name(), u"R");
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST_F(KnotFileTest, MissingFileRaisesFileNotFoundAndKeepsTheTree)
{
    const TLanguageId saved = Localization().Language();
    Localization().SetLanguage(LangEnglish);
    TKnot knot(u"keep");
    knot.AddKnot(u"child");
    const String name = PathOf(u"missing.tpt");
    struct Restore {
        TLanguageId Language;
        ~Restore() { Localization().SetLanguage(Language); }
    } restore{saved};
    try {
        knot.LoadFromFile(name);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"File not found: " + name);
    }
    EXPECT_EQ(knot.Name(), u"keep");
    EXPECT_EQ(knot.KnotCount(), 1);
    EXPECT_FALSE(FileExists(name));
}

TEST_F(KnotFileTest, OtherReadErrorsRaiseThePlatformMessage)
{
    TKnot knot(u"keep");
    const String folder = PathOf(u"");
    try {
        knot.LoadFromFile(folder); // a folder cannot be read as a file
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_FALSE(e.Message().empty());
        EXPECT_EQ(e.Message().find(u"File not found"), String::npos) << StringToUtf8(e.Message());
    }
    EXPECT_EQ(knot.Name(), u"keep");
    EXPECT_FALSE(FileExists(folder));
}

TEST_F(KnotFileTest, SaveRaisesWhenTheFileCannotBeCreated)
{
    TKnot knot(u"k");
    EXPECT_THROW(knot.SaveToFile(PathOf(u"no-such-folder/x.tpt")), Exception);
    EXPECT_THROW(WriteWholeFile(PathOf(u""), "x"), Exception);
}

TEST_F(KnotFileTest, ReadsTheSampleFiles)
{
    TKnot knot;
    knot.LoadFromFile(Utf8ToString(QUILLORA_TEST_DATA "/knot/settings-utf8.txt"));
    EXPECT_FALSE(knot.Corrupt());
    EXPECT_EQ(knot.GetKnotByPath(u"Typing")->ReadInteger(u"Interval", 0), 20);
    knot.LoadFromFile(Utf8ToString(QUILLORA_TEST_DATA "/knot/corrupt.txt"));
    EXPECT_TRUE(knot.Corrupt());
    EXPECT_NE(knot.FindKnot(u"Kept"), nullptr);
}

// Hostile nesting must neither exhaust the stack nor hang: the reader stops at
// MaxKnotDepth levels and marks the text corrupt; freeing and writing deep trees do
// not recurse.
TEST(KnotDepthTest, DeepNestingIsCutOffAndCorrupt)
{
    String text;
    for (int i = 0; i < 100000; ++i) text += u"<a>";
    TKnot knot;
    knot.LoadFromText(text);
    EXPECT_TRUE(knot.Corrupt());
    int depth = 0;
    for (TNode* n = &knot; n->FirstChild(); n = n->FirstChild()) ++depth;
    EXPECT_EQ(depth, MaxKnotDepth);

    // Mismatched tags nest as well.
    String mismatched;
    for (int i = 0; i < 100000; ++i) mismatched += u"<a></b>";
    knot.LoadFromText(mismatched);
    EXPECT_TRUE(knot.Corrupt());
}

TEST(KnotDepthTest, NestingUpToTheLimitReadsBack)
{
    TKnot root(u"a");
    TKnot* k = &root;
    for (int i = 0; i < MaxKnotDepth; ++i) k = k->AddKnot(u"a");
    TKnot back;
    back.LoadFromText(root.SaveToText());
    EXPECT_FALSE(back.Corrupt());
    EXPECT_EQ(back.SaveToText(), root.SaveToText());
    k->AddKnot(u"a");
    back.LoadFromText(root.SaveToText());
    EXPECT_TRUE(back.Corrupt());
}

TEST(KnotDepthTest, DeepTreesBuiltInCodeAreWrittenAssignedAndFreed)
{
    auto root = std::make_unique<TKnot>(u"r");
    TKnot* k = root.get();
    for (int i = 0; i < 100000; ++i) k = k->AddKnot(u"k");
    k->WriteBool(u"leaf", true);
    root->SetOptions(koNoIndent); // indentation would make the text grow with the square of the depth
    EXPECT_FALSE(root->IsEmpty());
    const String text = root->SaveToText();
    EXPECT_NE(text.find(u"<k leaf=\"1\"/>"), String::npos);
    TKnot copy;
    copy.SetOptions(koNoIndent); // inherited options are not copied
    copy.Assign(*root);
    EXPECT_EQ(copy.SaveToText(), text);
    root->MarkVisited(true);
    EXPECT_FALSE(root->FindUnread(nullptr, nullptr));
    root.reset();
}

} // namespace
} // namespace quillora
