// The text element's drop-down list: finding the item that stands for the current text
// and applying a chosen one.
#include "elements/DropDownList.h"
#include "foundation/TextCompare.h"
#include "text/TextElement.h"

namespace quillora {

namespace {

// The beginning two texts share, in whole code points: exactly, or with case ignored as
// the user's locale ignores it (as the drop-down filter of the snippets does).
size_t CommonPrefix(StringView a, StringView b, bool ignoreCase)
{
    return ignoreCase ? CommonPrefixIgnoreCase(a, b) : CommonPrefixLength(a, b);
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
