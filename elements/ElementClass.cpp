#include "elements/ElementClass.h"

#include <algorithm>
#include <map>

namespace quillora {

String TElementClass::GetTypeName() const
{
    return className_.size() > 9 ? className_.substr(9) : String();
}

const TElementClass* FindClassByTypeName(const TElementClassList& classes, StringView name)
{
    for (const TElementClass* c : classes)
        if (c && c->GetTypeName() == name) return c;
    return nullptr;
}

namespace {

// The process-wide registry of element classes (start-up fills it, exit empties it).
struct TElementClassRegistry {
    std::vector<const TElementClass*> Classes;
    std::map<const TElementClass*, TPaletteItemList> PaletteItems;
    TPaletteItem* DisableItem = nullptr;
};

TElementClassRegistry& Registry()
{
    static TElementClassRegistry registry;
    return registry;
}

} // namespace

void RegisterElementClass(const TElementClass& elementClass)
{
    auto& classes = Registry().Classes;
    if (std::find(classes.begin(), classes.end(), &elementClass) == classes.end()) classes.push_back(&elementClass);
}

void UnregisterElementClass(const TElementClass& elementClass)
{
    auto& classes = Registry().Classes;
    classes.erase(std::remove(classes.begin(), classes.end(), &elementClass), classes.end());
}

const TElementClass* FindElementClass(StringView typeName)
{
    return FindClassByTypeName(Registry().Classes, typeName);
}

void AddElementClassPaletteItem(const TElementClass& elementClass, TPaletteItem* item)
{
    Registry().PaletteItems[&elementClass].push_back(item);
}

void RemoveElementClassPaletteItems(const TElementClass& elementClass)
{
    Registry().PaletteItems.erase(&elementClass);
}

void GetElementClassPaletteItems(const TElementClass& elementClass, TPaletteItemList& list)
{
    auto& items = Registry().PaletteItems;
    auto it = items.find(&elementClass);
    if (it != items.end()) list.insert(list.end(), it->second.begin(), it->second.end());
}

void SetDisablePaletteItem(TPaletteItem* item) { Registry().DisableItem = item; }

TPaletteItem* GetDisablePaletteItem() { return Registry().DisableItem; }

} // namespace quillora
