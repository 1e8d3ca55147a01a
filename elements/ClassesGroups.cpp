#include "elements/ClassesGroups.h"

#include <algorithm>

namespace quillora {

TClassesGroups::TClassesGroups()
{
    for (int i = cgTextContent; i <= cgReserved; ++i) AddGroup();
}

int TClassesGroups::AddGroup()
{
    groups_.emplace_back();
    return Count() - 1;
}

TClassesGroups& ClassesGroups()
{
    static TClassesGroups groups;
    return groups;
}

void AddClass(TElementClassList& list, const TElementClass* elementClass)
{
    if (elementClass && std::find(list.begin(), list.end(), elementClass) == list.end()) list.push_back(elementClass);
}

void AddGroupClasses(TElementClassList& list, int group)
{
    // A copy, in case `list` is the group itself.
    const TElementClassList classes = ClassesGroups().GetGroups(group);
    for (const TElementClass* c : classes) AddClass(list, c);
}

void RemoveClass(TElementClassList& list, const TElementClass* elementClass)
{
    list.erase(std::remove(list.begin(), list.end(), elementClass), list.end());
}

} // namespace quillora
