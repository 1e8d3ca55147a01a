// The session file's load states and saving, and window placements kept in it.
#include <gtest/gtest.h>

#include "foundation/FormPlace.h"
#include "foundation/Knot.h"
#include "foundation/SessionFile.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct SessionFile : ::testing::Test {
    TempFolder folder;
    TSessionFile file{u"session"};
    SessionFile() { file.SetFileName(folder.File(u"Quillora.session")); }
};

TEST_F(SessionFile, StartsWithTheFileOptionsAndNoState)
{
    EXPECT_EQ(file.LoadState(), lsNone);
    EXPECT_EQ(file.Knot().Options(), koUniqueParams | koSkipEmpty | koUnquotedValues | koDoubledQuotes);
    EXPECT_EQ(file.CommandLineSearchExt(), u"session");
}

TEST_F(SessionFile, MissingFile)
{
    file.Load();
    EXPECT_EQ(file.LoadState(), lsMissing);
    EXPECT_FALSE(file.Knot().HasChildren());
}

TEST_F(SessionFile, LoadedFile)
{
    WriteBytes(file.FileName(), "<Old>\r\n\t<MainForm Left=12 Top=\"7\"/>\r\n</Old>\r\n");
    file.Load();
    EXPECT_EQ(file.LoadState(), lsLoaded);
    TKnot* main = file.Knot().FindKnot(u"MainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->ReadInteger(u"Left", 0), 12);
    EXPECT_EQ(main->ReadInteger(u"Top", 0), 7);
}

TEST_F(SessionFile, CorruptFileIsUnreadableAndTheNextSaveWritesAFreshOne)
{
    for (const char* text : {"<Quillora><MainForm Left=12/><Stray", "not a tree", "", "<a/><b/>"}) {
        SCOPED_TRACE(text);
        WriteBytes(file.FileName(), text);
        file.Load();
        EXPECT_EQ(file.LoadState(), lsUnreadable);
        EXPECT_FALSE(file.Knot().HasChildren());
        EXPECT_EQ(file.Knot().ParamCount(), 0);
    }

    file.Knot().GetKnot(u"DropDownForm")->WriteInteger(u"Width", 300);
    ASSERT_TRUE(file.Save());

    TSessionFile again(u"session");
    again.SetFileName(file.FileName());
    again.Load();
    ASSERT_EQ(again.LoadState(), lsLoaded);
    EXPECT_EQ(again.Knot().Name(), u"Quillora");
    EXPECT_EQ(again.Knot().FindKnot(u"MainForm"), nullptr);
    EXPECT_EQ(again.Knot().FindKnot(u"DropDownForm")->ReadInteger(u"Width", 0), 300);
}

TEST_F(SessionFile, SaveNamesTheRootAfterTheFileAndWritesUtf8)
{
    file.SetFileName(folder.File(u"my.app.session"));
    file.Knot().SetName(u"Other");
    file.Knot().GetKnot(u"MainForm")->WriteString(u"Note", u"\u041F\u0440\u0438\u0432\u0435\u0442 \u4E16\u754C");
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(file.Knot().Name(), u"my.app");
    EXPECT_EQ(ReadBytes(file.FileName()),
              "\xEF\xBB\xBF<my.app>\r\n\t<MainForm Note=\"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 "
              "\xE4\xB8\x96\xE7\x95\x8C\"/>\r\n</my.app>\r\n");
}

TEST_F(SessionFile, SaveIntoAMissingFolderFailsQuietly)
{
    file.SetFileName(folder.File(u"no such folder") + u"/x.session");
    EXPECT_FALSE(file.Save());
    file.Load();
    EXPECT_EQ(file.LoadState(), lsMissing);
}

// ---- Form placement ----

class TFakeForm : public TPlacementForm {
public:
    explicit TFakeForm(TFormBounds bounds) : bounds_(bounds) {}
    TFormBorderKind BorderKind() const override { return TFormBorderKind::Sizeable; }
    bool HasMaximizeButton() const override { return true; }
    bool Maximized() const override { return maximized_; }
    void Maximize() override { maximized_ = true; }
    TFormBounds Bounds() const override { return bounds_; }
    void SetBounds(const TFormBounds& bounds) override { bounds_ = bounds; }
    int DesktopWidth() const override { return 1920; }
    int DesktopHeight() const override { return 1080; }
    void SetExplicitPlacement() override { explicit_ = true; }

    bool maximized_ = false;
    bool explicit_ = false;
    TFormBounds bounds_;
};

TEST_F(SessionFile, PlacementRoundTripThroughTheFile)
{
    TFakeForm closing({100, 50, 640, 480});
    TFakeForm maximized({0, 0, 800, 600});
    maximized.maximized_ = true;
    TFormPlace(&closing, u"DropDownForm", &file).FormCloseQuery();
    TFormPlace(&maximized, u"MainForm", &file).FormCloseQuery();
    ASSERT_TRUE(file.Save());

    TSessionFile next(u"session");
    next.SetFileName(file.FileName());
    next.Load();
    ASSERT_EQ(next.LoadState(), lsLoaded);

    TFakeForm dropDown({0, 0, 300, 200});
    TFormPlace(&dropDown, u"DropDownForm", &next).FormCreated();
    EXPECT_EQ(dropDown.Bounds(), (TFormBounds{100, 50, 640, 480}));
    EXPECT_TRUE(dropDown.explicit_);

    TFakeForm main({10, 10, 300, 200});
    TFormPlace(&main, u"MainForm", &next).FormCreated();
    EXPECT_TRUE(main.Maximized());
    EXPECT_EQ(main.Bounds(), (TFormBounds{10, 10, 300, 200}));

    // No node: the designed placement stays.
    TFakeForm settingsForm({5, 6, 7, 8});
    TFormPlace(&settingsForm, u"SettingsForm", &next).FormCreated();
    EXPECT_EQ(settingsForm.Bounds(), (TFormBounds{5, 6, 7, 8}));
    EXPECT_FALSE(settingsForm.explicit_);
}

TEST_F(SessionFile, FormKnot)
{
    TFakeForm form({1, 2, 3, 4});
    EXPECT_EQ(TFormPlace(nullptr, u"MainForm", &file).FormKnot(), nullptr);
    EXPECT_EQ(TFormPlace(&form, u"MainForm", nullptr).FormKnot(), nullptr);

    TFormPlace place(&form, u"MainForm", &file);
    TKnot* knot = place.FormKnot();
    ASSERT_NE(knot, nullptr);
    EXPECT_EQ(knot->ParentKnot(), &file.Knot());
    EXPECT_EQ(place.FormKnot(), knot);  // found again, not added twice
    EXPECT_EQ(file.Knot().KnotCount(), 1);

    file.Knot().SetName(u"S");
    place.SetKnotPath(u"Forms.Editor");
    TKnot* nested = place.FormKnot();
    EXPECT_EQ(nested->GetPath(), u"S.Forms.Editor.MainForm");
}

} // namespace
} // namespace quillora
