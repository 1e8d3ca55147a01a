// The settings dialog's rules without a window: the pages and their bindings, OK and
// Apply, the language list, the data-file edits and the page that the next opening
// shows.

#include <gtest/gtest.h>

#include <deque>

#include "elements/Sounds.h"
#include "foundation/Localization.h"
#include "foundation/ShortCut.h"
#include "shell/Settings.h"
#include "shell/SettingsForm.h"
#include "support/FakePropertyControls.h"

namespace quillora {
namespace {

using testing::FakeControl;

class FixedSettingsPlatform : public TSettingsPlatform {
public:
    TFontData MessageFont() const override { return {}; }
    int BorderWidth() const override { return 1; }
};

// Records the pages and keeps the controls it hands out, by page.
class FakeSettingsFormHost : public TSettingsFormHost {
public:
    struct Entry {
        std::string kind;
        String label;
        FakeControl* control = nullptr;
        std::function<void()> click;
    };
    std::vector<String> pages;
    std::vector<std::vector<Entry>> entries;
    std::deque<FakeControl> controls;
    String chosenFile;
    String askedWith;
    bool confirm = true;

    void AddPage(const String& caption) override
    {
        pages.push_back(caption);
        entries.emplace_back();
    }
    void AddGroup(const String& caption) override { entries.back().push_back({"group", caption, nullptr, {}}); }
    void AddExplanation(const String& text) override { entries.back().push_back({"note", text, nullptr, {}}); }
    FakeControl& Add(std::string kind, String label = {}, std::function<void()> click = {})
    {
        FakeControl& c = controls.emplace_back();
        entries.back().push_back({std::move(kind), std::move(label), &c, std::move(click)});
        return c;
    }
    ICheckBoxControl& AddCheckBox(bool visible) override
    {
        FakeControl& c = Add("check");
        c.visible = visible;
        return c;
    }
    IComboBoxControl& AddComboBox(const String& label) override { return Add("combo", label); }
    IRadioGroupControl& AddRadioGroup() override { return Add("radio"); }
    IIntegerEditControl& AddIntegerEdit(const String& label) override { return Add("number", label); }
    IHotKeyControl& AddHotKey(const String& label) override { return Add("hotkey", label); }
    IFontButtonControl& AddFontButton(const String& note) override { return Add("font", note); }
    ITextEditControl& AddFileEdit(const String& browse, std::function<void()> click) override
    {
        return Add("file", browse, std::move(click));
    }
    void AddButton(const String& caption, std::function<void()> click) override
    {
        entries.back().push_back({"button", caption, nullptr, std::move(click)});
    }
    bool AskSaveFileName(String& fileName) override
    {
        askedWith = fileName;
        if (confirm) fileName = chosenFile;
        return confirm;
    }

    // The `n`-th entry of `kind` on page `page`.
    Entry& Find(int page, const std::string& kind, int n = 0)
    {
        for (Entry& e : entries.at(page))
            if (e.kind == kind && n-- == 0) return e;
        throw std::runtime_error("no such control: " + kind);
    }
    FakeControl& Control(int page, const std::string& kind, int n = 0) { return *Find(page, kind, n).control; }
};

enum { pgGeneral, pgProblemSolving, pgDataFile, pgPalette, pgEditor, pgSounds };

class SettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedLanguage_ = Localization().Language();
        Localization().SetLanguage(LangEnglish);
        TSettingsForm::LastSettingsPage = 0;
        modules.AttachTo(settings);
        General().DataFileName().SetDefaultValue(u"/docs/Quillora.tpt");
        General().DataFileName().SetValue(u"/docs/Quillora.tpt");
        General().Language().SetValue(u"ENU");
        settings.AddNotifyEvent(BindNotify<&SettingsFormTest::OnNotify>(this));
    }
    void TearDown() override
    {
        modules.Detach();
        Localization().SetLanguage(savedLanguage_);
        TSettingsForm::LastSettingsPage = 0;
    }
    void OnNotify(TItfObject*, int notify, intptr_t param1, intptr_t)
    {
        if (notify == pnChanged) changed.push_back(reinterpret_cast<TProperty*>(param1));
    }
    TGeneralSettings& General() { return settings.General(); }
    std::unique_ptr<TSettingsForm> Open(FakeSettingsFormHost& h)
    {
        auto form = std::make_unique<TSettingsForm>(settings, modules, h);
        form->SetSoundsSettings(&sounds);
        form->SetThemeNames({u"Default", u"Dark"});
        form->Build();
        changed.clear();
        return form;
    }

    FixedSettingsPlatform platform;
    TSettings settings {platform};
    TModuleSettings modules;
    TSoundsSettings sounds;
    FakeSettingsFormHost host;
    std::vector<TProperty*> changed;
    TLanguageId savedLanguage_ = 0;
};

TEST_F(SettingsFormTest, PagesComeInTheirOrderWithTheirControlsAndOkWithoutChangesWritesNothing)
{
    auto form = Open(host);
    EXPECT_EQ(host.pages, (std::vector<String> {u"General", u"Problem Solving", u"Data File", u"Palette", u"Editor", u"Sounds"}));

    // General: the language list, then the check boxes of which two are hidden.
    FakeControl& language = host.Control(pgGeneral, "combo");
    EXPECT_EQ(host.Find(pgGeneral, "combo").label, u"Language");
    ASSERT_GE(language.items.size(), 2u);
    EXPECT_EQ(language.text, u"English");
    std::vector<String> checks;
    std::vector<bool> shown;
    for (auto& e : host.entries[pgGeneral])
        if (e.kind == "check") {
            checks.push_back(e.control->caption);
            shown.push_back(e.control->visible);
        }
    EXPECT_EQ(checks, (std::vector<String> {u"Launch automatically", u"Show the icon in the notification area",
                                            u"Show by Ctrl+Shift+Y", u"Hide by Esc",
                                            u"Hide to the notification area with the Minimize button"}));
    EXPECT_EQ(shown, (std::vector<bool> {true, true, false, false, true}));
    EXPECT_EQ(host.Control(pgGeneral, "hotkey").key, unsigned('B'));

    // Problem Solving: the two methods and the delay with its range.
    EXPECT_EQ(host.Control(pgProblemSolving, "radio").items, (std::vector<String> {u"Method 1", u"Method 2"}));
    EXPECT_EQ(host.Control(pgProblemSolving, "radio").itemIndex, 1);
    EXPECT_EQ(host.Find(pgProblemSolving, "number").label, u"Delay, ms (1 - 200)");

    // Editor: the themes, the font sizes, and five hidden check boxes.
    EXPECT_EQ(host.Control(pgEditor, "combo").items, (std::vector<String> {u"Default", u"Dark"}));
    EXPECT_EQ(host.Control(pgEditor, "combo", 1).items, (std::vector<String> {u"Normal", u"Large", u"Extra large"}));
    int hidden = 0;
    for (auto& e : host.entries[pgEditor])
        if (e.kind == "check" && !e.control->visible) ++hidden;
    EXPECT_EQ(hidden, 5);
    EXPECT_EQ(host.Control(pgSounds, "check").caption, u"Enabled");

    form->Ok();
    EXPECT_TRUE(changed.empty());
}

TEST_F(SettingsFormTest, OkWritesEachChangeWhichReachesTheRootOnItsOwn)
{
    auto form = Open(host);
    host.Control(pgGeneral, "hotkey").SetHotKey(ModShift | ModControl, 'K');
    host.Control(pgProblemSolving, "radio").itemIndex = 0;
    host.Control(pgProblemSolving, "number").number = 999;
    host.Control(pgPalette, "check", 1).checked = false;
    host.Control(pgSounds, "check").checked = false;
    form->Ok();

    EXPECT_EQ(General().DropDownHotKey().Value(), u"Shift+Ctrl+K");
    EXPECT_EQ(General().Method().Value(), 0);
    EXPECT_EQ(General().Interval().Value(), 200);
    EXPECT_FALSE(modules.PaletteForm().ShowCaptions().Value());
    EXPECT_FALSE(sounds.Enabled().Value());
    EXPECT_EQ(changed, (std::vector<TProperty*> {&General().DropDownHotKey(), &General().Method(), &General().Interval(),
                                                 &modules.PaletteForm().ShowCaptions()}));
}

TEST_F(SettingsFormTest, DataFileEditsAreTrimmedAnEmptyOneRestoresTheDefaultAndBrowseWritesNothingYet)
{
    auto form = Open(host);
    FakeControl& data = host.Control(pgDataFile, "file");
    FakeControl& backup = host.Control(pgDataFile, "file", 1);
    EXPECT_EQ(data.text, u"/docs/Quillora.tpt");

    host.chosenFile = u"/other/Snippets.tpt";
    data.text = u"  /start.tpt ";
    host.Find(pgDataFile, "file").click();
    EXPECT_EQ(host.askedWith, u"/start.tpt");
    EXPECT_EQ(data.text, u"/other/Snippets.tpt");
    EXPECT_TRUE(changed.empty());

    host.confirm = false;
    host.Find(pgDataFile, "file", 1).click();
    EXPECT_EQ(backup.text, General().BackupFileName().Value());

    data.text = u"   ";
    backup.text = u"\t/backups/b.tpt  ";
    General().DataFileName().SetValue(u"/moved/Quillora.tpt");
    changed.clear();
    form->Ok();
    EXPECT_EQ(General().DataFileName().Value(), u"/docs/Quillora.tpt");
    EXPECT_EQ(General().BackupFileName().Value(), u"/backups/b.tpt");
}

TEST_F(SettingsFormTest, LanguageListOffersTheTablesWithTheTitleAndAnUnknownCodeSelectsNothing)
{
    General().Language().SetValue(u"XYZ");
    auto form = Open(host);
    FakeControl& language = host.Control(pgGeneral, "combo");
    EXPECT_EQ(language.itemIndex, -1);
    auto german = std::find(language.items.begin(), language.items.end(), u"Deutsch");
    ASSERT_NE(german, language.items.end());
    // A language with only the common strings is not offered.
    EXPECT_EQ(std::find(language.items.begin(), language.items.end(), u"Dansk"), language.items.end());

    language.SetItemIndex(static_cast<int>(german - language.items.begin()));
    form->Ok();
    EXPECT_EQ(General().Language().Value(), u"DEU");
}

TEST_F(SettingsFormTest, ApplyWithANewLanguageAsksToReopenOnTheFirstPageOtherwiseThePageIsKept)
{
    {
        auto form = Open(host);
        form->SelectPage(pgEditor);
        EXPECT_FALSE(form->Apply());
        form->Closed();
    }
    EXPECT_EQ(TSettingsForm::LastSettingsPage, pgEditor);

    FakeSettingsFormHost second;
    auto form = Open(second);
    EXPECT_EQ(form->SelectedPage(), pgEditor);
    FakeControl& language = second.Control(pgGeneral, "combo");
    auto german = std::find(language.items.begin(), language.items.end(), u"Deutsch");
    ASSERT_NE(german, language.items.end());
    language.SetItemIndex(static_cast<int>(german - language.items.begin()));
    EXPECT_TRUE(form->Apply());
    form->Closed();
    EXPECT_EQ(TSettingsForm::LastSettingsPage, 0);

    // The new dialog speaks the new language (the settings' owner applies it).
    ApplyLanguage(General().Language().Value());
    FakeSettingsFormHost third;
    auto reopened = Open(third);
    EXPECT_EQ(reopened->SelectedPage(), 0);
    EXPECT_EQ(third.Control(pgGeneral, "combo").text, u"Deutsch");
}

TEST_F(SettingsFormTest, TheSecondEditorCheckBoxFollowsTheFirst)
{
    auto form = Open(host);
    FakeControl& focusNew = host.Control(pgEditor, "check");
    FakeControl& dropDown = host.Control(pgEditor, "check", 1);
    EXPECT_FALSE(dropDown.enabled);
    focusNew.Click();
    EXPECT_TRUE(dropDown.enabled);
}

} // namespace
} // namespace quillora
