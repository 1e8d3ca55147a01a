#include "shell/Modules.h"

#include "elements/Unaccepted.h"
#include "library/CommonElements.h"
#include "library/DataElement.h"
#include "typing/MacroElements.h"

namespace quillora {

void InitializeModules()
{
    static bool done = false;
    if (done) return;
    done = true;
    TElement_Unaccepted::Register();
    InitializeMacroElements();
    InitializeCommonElements();
    InitializeDataElements();
}

} // namespace quillora
