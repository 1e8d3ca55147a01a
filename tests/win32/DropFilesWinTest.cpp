// A picture file dropped on the editor's document in the viewport's real window (under
// Wine): the shell's drop (a DROPFILES block of wide names) arrives as WM_DROPFILES, and
// the comment under the drop point takes the file as an image element.
#include <gtest/gtest.h>

#include "foundation/win32/WinInclude.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "editor/Sheet.h"
#include "editor/SheetView.h"
#include "foundation/Files.h"
#include "foundation/Service.h"
#include "foundation/Utils.h"
#include "foundation/win32/WinPaths.h"
#include "foundation/win32/Window.h"
#include "images/Frame.h"
#include "images/PlatformDecoder.h"
#include "library/CommonElements.h"
#include "library/DataElement.h"
#include "render/Canvas.h"
#include "render/SheetSettingsTheme.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "shell/Settings.h"
#include "widgets/win32/RangeBoxWindow.h"
#include "win32/TestWindows.h"

namespace quillora {
namespace {

using quillora::test::PumpUntil;

class TDropFrame : public TWindow {
public:
    bool Create()
    {
        TWindowParams params;
        params.Style = WS_POPUP | WS_VISIBLE;
        params.X = 60;
        params.Y = 60;
        params.Width = 420;
        params.Height = 320;
        return CreateHandle({L"QuilloraDropTestFrame"}, params);
    }
};

HGLOBAL MakeDrop(const String& name, POINT at)
{
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t));
    if (!memory) return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = at;
    header->fWide = TRUE;
    auto* list = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
    std::copy(name.begin(), name.end(), list);
    GlobalUnlock(memory);
    return memory;
}

TEST(SheetWinDropTest, APngDroppedOnACommentBecomesAnImageElement)
{
    if (!quillora::test::HaveDisplay()) GTEST_SKIP() << "needs a display (run by the display tests)";
    InitializeModules();
    const String folder = GetTempFolder() + u"QuilloraDrop" + IntToString(static_cast<long long>(GetCurrentProcessId()));
    ASSERT_TRUE(ForceFolders(folder));
    const String data = folder + u"\\data.tpt", picture = folder + u"\\Dropped picture.png";
    WriteWholeFile(data, "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\"><Comment><Chars Value=\"note\"/></Comment></Quillora>");
    TFrame frame(5, 4);
    for (uint32_t& p : frame.Pixels()) p = 0xFF336699u;
    TMemoryStream png;
    Service<TPlatformDecoder>().Encode(frame, pePng, png);
    WriteWholeFile(picture, std::string(reinterpret_cast<const char*>(png.Data()), png.Size()));

    TSettings settings {Service<TSettingsPlatform>()};
    TSheetSettingsTheme look {settings.Sheet()};
    auto document = TTrayAppDocument::New<TQuilloraDocument>();
    document->LoadDataFile(data);
    auto* comment = dynamic_cast<TElement_Comment*>(document->QuilloraRoot()->FirstVisual());
    ASSERT_NE(comment, nullptr);
    TSheet sheet {&settings.Sheet(), std::make_unique<TCustomSheetCanvas>(look)};
    sheet.SetDocument(document->QuilloraRoot());
    TDropFrame window;
    TRangeBoxWindow box;
    TSheetView view;
    ASSERT_TRUE(window.Create());
    ASSERT_TRUE(box.Create(window.Handle(), Rect(0, 0, 400, 300)));
    view.SetSheet(document->Scheme(), &sheet);
    box.Box().SetContent(&view);
    PumpUntil(nullptr, 50);
    // The editor's window takes dropped files.
    EXPECT_NE(GetWindowLongPtrW(box.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);

    const TRect bounds = comment->ToSheet(comment->GetLocalRect());
    const TPoint client = box.Box().RangeToClient(TPoint {bounds.Right - 1, (bounds.Top + bounds.Bottom) / 2});
    SendMessageW(box.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(picture, {client.X, client.Y})), 0);
    TElement_Image* image = nullptr;
    for (TVisualElement* child = comment->FirstVisual(); child; child = child->NextVisual())
        if (auto* found = dynamic_cast<TElement_Image*>(child)) image = found;
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Type(), u"png");
    EXPECT_EQ(image->Data().Bytes(), png.Bytes());
    int width = 0, height = 0;
    EXPECT_TRUE(image->GetImageSize(width, height));
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 4);

    box.Box().SetContent(nullptr);
    view.SetSheet(nullptr, nullptr);
    box.DestroyHandle();
    window.DestroyHandle();
    sheet.SetDocument(nullptr);
    DeleteFileW(WidePtr(picture));
    DeleteFileW(WidePtr(data));
    RemoveDirectoryW(WidePtr(folder));
}

} // namespace
} // namespace quillora
