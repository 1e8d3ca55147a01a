// The main window's rules without a window: creation, autosave and its errors, keys,
// closing, the session end, settings changes, hotkeys and the tray icon, import, undo,
// export and the menus in two languages, against a recording host.

#include <gtest/gtest.h>

#include <filesystem>

#include "editor/EditForm.h"
#include "editor/PaletteForm.h"
#include "editor/Sheet.h"
#include "elements/Scheme.h"
#include "foundation/Clock.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/ShortCut.h"
#include "foundation/StringIds.h"
#include "foundation/StringTableSource.h"
#include "foundation/UndoRedo.h"
#include "foundation/Utils.h"
#include "shell/DataFile.h"
#include "library/Log.h"
#include "shell/Document.h"
#include "shell/Global.h"
#include "shell/MainFormController.h"
#include "shell/MainMenus.h"
#include "shell/Modules.h"
#include "shell/WebSupport.h"
#include "support/FakeMainFormHost.h"
#include "support/TempFolder.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "text/RichTextAttributes.h"
#include "text/Textor.h"
#include "typing/DropDownModel.h"

namespace quillora {
namespace {

using testing::FakeMainFormHost;
using testing::FakeMessageBoxes;
using testing::FakeSoundPlayer;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const String GoldenFile = Utf8ToString(QUILLORA_TEST_DATA "/shell/snippets.tpt");
const std::string OneSnippet = "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\"><Chars Value=\"imported\"/></Quillora>";
// A data file cut off in the middle: it loads with a report and is protected.
const std::string CutOff = "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\"><Chars Value=\"kept\"/><Br/><Chars Val";

class MainFormControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedLanguage_ = Localization().Language();
        Localization().SetLanguage(LangEnglish);
        InitializeModules();
        String data = folder.File(u"data") + u"/";
        ASSERT_TRUE(ForceFolders(data));
        paths = ComputeFilePaths(data, folder.File(u"docs") + u"/", u"Quillora");
    }
    void TearDown() override
    {
        controller.reset();
        global.reset();
        Localization().SetLanguage(savedLanguage_);
    }

    // A start of the program: settings and session files read, then the creation
    // sequence; `prepare` changes the settings before the window is created.
    bool Start(const std::function<void(TGeneralSettings&)>& prepare = {})
    {
        global = std::make_unique<TGlobal>();
        global->DataModuleCreate(paths);
        General().Language().SetValue(u"ENU");
        if (prepare) prepare(General());
        controller = std::make_unique<TMainFormController>(*global, host);
        return controller->Create();
    }
    // The end of a run through the close command, then a fresh host for the next one.
    void Stop()
    {
        ASSERT_TRUE(controller->CloseQuery());
        controller->Destroy();
        controller.reset();
        global.reset();
        host = FakeMainFormHost();
    }

    TGeneralSettings& General() const { return global->Settings().General(); }
    TQuilloraDocument& Document() const { return controller->Document(); }
    String DataFile() const { return General().DataFileName().Value(); }
    // One undoable edit of the snippets.
    void Edit(const String& text) { Document().QuilloraRoot()->ReplaceAllText(text); }
    // The autosave timer fires when it runs.
    void Tick()
    {
        if (host.TimerRuns(AutoSaveTimerId)) controller->Timer(AutoSaveTimerId);
    }
    std::vector<String> Captions() const
    {
        std::vector<String> list;
        for (TParagraph* p = Document().Text().FirstParagraph(); p; p = p->Next())
            if (!p->IsEmpty()) list.push_back(ParagraphCaption(*p));
        return list;
    }
    std::vector<String> BoxTexts() const
    {
        std::vector<String> texts;
        for (const auto& box : boxes.boxes) texts.push_back(box.Text);
        return texts;
    }
    static TKeyEvent Key(TKeyCode key, TShiftState shift = 0) { return TKeyEvent::Down(key, shift); }
    bool Press(TKeyCode key, TShiftState shift = 0)
    {
        TKeyEvent event = Key(key, shift);
        controller->KeyDown(event);
        return event.Consumed();
    }
    // The session file of the next start holds the main window's node: not a first run.
    void WriteSessionFile(int left = 10, int top = 20)
    {
        TSessionFile session;
        session.SetFileName(paths.SessionFile);
        TKnot* node = session.Knot().GetKnot(u"MainForm");
        node->WriteInteger(u"Left", left);
        node->WriteInteger(u"Top", top);
        node->WriteInteger(u"Width", 500);
        node->WriteInteger(u"Height", 300);
        ASSERT_TRUE(session.Save());
    }
    // The data file moves to a folder that then goes: it cannot be written any more.
    void BreakDataFolder()
    {
        MendDataFolder();
        General().DataFileName().SetValue(folder.File(u"gone") + u"/Quillora.tpt");
        RemoveDataFolder();
    }
    void MendDataFolder() { ASSERT_TRUE(ForceFolders(folder.File(u"gone") + u"/")); }
    void RemoveDataFolder() { std::filesystem::remove_all(std::filesystem::path(folder.File(u"gone"))); }

    TempFolder folder;
    TFilePaths paths;
    FakeMainFormHost host;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    TProvide<TMessageBoxService> provideBoxes {boxes};
    TProvide<TSoundPlayer> provideSounds {sounds};
    std::unique_ptr<TGlobal> global;
    std::unique_ptr<TMainFormController> controller;

private:
    TLanguageId savedLanguage_ = 0;
};

// ---- creation ----

TEST_F(MainFormControllerTest, FirstRunPlacesTheWindowBottomRightAndComesUpComplete)
{
    host.shortcut = false;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(controller->ShowAtStart());
    // Half the screen each way, against the work area's bottom-right corner.
    EXPECT_EQ(host.placement.bounds, (TFormBounds {640, 360, 640, 400}));
    EXPECT_EQ(host.caption, u"Quillora");
    EXPECT_FALSE(General().AutoStart().Value()); // mirrors the missing shortcut
    EXPECT_TRUE(host.trayIcon);
    // With the defaults only the drop-down hotkey is registered, and the tip says so.
    EXPECT_EQ(host.hotKeys, (std::map<THotKeyId, FakeMainFormHost::HotKey> {{hkDropDown, {ModControl, KeyOfChar('B')}}}));
    EXPECT_EQ(host.trayTip, u"Quillora\r\nPress Ctrl+B in any editor.");
    EXPECT_TRUE(host.closeItemEnabled);
    EXPECT_EQ(Captions(), (std::vector<String> {u"Type text here and press", u"Ctrl+B", u"in any editor"}));
    EXPECT_FALSE(controller->Modified());
    EXPECT_TRUE(boxes.boxes.empty());

    // Closing without an edit writes the session and the settings, not the data file.
    Stop();
    EXPECT_FALSE(FileExists(paths.DataFile));
    EXPECT_TRUE(FileExists(paths.SessionFile));
    EXPECT_TRUE(FileExists(paths.SettingsFile));
}

TEST_F(MainFormControllerTest, LaterRunStartsInTheTrayAtTheStoredPlaceWithTheStoredSnippets)
{
    WriteSessionFile(10, 20);
    ASSERT_TRUE(ForceFolders(folder.File(u"docs") + u"/"));
    std::filesystem::copy_file(std::filesystem::path(GoldenFile), std::filesystem::path(paths.DataFile));
    host.shortcut = true;
    ASSERT_TRUE(Start([](TGeneralSettings& g) { g.AutoStart().SetValue(false); }));
    EXPECT_FALSE(controller->ShowAtStart());
    EXPECT_EQ(host.placement.bounds, (TFormBounds {10, 20, 500, 300}));
    EXPECT_TRUE(General().AutoStart().Value());
    EXPECT_EQ(Captions().front(), u"Kind regards,");

    Stop();
    ASSERT_TRUE(Start([](TGeneralSettings& g) { g.ShowInTray().SetValue(false); }));
    EXPECT_TRUE(controller->ShowAtStart());
    EXPECT_FALSE(host.trayIcon);
}

#ifdef __linux__
TEST_F(MainFormControllerTest, DataFileThatCannotBeReadIsReportedAndTheRestIsSkipped)
{
    // A file that exists and fails to read: this process's memory from address 0.
    ASSERT_FALSE(Start([](TGeneralSettings& g) { g.DataFileName().SetValue(u"/proc/self/mem"); }));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].Flags, mbIconError);
    EXPECT_FALSE(controller->Initialized());
    EXPECT_FALSE(host.trayIcon);
    EXPECT_TRUE(host.hotKeys.empty());
    // The window goes without writing anything.
    EXPECT_TRUE(controller->CloseQuery());
    EXPECT_FALSE(FileExists(paths.SessionFile));
}
#endif

// ---- autosave ----

TEST_F(MainFormControllerTest, BurstOfEditsIsSavedOnceTenSecondsAfterTheLast)
{
    ASSERT_TRUE(Start());
    for (String text : {u"a", u"ab", u"abc"}) Edit(text);
    EXPECT_TRUE(controller->Modified());
    EXPECT_EQ(host.timers, (std::map<int, unsigned> {{AutoSaveTimerId, 10000u}}));
    EXPECT_EQ(host.timerStarts, 3); // restarted by every edit
    EXPECT_FALSE(FileExists(DataFile()));
    Tick();
    EXPECT_TRUE(FileExists(DataFile()));
    EXPECT_FALSE(controller->Modified());
    EXPECT_FALSE(host.TimerRuns(AutoSaveTimerId));
    // An undo is a change too.
    controller->EditUndo();
    EXPECT_TRUE(controller->Modified());
    EXPECT_TRUE(host.TimerRuns(AutoSaveTimerId));
}

TEST_F(MainFormControllerTest, FailingAutosaveIsRetriedAndToldOncePerRunOfFailuresNeverTwiceAtOnce)
{
    ASSERT_TRUE(Start());
    BreakDataFolder();
    Edit(u"changed");
    // The box runs a message loop of its own, in which the timer fires again.
    int ticksInBox = 0;
    boxes.onShow = [&] {
        ++ticksInBox;
        Tick();
        Press(kcS, ssCtrl); // a failing Ctrl+S always tells, but not over this box
        EXPECT_EQ(boxes.boxes.size(), 1u) << "no second box";
        MendDataFolder(); // a save now would succeed, so one would show
        Tick();
        EXPECT_FALSE(FileExists(DataFile())) << "no save while the box is open";
    };
    Tick();
    EXPECT_EQ(ticksInBox, 1);
    EXPECT_EQ(boxes.boxes[0].Flags, mbIconError);
    EXPECT_TRUE(host.TimerRuns(AutoSaveTimerId)); // retried every ten seconds
    boxes.onShow = nullptr;

    // Failing again: not told again.
    RemoveDataFolder();
    Tick();
    Tick();
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(controller->Modified());

    // The retry that succeeds stops the timer; a later run of failures is told again.
    MendDataFolder();
    Tick();
    EXPECT_TRUE(FileExists(DataFile()));
    EXPECT_FALSE(host.TimerRuns(AutoSaveTimerId));
    RemoveDataFolder();
    Edit(u"changed again");
    Tick();
    Tick();
    EXPECT_EQ(boxes.boxes.size(), 2u);
}

TEST_F(MainFormControllerTest, ProtectedDataFileIsToldOnceAndOverwrittenOnlyOnTheUsersWord)
{
    ASSERT_TRUE(ForceFolders(folder.File(u"docs") + u"/"));
    WriteBytes(paths.DataFile, CutOff);
    ASSERT_TRUE(Start());
    ASSERT_EQ(boxes.boxes.size(), 1u); // the protection notice, at start
    EXPECT_EQ(boxes.boxes[0].Flags, mbIconWarning);
    Edit(u"changed");
    Tick();
    EXPECT_FALSE(host.TimerRuns(AutoSaveTimerId));
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(ReadBytes(paths.DataFile), CutOff);

    // Ctrl+S asks; No keeps the file, Yes overwrites it.
    boxes.answers = {idNo, idYes};
    EXPECT_TRUE(Press(kcS, ssCtrl));
    EXPECT_EQ(boxes.boxes.back().Flags, mbYesNo | mbIconWarning | mbDefButton2);
    EXPECT_EQ(ReadBytes(paths.DataFile), CutOff);
    EXPECT_TRUE(Press(kcS, ssCtrl));
    EXPECT_NE(ReadBytes(paths.DataFile), CutOff);
    EXPECT_FALSE(controller->Modified());
}

// ---- keys ----

TEST_F(MainFormControllerTest, EscapeHidesOnlyWhenTheSettingsSayAndCtrlSSaves)
{
    ASSERT_TRUE(Start());
    host.visible = true;
    struct Case {
        bool showInTray, hideByEsc, hides;
    };
    for (Case c : {Case {true, true, true}, Case {true, false, false}, Case {false, true, false}}) {
        General().ShowInTray().SetValue(c.showInTray);
        General().HideByEsc().SetValue(c.hideByEsc);
        host.visible = true;
        EXPECT_EQ(Press(kcEscape), c.hides);
        EXPECT_EQ(host.visible, !c.hides);
    }
    Edit(u"changed");
    EXPECT_FALSE(Press(kcS)); // without Ctrl: the editor's key
    EXPECT_TRUE(Press(kcS, ssCtrl));
    EXPECT_TRUE(FileExists(DataFile()));
    EXPECT_FALSE(controller->Modified());
}

// ---- closing ----

TEST_F(MainFormControllerTest, CloseSavesAChangedDocumentAndStaysOpenWhenThatFails)
{
    ASSERT_TRUE(Start());
    BreakDataFolder();
    Edit(u"changed");
    EXPECT_FALSE(controller->CloseQuery());
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_FALSE(FileExists(paths.SessionFile));
    MendDataFolder();
    EXPECT_TRUE(controller->CloseQuery());
    EXPECT_TRUE(FileExists(DataFile()));
    EXPECT_TRUE(FileExists(paths.SessionFile));
    EXPECT_TRUE(FileExists(paths.SettingsFile)); // dirty on a first run
    // The placement went into the session.
    EXPECT_TRUE(global->SessionFile().Knot().FindKnot(u"MainForm")->FindParam(u"Left"));
}

TEST_F(MainFormControllerTest, CloseWithAProtectedDataFileAsksYesNoCancel)
{
    struct Case {
        int answer;
        bool closes, overwritten;
    };
    for (Case c : {Case {idCancel, false, false}, Case {idNo, true, false}, Case {idYes, true, true}}) {
        SCOPED_TRACE(c.answer);
        ASSERT_TRUE(ForceFolders(folder.File(u"docs") + u"/"));
        WriteBytes(paths.DataFile, CutOff);
        ASSERT_TRUE(Start());
        Edit(u"changed");
        boxes.boxes.clear();
        boxes.answers = {c.answer};
        EXPECT_EQ(controller->CloseQuery(), c.closes);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].Flags, mbYesNoCancel | mbIconWarning | mbDefButton2);
        EXPECT_EQ(ReadBytes(paths.DataFile) != CutOff, c.overwritten);
        controller->Destroy();
        controller.reset();
        global.reset();
    }
}

// ---- session end ----

TEST_F(MainFormControllerTest, SessionEndSavesEverythingWithoutABoxAndNeverRefuses)
{
    ASSERT_TRUE(Start());
    Edit(u"changed");
    EXPECT_TRUE(controller->QueryEndSession());
    controller->EndSession(true);
    EXPECT_TRUE(FileExists(DataFile()));
    EXPECT_FALSE(controller->Modified());
    EXPECT_TRUE(FileExists(paths.SessionFile));
    EXPECT_TRUE(FileExists(paths.SettingsFile));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MainFormControllerTest, SessionEndKeepsAProtectedFileAndSavesTheChangesBesideItNamedAtTheNextStart)
{
    TFixedLocalClock clock({2026, 3, 7, 9, 0, 0, 0});
    TProvide<ILocalClock> provideClock(clock);
    ASSERT_TRUE(ForceFolders(folder.File(u"docs") + u"/"));
    WriteBytes(paths.DataFile, CutOff);
    WriteSessionFile();
    ASSERT_TRUE(Start());
    Edit(u"the changes");
    boxes.boxes.clear();
    EXPECT_TRUE(controller->QueryEndSession());
    controller->EndSession(true);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(controller->CloseQuery()); // the window may go without a question
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(ReadBytes(paths.DataFile), CutOff);
    String aside = folder.File(u"docs") + u"/Quillora_unsaved_2026_03_07.tpt";
    ASSERT_TRUE(FileExists(aside));
    EXPECT_NE(ReadBytes(aside).find("the changes"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(folder.File(u"docs"))),
                            std::filesystem::directory_iterator()),
              2); // one file aside, however often the system asked
    controller->Destroy();
    controller.reset();
    global.reset();
    host = FakeMainFormHost();

    // The next start says where the changes are, once.
    ASSERT_TRUE(Start());
    ASSERT_EQ(boxes.boxes.size(), 2u); // the protection notice, then where the changes went
    EXPECT_NE(boxes.boxes[1].Text.find(aside), String::npos);
    Stop();
    boxes.boxes.clear();
    ASSERT_TRUE(Start());
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

// ---- settings ----

TEST_F(MainFormControllerTest, SettingsChangesApplyAtOnceAndAreWritten)
{
    ASSERT_TRUE(Start());
    host.log.clear();
    std::filesystem::remove(std::filesystem::path(paths.SettingsFile));

    General().ShowByHotKey().SetValue(true);
    EXPECT_EQ(host.hotKeys[hkMain], (FakeMainFormHost::HotKey {ModShift | ModControl, kcY}));
    EXPECT_EQ(host.trayTip, u"Quillora (Ctrl+Shift+Y)\r\nPress Ctrl+B in any editor.");
    EXPECT_TRUE(FileExists(paths.SettingsFile));

    General().DropDownHotKey().SetValue(u"Alt+Q");
    EXPECT_EQ(host.hotKeys[hkDropDown], (FakeMainFormHost::HotKey {ModAlt, KeyOfChar('Q')}));

    General().AutoStart().SetValue(true);
    EXPECT_TRUE(host.shortcut);
    General().AutoStart().SetValue(false);
    EXPECT_FALSE(host.shortcut);

    General().HideToTrayByMinimizeButton().SetValue(true);
    EXPECT_FALSE(host.closeItemEnabled);
    EXPECT_TRUE(controller->MinimizeCommand());

    General().ShowInTray().SetValue(false);
    EXPECT_FALSE(host.trayIcon);
    EXPECT_TRUE(host.closeItemEnabled);
    EXPECT_FALSE(controller->CloseCommand()); // the standard close: the program ends
    EXPECT_FALSE(controller->MinimizeCommand());

    // A new data file name writes the snippets there; the old file stays as it was.
    Edit(u"moved");
    Tick();
    std::string old = ReadBytes(paths.DataFile);
    String moved = folder.File(u"docs") + u"/Moved.tpt";
    General().DataFileName().SetValue(moved);
    EXPECT_TRUE(FileExists(moved));
    EXPECT_EQ(ReadBytes(paths.DataFile), old);
}

TEST_F(MainFormControllerTest, ServiceSettingsOpensTheDialogWhoseChangesApplyWhileItIsOpen)
{
    ASSERT_TRUE(Start());
    // Service comes after the editor's menus.
    const TMenu& bar = controller->MenuBar();
    ASSERT_GE(bar.size(), 4u);
    EXPECT_EQ(bar[3].Caption, u"&Service");
    ASSERT_EQ(bar[3].Items.size(), 1u);
    EXPECT_EQ(bar[3].Items[0].Caption, u"Se&ttings...");
    EXPECT_EQ(bar[3].Items[0].Command, mcToolsSettings);

    std::filesystem::remove(std::filesystem::path(paths.SettingsFile));
    bool registeredAtOnce = false;
    host.settingsDialog = [&] {
        General().DropDownHotKey().SetValue(u"Shift+Ctrl+K");
        registeredAtOnce = host.hotKeys[hkDropDown] == FakeMainFormHost::HotKey {ModShift | ModControl, KeyOfChar('K')};
        General().Method().SetValue(0);
    };
    host.log.clear();
    EXPECT_TRUE(controller->Command(mcToolsSettings));
    EXPECT_EQ(host.log.front(), u"settings-dialog");
    EXPECT_TRUE(registeredAtOnce);
    EXPECT_EQ(controller->DropDownHotKeyText(), u"Shift+Ctrl+K");
    std::string written = ReadBytes(paths.SettingsFile);
    EXPECT_NE(written.find("Shift+Ctrl+K"), std::string::npos);
    EXPECT_NE(written.find("Method1"), std::string::npos);
}

TEST_F(MainFormControllerTest, HotKeyTakenByAnotherProgramIsLeftOutOfTheTipSilently)
{
    host.refusedKeys = {KeyOfChar('B')};
    ASSERT_TRUE(Start());
    EXPECT_TRUE(host.hotKeys.empty());
    EXPECT_EQ(host.trayTip, u"Quillora");
    EXPECT_TRUE(boxes.boxes.empty());
    // An unparsable text is not registered either.
    General().DropDownHotKey().SetValue(u"Ctrl+Nothing");
    EXPECT_TRUE(host.hotKeys.empty());
    General().DropDownHotKey().SetValue(u"Ctrl+D");
    EXPECT_EQ(controller->DropDownHotKeyText(), u"Ctrl+D");
    EXPECT_EQ(host.trayTip, u"Quillora\r\nPress Ctrl+D in any editor.");
}

// ---- tray, hotkeys, window ----

TEST_F(MainFormControllerTest, TrayClickTogglesTheWindowThatWasJustActive)
{
    ASSERT_TRUE(Start());
    controller->TrayIconClick(1000); // hidden: shows
    EXPECT_TRUE(host.visible);
    controller->Deactivated(5000); // the click on the icon took the activation
    controller->TrayIconClick(5100);
    EXPECT_FALSE(host.visible);
    controller->TrayIconClick(5200);
    EXPECT_TRUE(host.visible);
    controller->Deactivated(9000); // inactive for a while: the click brings it to the front
    controller->TrayIconClick(9600);
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.log.back(), u"show");
    controller->Deactivated(10000);
    host.modalOpen = true; // a dialog is open: never hidden under it
    controller->TrayIconClick(10050);
    EXPECT_TRUE(host.visible);

    host.trayMenuChoice = mcFileExit;
    controller->TrayIconMenu();
    EXPECT_EQ(host.trayMenu.size(), 3u);
    EXPECT_TRUE(host.trayMenu[0].Default);
    EXPECT_EQ(host.log.back(), u"close");
}

TEST_F(MainFormControllerTest, FirstHideOfAFirstRunShowsTheBalloonOnce)
{
    ASSERT_TRUE(Start());
    host.visible = true;
    EXPECT_TRUE(controller->CloseCommand());
    controller->ShowMainWindow();
    EXPECT_TRUE(controller->CloseCommand());
    EXPECT_EQ(host.balloons, (std::vector<String> {u"Quillora: Quillora lives in the notification area."}));
    Stop();
    ASSERT_TRUE(Start());
    controller->HideToTray();
    EXPECT_TRUE(host.balloons.empty());
}

TEST_F(MainFormControllerTest, TaskbarRestartSecondInstanceAndHotKeys)
{
    ASSERT_TRUE(Start());
    host.log.clear();
    host.trayIcon = false; // the shell restarted
    controller->TaskbarCreated();
    EXPECT_TRUE(host.trayIcon);
    controller->ShowInstance();
    EXPECT_EQ(host.log, (std::vector<String> {u"add icon", u"remove icon", u"add icon", u"show"}));

    controller->HotKey(hkDropDown);
    EXPECT_TRUE(host.dropDownVisible);
    EXPECT_EQ(sounds.played, (std::vector<String> {u"diClassesDropDownSound"}));
    controller->HotKey(hkDropDown); // while the list is open: nothing
    EXPECT_EQ(sounds.played.size(), 1u);
    host.visible = false;
    controller->HotKey(hkMain);
    EXPECT_TRUE(host.visible);

    controller->Destroy();
    EXPECT_TRUE(host.hotKeys.empty());
    EXPECT_FALSE(host.trayIcon);
}

// ---- import, undo and redo, export ----

TEST_F(MainFormControllerTest, ImportOfANonDocumentIsRefusedAndAGoodOneIsUndoneInOneStep)
{
    ASSERT_TRUE(Start());
    Edit(u"mine");
    Tick();
    String text = folder.File(u"notes.txt");
    WriteBytes(text, "just some notes\r\nof mine\r\n");
    host.openAnswers = {text};
    EXPECT_TRUE(controller->Command(mcFileImport));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].Flags, mbIconError);
    EXPECT_NE(boxes.boxes[0].Text.find(u"not a snippet file"), String::npos);
    EXPECT_EQ(Captions(), (std::vector<String> {u"mine"}));
    EXPECT_FALSE(controller->Modified());
    EXPECT_FALSE(host.TimerRuns(AutoSaveTimerId));

    String good = folder.File(u"good.tpt");
    WriteBytes(good, OneSnippet);
    host.openAnswers = {good};
    controller->Command(mcFileImport);
    EXPECT_EQ(Captions(), (std::vector<String> {u"imported"}));
    EXPECT_TRUE(controller->Modified());
    const TMenuItem* undo = FindMenuItem(host.menuBar, mcEditUndo);
    ASSERT_TRUE(undo);
    EXPECT_TRUE(undo->Enabled);
    EXPECT_TRUE(Press(kcZ, ssCtrl));
    EXPECT_EQ(Captions(), (std::vector<String> {u"mine"}));
    EXPECT_TRUE(FindMenuItem(host.menuBar, mcEditRedo)->Enabled);
    EXPECT_TRUE(Press(kcY, ssCtrl));
    EXPECT_EQ(Captions(), (std::vector<String> {u"imported"}));
    EXPECT_FALSE(FindMenuItem(host.menuBar, mcEditRedo)->Enabled);
    EXPECT_FALSE(Press(kcY, ssCtrl)); // nothing to redo: the key goes on to the editor

    host.openAnswers.clear(); // cancelled
    controller->Command(mcFileImport);
    EXPECT_EQ(Captions(), (std::vector<String> {u"imported"}));
}

TEST_F(MainFormControllerTest, ExportSuggestsTodaysDateAndLeavesTheDataFileAlone)
{
    TFixedLocalClock clock({2026, 3, 7, 23, 59, 0, 0});
    TProvide<ILocalClock> provideClock(clock);
    ASSERT_TRUE(Start());
    Edit(u"mine");
    Tick();
    std::string data = ReadBytes(DataFile());
    controller->Command(mcFileExport); // cancelled
    String exported = folder.File(u"2026_03_07.tpt");
    host.saveAnswers = {exported};
    controller->Command(mcFileExport);
    EXPECT_EQ(host.suggestedSaveNames, (std::vector<String> {u"2026_03_07", u"2026_03_07"}));
    EXPECT_EQ(ReadBytes(exported), data);
    EXPECT_EQ(ReadBytes(DataFile()), data);
}

// ---- menus ----

TEST_F(MainFormControllerTest, MenusAreRecaptionedWhenTheLanguageChanges)
{
    ASSERT_TRUE(Start());
    auto captions = [this] {
        std::vector<String> list;
        for (const TMenuItem& menu : host.menuBar)
            for (const TMenuItem& item : menu.Items)
                if (!item.IsSeparator()) list.push_back(menu.Caption + u" " + item.Caption);
        return list;
    };
    EXPECT_EQ(captions(),
              (std::vector<String> {u"&File Import from File...", u"&File Export to\u00A0File...", u"&File Exit",
                                    u"&Edit &Undo", u"&Edit &Redo", u"&Edit Cu&t", u"&Edit &Copy",
                                    u"&Edit Copy as Te&xt", u"&Edit &Paste", u"&Edit &Delete", u"&Edit Find...",
                                    u"&Edit Find Next", u"&Edit Replace...", u"&Edit Select &All",
                                    u"&View Palette", u"&View &Non-Printing Characters",
                                    u"&Service Se&ttings...", u"&Help Online Help", u"&Help Check for Updates",
                                    u"&Help Program Home Page", u"&Help Program Forum", u"&Help Contact Developers",
                                    u"&Help About..."}));
    // The first five as the German table has them.
    auto firstFive = [&captions] {
        std::vector<String> list = captions();
        list.resize(5);
        return list;
    };
    EXPECT_EQ(FindMenuItem(host.menuBar, mcEditUndo)->ShortCut, u"Ctrl+Z");
    EXPECT_FALSE(FindMenuItem(host.menuBar, mcEditUndo)->Enabled);
    int sets = host.menuBarSets;
    Edit(u"one");
    Edit(u"two");
    EXPECT_EQ(host.menuBarSets, sets + 1); // given again only when it changed

    General().Language().SetValue(u"DEU");
    EXPECT_EQ(firstFive(), (std::vector<String> {u"&Datei Aus Datei importieren...", u"&Datei In Datei exportieren...",
                                                u"&Datei Beenden", u"&Bearbeiten &R\u00FCckg\u00E4ngig",
                                                u"&Bearbeiten &Wiederholen"}));
    EXPECT_TRUE(FindMenuItem(host.menuBar, mcEditUndo)->Enabled);
    controller->TrayIconMenu();
    EXPECT_EQ(host.trayMenu.back().Caption, u"Beenden");
    General().Language().SetValue(u"ENU");
    EXPECT_EQ(captions().front(), u"&File Import from File...");
}

// The real tables with one more German string: the palette's first heading.
class GermanHeadingTables : public IStringTableSource {
public:
    explicit GermanHeadingTables(const IStringTableSource& real) : real_(real) {}
    String FindString(int id, TLanguageId language) const override
    {
        if (language == 1031 && id == HeadingId) return u"Einf\u00FCgen";
        return real_.FindString(id, language);
    }
    static constexpr int HeadingId = 2322; // "Insert"

private:
    const IStringTableSource& real_;
};

TEST_F(MainFormControllerTest, PaletteHeadingsFollowTheLanguage)
{
    GermanHeadingTables tables(Service<IStringTableSource>());
    TProvide<IStringTableSource> provideTables(tables);
    ASSERT_TRUE(Start());
    // The snippets' text has the focus, as in the window.
    controller->Sheet()->SetActive(true);
    controller->Sheet()->SetFocused(Document().QuilloraRoot());
    const TPaletteForm& palette = controller->Editor()->Palette();
    ASSERT_FALSE(palette.Panels().empty());
    EXPECT_EQ(palette.Panels()[0].Heading, u"Insert");
    General().Language().SetValue(u"DEU");
    ASSERT_FALSE(palette.Panels().empty());
    EXPECT_EQ(palette.Panels()[0].Heading, u"Einf\u00FCgen");
    General().Language().SetValue(u"ENU");
    EXPECT_EQ(palette.Panels()[0].Heading, u"Insert");
}

} // namespace
} // namespace quillora

namespace quillora {
namespace {

TEST_F(MainFormControllerTest, ABrokenElementShowsTheLogWhoseLinkFocusesIt)
{
    ASSERT_TRUE(ForceFolders(folder.File(u"docs") + u"/"));
    WriteWholeFile(paths.DataFile,
                   "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\"><Chars Value=\"alpha\"/><Br/><Chars Value=\"date \"/><DateTime/></Quillora>");
    ASSERT_TRUE(Start());
    TEditForm& editor = *controller->Editor();
    ASSERT_TRUE(editor.LogPanel().Shown());
    EXPECT_EQ(editor.LogPanel().Severity(), 2);
    TLogRoot& log = *controller->Document().LogRoot();
    EXPECT_EQ(log.Sheet(), controller->LogSheet());
    TPortion* link = nullptr;
    for (TPortion* p = log.Text().FirstParagraph()->FirstPortion(); p; p = p->Next())
        if (auto* a = dynamic_cast<TRichTextAttributes*>(p->GetAttributes()); a && a->IsLink()) link = p;
    ASSERT_NE(link, nullptr);
    log.LinkClicked(link);
    EXPECT_TRUE(boxes.boxes.empty()) << (boxes.boxes.empty() ? "" : StringToUtf8(boxes.boxes[0].Text));
    // The sign of the broken element did not take the document out of its sheet.
    EXPECT_EQ(controller->Document().QuilloraRoot()->Sheet(), controller->Sheet());
    TVisualElement* focused = controller->Sheet()->GetFocused();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->GetClass().GetClassName(), u"TElement_DateTime");
}

// ---- the Help menu ----

// Records the downloads that the Help commands ask for; none of them finishes.
struct RecordingWeb : TWebService {
    std::vector<String> urls;
    std::vector<std::function<void(TDownloadResult)>> pending;
    String AppInfoUrl() const override { return u"http://127.0.0.1/appinfo.xml"; }
    bool ProductInfo(String& name, String& version) const override
    {
        name = u"Quillora";
        version = u"0.1.0";
        return true;
    }
    void Download(const String& url, size_t, std::function<void(TDownloadResult)> done) override
    {
        urls.push_back(url);
        pending.push_back(std::move(done));
    }
};

TEST_F(MainFormControllerTest, F1AndTheHelpCommandsFetchTheDocumentOneAtATime)
{
    RecordingWeb web;
    TProvide<TWebService> provideWeb(web);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Press(kcF1));
    EXPECT_EQ(web.urls.size(), 1u);
    EXPECT_EQ(BusyCount(), 1);
    // While the first request runs, the others do nothing.
    for (int command : {mcHelpCheckUpdates, mcHelpProgramPage, mcHelpForum, mcHelpSendMessage})
        EXPECT_TRUE(controller->Command(command));
    EXPECT_EQ(web.urls.size(), 1u);
    EXPECT_FALSE(Press(kcF1, ssCtrl));
    Stop();
    EXPECT_EQ(BusyCount(), 0);
}

TEST_F(MainFormControllerTest, GetMoreThemesInTheSettingsDialogFetchesTheDocument)
{
    RecordingWeb web;
    TProvide<TWebService> provideWeb(web);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(controller->Command(mcToolsSettings));
    ASSERT_TRUE(host.getMoreThemes);
    host.getMoreThemes();
    EXPECT_EQ(web.urls, (std::vector<String> {u"http://127.0.0.1/appinfo.xml"}));
    Stop();
}

} // namespace
} // namespace quillora
