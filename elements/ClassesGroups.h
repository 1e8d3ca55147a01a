#pragma once
// The class groups from which containers compose the element classes they accept: an
// ordered list of groups, each an ordered list of element classes, addressed by index.
// Element units add groups and fill them at start-up.

#include <deque>

#include "elements/ElementClass.h"

namespace quillora {

// The groups that the element model creates, in this order, when it starts.
enum TStandardClassesGroup : int {
    cgTextContent = 0,         // accepted by text elements that accept elements
    cgCommentContent = 1,      // accepted by comments
    cgExtendedTextContent = 2, // accepted by text elements with their first text option
    cgReserved = 3,
};

class TClassesGroups {
public:
    // Starts with the four standard groups, empty.
    TClassesGroups();
    TClassesGroups(const TClassesGroups&) = delete;
    TClassesGroups& operator=(const TClassesGroups&) = delete;

    // Appends a new empty group and returns its index.
    int AddGroup();
    int Count() const { return static_cast<int>(groups_.size()); }
    // The group's class list (the index must be valid).
    TElementClassList& GetGroups(int index) { return groups_.at(static_cast<size_t>(index)); }
    const TElementClassList& GetGroups(int index) const { return groups_.at(static_cast<size_t>(index)); }

private:
    std::deque<TElementClassList> groups_; // references stay valid while groups are added
};

// The process-wide instance.
TClassesGroups& ClassesGroups();

// Appends `elementClass` unless the list already has it.
void AddClass(TElementClassList& list, const TElementClass* elementClass);
// AddClass for every class of the group `group` of the process-wide groups, in order.
void AddGroupClasses(TElementClassList& list, int group);
// Takes `elementClass` out of the list.
void RemoveClass(TElementClassList& list, const TElementClass* elementClass);

} // namespace quillora
