#include "editor/PaletteForm.h"

#include <algorithm>

#include "editor/Sheet.h"
#include "editor/SheetFormSettings.h"
#include "elements/EditCommands.h"
#include "elements/PaletteRules.h"
#include "elements/Scheme.h"
#include "elements/SchemeImages.h"
#include "elements/VisualElement.h"
#include "foundation/Colors.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "render/SheetCanvas.h"

namespace quillora {

namespace {

constexpr int PanelPadding = 3;    // left of the first column, right of the last
constexpr int ButtonPadding = 2;   // inside a button, around its image
constexpr int HeadingGap = 3;

bool IsAcceleratorKey(TKeyCode key)
{
    return key == kcSpace || (key >= kc0 && key <= kc0 + 9) || (key >= kcA && key <= kcA + 25);
}

bool IsAcceleratorChar(Char c)
{
    return c == u' ' || (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

Char UpperChar(Char c) { return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - u'a' + u'A') : c; }

String Upper(StringView text)
{
    String result(text);
    for (Char& c : result) c = UpperChar(c);
    return result;
}

bool StartsWith(const String& text, const String& prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

String KeyName(const String& key) { return key == u" " ? String(u"Space") : key; }

// Greyed copies of the element images, renewed when a list grew.
const TSchemeImages& Greyed(const TSchemeImages& source, std::unique_ptr<TSchemeImages>& copy)
{
    if (!copy || copy->Count() != source.Count()) copy = std::make_unique<TSchemeImages>(TSchemeImages::TGreyed{}, source);
    return *copy;
}

} // namespace

TPaletteForm::TPaletteForm(TPaletteFormSettings* settings) : settings_(nullptr) { SetSettings(settings); }

TPaletteForm::~TPaletteForm()
{
    OnHeightChanged = nullptr;
    SetSettings(nullptr);
    SetSheet(nullptr);
    SetHost(nullptr);
}

void TPaletteForm::SetSettings(TPaletteFormSettings* settings)
{
    if (settings_ == settings) return;
    if (settings_) settings_->RemoveNotifyEvent(BindNotify<&TPaletteForm::SettingsNotify>(this));
    settings_ = settings;
    if (settings_) settings_->AddNotifyEvent(BindNotify<&TPaletteForm::SettingsNotify>(this));
    measured_ = false;
    Rebuild();
}

void TPaletteForm::SettingsNotify(TItfObject*, int notify, intptr_t, intptr_t)
{
    if (notify != pnChanged) return;
    // Headings change the form's height, captions the buttons' widths, hints their texts.
    HideHint();
    measured_ = false;
    Rebuild();
    Repaint();
}

void TPaletteForm::HideHint()
{
    hintButton_ = -1;
    if (host_) host_->HideHint();
}

void TPaletteForm::SetHost(TViewHost* host)
{
    if (host_ == host) return;
    if (host_) {
        host_->StopTimer(PollTimerId);
        host_->StopTimer(KeyHintTimerId);
    }
    mode_ = false;
    host_ = host;
}

void TPaletteForm::SetSheet(TSheet* sheet)
{
    if (sheet_ == sheet) return;
    if (sheet_) sheet_->RemoveNotifyEvent(BindNotify<&TPaletteForm::SheetNotify>(this));
    sheet_ = sheet;
    if (sheet_) sheet_->AddNotifyEvent(BindNotify<&TPaletteForm::SheetNotify>(this));
    measured_ = false;
    Rebuild();
}

void TPaletteForm::SheetNotify(TItfObject*, int notify, intptr_t, intptr_t)
{
    switch (notify) {
    case shnFocusChanged:
    case shnFocusedContentChanged:
    case shnActiveChanged: Rebuild(); break;
    case shnFocusedValueChanged:
    case shnReadOnlyChanged: UpdateStates(); break;
    default: break;
    }
}

bool TPaletteForm::ShowHeaders() const { return !settings_ || settings_->ShowHeaders().Value(); }
bool TPaletteForm::ShowCaptions() const { return !settings_ || settings_->ShowCaptions().Value(); }
bool TPaletteForm::ShowHints() const { return !settings_ || settings_->ShowHints().Value(); }

void TPaletteForm::Repaint()
{
    if (host_) host_->Invalidate(nullptr);
}

TVisualElement* TPaletteForm::Target() const
{
    if (!sheet_ || !sheet_->GetActive()) return nullptr;
    return sheet_->GetFocused();
}

// ---- measuring and building ----

void TPaletteForm::Measure()
{
    TSheetCanvas* canvas = sheet_ ? sheet_->GetCanvas() : nullptr;
    textHeight_ = canvas ? canvas->GetElementLineHeight() : 13;
    smallHeight_ = std::max(textHeight_, SmallImageSize) + 2 * ButtonPadding;
    largeHeight_ = std::max(3 * smallHeight_, textHeight_ + 4 + LargeImageSize + 2 + 4);
    measured_ = true;
    if (FormHeight() != reportedHeight_) {
        reportedHeight_ = FormHeight();
        if (OnHeightChanged) OnHeightChanged();
    }
}

int TPaletteForm::FormHeight() const
{
    if (!largeHeight_) return 0;
    return (ShowHeaders() ? textHeight_ + 5 : 2) + largeHeight_ + 4;
}

void TPaletteForm::Rebuild()
{
    if (rebuilding_) return;
    rebuilding_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{rebuilding_};

    EndMode();
    HideHint();
    hot_ = pressed_ = -1;
    buttons_.clear();
    panels_.clear();
    applyToSelection_ = false;
    if (!measured_) Measure();

    TPaletteItemList items;
    if (TVisualElement* element = Target())
        GetApplicablePaletteItems(*element, items, applyToSelection_,
                                  [](TPaletteItem* item) { return (item->Flags & pifSingleMask) != 0; });
    std::stable_sort(items.begin(), items.end(),
                     [](TPaletteItem* a, TPaletteItem* b) { return a->Order > b->Order; });
    items.erase(std::unique(items.begin(), items.end()), items.end());

    std::vector<TPaletteGroup*> groups;
    for (TPaletteItem* item : items)
        if (TPaletteGroup* group = item->Group(); group && std::find(groups.begin(), groups.end(), group) == groups.end())
            groups.push_back(group);
    std::stable_sort(groups.begin(), groups.end(),
                     [](TPaletteGroup* a, TPaletteGroup* b) { return a->Order > b->Order; });

    int keys = 0;
    for (TPaletteGroup* group : groups) {
        TPalettePanel panel;
        panel.Group = group;
        if (ShowHeaders() && group->CaptionId) panel.Heading = LoadString(group->CaptionId);
        panels_.push_back(panel);
        for (TPaletteItem* item : items) {
            if (item->Group() != group) continue;
            TPaletteButton button;
            button.Tune = TPaletteItemTune::Of(*item);
            button.Panel = static_cast<int>(panels_.size()) - 1;
            button.Large = (button.Tune.Flags & pifLargeButton) != 0;
            button.Key = button.Tune.Key.empty() ? IntToString(++keys) : Upper(button.Tune.Key);
            if (!button.Tune.Key.empty()) ++keys;
            if (ShowCaptions() && !(button.Tune.Flags & pifNoCaption)) button.Text = button.Tune.Caption;
            if (ShowHints()) {
                button.Hint = button.Tune.Caption;
                if (!button.Key.empty()) button.Hint += u" (Ctrl+" + KeyName(button.Key) + u")";
                if (item->HintId) button.Hint += u"\r\n" + LoadString(item->HintId);
            }
            buttons_.push_back(std::move(button));
        }
    }
    Layout();
    UpdateStates();
    Repaint();
}

void TPaletteForm::Layout()
{
    TSheetCanvas* canvas = sheet_ ? sheet_->GetCanvas() : nullptr;
    auto textWidth = [canvas](const String& text) {
        if (text.empty()) return 0;
        return canvas ? canvas->ElementTextWidth(text) : static_cast<int>(text.size()) * 7;
    };
    const int top0 = ShowHeaders() ? textHeight_ + HeadingGap + 2 : 2;
    int left = 0;
    for (size_t p = 0; p < panels_.size(); ++p) {
        TPalettePanel& panel = panels_[p];
        int x = PanelPadding;      // left of the current column
        int columnWidth = 0;
        int inColumn = 0;          // small buttons in the current column
        bool columnLarge = false;
        auto newColumn = [&] {
            x += columnWidth;
            columnWidth = 0;
            inColumn = 0;
            columnLarge = false;
        };
        for (TPaletteButton& button : buttons_) {
            if (button.Panel != static_cast<int>(p)) continue;
            const int arrow = button.HasMenu() ? ArrowWidth : 0;
            if (button.Large) {
                if (inColumn || columnLarge) newColumn();
                const int width = std::max({textWidth(button.Text) + 8, LargeImageSize + 8, largeHeight_ * 4 / 5}) + arrow;
                button.Rect = Rect(left + x, top0, left + x + width, top0 + largeHeight_);
                columnWidth = width;
                columnLarge = true;
            } else {
                if (columnLarge || inColumn >= 3 || ((button.Tune.Flags & pifNewColumn) && inColumn)) newColumn();
                const int text = textWidth(button.Text);
                const int width = ButtonPadding * 2 + SmallImageSize + (text ? text + 4 : 0) + arrow;
                const int y = top0 + inColumn * (largeHeight_ / 3);
                button.Rect = Rect(left + x, y, left + x + width, y + smallHeight_);
                ++inColumn;
                // The column is as wide as its widest button.
                columnWidth = std::max(columnWidth, width);
            }
            button.ArrowRect = arrow ? Rect(button.Rect.Right - arrow, button.Rect.Top, button.Rect.Right,
                                            button.Rect.Bottom)
                                     : TRect();
        }
        int width = x + columnWidth + PanelPadding + 3;
        if (!panel.Heading.empty()) width = std::max(width, textWidth(panel.Heading) + 10);
        panel.Rect = Rect(left, 0, left + width, FormHeight());
        panel.HeadingRect = panel.Heading.empty() ? TRect() : Rect(left + 2, 1, left + width - 3, 1 + textHeight_ + 2);
        left += width;
    }
    if (width_ > 0 && left > width_) Shrink();
}

void TPaletteForm::Shrink()
{
    // Captions go first (small buttons, then large ones), from the last panel backwards,
    // until the palette fits.
    auto total = [this] { return panels_.empty() ? 0 : panels_.back().Rect.Right; };
    for (int pass = 0; pass < 2 && total() > width_; ++pass) {
        for (int p = static_cast<int>(panels_.size()) - 1; p >= 0 && total() > width_; --p) {
            bool changed = false;
            for (TPaletteButton& button : buttons_)
                if (button.Panel == p && button.Large == (pass == 1) && !button.Text.empty()) {
                    button.Text.clear();
                    changed = true;
                }
            if (changed) {
                // Lay out again without the removed captions.
                const int saved = width_;
                width_ = 0;
                Layout();
                width_ = saved;
            }
        }
    }
}

void TPaletteForm::UpdateStates()
{
    TVisualElement* element = Target();
    TVisualElement* asked = element;
    if (element && applyToSelection_) {
        const std::vector<TVisualElement*> selected = SelectedVisualChildren(*element);
        asked = selected.empty() ? nullptr : selected.front();
    }
    const bool readOnly = element && (element->IsReadOnly() || (sheet_ && sheet_->GetReadOnly()));
    for (TPaletteButton& button : buttons_) {
        TPaletteItemState state;
        if (asked) asked->GetPaletteItemState(button.Tune.Item, state);
        else state.Enabled = false;
        const uint16_t flags = button.Tune.Flags | button.Tune.Item->Flags;
        button.Enabled = state.Enabled && !(flags & pifAlwaysDisabled) && !((flags & pifDisabledReadOnly) && readOnly);
        button.Checked = state.Checked;
    }
    Repaint();
}

int TPaletteForm::FindKey(StringView key) const
{
    const String wanted = Upper(key);
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].Key == wanted) return static_cast<int>(i);
    return -1;
}

// ---- running ----

bool TPaletteForm::Click(int index, const String& value)
{
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return false;
    const TPaletteButton& button = buttons_[static_cast<size_t>(index)];
    if (!button.Enabled) {
        if (auto* beeper = FindService<TBeeper>()) beeper->Beep();
        return false;
    }
    bool checked = button.Checked;
    if (button.Tune.Flags & pifToggle) checked = !button.Checked;
    else if (button.Tune.Flags & pifRadio) checked = true;
    return RunItem(button.Tune.Item, checked, value);
}

bool TPaletteForm::RunItem(TPaletteItem* item, bool checked, const String& value)
{
    TVisualElement* element = Target();
    if (!element || !item) return false;
    sheet_->ReportFocusedState();
    sheet_->CancelMode();
    const bool grouped = !(item->Flags & pifNoUndoGroup);
    TScheme* scheme = element->Scheme();
    // Rebuilds that the run causes wait for its end.
    TSheet* sheet = sheet_;
    if (grouped) {
        sheet->BeginUpdate();
        if (scheme) scheme->BeginGroup(false, item->CaptionId ? LoadString(item->CaptionId) : String());
    }
    struct End {
        bool grouped;
        TSheet* sheet;
        TScheme* scheme;
        ~End()
        {
            if (!grouped) return;
            if (scheme) scheme->EndGroup();
            sheet->EndUpdate();
        }
    } end{grouped, sheet, scheme};
    const String sound = item->GetSound();
    if (!sound.empty()) sheet->PlaySheetSound(sound);
    if (applyToSelection_) return item->ExecuteOnList(SelectedVisualChildren(*element), checked, value) > 0;
    return item->Execute(*element, checked, value);
}

// ---- accelerators ----

void TPaletteForm::EndMode()
{
    const bool repaint = mode_ && keyHintsShown_;
    mode_ = false;
    prefix_.clear();
    keyHintsShown_ = false;
    if (host_) {
        host_->StopTimer(PollTimerId);
        host_->StopTimer(KeyHintTimerId);
    }
    if (repaint) Repaint();
}

void TPaletteForm::FinishMode()
{
    if (!mode_) return;
    const String prefix = prefix_;
    EndMode();
    if (prefix.empty()) return;
    const int index = FindKey(prefix);
    if (index < 0) {
        if (auto* beeper = FindService<TBeeper>()) beeper->Beep();
        return;
    }
    Click(index);
}

void TPaletteForm::SheetKeyDown(TKeyEvent& event)
{
    if (!mode_) {
        if (event.Key == kcControl && event.Modifiers(ssCtrl) && !buttons_.empty()) {
            mode_ = true;
            prefix_.clear();
            keyHintsShown_ = false;
            if (host_) {
                host_->StartTimer(PollTimerId, PollInterval);
                host_->StartTimer(KeyHintTimerId, KeyHintInterval);
            }
        }
        return;
    }
    if (event.Key == kcControl) return; // held: the key repeats
    if (event.Key == kcShift || event.Key == kcMenu || (event.Key >= kcLeft && event.Key <= kcDown)) {
        EndMode();
        return;
    }
    if (!IsAcceleratorKey(event.Key) || !event.Modifiers(ssCtrl)) return;
    const String prefix = prefix_ + Char(event.Key);
    int matches = 0;
    int match = -1;
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (StartsWith(buttons_[i].Key, prefix)) {
            ++matches;
            match = static_cast<int>(i);
        }
    if (matches == 0) return;
    event.Consume();
    if (matches == 1) {
        EndMode();
        Click(match);
        return;
    }
    prefix_ = prefix;
    if (keyHintsShown_) Repaint();
}

void TPaletteForm::SheetKeyPress(TKeyEvent& event)
{
    if (mode_ && IsAcceleratorChar(event.Ch)) event.Consume();
}

void TPaletteForm::SheetKeyUp(TKeyEvent& event)
{
    if (event.Key == kcControl) FinishMode();
}

void TPaletteForm::Timer(int id)
{
    if (id == KeyHintTimerId) {
        if (host_) host_->StopTimer(KeyHintTimerId);
        if (mode_ && !keyHintsShown_) {
            keyHintsShown_ = true;
            Repaint();
        }
    } else if (id == PollTimerId) {
        if (mode_ && !(CtrlHeld && CtrlHeld())) FinishMode();
    }
}

// ---- pointer ----

int TPaletteForm::ButtonAt(TPoint point) const
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].Rect.Contains(point)) return static_cast<int>(i);
    return -1;
}

String TPaletteForm::HintAt(TPoint point) const
{
    const int index = ButtonAt(point);
    return index < 0 ? String() : buttons_[static_cast<size_t>(index)].Hint;
}

void TPaletteForm::PointerDown(const TPointerEvent& event)
{
    HideHint();
    if (event.Button != pbLeft) return;
    pressed_ = ButtonAt(event.Point);
    if (pressed_ < 0) return;
    const TPaletteButton& button = buttons_[static_cast<size_t>(pressed_)];
    pressedArrow_ = button.HasMenu() && (button.ArrowRect.Contains(event.Point) || (button.Tune.Flags & pifMenuOnly));
    if (pressedArrow_) {
        const int index = pressed_;
        pressed_ = -1;
        OpenMenu(index);
        return;
    }
    if (host_) host_->CapturePointer();
    Repaint();
}

void TPaletteForm::PointerMove(const TPointerEvent& event)
{
    const int hot = ButtonAt(event.Point);
    if (hot != hot_) {
        hot_ = hot;
        Repaint();
    }
    UpdateHint(hot);
}

void TPaletteForm::UpdateHint(int index)
{
    if (index == hintButton_) return;
    HideHint();
    if (index < 0 || pressed_ >= 0 || !host_) return;
    const TPaletteButton& button = buttons_[static_cast<size_t>(index)];
    if (button.Hint.empty()) return;
    hintButton_ = index;
    // Below the button, so that the hint does not cover it.
    host_->ShowHint(button.Hint, host_->ClientToScreen({button.Rect.Left, button.Rect.Bottom + 2}), 0);
}

void TPaletteForm::PointerUp(const TPointerEvent& event)
{
    if (event.Button != pbLeft || pressed_ < 0) return;
    const int index = pressed_;
    pressed_ = -1;
    if (host_) host_->ReleasePointer();
    Repaint();
    if (ButtonAt(event.Point) == index) Click(index);
}

void TPaletteForm::PointerLeave()
{
    HideHint();
    if (hot_ >= 0) {
        hot_ = -1;
        Repaint();
    }
}

void TPaletteForm::CancelMode()
{
    pressed_ = -1;
    EndMode();
}

void TPaletteForm::Resized(int width, int height)
{
    if (width == width_) return;
    width_ = width;
    Rebuild();
}

void TPaletteForm::OpenMenu(int index)
{
    if (!host_ || index < 0) return;
    const TPaletteButton& button = buttons_[static_cast<size_t>(index)];
    if (!button.Enabled) return;
    TMenu menu;
    const std::vector<TPaletteSubItem> subItems = button.Tune.Item->SubItems;
    for (size_t i = 0; i < subItems.size(); ++i)
        menu.push_back(TMenuItem::Item(static_cast<int>(i) + 1, subItems[i].Caption));
    const int chosen =
        host_->ShowPopupMenu(menu, host_->ClientToScreen({button.Rect.Left, button.Rect.Bottom}));
    if (chosen > 0 && chosen <= static_cast<int>(subItems.size()))
        RunItem(button.Tune.Item, false, subItems[static_cast<size_t>(chosen) - 1].Value);
}

// ---- painting ----

void TPaletteForm::Paint(TSheetCanvas& canvas)
{
    static std::unique_ptr<TSchemeImages> greyedSmall, greyedLarge;
    const int height = std::max(FormHeight(), 1);
    canvas.DrawRectangle(Rect(0, 0, std::max(width_, 1), height), 0, clBtnFace, clNone);
    canvas.DrawRectangle(Rect(0, height - 1, std::max(width_, 1), height), 0, clBtnShadow, clNone);
    for (const TPalettePanel& panel : panels_) {
        // The separator at the panel's right edge.
        canvas.DrawRectangle(Rect(panel.Rect.Right - 2, 3, panel.Rect.Right - 1, height - 4), 0, clBtnShadow, clNone);
        if (!panel.Heading.empty()) {
            canvas.DrawRectangle(panel.HeadingRect, 0, clBtnShadow, clNone);
            canvas.DrawElementText(panel.HeadingRect.Left + 3, panel.HeadingRect.Top + 1, panel.Heading);
        }
    }
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const TPaletteButton& button = buttons_[i];
        const bool hot = static_cast<int>(i) == hot_ && button.Enabled;
        const bool down = static_cast<int>(i) == pressed_ || button.Checked;
        if (down) canvas.DrawRectangle(button.Rect, 3, 0xE0C8A0, clHighlight);
        else if (hot) canvas.DrawRectangle(button.Rect, 3, 0xF8E8C8, 0xE0B070);
        const TRect& r = button.Rect;
        const int image = button.Image();
        if (button.Large) {
            const int x = r.Left + (r.Width() - button.ArrowRect.Width() - LargeImageSize) / 2;
            const TSchemeImages& list = button.Enabled ? SchemeLargeImages() : Greyed(SchemeLargeImages(), greyedLarge);
            if (const TBitmap32* bitmap = list.GetImage(image)) canvas.DrawBitmap(x, r.Top + 4, *bitmap);
            if (!button.Text.empty()) {
                const int tx = r.Left + (r.Width() - button.ArrowRect.Width() - canvas.ElementTextWidth(button.Text)) / 2;
                canvas.DrawElementText(tx, r.Top + 4 + LargeImageSize + 2, button.Text);
            }
        } else {
            const TSchemeImages& list = button.Enabled ? SchemeSmallImages() : Greyed(SchemeSmallImages(), greyedSmall);
            if (const TBitmap32* bitmap = list.GetImage(image))
                canvas.DrawBitmap(r.Left + ButtonPadding, r.Top + (r.Height() - SmallImageSize) / 2, *bitmap);
            if (!button.Text.empty())
                canvas.DrawElementText(r.Left + ButtonPadding + SmallImageSize + 3, r.Top + (r.Height() - textHeight_) / 2,
                                       button.Text);
        }
        if (button.HasMenu()) {
            // A small triangle pointing down.
            const TRect& a = button.ArrowRect;
            const int cx = a.Left + a.Width() / 2;
            const int cy = a.Top + a.Height() / 2;
            for (int row = 0; row < 3; ++row)
                canvas.DrawRectangle(Rect(cx - 3 + row, cy - 1 + row, cx + 4 - row, cy + row), 0,
                                     button.Enabled ? clBtnText : clGrayText, clNone);
        }
        if (keyHintsShown_ && StartsWith(button.Key, prefix_)) {
            const String key = KeyName(button.Key);
            const int w = canvas.ElementTextWidth(key) + 6;
            const TRect box = Rect(r.Left + r.Width() / 2 - w / 2, r.Bottom - textHeight_ - 1, r.Left + r.Width() / 2 - w / 2 + w,
                                   r.Bottom + 1);
            canvas.DrawRectangle(box, 2, clBtnShadow, clGray); // the element text is light
            canvas.DrawElementText(box.Left + 3, box.Top, key);
        }
    }
}

} // namespace quillora
