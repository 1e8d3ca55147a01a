// The text element's drop-down list: finding the item that stands for the current text
// and applying a chosen one.
#include <algorithm>

#include "elements/DropDownList.h"
#include "text/TextElement.h"

namespace quillora {

namespace {

// Case folding for the second search: ASCII, Latin-1, Greek and Cyrillic capitals.
Char FoldCase(Char c)
{
    if (c < 0x80) return AsciiLower(c);
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return static_cast<Char>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<Char>(c + 0x50);
    return c;
}

size_t CommonPrefix(StringView a, StringView b, bool ignoreCase)
{
    size_t n = 0;
    const size_t limit = std::min(a.size(), b.size());
    while (n < limit && (ignoreCase ? FoldCase(a[n]) == FoldCase(b[n]) : a[n] == b[n])) ++n;
    return n;
}

template <class F>
void ForEachItem(TDropDownItem& root, F&& visit)
{
    for (TDropDownItem* item = root.FirstItem(); item; item = item->NextItem()) {
        visit(*item);
        ForEachItem(*item, visit);
    }
}

TDropDownItem* Search(TDropDownItem& root, StringView text, bool ignoreCase)
{
    TDropDownItem* equal = nullptr;
    TDropDownItem* begins = nullptr;
    TDropDownItem* longest = nullptr;
    size_t longestLength = 0;
    ForEachItem(root, [&](TDropDownItem& item) {
        const size_t common = CommonPrefix(item.Name, text, ignoreCase);
        if (!equal && common == text.size() && item.Name.size() == text.size()) equal = &item;
        if (!begins && common == text.size()) begins = &item;
        if (common > longestLength) {
            longest = &item;
            longestLength = common;
        }
    });
    if (equal) return equal;
    if (begins) return begins;
    return longest;
}

} // namespace

TDropDownItem* TTextorElement::FillDropDown(TDropDownItem& rootItem) { return FindDropDownItem(rootItem); }

TDropDownItem* TTextorElement::FindDropDownItem(TDropDownItem& rootItem)
{
    for (TVisualElement* child = FirstVisual(); child; child = child->NextVisual())
        if (child->Portion()) return nullptr;
    const String text = GetText();
    if (TDropDownItem* item = Search(rootItem, text, false)) return item;
    if (HasVisualOption(voDropDownCaseSensitive)) return nullptr;
    return Search(rootItem, text, true);
}

bool TTextorElement::ApplyDropDownItem(TDropDownItem* item)
{
    if (!item || IsReadOnly()) return false;
    ReplaceAllText(item->Name);
    return true;
}

} // namespace quillora
