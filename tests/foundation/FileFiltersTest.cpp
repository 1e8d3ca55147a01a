#include <gtest/gtest.h>

#include "foundation/FileFilters.h"

using namespace quillora;

namespace {

TFileFilters ProgramFilters()
{
    TFileFilters f;
    f.Add(u"tpt");
    return f;
}

TEST(BuildFilter, ProgramFilterOffersExtensionInCapitalsAndAllFiles)
{
    const String expected = u"TPT (*.tpt)|*.tpt|All Files (*.*)|*.*";
    EXPECT_EQ(BuildFilter(ProgramFilters(), 0, TFileDialogKind::Open), expected);
    EXPECT_EQ(BuildFilter(ProgramFilters(), 0, TFileDialogKind::Save), expected);
}

TEST(BuildFilter, Options)
{
    TFileFilters f;
    f.Add(u"TXT", u"Text");
    f.Add(u"log", u"Text");
    f.Add(u"Csv");
    f.Add(u"txt", u"Text");  // same pattern again: listed once in a merged entry
    TFileFilter saveOnly(u"bak", u"Backup");
    saveOnly.UseForOpen = false;
    f.Add(saveOnly);

    const String text = u"Text (*.txt, *.log)|*.txt;*.log";
    const String csv = u"CSV (*.csv)|*.csv";
    const String all = u"All Files (*.*)|*.*";
    struct Case {
        TOpenSaveOptions options;
        TFileDialogKind kind;
        String expected;
    } cases[] = {
        {0, TFileDialogKind::Open, text + u"|" + csv + u"|" + all},
        {osoNoMergeOpenFilters, TFileDialogKind::Open,
         u"Text (*.txt)|*.txt|Text (*.log)|*.log|" + csv + u"|Text (*.txt)|*.txt|" + all},
        {osoDefaultFilterAll, TFileDialogKind::Open, all + u"|" + text + u"|" + csv},
        {osoOpenNoAllFiles, TFileDialogKind::Open, text + u"|" + csv},
        {osoOpenNoAllFiles | osoDefaultFilterAll, TFileDialogKind::Open, text + u"|" + csv},
        {osoSaveNoAllFiles, TFileDialogKind::Open, text + u"|" + csv + u"|" + all},
        // The save dialog never merges and keeps "All Files" last.
        {osoDefaultFilterAll, TFileDialogKind::Save,
         u"Text (*.txt)|*.txt|Text (*.log)|*.log|" + csv + u"|Text (*.txt)|*.txt|Backup (*.bak)|*.bak|" + all},
        {osoSaveNoAllFiles, TFileDialogKind::Save,
         u"Text (*.txt)|*.txt|Text (*.log)|*.log|" + csv + u"|Text (*.txt)|*.txt|Backup (*.bak)|*.bak"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.options) * 2 + int(c.kind));
        EXPECT_EQ(BuildFilter(f, c.options, c.kind), c.expected);
    }
}

TEST(BuildFilter, NoFilters)
{
    EXPECT_EQ(BuildFilter({}, 0, TFileDialogKind::Open), u"All Files (*.*)|*.*");
    EXPECT_EQ(BuildFilter({}, osoSaveNoAllFiles, TFileDialogKind::Save), u"");
    EXPECT_EQ(DefaultSaveExtension(ProgramFilters()), u"tpt");
    EXPECT_EQ(DefaultSaveExtension({}), u"");
}

} // namespace
