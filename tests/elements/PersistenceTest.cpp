#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "elements/Messages.h"
#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/StringIds.h"
#include "support/SchemeFixture.h"
#include "support/TempFolder.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

namespace fs = std::filesystem;

const char* const Bom = "\xEF\xBB\xBF";

// A star that cannot read a knot with "Broken".
class TElement_Fragile : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Fragile, TVisualElement)
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override
    {
        TVisualElement::LoadFromKnot(filer, knot);
        if (knot->ReadBool(u"Broken", false)) throw Exception(u"cannot read");
    }
};

class TFragileRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TFragileRoot, TPanelElement)
    void GetAcceptedClasses(TElementClassList& list) override { AddClass(list, &TElement_Fragile::Class()); }
};

class PersistenceTest : public SchemeFixture {
protected:
    TScheme scheme{&TTestRoot::Class(), u"Quillora"};
    TElement* Root() { return scheme.Root(); }

    // Loads `text` into the scheme's root (mode 0), reporting into the scheme's messages.
    void LoadText(const String& text, int mode = smDocument)
    {
        TKnot knot;
        knot.LoadFromText(text);
        scheme.LoadFromKnot(Root(), mode, &knot);
    }
    String SaveText(int mode = smDocument, int options = 0)
    {
        TKnot knot;
        scheme.SaveToKnot(Root(), mode, &knot, options);
        return knot.SaveToText();
    }
    template <class T>
    T* Add(TElement* parent = nullptr)
    {
        T* e = TElement::NewElement<T>(&scheme);
        e->SetParent(parent ? parent : Root());
        return e;
    }
};

} // namespace

TEST(FormatVersionTest, TextsAndValues)
{
    struct Case {
        int32_t version;
        const char16_t* text;
    };
    for (Case c : {Case{1200, u"1.2"}, {1250, u"1.25"}, {1205, u"1.205"}, {1020, u"1.02"}, {2000, u"2.0"},
                   {1000, u"1.0"}})
        EXPECT_EQ(FormatVersionText(c.version), c.text) << c.version;

    struct ParseCase {
        const char16_t* text;
        int32_t version;
    };
    for (ParseCase c : {ParseCase{u"1.2", 1200}, {u"1.25", 1250}, {u"1.250", 1250}, {u"1.3", 1300}, {u"2", 2000},
                        {u"1.2345", 3345}, {u"1.", 1000}, {u".5", 1500}, {u"x.5", 1500}, {u"1.x", 1000},
                        {u"", 1000}, {u"abc", 1000}, {u"-1.2", -800}, {u"3000000.0", INT32_MAX},
                        {u"-3000000", INT32_MIN}, {u"1.2.3", 1000}})
        EXPECT_EQ(ParseFormatVersion(c.text), c.version) << StringToUtf8(c.text);
}

TEST_F(PersistenceTest, VersionAndCorruptReports)
{
    struct Case {
        const char16_t* text;
        std::vector<String> messages;
    };
    const String newer = LoadString(sidNewerFormat);
    const String corrupt = LoadString(sidDataCorrupt);
    const Case cases[] = {
        {u"<Quillora FormatVersion=\"1.2\"/>", {}},
        {u"<Quillora/>", {}}, // no version: 1.2
        {u"<Quillora FormatVersion=\"1.3\"/>", {newer}},
        {u"<Quillora FormatVersion=\"2\"/>", {newer}},
        {u"<Quillora FormatVersion=\"1.2\"><Star Points=\"3\"/>", {corrupt}},
        {u"<Quillora FormatVersion=\"1.9\"><Star", {corrupt, newer}},
    };
    for (const Case& c : cases) {
        Root()->DeleteChildren();
        LoadText(c.text);
        EXPECT_EQ(MessageTexts(scheme.SchemeMessages()), c.messages) << StringToUtf8(c.text);
        for (int i = 0; i < scheme.SchemeMessages().Count(); ++i)
            EXPECT_EQ(scheme.SchemeMessages().GetItems(i).Kind, mkWarning);
        scheme.SchemeMessages().Clear();
    }
    // Loading goes on with what can be read.
    Root()->DeleteChildren();
    LoadText(u"<Quillora FormatVersion=\"1.2\"><Star Points=\"3\"/>");
    auto* star = dynamic_cast<TElement_Star*>(Root()->FirstElement());
    ASSERT_NE(star, nullptr);
    EXPECT_EQ(star->Points, 3);
}

TEST_F(PersistenceTest, UnreadNodesAndAttributesAreReportedWithTheirPaths)
{
    LoadText(u"<Quillora FormatVersion=\"1.2\" Extra=\"1\">"
             u"<Star Points=\"4\" Glow=\"1\"><Spike/></Star>"
             u"<Box><Title Text=\"t\" Colour=\"red\"/><Star/></Box>"
             u"</Quillora>");
    std::vector<String> expected = {
        u"Node \"Quillora.Star.Spike\" was not read",
        u"Attribute \"Quillora.Extra\" was not read",
        u"Attribute \"Quillora.Star.Glow\" was not read",
        u"Attribute \"Quillora.Box.Title.Colour\" was not read",
    };
    EXPECT_EQ(MessageTexts(scheme.SchemeMessages()), expected);

    // An exact copy reports nothing; an unread knot with a bracket in its name is sanitized.
    scheme.SchemeMessages().Clear();
    Root()->DeleteChildren();
    LoadText(u"<Quillora Extra=\"1\"><Star Glow=\"1\"/></Quillora>", smExactCopy);
    EXPECT_EQ(scheme.SchemeMessages().Count(), 0);
    Root()->DeleteChildren();
    TKnot knot(u"Quillora");
    knot.AddKnot(u"Star")->AddKnot(u"Odd[1]");
    scheme.LoadFromKnot(Root(), smDocument, &knot);
    EXPECT_EQ(MessageTexts(scheme.SchemeMessages()),
              std::vector<String>{u"Node \"Quillora.Star.Odd\xFFFD" u"1\xFFFD\" was not read"});
}

TEST_F(PersistenceTest, LayoutOfPartsIdentifiersAndPositions)
{
    auto* box = Add<TElement_Box>();
    box->Title->Text = u"Hello";
    box->Inline->Size = 7;
    box->Transient->State = 3;
    auto* star = Add<TElement_Star>(box);
    star->SetBounds(10, 20, 30, 40);
    star->SetDisabled(true);
    Add<TElement_Star>();

    // Document: the identified box keeps "ID"; the inline part's item sits in the box's
    // knot; the transient part is left out; the disabled star stores "Disabled".
    EXPECT_EQ(SaveText(),
              u"<Quillora FormatVersion=\"1.2\">\r\n"
              u"\t<Box ID=\"" + IntToString(box->ID()) + u"\" Size=\"7\">\r\n"
              u"\t\t<Title Text=\"Hello\"/>\r\n"
              u"\t\t<Star Disabled=\"1\" Left=\"10\" Top=\"20\" Points=\"5\"/>\r\n"
              u"\t</Box>\r\n"
              u"\t<Star Left=\"0\" Top=\"0\" Points=\"5\"/>\r\n"
              u"</Quillora>\r\n");
    // Options: no positions, no disabled children.
    EXPECT_EQ(SaveText(smDocument, soNoPositions | soSkipDisabled),
              u"<Quillora FormatVersion=\"1.2\">\r\n"
              u"\t<Box ID=\"" + IntToString(box->ID()) + u"\" Size=\"7\">\r\n"
              u"\t\t<Title Text=\"Hello\"/>\r\n"
              u"\t</Box>\r\n"
              u"\t<Star Points=\"5\"/>\r\n"
              u"</Quillora>\r\n");

    // An empty part knot is not written; a value part with a value that writes nothing
    // keeps its empty knot.
    box->Title->Text.clear();
    EXPECT_EQ(SaveText().find(u"<Title"), String::npos);
    box->Title->Text = u"x";
    box->Title->WriteNothing = true;
    EXPECT_NE(SaveText().find(u"<Title/>"), String::npos);
    box->Title->WriteNothing = false;
    box->Title->Text = u"Hello";

    // Exact copy: every identifier, the transient part, and the inline part in a knot
    // of its own.
    String exact = SaveText(smExactCopy);
    EXPECT_NE(exact.find(u"<Transient ID=\"" + IntToString(box->Transient->ID()) + u"\" State=\"3\"/>"), String::npos);
    EXPECT_NE(exact.find(u"<Inline ID=\"" + IntToString(box->Inline->ID()) + u"\" Size=\"7\"/>"), String::npos);
    EXPECT_NE(exact.find(u"<Star ID=\"" + IntToString(star->ID()) + u"\""), String::npos);
}

TEST_F(PersistenceTest, DocumentsGetNewIdentifiersExactCopiesKeepThem)
{
    auto* box = Add<TElement_Box>();
    box->Title->Text = u"T";
    auto* star = Add<TElement_Star>(box);
    star->Points = 9;
    const int32_t boxID = box->ID(), starID = star->ID();

    for (int mode : {smDocument, smExactCopy}) {
        TKnot knot;
        scheme.SaveToKnot(Root(), mode, &knot, 0);
        TScheme copy(&TTestRoot::Class(), u"Quillora");
        {
            TSchemeLoader loader(&copy, &copy.SchemeMessages(), &knot, 0, mode);
            copy.Root()->LoadFromKnot(&loader, &knot);
            loader.Finish();
            if (mode == smDocument) {
                // The identified box recorded its stored identifier.
                ASSERT_EQ(loader.StoredIDs().size(), 1u);
                EXPECT_EQ(loader.StoredIDs()[0], boxID);
                EXPECT_EQ(loader.FindNewID(boxID), copy.Root()->FirstElement()->ID());
            }
        }
        auto* loadedBox = dynamic_cast<TElement_Box*>(copy.Root()->FirstElement());
        ASSERT_NE(loadedBox, nullptr);
        auto* loadedStar = dynamic_cast<TElement_Star*>(loadedBox->LastElement());
        ASSERT_NE(loadedStar, nullptr);
        EXPECT_EQ(loadedBox->Title->Text, u"T");
        EXPECT_EQ(loadedStar->Points, 9);
        if (mode == smExactCopy) {
            EXPECT_EQ(loadedBox->ID(), boxID);
            EXPECT_EQ(loadedStar->ID(), starID);
            EXPECT_EQ(copy.FindElement(starID), loadedStar);
        } else {
            EXPECT_GT(loadedBox->ID(), starID);
            EXPECT_NE(loadedStar->ID(), starID);
        }
        EXPECT_EQ(copy.SchemeMessages().Count(), 0);
    }

    // A stored identifier above the counter raises it.
    TScheme other(&TTestRoot::Class(), u"Quillora");
    TKnot knot;
    knot.LoadFromText(u"<Quillora><Star ID=\"" + IntToString(TElement::LastID() + 500) + u"\"/></Quillora>");
    const int32_t stored = TElement::LastID() + 500;
    other.LoadFromKnot(other.Root(), smExactCopy, &knot);
    EXPECT_EQ(other.Root()->FirstElement()->ID(), stored);
    std::unique_ptr<TElement> later(TElement::NewElement<TElement_Star>(&other));
    EXPECT_GT(later->ID(), stored);
}

TEST_F(PersistenceTest, ChildrenLeftOutByOptions)
{
    Add<TElement_Note>();
    auto* star = Add<TElement_Star>();
    star->SetDisabled(true);
    LoadText(u"<Quillora><Hexagon/></Quillora>"); // appends an unsupported element
    ASSERT_EQ(Root()->ChildCount(), 3);
    EXPECT_EQ(SaveText(smDocument, soNoPositions),
              u"<Quillora FormatVersion=\"1.2\">\r\n\t<Note/>\r\n\t<Star Disabled=\"1\" Points=\"5\"/>\r\n"
              u"\t<Hexagon/>\r\n</Quillora>\r\n");
    EXPECT_EQ(SaveText(smDocument, soNoPositions | soSkipComments | soSkipDisabled | soSkipUnsupported),
              u"<Quillora FormatVersion=\"1.2\"/>\r\n");
}

TEST_F(PersistenceTest, UnknownElementsRoundTripByteExact)
{
    TempFolder folder;
    const std::string original = std::string(Bom) +
                                 "<Quillora FormatVersion=\"1.2\">\r\n"
                                 "\t<Star Left=\"1\" Top=\"2\" Points=\"6\"/>\r\n"
                                 "\t<Hexagon Bare Sides=\"6\" Label=\"a &amp; b &lt;c&gt; &quot;d&quot;\">\r\n"
                                 "\t\t<Corner At=\"1\" Text=\"tab&#9;x\"/>\r\n"
                                 "\t\t<Corner/>\r\n"
                                 "\t\t<Edge>\r\n"
                                 "\t\t\t<Point X=\"\xC3\xA9\"/>\r\n"
                                 "\t\t</Edge>\r\n"
                                 "\t</Hexagon>\r\n"
                                 "\t<Frame>\r\n"
                                 "\t\t<Pentagon Corners=\"5\"/>\r\n"
                                 "\t\t<Star Left=\"0\" Top=\"0\" Points=\"5\"/>\r\n"
                                 "\t</Frame>\r\n"
                                 // a name that would open a declaration at the start of a text
                                 "\t<?Odd Size=\"3\"/>\r\n"
                                 "</Quillora>\r\n";
    WriteBytes(folder.path / "in.tpt", original);
    scheme.LoadFromFile(folder.File(u"in.tpt"));

    // Nothing is reported unread; each unknown element carries its error message.
    EXPECT_EQ(scheme.SchemeMessages().Count(), 0) << StringToUtf8(scheme.SchemeMessages().GetItems(0).GetText());
    auto* hexagon = dynamic_cast<TElement_Unaccepted*>(Root()->FirstElement()->NextElement());
    ASSERT_NE(hexagon, nullptr);
    EXPECT_EQ(hexagon->StoredTypeName(), u"Hexagon");
    ASSERT_NE(hexagon->Messages(), nullptr);
    ASSERT_EQ(hexagon->Messages()->Count(), 1);
    const TElementMessage& m = hexagon->Messages()->GetItems(0);
    EXPECT_EQ(m.Kind, mkInvalidValue);
    EXPECT_EQ(m.GetText(), u"Unsupported element \"Hexagon\" in\xA0this editor");
    EXPECT_EQ(m.Parts[0].Data, IntToString(hexagon->ID()));
    EXPECT_FALSE(hexagon->HasNoErrors());

    // Saved back unchanged.
    scheme.SaveToFile(folder.File(u"out.tpt"));
    EXPECT_EQ(ReadBytes(folder.path / "out.tpt"), original);

    // Also through an exact copy (an undo snapshot) and back.
    TKnot snapshot;
    scheme.SaveToKnot(Root(), smExactCopy, &snapshot, 0);
    EXPECT_NE(snapshot.SaveToText().find(u"<Unaccepted ID="), String::npos);
    TScheme restored(&TTestRoot::Class(), u"Quillora");
    restored.LoadFromKnot(restored.Root(), smExactCopy, &snapshot);
    restored.SaveToFile(folder.File(u"again.tpt"));
    EXPECT_EQ(ReadBytes(folder.path / "again.tpt"), original);
}

TEST_F(PersistenceTest, AChildThatFailsToLoadIsDestroyedAndTheLoadEnds)
{
    TScheme fragile(&TFragileRoot::Class(), u"Quillora");
    TKnot knot;
    knot.LoadFromText(u"<Quillora Extra=\"1\"><Fragile/><Fragile Broken=\"1\"/><Fragile/></Quillora>");
    EXPECT_THROW(fragile.LoadFromKnot(fragile.Root(), smDocument, &knot), Exception);
    // The first child stays, the failing one is gone (and unregistered), the third was
    // never read; the update is over and the reports name both knots.
    EXPECT_EQ(fragile.Root()->ChildCount(), 1);
    EXPECT_EQ(fragile.ElementCount(), 2);
    EXPECT_FALSE(fragile.IsUpdating());
    EXPECT_EQ(MessageTexts(fragile.SchemeMessages()),
              (std::vector<String>{u"Node \"Quillora.Fragile\" was not read", u"Node \"Quillora.Fragile\" was not read",
                                   u"Attribute \"Quillora.Extra\" was not read"}));
}

TEST_F(PersistenceTest, UnknownElementsAreKeptWithoutTheRegistry)
{
    UnregisterElementClass(TElement_Unaccepted::Class());
    LoadText(u"<Quillora><Hexagon Sides=\"6\"><Corner/></Hexagon></Quillora>");
    TElement_Unaccepted::Register();
    ASSERT_NE(dynamic_cast<TElement_Unaccepted*>(Root()->FirstElement()), nullptr);
    EXPECT_EQ(scheme.SchemeMessages().Count(), 0);
    EXPECT_EQ(SaveText(),
              u"<Quillora FormatVersion=\"1.2\">\r\n\t<Hexagon Sides=\"6\">\r\n\t\t<Corner/>\r\n\t</Hexagon>\r\n"
              u"</Quillora>\r\n");
}

TEST_F(PersistenceTest, UnknownNameLongerThan200IsCutInTheMessage)
{
    const String name(250, u'Q');
    LoadText(u"<Quillora><" + name + u"/></Quillora>");
    TElement* e = Root()->FirstElement();
    ASSERT_NE(e, nullptr);
    ASSERT_NE(e->Messages(), nullptr);
    EXPECT_EQ(e->Messages()->GetItems(0).GetText(),
              u"Unsupported element \"" + String(197, u'Q') + u"...\" in\xA0this editor");
}

TEST_F(PersistenceTest, SaveToFileReplacesReadOnlyTargetsAndKeepsNamesAsAsked)
{
    TempFolder folder;
    const fs::path target = folder.path / "doc.tpt";
    WriteBytes(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Add<TElement_Star>()->Points = 8;

    scheme.SaveToFile(target.u16string());
    EXPECT_EQ(scheme.FileName(), target.u16string());
    std::string saved = ReadBytes(target);
    EXPECT_EQ(saved.rfind(Bom, 0), 0u);
    EXPECT_NE(saved.find("<Star Left=\"0\" Top=\"0\" Points=\"8\"/>"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.path / "Rplc1.tmp"));

    // As a copy: the file is written, the name stays.
    scheme.SaveToFile(folder.File(u"copy.tpt"), true);
    EXPECT_EQ(scheme.FileName(), target.u16string());
    EXPECT_EQ(ReadBytes(folder.path / "copy.tpt"), saved);

    // Loading sets the name first and reads what was saved.
    TScheme loaded(&TTestRoot::Class(), u"Quillora");
    loaded.LoadFromFile(folder.File(u"copy.tpt"));
    EXPECT_EQ(loaded.FileName(), folder.File(u"copy.tpt"));
    ASSERT_NE(dynamic_cast<TElement_Star*>(loaded.Root()->FirstElement()), nullptr);
    EXPECT_EQ(static_cast<TElement_Star*>(loaded.Root()->FirstElement())->Points, 8);
    EXPECT_THROW(loaded.LoadFromFile(folder.File(u"missing.tpt")), Exception);
}

TEST_F(PersistenceTest, SuccessfulSaveClearsAwayWhatInterruptedSavesLeftBesideTheTarget)
{
    TempFolder folder;
    const std::time_t now = std::time(nullptr);
    auto make = [&](const fs::path& path, std::time_t written) {
        WriteBytes(path, "left by a save");
        ASSERT_TRUE(SetFileLastWriteTime(Utf8ToString(path.string()), written));
    };
    make(folder.path / "Rplc1.tmp", now - 3600);       // killed an hour ago
    make(folder.path / "Rplc3.tmp", now - 86400);
    make(folder.path / "Rplc2.tmp", now);              // a save that is running now
    make(folder.path / "Rplc04.tmp", now - 3600);      // not a name the program makes
    make(folder.path / "Rplc5.tmp.keep", now - 3600);
    make(folder.path / "notes.tmp", now - 3600);
    fs::create_directories(folder.path / "sub");
    make(folder.path / "sub" / "Rplc1.tmp", now - 3600); // not beside the target
    Add<TElement_Star>()->Points = 5;

    // A save that fails removes nothing.
    fs::create_directories(folder.path / "blocked.tpt" / "inside");
    EXPECT_THROW(scheme.SaveToFile(folder.File(u"blocked.tpt")), Exception);
    EXPECT_TRUE(fs::exists(folder.path / "Rplc1.tmp"));
    fs::remove(folder.path / "Rplc4.tmp"); // the failed save's new document

    scheme.SaveToFile(folder.File(u"doc.tpt"));
    EXPECT_NE(ReadBytes(folder.path / "doc.tpt").find("Points=\"5\""), std::string::npos);
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path))
        if (entry.is_regular_file()) left.push_back(fs::relative(entry.path(), folder.path).generic_string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Rplc04.tmp", "Rplc2.tmp", "Rplc5.tmp.keep", "doc.tpt", "notes.tmp",
                                              "sub/Rplc1.tmp"}));
}

TEST_F(PersistenceTest, FailedReplaceKeepsTheOldTargetAndTheNewDocument)
{
    TempFolder folder;
    // A target that cannot be replaced: a folder with content, of that name.
    const fs::path target = folder.path / "doc.tpt";
    fs::create_directories(target);
    WriteBytes(target / "inside.txt", "old content");
    WriteBytes(folder.path / "Rplc1.tmp", "someone else's"); // the temporary name moves on
    scheme.SetFileName(folder.File(u"before.tpt"));
    Add<TElement_Star>()->Points = 4;

    try {
        scheme.SaveToFile(target.u16string());
        FAIL() << "saving over a folder succeeded";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind(u"Cannot create file \"" + target.u16string() + u"\". ", 0), 0u)
            << e.what();
    }
    EXPECT_EQ(scheme.FileName(), folder.File(u"before.tpt"));
    EXPECT_EQ(ReadBytes(target / "inside.txt"), "old content");
    EXPECT_EQ(ReadBytes(folder.path / "Rplc1.tmp"), "someone else's");
    // The new document stays in the temporary file.
    std::string kept = ReadBytes(folder.path / "Rplc2.tmp");
    EXPECT_NE(kept.find("Points=\"4\""), std::string::npos);

    // A folder that does not exist: nothing is left behind, the name is restored.
    EXPECT_THROW(scheme.SaveToFile(folder.File(u"no/such/doc.tpt")), Exception);
    EXPECT_EQ(scheme.FileName(), folder.File(u"before.tpt"));
}
