// The Windows web service against the real WinINet (run under Wine): the error texts,
// the download on a worker thread whose answer comes through the message loop, and the
// document's address from the environment.
#include <gtest/gtest.h>

#include "foundation/Exceptions.h"
#include "foundation/win32/WinPaths.h"
#include "shell/win32/WebServiceWin.h"

using namespace quillora;

namespace {

// Nothing listens on port 1 of this machine.
const String ClosedPort = u"http://127.0.0.1:1/appinfo.xml";

TEST(WebServiceWin, UnreachableServerGivesTheUrlAndTheSystemsMessage)
{
    TMemoryStream stream;
    try {
        DownloadToStream(ClosedPort, stream);
        FAIL() << "no error";
    } catch (const Exception& e) {
        const String prefix = u"Can't open URL: " + ClosedPort + u"\r\n";
        ASSERT_EQ(e.Message().rfind(prefix, 0), 0u) << StringToUtf8(e.Message());
        String system = e.Message().substr(prefix.size());
        EXPECT_FALSE(system.empty());
        EXPECT_NE(system.rfind(u"Error ", 0), 0u) << "no system text: " << StringToUtf8(system);
    }
    EXPECT_EQ(stream.Size(), 0u);
    // WinINet's own codes have texts of their own.
    EXPECT_NE(WinInetErrorText(12029).rfind(u"Error ", 0), 0u);
}

TEST(WebServiceWin, DownloadAnswersThroughTheMessageLoop)
{
    TWinWebService web;
    bool done = false;
    TDownloadResult result;
    web.Download(ClosedPort, 1024, [&](TDownloadResult r) {
        done = true;
        result = std::move(r);
    });
    EXPECT_FALSE(done); // the worker runs; this thread goes on
    DWORD deadline = GetTickCount() + 20000;
    MSG msg;
    while (!done && GetTickCount() < deadline) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    ASSERT_TRUE(done);
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.TooLarge);
    EXPECT_EQ(result.Error.rfind(u"Can't open URL: " + ClosedPort, 0), 0u) << StringToUtf8(result.Error);
}

TEST(WebServiceWin, DocumentAddressFromTheEnvironment)
{
    TWinWebService web;
    wchar_t saved[2048];
    DWORD length = GetEnvironmentVariableW(L"QUILLORA_APPINFO_URL", saved, 2048);
    SetEnvironmentVariableW(L"QUILLORA_APPINFO_URL", nullptr);
    EXPECT_EQ(web.AppInfoUrl(), DefaultAppInfoUrl);
    SetEnvironmentVariableW(L"QUILLORA_APPINFO_URL", L"http://127.0.0.1:8000/a.xml");
    EXPECT_EQ(web.AppInfoUrl(), u"http://127.0.0.1:8000/a.xml");
    SetEnvironmentVariableW(L"QUILLORA_APPINFO_URL", length > 0 && length < 2048 ? saved : nullptr);
}

} // namespace
