// The document's log: what a load reports and what the checks find wrong with the loaded
// elements reach the log with links to the elements; the log's filter never decides
// whether the data file is protected.

#include <gtest/gtest.h>

#include "elements/Element.h"
#include "elements/Scheme.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "library/Log.h"
#include "library/LogSettings.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

using testing::TempFolder;

class DocumentLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Localization().Language();
        Localization().SetLanguage(LangEnglish);
        InitializeModules();
        document->LogRoot()->SetSettings(&settings);
    }
    void TearDown() override
    {
        document->LogRoot()->SetSettings(nullptr);
        Localization().SetLanguage(saved_);
    }

    TLogSettings settings;
    std::unique_ptr<TQuilloraDocument> document = TTrayAppDocument::New<TQuilloraDocument>();
    TempFolder folder;

    TElementMessages& Log() { return document->LogRoot()->DocumentMessages(); }
    String Load(const char* body)
    {
        const String name = folder.File(u"data.tpt");
        WriteWholeFile(name, std::string("\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\">") + body + "</Quillora>");
        document->LoadDataFile(name);
        return name;
    }

private:
    int saved_ = 0;
};

TEST_F(DocumentLogTest, TheDocumentReportsIntoTheLog)
{
    EXPECT_EQ(&document->Scheme()->SchemeMessages(), &Log());
    EXPECT_TRUE(document->LogScheme()->ReadOnly());
}

TEST_F(DocumentLogTest, ABrokenElementIsLoggedWithALinkAndProtectsNothing)
{
    const String name = Load("<Chars Value=\"date \"/><DateTime/>");
    ASSERT_EQ(Log().Count(), 1);
    const TElementMessage& message = Log().GetItems(0);
    EXPECT_EQ(message.Kind, mkValueRequired);
    EXPECT_EQ(message.GetText(), u"The value must\u00A0be set");
    ASSERT_EQ(message.Parts.size(), 2u);
    int32_t id = 0;
    std::vector<int32_t> ids;
    ASSERT_TRUE(ParseElementIds(message.Parts[1].Data, ids));
    id = ids.front();
    TElement* element = document->Scheme()->FindElement(id);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetClass().GetClassName(), u"TElement_DateTime");
    EXPECT_TRUE(document->LoadMessages().empty());
    EXPECT_FALSE(document->IsProtected(name));
}

TEST_F(DocumentLogTest, AReportTheLogRefusesStillProtectsTheFile)
{
    settings.WriteWarnings().SetValue(false);
    const String name = Load("<Chars Value=\"x\" Bogus=\"1\"/>");
    EXPECT_EQ(Log().Count(), 0);
    ASSERT_EQ(document->LoadMessages().size(), 1u);
    EXPECT_TRUE(document->IsProtected(name));

    settings.WriteWarnings().SetValue(true);
    Load("<Chars Value=\"x\" Bogus=\"1\"/>");
    ASSERT_EQ(Log().Count(), 1);
    EXPECT_EQ(Log().GetItems(0).Kind, mkWarning);
}

} // namespace
} // namespace quillora
