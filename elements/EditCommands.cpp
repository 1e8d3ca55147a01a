#include "elements/EditCommands.h"

#include "elements/VisualElement.h"
#include "foundation/Service.h"
#include "foundation/Utils.h"

namespace quillora {

bool IsEditCommandEnabled(TVisualElement& element, TEditCommand command)
{
    switch (command) {
    case ecCut:
        return element.CanCopy() && element.CanDelete();
    case ecCopy:
        return element.CanCopy();
    case ecCopyText:
        return element.CanCopyText();
    case ecPaste:
        return element.CanPaste();
    case ecDelete:
        return element.CanDelete();
    case ecSelectAll:
        return element.HasVisualOption(voSelectAll);
    }
    return false;
}

void ExecuteEditCommand(TVisualElement& element, TEditCommand command)
{
    switch (command) {
    case ecCut:
        element.Copy();
        element.Delete();
        break;
    case ecCopy:
        element.Copy();
        break;
    case ecCopyText:
        element.CopyText();
        break;
    case ecPaste: {
        bool pasted;
        {
            TBusyCursor busy;
            pasted = element.Paste();
        }
        if (!pasted) Service<TBeeper>().Beep();
        break;
    }
    case ecDelete:
        element.Delete();
        break;
    case ecSelectAll:
        element.SelectAll();
        break;
    }
}

} // namespace quillora
