#pragma once
// The Edit menu's commands, asked of and performed on the focused element: when each
// is enabled, and what it does. A paste that fails sounds the default beep.

#include <cstdint>

namespace quillora {

class TVisualElement;

enum TEditCommand : uint8_t {
    ecCut,
    ecCopy,
    ecCopyText,
    ecPaste,
    ecDelete,
    ecSelectAll,
};

// Cut: CanCopy and CanDelete; Copy: CanCopy; Copy Text: CanCopyText; Paste: CanPaste;
// Delete: CanDelete; Select All: voSelectAll.
bool IsEditCommandEnabled(TVisualElement& element, TEditCommand command);
// Cut = Copy then Delete; Paste with the busy cursor shown, beeping when it returns false.
// Does not check IsEditCommandEnabled.
void ExecuteEditCommand(TVisualElement& element, TEditCommand command);

// The platform's default beep, provided as Service<TBeeper>() (foundation/Service.h).
class TBeeper {
public:
    virtual ~TBeeper() = default;
    virtual void Beep() = 0;
};

// Where there is no system beep to sound.
class TSilentBeeper : public TBeeper {
public:
    void Beep() override {}
};

} // namespace quillora
