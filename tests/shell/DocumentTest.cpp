// The snippet document: a data file written by hand loads, lists, turns into typing
// steps and saves back byte for byte; the starter text, import and export.

#include <gtest/gtest.h>

#include <filesystem>

#include "elements/Scheme.h"
#include "foundation/Clock.h"
#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "foundation/StringIds.h"
#include "foundation/UndoRedo.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "support/TempFolder.h"
#include "text/Textor.h"
#include "typing/DropDownModel.h"
#include "typing/MacroElements.h"
#include "typing/MacroItems.h"

namespace quillora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

const String GoldenFile = Utf8ToString(QUILLORA_TEST_DATA "/shell/snippets.tpt");

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Localization().Language();
        Localization().SetLanguage(LangEnglish);
        InitializeModules();
    }
    void TearDown() override { Localization().SetLanguage(saved_); }

    std::unique_ptr<TQuilloraDocument> document = TTrayAppDocument::New<TQuilloraDocument>();
    TempFolder folder;

    std::vector<String> Captions()
    {
        std::vector<String> list;
        for (TParagraph* p = document->Text().FirstParagraph(); p; p = p->Next())
            if (!p->IsEmpty()) list.push_back(ParagraphCaption(*p));
        return list;
    }

private:
    TLanguageId saved_ = 0;
};

TEST_F(DocumentTest, GoldenFileLoadsListsTypesAndSavesBackByteExact)
{
    document->LoadDataFile(GoldenFile);
    EXPECT_TRUE(document->LoadMessages().empty());
    EXPECT_EQ(Captions(), (std::vector<String>{u"Kind regards,", u"Name:\tJane", u"abcd", u"k1k2",
                                               u"after an unknown element"}));

    std::vector<TParagraph*> snippets;
    for (TParagraph* p = document->Text().FirstParagraph(); p; p = p->Next())
        if (!p->IsEmpty()) snippets.push_back(p);
    TMacroItems items;
    BuildMacroItems(2, *snippets[2], items);
    EXPECT_EQ(items, (TMacroItems{{mkBack, {}}, {mkBack, {}}, {mkText, u"ab"}, {mkCaret, {}}, {mkText, u"cd"}}));
    BuildMacroItems(0, *snippets[3], items);
    EXPECT_EQ(items, (TMacroItems{{mkText, u"k1"}, {mkTab, {}}, {mkText, u"k2"}, {mkReturn, {}}, {mkLeft, {}},
                                  {mkBack, {}}, {mkHome, {}}, {mkEnd, {}}, {mkUp, {}}, {mkDown, {}}, {mkRight, {}},
                                  {mkDel, {}}, {mkPaste, {}}, {mkWordLeft, {}}, {mkWordRight, {}}}));
    // The unknown element is kept and types nothing.
    BuildMacroItems(0, *snippets[4], items);
    EXPECT_EQ(items, (TMacroItems{{mkText, u"after an unknown element"}}));

    String out = folder.File(u"out.tpt");
    document->SaveDataFile(out, {});
    EXPECT_EQ(ReadBytes(out), ReadBytes(GoldenFile));
}

TEST_F(DocumentTest, StarterTextGoesIntoAnEmptyDocumentOnlyAndIsNoChange)
{
    document->LoadDataFile(folder.File(u"missing.tpt"));
    ASSERT_TRUE(document->SetStarterText(u"Ctrl+B"));
    EXPECT_EQ(Captions(), (std::vector<String>{u"Type text here and press", u"Ctrl+B", u"in any editor"}));
    EXPECT_FALSE(document->UndoRedo()->CanUndo());
    EXPECT_FALSE(document->SetStarterText(u"Ctrl+Q"));
    EXPECT_EQ(Captions()[1], u"Ctrl+B");
}

TEST_F(DocumentTest, ImportReplacesEverySnippetAsOneUndoableEdit)
{
    document->LoadDataFile(GoldenFile);
    String other = folder.File(u"other.tpt");
    WriteWholeFile(other, "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\"><Chars Value=\"one\"/><Br/><Chars Value=\"two\"/>"
                          "<Caret/></Quillora>");
    document->ImportFile(other);
    EXPECT_EQ(Captions(), (std::vector<String>{u"one", u"two"}));
    ASSERT_TRUE(document->UndoRedo()->CanUndo());
    document->UndoRedo()->Undo();
    EXPECT_EQ(Captions().size(), 5u);
    EXPECT_EQ(Captions()[0], u"Kind regards,");
    document->UndoRedo()->Redo();
    EXPECT_EQ(Captions(), (std::vector<String>{u"one", u"two"}));
    EXPECT_THROW(document->ImportFile(folder.File(u"missing.tpt")), Exception);
    EXPECT_EQ(Captions(), (std::vector<String>{u"one", u"two"}));
}

TEST_F(DocumentTest, ImportRefusesWhatWouldWipeTheSnippetsAndChangesNothing)
{
    document->LoadDataFile(GoldenFile);
    const std::vector<String> before = Captions();
    struct Case {
        const char* name;
        std::string bytes;
        int reason;
    };
    const Case cases[] = {
        {"plain text", "just some notes\r\nof mine\r\n", sidNotSnippetFile},
        {"empty file", "", sidNotSnippetFile},
        {"another document", "<html><body><p>text</p></body></html>", sidNotSnippetFile},
        {"cut off", "<Quillora FormatVersion=\"1.2\"><Chars Value=\"x\"/><Br/><Chars Val", sidDataCorrupt},
        {"newer", "<Quillora FormatVersion=\"1.3\"><Chars Value=\"x\"/></Quillora>", sidNewerFormat},
        {"no content", "<Quillora FormatVersion=\"1.2\"/>", sidNoSnippetsInFile},
        {"only empty lines", "<Quillora FormatVersion=\"1.2\"><Br/><Br/></Quillora>", sidNoSnippetsInFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        String file = folder.File(u"import.tpt");
        WriteWholeFile(file, c.bytes);
        try {
            document->ImportFile(file);
            ADD_FAILURE() << "imported";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), FormatString(sidImportRefused, {file, LoadString(c.reason)}));
        }
        EXPECT_EQ(Captions(), before);
        EXPECT_FALSE(document->UndoRedo()->CanUndo());
    }
}

TEST_F(DocumentTest, ExportWritesTheDocumentAndLeavesTheDataFileAlone)
{
    String data = folder.File(u"data.tpt");
    std::filesystem::copy_file(std::filesystem::path(GoldenFile), std::filesystem::path(data));
    document->LoadDataFile(data);
    String exported = folder.File(ExportFileNameForDay(2026, 3, 7) + u".tpt");
    EXPECT_EQ(ExportFileNameForDay(2026, 3, 7), u"2026_03_07");
    document->ExportFile(exported);
    EXPECT_EQ(ReadBytes(exported), ReadBytes(GoldenFile));
    EXPECT_EQ(document->Scheme()->FileName(), exported);
    EXPECT_EQ(ReadBytes(data), ReadBytes(GoldenFile));
}

TEST_F(DocumentTest, RootAcceptsTheMacroClassesFirst)
{
    TElementClassList list;
    document->QuilloraRoot()->GetAcceptedClasses(list);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front(), &TElement_Caret::Class());
    for (const TElementClass* c : list) EXPECT_NE(c->GetClassName(), u"TElement_LogicFrame");
}

} // namespace
} // namespace quillora
