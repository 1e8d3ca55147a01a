#include "shell/win32/SettingsDialog.h"

#include <commdlg.h>

#include <algorithm>

#include "foundation/Colors.h"
#include "foundation/Localization.h"
#include "foundation/NumberParse.h"
#include "foundation/ShortCut.h"
#include "foundation/Utils.h"
#include "foundation/win32/FontDataWin.h"
#include "foundation/win32/OpenSaveDialog.h"
#include "foundation/win32/WinPaths.h"
#include "render/Theme.h"
#include "shell/Global.h"

namespace quillora {

namespace {
constexpr wchar_t DialogClass[] = L"TSettingsForm";
constexpr int ApplyId = 3;
// The layout, in pixels.
constexpr int ClientWidth = 600;
constexpr int ClientHeight = 390;
constexpr int Margin = 10;
constexpr int TreeWidth = 160;
constexpr int PageLeft = Margin + TreeWidth + Margin;
constexpr int PageWidth = ClientWidth - PageLeft - Margin;
constexpr int RowHeight = 22;
constexpr int LabelWidth = 170;
constexpr int ButtonWidth = 84;
constexpr int ButtonHeight = 25;

String WindowText(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(0, length)));
    return String(reinterpret_cast<const Char*>(text.c_str()), text.size());
}

LOGFONTW LogFontOf(const TFontData& font)
{
    LOGFONTW lf {};
    lf.lfHeight = -MulDiv(font.Size, ScreenPixelsPerInch(), 72);
    lf.lfWeight = font.Style & fsBold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style & fsItalic) != 0;
    lf.lfUnderline = (font.Style & fsUnderline) != 0;
    lf.lfStrikeOut = (font.Style & fsStrikeOut) != 0;
    lf.lfCharSet = font.Charset;
    size_t n = std::min<size_t>(font.Name.size(), LF_FACESIZE - 1);
    std::copy_n(reinterpret_cast<const wchar_t*>(font.Name.data()), n, lf.lfFaceName);
    return lf;
}

TFontData FontDataOf(const LOGFONTW& lf, int pointSize10, COLORREF color, TColor oldColor)
{
    TFontData font = FontDataFromLogFont(lf);
    if (pointSize10 > 0) font.Size = (pointSize10 + 5) / 10;
    // The colour stays a system colour while the user keeps it.
    font.Color = ColorToRGB(oldColor) == static_cast<TColor>(color) ? oldColor : static_cast<TColor>(color);
    return font;
}

// Hotkey control flags and the hotkey modifiers of the settings differ in their bits.
unsigned ModifiersOfHotKeyFlags(unsigned flags)
{
    return (flags & HOTKEYF_SHIFT ? ModShift : 0) | (flags & HOTKEYF_CONTROL ? ModControl : 0) |
           (flags & HOTKEYF_ALT ? ModAlt : 0);
}

unsigned HotKeyFlagsOfModifiers(unsigned modifiers)
{
    return (modifiers & ModShift ? HOTKEYF_SHIFT : 0) | (modifiers & ModControl ? HOTKEYF_CONTROL : 0) |
           (modifiers & ModAlt ? HOTKEYF_ALT : 0);
}

// The height of `text` wrapped into `width` pixels in `font`.
int TextHeight(HFONT font, const String& text, int width)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r {0, 0, width, 0};
    DrawTextW(dc, WidePtr(text), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return r.bottom;
}
} // namespace

// ---- the controls ----

class TSettingsDialog::TPageControl : public virtual IPropertyControl {
public:
    TPageControl(TSettingsDialog& dialog, int page) : dialog_(dialog), page_(page) {}
    int Page() const { return page_; }
    bool Wanted() const { return visible_; }
    // Lays the control out at `y` of the page area; the height it took.
    virtual int Place(int y) = 0;
    // WM_COMMAND from one of its windows.
    virtual void Command(HWND from, WORD code) {}
    // Whether `window` is one of this control's notes (drawn in the shadow colour).
    virtual bool IsNote(HWND window) const { return false; }
    void Show(bool pageShown)
    {
        for (HWND w : windows_) ::ShowWindow(w, pageShown && visible_ ? SW_SHOWNA : SW_HIDE);
    }
    bool Owns(HWND window) const { return std::find(windows_.begin(), windows_.end(), window) != windows_.end(); }

    void SetCaption(const String& caption) override
    {
        if (!windows_.empty()) SetWindowTextW(windows_.front(), WidePtr(caption));
    }
    void SetVisible(bool visible) override
    {
        visible_ = visible;
        dialog_.Layout();
    }
    void SetEnabled(bool enabled) override
    {
        for (HWND w : windows_) EnableWindow(w, enabled);
    }

protected:
    HWND Make(const wchar_t* className, const String& text, DWORD style, DWORD exStyle = 0)
    {
        HWND w = dialog_.MakeChild(className, text, style, dialog_.nextId_++, exStyle);
        windows_.push_back(w);
        return w;
    }
    void Relayout() { dialog_.Layout(); }
    static void Move(HWND w, int x, int y, int width, int height) { MoveWindow(w, x, y, width, height, FALSE); }

    TSettingsDialog& dialog_;
    int page_;
    bool visible_ = true;
    std::vector<HWND> windows_;
};

namespace {

using TPageControl = TSettingsDialog::TPageControl;

class TLabel : public TPageControl {
public:
    TLabel(TSettingsDialog& dialog, int page, const String& text, bool note, HFONT font)
        : TPageControl(dialog, page), note_(note), font_(font), text_(text)
    {
        label_ = Make(L"STATIC", text, SS_LEFT | SS_NOPREFIX);
    }
    int Place(int y) override
    {
        int height = note_ ? TextHeight(font_, text_, PageWidth) + 4 : RowHeight;
        Move(label_, PageLeft, y + (note_ ? 0 : 4), PageWidth, height);
        return height + (note_ ? 6 : 0);
    }
    bool IsNote(HWND window) const override { return note_ && window == label_; }

private:
    bool note_;
    HFONT font_;
    String text_;
    HWND label_;
};

class TCheckBox : public TPageControl, public ICheckBoxControl {
public:
    TCheckBox(TSettingsDialog& dialog, int page) : TPageControl(dialog, page)
    {
        box_ = Make(L"BUTTON", {}, BS_AUTOCHECKBOX | WS_TABSTOP);
    }
    int Place(int y) override
    {
        Move(box_, PageLeft, y, PageWidth, RowHeight);
        return RowHeight + 2;
    }
    bool Checked() const override { return SendMessageW(box_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) override { SendMessageW(box_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
    void SetOnChange(std::function<void()> handler) override { onChange_ = std::move(handler); }
    void Command(HWND from, WORD code) override
    {
        if (code == BN_CLICKED && onChange_) onChange_();
    }

private:
    HWND box_;
    std::function<void()> onChange_;
};

class TComboBox : public TPageControl, public IComboBoxControl {
public:
    TComboBox(TSettingsDialog& dialog, int page, const String& label) : TPageControl(dialog, page)
    {
        label_ = Make(L"STATIC", label, SS_LEFT);
        combo_ = Make(L"COMBOBOX", {}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    }
    int Place(int y) override
    {
        Move(label_, PageLeft, y + 4, LabelWidth, RowHeight);
        Move(combo_, PageLeft + LabelWidth, y, PageWidth - LabelWidth, 200);
        return RowHeight + 8;
    }
    void SetCaption(const String& caption) override { SetWindowTextW(label_, WidePtr(caption)); }
    void SetItems(const std::vector<String>& items) override
    {
        SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
        for (const String& item : items) SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePtr(item)));
    }
    int ItemCount() const override { return static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0)); }
    int ItemIndex() const override { return static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0)); }
    void SetItemIndex(int index) override { SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    String Text() const override { return WindowText(combo_); }
    void SetText(const String& text) override
    {
        int index = static_cast<int>(SendMessageW(combo_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(WidePtr(text))));
        SetItemIndex(index);
    }

private:
    HWND label_;
    HWND combo_;
};

class TRadioGroup : public TPageControl, public IRadioGroupControl {
public:
    using TPageControl::TPageControl;
    int Place(int y) override
    {
        int top = y;
        for (HWND b : buttons_) {
            Move(b, PageLeft + 8, y, PageWidth - 8, RowHeight);
            y += RowHeight + 2;
        }
        return y - top + 6;
    }
    void SetItems(const std::vector<String>& items) override
    {
        for (size_t i = 0; i < items.size(); ++i)
            buttons_.push_back(Make(L"BUTTON", items[i], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0)));
        Relayout();
    }
    int ItemIndex() const override
    {
        for (size_t i = 0; i < buttons_.size(); ++i)
            if (SendMessageW(buttons_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
        return -1;
    }
    void SetItemIndex(int index) override
    {
        for (size_t i = 0; i < buttons_.size(); ++i)
            SendMessageW(buttons_[i], BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
    }

private:
    std::vector<HWND> buttons_;
};

class TIntegerEdit : public TPageControl, public IIntegerEditControl {
public:
    TIntegerEdit(TSettingsDialog& dialog, int page, const String& label) : TPageControl(dialog, page)
    {
        label_ = Make(L"STATIC", label, SS_LEFT);
        edit_ = Make(L"EDIT", {}, ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
        upDown_ = Make(UPDOWN_CLASSW, {}, UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_SETBUDDYINT);
        SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    }
    int Place(int y) override
    {
        Move(label_, PageLeft, y + 4, LabelWidth, RowHeight);
        Move(edit_, PageLeft + LabelWidth, y, 80, RowHeight + 2);
        SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
        return RowHeight + 8;
    }
    void SetRange(int minValue, int maxValue) override { SendMessageW(upDown_, UDM_SETRANGE32, minValue, maxValue); }
    bool Value(int& value) const override { return TryParseInt32(WindowText(edit_), value); }
    void SetValue(int value) override
    {
        SendMessageW(upDown_, UDM_SETPOS32, 0, value);
        SetWindowTextW(edit_, WidePtr(IntToString(value)));
    }

private:
    HWND label_, edit_, upDown_;
};

class THotKeyEdit : public TPageControl, public IHotKeyControl {
public:
    THotKeyEdit(TSettingsDialog& dialog, int page, const String& label) : TPageControl(dialog, page)
    {
        label_ = Make(L"STATIC", label, SS_LEFT);
        hotKey_ = Make(HOTKEY_CLASSW, {}, WS_TABSTOP, WS_EX_CLIENTEDGE);
    }
    int Place(int y) override
    {
        Move(label_, PageLeft, y + 4, LabelWidth, RowHeight);
        Move(hotKey_, PageLeft + LabelWidth, y, PageWidth - LabelWidth, RowHeight + 2);
        return RowHeight + 8;
    }
    void HotKey(unsigned& modifiers, unsigned& key) const override
    {
        auto value = static_cast<WORD>(SendMessageW(hotKey_, HKM_GETHOTKEY, 0, 0));
        key = LOBYTE(value);
        modifiers = ModifiersOfHotKeyFlags(HIBYTE(value));
    }
    void SetHotKey(unsigned modifiers, unsigned key) override
    {
        SendMessageW(hotKey_, HKM_SETHOTKEY, MAKEWORD(key, HotKeyFlagsOfModifiers(modifiers)), 0);
    }

private:
    HWND label_, hotKey_;
};

class TFontButton : public TPageControl, public IFontButtonControl {
public:
    TFontButton(TSettingsDialog& dialog, int page, const String& note) : TPageControl(dialog, page)
    {
        note_ = Make(L"STATIC", note, SS_LEFT);
        button_ = Make(L"BUTTON", {}, BS_PUSHBUTTON | WS_TABSTOP);
    }
    int Place(int y) override
    {
        Move(note_, PageLeft, y + 4, LabelWidth, RowHeight);
        Move(button_, PageLeft + LabelWidth, y, PageWidth - LabelWidth, ButtonHeight);
        return ButtonHeight + 8;
    }
    void SetCaption(const String& caption) override { SetWindowTextW(note_, WidePtr(caption)); }
    TFontData Font() const override { return font_; }
    void SetFont(const TFontData& font) override
    {
        font_ = font;
        SetWindowTextW(button_, WidePtr(font.Name + u", " + IntToString(font.Size)));
    }
    void Command(HWND from, WORD code) override
    {
        if (from != button_ || code != BN_CLICKED) return;
        LOGFONTW lf = LogFontOf(font_);
        CHOOSEFONTW choose {};
        choose.lStructSize = sizeof(choose);
        choose.hwndOwner = dialog_.Handle();
        choose.lpLogFont = &lf;
        choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
        choose.rgbColors = static_cast<COLORREF>(ColorToRGB(font_.Color));
        if (ChooseFontW(&choose)) SetFont(FontDataOf(lf, choose.iPointSize, choose.rgbColors, font_.Color));
    }

private:
    HWND note_, button_;
    TFontData font_;
};

class TFileEdit : public TPageControl, public ITextEditControl {
public:
    TFileEdit(TSettingsDialog& dialog, int page, const String& browse, std::function<void()> click)
        : TPageControl(dialog, page), click_(std::move(click))
    {
        edit_ = Make(L"EDIT", {}, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
        button_ = Make(L"BUTTON", browse, BS_PUSHBUTTON | WS_TABSTOP);
    }
    int Place(int y) override
    {
        Move(edit_, PageLeft, y, PageWidth - ButtonWidth - 6, RowHeight + 2);
        Move(button_, PageLeft + PageWidth - ButtonWidth, y - 1, ButtonWidth, ButtonHeight);
        return ButtonHeight + 6;
    }
    void SetCaption(const String& caption) override { SetWindowTextW(button_, WidePtr(caption)); }
    String Text() const override { return WindowText(edit_); }
    void SetText(const String& text) override { SetWindowTextW(edit_, WidePtr(text)); }
    void Command(HWND from, WORD code) override
    {
        if (from == button_ && code == BN_CLICKED && click_) click_();
    }

private:
    HWND edit_, button_;
    std::function<void()> click_;
};

class TPushButton : public TPageControl {
public:
    TPushButton(TSettingsDialog& dialog, int page, const String& caption, std::function<void()> click)
        : TPageControl(dialog, page), click_(std::move(click))
    {
        button_ = Make(L"BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP);
    }
    int Place(int y) override
    {
        Move(button_, PageLeft + LabelWidth, y, PageWidth - LabelWidth, ButtonHeight);
        return ButtonHeight + 8;
    }
    void Command(HWND from, WORD code) override
    {
        if (code == BN_CLICKED && click_) click_();
    }

private:
    HWND button_;
    std::function<void()> click_;
};

} // namespace

// ---- the dialog ----

TSettingsDialog::TSettingsDialog(TGlobal& global, HWND owner)
    : global_(global), owner_(owner), placementForm_(*this), formPlace_(&placementForm_, u"SettingsForm", &global.SessionFile())
{
}

TSettingsDialog::~TSettingsDialog()
{
    // The controls refer to windows that go with the dialog.
    DestroyHandle();
    controls_.clear();
    if (ownsFont_ && font_) DeleteObject(font_);
}

void TSettingsDialog::Execute(TGlobal& global, HWND owner, std::function<void()> getMoreThemes)
{
    bool again = true;
    while (again) {
        TSettingsDialog dialog(global, owner);
        if (!dialog.Create()) return;
        dialog.form_->OnGetMoreThemes = getMoreThemes;
        again = dialog.RunModal();
    }
}

HWND TSettingsDialog::MakeChild(const wchar_t* className, const String& text, DWORD style, int id, DWORD exStyle)
{
    HWND w = CreateWindowExW(exStyle, className, WidePtr(text), WS_CHILD | style, 0, 0, 10, 10, Handle(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (w) SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return w;
}

bool TSettingsDialog::Create()
{
    INITCOMMONCONTROLSEX init {sizeof(init), ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        font_ = CreateFontIndirectW(&metrics.lfMessageFont);
        ownsFont_ = font_ != nullptr;
    }
    if (!font_) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    // A fixed dialog border, centred on the owner.
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame {0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT ownerRect {};
    if (!owner_ || !IsWindowVisible(owner_) || !GetWindowRect(owner_, &ownerRect)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &ownerRect, 0);
    }
    TWindowClass windowClass;
    windowClass.Name = DialogClass;
    windowClass.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    TWindowParams params;
    String caption = TSettingsForm::Caption();
    params.Caption = WidePtr(caption);
    params.Style = style;
    params.ExStyle = exStyle;
    // Centred on the owner, but whole on the work area.
    RECT work {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int left = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
    int top = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
    if (work.right > work.left) {
        left = std::max<int>(work.left, std::min<int>(left, work.right - width));
        top = std::max<int>(work.top, std::min<int>(top, work.bottom - height));
    }
    params.X = left;
    params.Y = top;
    params.Width = width;
    params.Height = height;
    params.Parent = owner_;
    if (!CreateHandle(windowClass, params)) return false;

    tree_ = MakeChild(WC_TREEVIEWW, {}, WS_VISIBLE | WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT, 100, WS_EX_CLIENTEDGE);
    MoveWindow(tree_, Margin, Margin, TreeWidth, ClientHeight - 2 * Margin - ButtonHeight - Margin, FALSE);

    form_ = std::make_unique<TSettingsForm>(global_.Settings(), global_.ModuleSettings(), *this);
    form_->SetThemeNames(GetThemeNames());
    form_->Build();
    buildingPage_ = -1;

    int x = ClientWidth - Margin - 3 * ButtonWidth - 2 * 6, y = ClientHeight - Margin - ButtonHeight;
    HWND ok = MakeChild(L"BUTTON", LoadString(sidSfOk), WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    HWND cancel = MakeChild(L"BUTTON", LoadString(sidSfCancel), WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
    HWND apply = MakeChild(L"BUTTON", LoadString(sidSfApply), WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, ApplyId);
    MoveWindow(ok, x, y, ButtonWidth, ButtonHeight, FALSE);
    MoveWindow(cancel, x + ButtonWidth + 6, y, ButtonWidth, ButtonHeight, FALSE);
    MoveWindow(apply, x + 2 * (ButtonWidth + 6), y, ButtonWidth, ButtonHeight, FALSE);

    Layout();
    formPlace_.FormCreated();
    int page = form_->SelectedPage();
    if (page < static_cast<int>(pageItems_.size())) SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(pageItems_[page]));
    ShowPage(page);
    return true;
}

template <class T, class... Args> T& TSettingsDialog::AddControl(Args&&... args)
{
    auto control = std::make_unique<T>(*this, buildingPage_, std::forward<Args>(args)...);
    T& result = *control;
    controls_.push_back(std::move(control));
    return result;
}

void TSettingsDialog::AddPage(const String& caption)
{
    TVINSERTSTRUCTW insert {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(WidePtr(caption));
    insert.item.lParam = static_cast<LPARAM>(pageItems_.size());
    pageItems_.push_back(reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
    buildingPage_ = static_cast<int>(pageItems_.size()) - 1;
}

void TSettingsDialog::AddGroup(const String& caption) { AddControl<TLabel>(caption, false, font_); }

void TSettingsDialog::AddExplanation(const String& text) { AddControl<TLabel>(text, true, font_); }

ICheckBoxControl& TSettingsDialog::AddCheckBox(bool visible)
{
    TCheckBox& box = AddControl<TCheckBox>();
    if (!visible) box.SetVisible(false);
    return box;
}

IComboBoxControl& TSettingsDialog::AddComboBox(const String& label) { return AddControl<TComboBox>(label); }

IRadioGroupControl& TSettingsDialog::AddRadioGroup() { return AddControl<TRadioGroup>(); }

IIntegerEditControl& TSettingsDialog::AddIntegerEdit(const String& label) { return AddControl<TIntegerEdit>(label); }

IHotKeyControl& TSettingsDialog::AddHotKey(const String& label) { return AddControl<THotKeyEdit>(label); }

IFontButtonControl& TSettingsDialog::AddFontButton(const String& note) { return AddControl<TFontButton>(note); }

ITextEditControl& TSettingsDialog::AddFileEdit(const String& browseCaption, std::function<void()> browse)
{
    return AddControl<TFileEdit>(browseCaption, std::move(browse));
}

void TSettingsDialog::AddButton(const String& caption, std::function<void()> click)
{
    AddControl<TPushButton>(caption, std::move(click));
}

bool TSettingsDialog::AskSaveFileName(String& fileName)
{
    TOpenSaveDialog dialog;
    dialog.FileName = fileName;
    dialog.FileFilters.Add(u"tpt");
    if (!dialog.ExecuteSave(Handle())) return false;
    fileName = dialog.FileName;
    return true;
}

void TSettingsDialog::Layout()
{
    std::vector<int> y(pageItems_.size(), Margin);
    for (auto& control : controls_) {
        if (!control->Wanted() || control->Page() < 0) continue;
        int& top = y[static_cast<size_t>(control->Page())];
        top += control->Place(top);
    }
    if (form_) ShowPage(form_->SelectedPage());
}

void TSettingsDialog::ShowPage(int page)
{
    for (auto& control : controls_) control->Show(control->Page() == page);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TSettingsDialog::Close(bool ok)
{
    formPlace_.FormCloseQuery();
    form_->Closed();
    done_ = true;
}

bool TSettingsDialog::RunModal()
{
    HWND owner = owner_;
    bool ownerEnabled = owner && IsWindowEnabled(owner);
    if (ownerEnabled) EnableWindow(owner, FALSE);
    Show();
    SetFocus(tree_);
    MSG msg;
    while (!done_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program ends: the loop above gets the quit again.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (Handle() && IsDialogMessageW(Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ownerEnabled) EnableWindow(owner, TRUE);
    if (owner && IsWindowVisible(owner)) SetActiveWindow(owner);
    ::ShowWindow(Handle(), SW_HIDE);
    return reopen_;
}

LRESULT TSettingsDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND: {
        HWND from = reinterpret_cast<HWND>(lParam);
        WORD id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDOK) {
            form_->Ok();
            Close(true);
            return 0;
        }
        if (id == IDCANCEL) {
            Close(false);
            return 0;
        }
        if (id == ApplyId) {
            if (form_->Apply()) {
                // Made again in the new language, once this one has closed.
                reopen_ = true;
                Close(true);
            }
            return 0;
        }
        for (auto& control : controls_)
            if (control->Owns(from)) {
                control->Command(from, code);
                break;
            }
        return 0;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == tree_ && header->code == TVN_SELCHANGEDW) {
            auto* change = reinterpret_cast<NMTREEVIEWW*>(lParam);
            int page = static_cast<int>(change->itemNew.lParam);
            form_->SelectPage(page);
            ShowPage(page);
            return 0;
        }
        // The pages cannot be collapsed.
        if (header->hwndFrom == tree_ && header->code == TVN_ITEMEXPANDINGW)
            return reinterpret_cast<NMTREEVIEWW*>(lParam)->action == TVE_COLLAPSE ? TRUE : FALSE;
        break;
    }
    case WM_CTLCOLORSTATIC: {
        HWND from = reinterpret_cast<HWND>(lParam);
        auto dc = reinterpret_cast<HDC>(wParam);
        for (auto& control : controls_)
            if (control->IsNote(from)) {
                SetTextColor(dc, GetSysColor(COLOR_3DDKSHADOW));
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
        break;
    }
    case WM_CLOSE:
        Close(false);
        return 0;
    default:
        break;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

} // namespace quillora
