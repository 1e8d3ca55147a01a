#pragma once
// TPaletteForm: the rules of the strip of command buttons above the document. It shows
// the palette items that the sheet's focused element offers, grouped in panels under
// their group headings, with their images, captions, enabled and checked states and
// hints; it runs a clicked item on the focused element (or on its selected children) as
// one undo step, and runs items from the keyboard: holding Ctrl and typing a button's
// key (digits of several places wait for the next key while they are ambiguous). The
// window only paints through it and passes its input on.

#include <functional>
#include <vector>

#include "elements/Palette.h"
#include "foundation/Geometry.h"
#include "foundation/Input.h"
#include "foundation/Notifier.h"
#include "foundation/ViewHost.h"

namespace quillora {

class TPaletteFormSettings;
class TSheet;
class TSheetCanvas;
class TItfObject;

// One button of the palette.
struct TPaletteButton {
    TPaletteItemTune Tune;
    int Panel = 0;
    // The whole button (client coordinates); with a menu, its right part opens the menu.
    TRect Rect;
    TRect ArrowRect;
    // The caption shown on the button (empty: none).
    String Text;
    bool Large = false;
    bool Enabled = false;
    bool Checked = false;
    String Key;
    String Hint;
    bool HasMenu() const { return Tune.Item && !Tune.Item->SubItems.empty(); }
    int Image() const { return Large ? Tune.LargeImage : Tune.SmallImage; }
};

// One group's panel.
struct TPalettePanel {
    TPaletteGroup* Group = nullptr;
    String Heading;
    TRect Rect;
    TRect HeadingRect;
};

class TPaletteForm : public TView {
public:
    static constexpr int PollTimerId = 0x5401;
    static constexpr int KeyHintTimerId = 0x5402;
    static constexpr unsigned PollInterval = 10;
    static constexpr unsigned KeyHintInterval = 550;
    static constexpr int ArrowWidth = 11;
    static constexpr int SmallImageSize = 16;
    static constexpr int LargeImageSize = 32;

    // `settings` ("PaletteForm"; none: headings, captions and hints show) must outlive
    // the form.
    explicit TPaletteForm(TPaletteFormSettings* settings = nullptr);
    ~TPaletteForm() override;
    TPaletteForm(const TPaletteForm&) = delete;
    TPaletteForm& operator=(const TPaletteForm&) = delete;

    // The settings group "PaletteForm" (none: everything shows); rebuilds, and follows
    // its changes at once: headings and the form's height, captions, hints.
    void SetSettings(TPaletteFormSettings* settings);

    // The window that shows the form (timers, repaints, menus); none: no window.
    void SetHost(TViewHost* host);
    // Follows `sheet` (none: an empty palette) and rebuilds.
    void SetSheet(TSheet* sheet);
    TSheet* Sheet() const { return sheet_; }

    // Whether Ctrl is held now (the platform's key state); none: taken as released.
    std::function<bool()> CtrlHeld;
    // The form's height changed (the settings or the font): the window is to be resized.
    std::function<void()> OnHeightChanged;

    // ---- model ----
    void Rebuild();
    void UpdateStates();
    const std::vector<TPaletteButton>& Buttons() const { return buttons_; }
    const std::vector<TPalettePanel>& Panels() const { return panels_; }
    bool ApplyToSelection() const { return applyToSelection_; }
    // The button whose key is `key`; -1 when none.
    int FindKey(StringView key) const;
    int SmallButtonHeight() const { return smallHeight_; }
    int LargeButtonHeight() const { return largeHeight_; }
    // The height the form wants.
    int FormHeight() const;
    int Width() const { return width_; }

    // Runs button `index` as a click does (its sub-command `value` when not empty):
    // beeps when it is disabled. False when nothing ran.
    bool Click(int index, const String& value = {});
    // Runs `item` on the focused element of the active sheet (or its selected children),
    // inside one sheet update and undo group unless the item has pifNoUndoGroup.
    bool RunItem(TPaletteItem* item, bool checked, const String& value);

    // ---- accelerators (the document view's keys, before the sheet's own handling) ----
    void SheetKeyDown(TKeyEvent& event);
    void SheetKeyPress(TKeyEvent& event);
    void SheetKeyUp(TKeyEvent& event);
    bool AcceleratorMode() const { return mode_; }
    const String& Prefix() const { return prefix_; }
    bool KeyHintsShown() const { return keyHintsShown_; }

    // The hint of the button at `point`; empty when none or hints are off.
    String HintAt(TPoint point) const;
    int ButtonAt(TPoint point) const;
    int HotButton() const { return hot_; }
    // The button whose hint the host shows (-1: none).
    int HintButton() const { return hintButton_; }

    // Draws the whole form onto `canvas` (client coordinates).
    void Paint(TSheetCanvas& canvas);

    // ---- TView ----
    void PointerDown(const TPointerEvent& event) override;
    void PointerMove(const TPointerEvent& event) override;
    void PointerUp(const TPointerEvent& event) override;
    void PointerLeave() override;
    void Timer(int id) override;
    void Resized(int width, int height) override;
    void CancelMode() override;

private:
    void SheetNotify(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void SettingsNotify(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void Measure();
    void Layout();
    void Shrink();
    void EndMode();
    // Ctrl went up: the mode ends and the button whose key is the prefix runs.
    void FinishMode();
    TVisualElement* Target() const;
    bool ShowHeaders() const;
    bool ShowCaptions() const;
    bool ShowHints() const;
    void Repaint();
    void OpenMenu(int index);
    // Shows the hint of button `index` in the host's hint window (-1: hides it).
    void UpdateHint(int index);
    void HideHint();

    TPaletteFormSettings* settings_;
    TViewHost* host_ = nullptr;
    TSheet* sheet_ = nullptr;
    bool rebuilding_ = false;
    std::vector<TPaletteButton> buttons_;
    std::vector<TPalettePanel> panels_;
    bool applyToSelection_ = false;
    int width_ = 0;
    int smallHeight_ = 0;
    int largeHeight_ = 0;
    int textHeight_ = 13;
    bool measured_ = false;
    bool mode_ = false;
    String prefix_;
    bool keyHintsShown_ = false;
    int hot_ = -1;
    int hintButton_ = -1;
    int reportedHeight_ = 0;
    int pressed_ = -1;
    bool pressedArrow_ = false;
};

} // namespace quillora
