#include "foundation/ViewHost.h"

namespace quillora {

namespace {
template <class Menu, class Item> Item* Find(Menu& menu, int command)
{
    for (Item& item : menu) {
        if (item.Command == command && command != 0) return &item;
        if (Item* found = Find<Menu, Item>(item.Items, command)) return found;
    }
    return nullptr;
}
} // namespace

const TMenuItem* FindMenuItem(const TMenu& menu, int command)
{
    return Find<const TMenu, const TMenuItem>(menu, command);
}

TMenuItem* FindMenuItem(TMenu& menu, int command)
{
    return Find<TMenu, TMenuItem>(menu, command);
}

} // namespace quillora
