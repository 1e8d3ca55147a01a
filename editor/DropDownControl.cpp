#include "editor/DropDownControl.h"

#include <algorithm>

#include "editor/Sheet.h"
#include "foundation/Colors.h"
#include "render/Canvas.h"
#include "render/SheetCanvas.h"

namespace quillora {

TDropDownControl::TDropDownControl(TSheet& sheet) : sheet_(sheet) { Populate(); }

TDropDownList* TDropDownControl::List() const { return sheet_.DropDownList(); }

void TDropDownControl::Populate()
{
    rows_.clear();
    TDropDownList* list = List();
    if (!list) return;
    TDropDownItem* item = list->FirstItem();
    while (item) {
        rows_.push_back(item);
        if (item->Expanded() && item->FirstItem()) {
            item = item->FirstItem();
            continue;
        }
        while (item && !item->NextItem()) {
            item = item->ParentItem();
            if (item == &list->RootItem()) item = nullptr;
        }
        if (item) item = item->NextItem();
    }
    topRow_ = std::clamp(topRow_, 0, std::max(0, static_cast<int>(rows_.size()) - VisibleRows()));
    const int selected = SelectedRow();
    if (selected >= 0) ScrollToRow(selected);
}

int TDropDownControl::SelectedRow() const
{
    TDropDownList* list = List();
    if (!list || !list->Selected()) return -1;
    const auto it = std::find(rows_.begin(), rows_.end(), list->Selected());
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

int TDropDownControl::ItemHeight() const
{
    TDropDownList* list = List();
    return list && list->ItemHeight > 0 ? list->ItemHeight : 12;
}

int TDropDownControl::VisibleRows() const
{
    return std::clamp(static_cast<int>(rows_.size()), 1, MaxRows);
}

TRect TDropDownControl::Place(const TRect& element, const TRect& desktop, int frame, int scrollBarWidth) const
{
    TDropDownList* list = List();
    const int listWidth = list && list->Width > 0 ? list->Width : 32;
    const int width = std::min(listWidth + scrollBarWidth + 2, desktop.Width() * 3 / 4);
    const int h = ItemHeight();
    int rows = VisibleRows();
    const int below = desktop.Bottom - element.Bottom;
    const int above = element.Top - desktop.Top;
    const bool up = below < above;
    const int room = up ? above : below;
    while (rows > 1 && rows * h + frame > room) --rows;
    const int height = rows * h + frame;
    int left = element.Left;
    if (left + width > desktop.Right) left = std::max(desktop.Left, desktop.Right - width);
    const int top = up ? element.Top - height : element.Bottom;
    return Bounds(left, top, width, height);
}

TRect TDropDownControl::Grow(const TRect& old, const TRect& now)
{
    if (old.IsEmpty()) return now;
    const int left = std::min(old.Left, now.Left);
    const int top = std::min(old.Top, now.Top);
    return Bounds(left, top, std::max(old.Width(), now.Width()), std::max(old.Height(), now.Height()));
}

void TDropDownControl::ScrollToRow(int row)
{
    const int visible = VisibleRows();
    if (row < topRow_) topRow_ = row;
    else if (row >= topRow_ + visible) topRow_ = row - visible + 1;
}

void TDropDownControl::SelectRow(int row)
{
    TDropDownList* list = List();
    if (!list || rows_.empty()) return;
    row = std::clamp(row, 0, static_cast<int>(rows_.size()) - 1);
    ScrollToRow(row);
    list->SetSelected(rows_[row]);
}

bool TDropDownControl::KeyDown(TKeyCode key)
{
    const int selected = SelectedRow();
    const int page = VisibleRows();
    const int last = static_cast<int>(rows_.size()) - 1;
    switch (key) {
    case kcUp: SelectRow(selected < 0 ? 0 : selected - 1); return true;
    case kcDown: SelectRow(selected + 1); return true;
    case kcPrior: SelectRow(selected < 0 ? 0 : selected - page + 1); return true;
    case kcNext: SelectRow(selected < 0 ? 0 : selected + page - 1); return true;
    case kcHome: SelectRow(0); return true;
    case kcEnd: SelectRow(last); return true;
    default: return false;
    }
}

int TDropDownControl::RowAt(TPoint point) const
{
    if (point.Y < 0 || point.X < 0) return -1;
    const int row = topRow_ + point.Y / ItemHeight();
    return row < static_cast<int>(rows_.size()) ? row : -1;
}

void TDropDownControl::PointerMove(TPoint point)
{
    if (point == lastMove_) return;
    const bool first = !moved_;
    moved_ = true;
    lastMove_ = point;
    if (first) return;
    const int row = RowAt(point);
    if (row >= 0) SelectRow(row);
}

void TDropDownControl::Wheel(int delta, TPoint point)
{
    const int maxTop = std::max(0, static_cast<int>(rows_.size()) - VisibleRows());
    topRow_ = std::clamp(topRow_ - delta * 3, 0, maxTop);
    const int row = RowAt(point);
    if (row >= 0) SelectRow(row);
}

void TDropDownControl::PointerDown(TPoint point)
{
    const int row = RowAt(point);
    if (row >= 0) SelectRow(row);
}

void TDropDownControl::PointerUp(TPoint point, bool inside)
{
    TDropDownList* list = List();
    if (!list) return;
    const int row = RowAt(point);
    if (inside && row >= 0) {
        TDropDownItem* item = rows_[row];
        const int indent = (TDropDownList::Depth(item) - 1) * GroupCell;
        if (item->FirstItem() && point.X < indent + GroupCell) {
            item->SetExpanded(!item->Expanded());
            Populate();
            return;
        }
    }
    TDropDownItem* selected = list->Selected();
    if (!selected || selected->Selectable) sheet_.CloseDropDown(inside);
}

void TDropDownControl::PaintRow(TSheetCanvas& canvas, int row, const TRect& rect) const
{
    TDropDownList* list = List();
    if (!list || row < 0 || row >= static_cast<int>(rows_.size())) return;
    const TDropDownItem& item = *rows_[row];
    const bool selected = list->Selected() == &item;
    const bool marked = selected && item.Selectable;
    const int indent = (TDropDownList::Depth(&item) - 1) * GroupCell;
    int x = rect.Left + indent;
    if (item.FirstItem()) {
        const TRect cell = Rect(rect.Left, rect.Top, x + GroupCell, rect.Bottom);
        canvas.DrawRect(cell, clNone, selected ? clHighlight : clWindow);
        canvas.DrawRect(Rect(cell.Right, rect.Top, rect.Right, rect.Bottom), clNone, marked ? clHighlight : clWindow);
        const TSheetThemeElement glyph = item.Expanded() ? steExpanded : steCollapsed;
        const TPoint size = canvas.GetThemeImageSize(glyph);
        canvas.DrawThemeImage(glyph, {x + (GroupCell - size.X) / 2, rect.Top + (rect.Height() - size.Y) / 2});
        x += GroupCell;
    } else {
        canvas.DrawRect(rect, clNone, marked ? clHighlight : clWindow);
    }
    if (item.ImageIndex >= 0) {
        canvas.DrawCharImage(x, rect.Top + (rect.Height() - 12) / 2, item.ImageIndex);
        x += 12 + 6;
    }
    TColor color = marked ? clHighlightText : clWindowText;
    if (!item.Enabled) color = RGBColor(128, 128, 128);
    auto* bitmapCanvas = dynamic_cast<TCustomSheetCanvas*>(&canvas);
    if (!bitmapCanvas) return;
    const TFont& font = bitmapCanvas->ThemeFont(stfValue);
    const int y = rect.Top + (rect.Height() - font.Height()) / 2;
    const String& text = item.ShownText();
    canvas.DrawFontText(font, x, y, color, text.data(), static_cast<int>(text.size()));
    if (!item.ShortCutText.empty()) {
        const int width = font.TextWidth(item.ShortCutText.data(), static_cast<int>(item.ShortCutText.size()));
        TColor shortCutColor = color;
        if (!marked && item.Enabled) shortCutColor = clGrayText;
        canvas.DrawFontText(font, rect.Right - 8 - width, y, shortCutColor, item.ShortCutText.data(),
                            static_cast<int>(item.ShortCutText.size()));
    }
}

} // namespace quillora
