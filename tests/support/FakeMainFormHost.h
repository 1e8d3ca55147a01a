#pragma once
// A recording stand-in for the main window: TMainFormHost with a plain window state, a
// log of what it was told, scripted answers for the file dialogs and the tray menu, and
// timers that a test fires by hand. A recording message-box service and sound player
// come with it.

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "elements/Sounds.h"
#include "foundation/FormPlacement.h"
#include "foundation/UtilsServices.h"
#include "shell/MainFormHost.h"
#include "support/FakeFindDialogs.h"

namespace quillora::testing {

class FakePlacementForm : public TPlacementForm {
public:
    TFormBorderKind BorderKind() const override { return TFormBorderKind::Sizeable; }
    bool HasMaximizeButton() const override { return true; }
    bool Maximized() const override { return maximized; }
    void Maximize() override { maximized = true; }
    TFormBounds Bounds() const override { return bounds; }
    void SetBounds(const TFormBounds& value) override { bounds = value; }
    int DesktopWidth() const override { return 1280; }
    int DesktopHeight() const override { return 800; }
    void SetExplicitPlacement() override {}

    TFormBounds bounds {100, 100, 640, 480};
    bool maximized = false;
};

class FakeMainFormHost : public TMainFormHost {
public:
    // ---- the window ----
    void SetCaption(const String& text) override { caption = text; }
    void SetMenuBar(const TMenu& menu) override
    {
        menuBar = menu;
        ++menuBarSets;
    }
    void ShowWindow() override
    {
        visible = true;
        minimized = false;
        log.push_back(u"show");
    }
    void HideWindow() override
    {
        visible = false;
        log.push_back(u"hide");
    }
    bool WindowVisible() const override { return visible; }
    bool WindowMinimized() const override { return minimized; }
    bool ModalDialogOpen() const override { return modalOpen; }
    void CloseWindow() override { log.push_back(u"close"); }
    void SetCloseItemEnabled(bool enabled) override { closeItemEnabled = enabled; }
    TPlacementForm& PlacementForm() override { return placement; }
    TRect ScreenRect() const override { return screen; }
    TRect WorkArea() const override { return workArea; }
    void ShowEditor(TEditForm* editor, TSheet* sheet) override
    {
        shownEditor = editor;
        shownSheet = sheet;
    }
    TFindDialogs& FindDialogs() override { return findDialogs; }

    // ---- hotkeys ----
    bool RegisterHotKey(THotKeyId id, unsigned modifiers, TKeyCode key) override
    {
        if (refusedKeys.count(key)) return false;
        hotKeys[id] = {modifiers, key};
        return true;
    }
    void UnregisterHotKey(THotKeyId id) override { hotKeys.erase(id); }

    // ---- tray ----
    bool AddTrayIcon(const String& tip) override
    {
        log.push_back(u"add icon");
        if (refuseTrayIcon) return false;
        trayIcon = true;
        trayTip = tip;
        return true;
    }
    void RemoveTrayIcon() override
    {
        log.push_back(u"remove icon");
        trayIcon = false;
    }
    void ShowBalloon(const String& title, const String& text) override { balloons.push_back(title + u": " + text); }
    int ShowTrayMenu(const TMenu& menu) override
    {
        trayMenu = menu;
        return trayMenuChoice;
    }

    // ---- autostart ----
    bool AutoStartShortcutExists() const override { return shortcut; }
    void SetAutoStartShortcut(bool present) override
    {
        shortcut = present;
        log.push_back(present ? u"create shortcut" : u"delete shortcut");
    }

    // ---- dialogs: each call takes the next answer; none left means cancelled ----
    bool AskOpenFileName(String& fileName) override { return Answer(openAnswers, fileName); }
    bool AskSaveFileName(String& fileName) override
    {
        suggestedSaveNames.push_back(fileName);
        return Answer(saveAnswers, fileName);
    }

    // ---- the settings dialog: `settingsDialog` plays what the user does in it ----
    void ShowSettingsDialog(std::function<void()> getMoreThemes) override
    {
        log.push_back(u"settings-dialog");
        this->getMoreThemes = std::move(getMoreThemes);
        if (settingsDialog) settingsDialog();
    }

    // ---- drop-down ----
    bool DropDownVisible() const override { return dropDownVisible; }
    void ShowDropDown() override
    {
        dropDownVisible = true;
        log.push_back(u"drop-down");
    }

    // ---- timers ----
    void StartTimer(int id, unsigned milliseconds) override
    {
        timers[id] = milliseconds;
        ++timerStarts;
    }
    void StopTimer(int id) override { timers.erase(id); }
    bool TimerRuns(int id) const { return timers.count(id) != 0; }

    struct HotKey {
        unsigned Modifiers = 0;
        TKeyCode Key = 0;
        bool operator==(const HotKey&) const = default;
    };

    String caption;
    TMenu menuBar;
    int menuBarSets = 0;
    bool visible = false;
    bool minimized = false;
    bool modalOpen = false;
    bool closeItemEnabled = true;
    FakePlacementForm placement;
    TRect screen = Rect(0, 0, 1280, 800);
    TRect workArea = Rect(0, 0, 1280, 760);
    TEditForm* shownEditor = nullptr;
    TSheet* shownSheet = nullptr;
    FakeFindDialogs findDialogs;
    std::map<THotKeyId, HotKey> hotKeys;
    std::set<TKeyCode> refusedKeys;
    bool trayIcon = false;
    bool refuseTrayIcon = false;
    String trayTip;
    std::vector<String> balloons;
    TMenu trayMenu;
    int trayMenuChoice = 0;
    bool shortcut = false;
    std::deque<String> openAnswers;
    std::deque<String> saveAnswers;
    std::vector<String> suggestedSaveNames;
    bool dropDownVisible = false;
    std::function<void()> settingsDialog;
    // The settings dialog's "Get More Themes" action, as the controller gave it.
    std::function<void()> getMoreThemes;
    std::map<int, unsigned> timers;
    int timerStarts = 0;
    // Window actions in order: "show", "hide", "close", "add icon", "remove icon", ...
    std::vector<String> log;

private:
    static bool Answer(std::deque<String>& answers, String& fileName)
    {
        if (answers.empty()) return false;
        fileName = answers.front();
        answers.pop_front();
        return true;
    }
};

// The message boxes shown, with scripted answers (idOk when none is left). `onShow`
// runs inside Show, as the box's own message loop would run timers (not again inside a
// box that it opened).
class FakeMessageBoxes : public TMessageBoxService {
public:
    struct Box {
        String Text;
        unsigned Flags = 0;
    };
    int Show(const String& text, const String&, unsigned flags) override
    {
        boxes.push_back({text, flags});
        if (onShow && !inside_) {
            inside_ = true;
            onShow();
            inside_ = false;
        }
        if (answers.empty()) return idOk;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool ActiveWindowIsTopmost() const override { return false; }
    String ApplicationTitle() const override { return u"Quillora"; }

    std::vector<Box> boxes;
    std::deque<int> answers;
    std::function<void()> onShow;

private:
    bool inside_ = false;
};

class FakeSoundPlayer : public TSoundPlayer {
public:
    void PlayResourceSound(const String& name) override { played.push_back(name); }
    std::vector<String> played;
};

} // namespace quillora::testing
