// Quillora.exe: start-up, the message loop and shutdown.
#include "foundation/win32/WinInclude.h"

#include <commctrl.h>

#include "elements/SchemeImages.h"
#include "foundation/ErrorHandler.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "shell/Document.h"
#include "shell/Global.h"
#include "shell/Modules.h"
#include "shell/PlatformServices.h"
#include "shell/win32/AppMainForm.h"
#include "shell/win32/AppStartup.h"
#include "typing/MacroItems.h"
#include "typing/win32/DropDownForm.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    using namespace quillora;
    // The platform services, provided for the whole run.
    TPlatformServices platformServices;
    // Module initialization: process-wide values and the registrations of the modules.
    ProcessValues();
    InitializeModules();
    LoadProgramCursors();
    // The element images the sheets draw.
    TProvide<TCanvasImageLists> imageLists(SchemeCanvasImageLists());
    INITCOMMONCONTROLSEX controls {sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        // Errors that reach the edge of a message are shown in a message box, one at a time.
        TErrorBox errorBox;
        TProvide<TErrorHandler> errors(errorBox);
        TLocalization& localization = Localization();
        localization.SetFallbackLanguage(LangEnglish);
        localization.SetLanguage(LangEnglish);
        TGlobal global;
        global.DataModuleCreate(SetupFilePaths());
        if (IsAnotherInstanceRunning()) {
            FinalizeProcessValues();
            return 0;
        }

        TAppMainForm mainForm(global);
        if (!mainForm.Create(instance)) {
            FinalizeProcessValues();
            return 1;
        }
        TMainFormController& controller = mainForm.Controller();
        TDropDownForm dropDown(global.Settings().General().Typing(), &global.SessionFile());
        dropDown.Create(instance);
        dropDown.SetText(&controller.Document().Text());
        dropDown.OnType = [&global](int filterLength, const TParagraph& paragraph) {
            TypeParagraph(filterLength, paragraph, global.Settings().General().Typing());
        };
        mainForm.SetDropDownForm(&dropDown);
        if (controller.ShowAtStart()) controller.ShowMainWindow();

        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (mainForm.DialogMessage(msg)) continue;
            if (mainForm.PreviewKey(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        exitCode = static_cast<int>(msg.wParam);
        mainForm.SetDropDownForm(nullptr);
    }
    FinalizeProcessValues();
    return exitCode;
}
