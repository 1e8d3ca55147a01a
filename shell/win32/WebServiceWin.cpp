#include "shell/win32/WebServiceWin.h"

#include <wininet.h>

#include <utility>
#include <vector>

#include "foundation/Exceptions.h"
#include "foundation/win32/Window.h"
#include "foundation/win32/WinPaths.h"
#include "shell/win32/AppStartup.h"

namespace quillora {

namespace {

constexpr DWORD NetworkTimeout = 6000;
constexpr DWORD ReadBlockSize = 4096;
// The worker's message to the download window: lParam is the finished job.
constexpr UINT WM_DOWNLOADED = WM_APP + 0x71;

class TInternetHandle {
public:
    explicit TInternetHandle(HINTERNET handle) : handle_(handle) {}
    ~TInternetHandle()
    {
        if (handle_) InternetCloseHandle(handle_);
    }
    TInternetHandle(const TInternetHandle&) = delete;
    TInternetHandle& operator=(const TInternetHandle&) = delete;
    HINTERNET Get() const { return handle_; }

private:
    HINTERNET handle_;
};

String TrimmedMessage(const wchar_t* text)
{
    String message = FromWide(text, wcslen(text));
    while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n' || message.back() == u' '))
        message.pop_back();
    return message;
}

[[noreturn]] void RaiseOpenError(const String& url, DWORD error)
{
    throw Exception(u"Can't open URL: " + url + u"\r\n" + WinInetErrorText(error));
}

} // namespace

String WinInetErrorText(DWORD error)
{
    wchar_t* buffer = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
    HMODULE wininet = GetModuleHandleW(L"wininet.dll");
    if (wininet) flags |= FORMAT_MESSAGE_FROM_HMODULE;
    DWORD length = FormatMessageW(flags, wininet, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    String message;
    if (length && buffer) message = TrimmedMessage(buffer);
    if (buffer) LocalFree(buffer);
    if (message.empty()) message = u"Error " + IntToString(static_cast<long long>(error));
    return message;
}

bool DownloadToStream(const String& url, TMemoryStream& stream, size_t maxSize)
{
    TInternetHandle internet(InternetOpenW(L"AppWeb", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet.Get()) throw Exception(u"Unable to initialize WinInet.\r\n" + WinInetErrorText(GetLastError()));
    DWORD timeout = NetworkTimeout;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                         INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
        InternetSetOptionW(internet.Get(), option, &timeout, sizeof(timeout));
    TInternetHandle file(InternetOpenUrlW(internet.Get(), WidePtr(url), nullptr, 0,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE |
                                              INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI,
                                          0));
    if (!file.Get()) RaiseOpenError(url, GetLastError());
    std::vector<uint8_t> block(ReadBlockSize);
    size_t total = 0;
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(file.Get(), block.data(), ReadBlockSize, &read)) RaiseOpenError(url, GetLastError());
        if (read == 0) break;
        total += read;
        if (total > maxSize) {
            stream.Clear();
            return false;
        }
        stream.Write(block.data(), read);
    }
    return true;
}

// ---- the worker ----

namespace {

struct TDownloadJob {
    String Url;
    size_t MaxSize = 0;
    HWND Target = nullptr;
    std::function<void(TDownloadResult)> Done;
    TDownloadResult Result;
};

DWORD WINAPI DownloadThread(void* parameter)
{
    auto* job = static_cast<TDownloadJob*>(parameter);
    try {
        TMemoryStream stream;
        if (DownloadToStream(job->Url, stream, job->MaxSize)) {
            job->Result.Ok = true;
            job->Result.Data.assign(reinterpret_cast<const char*>(stream.Data()), stream.Size());
        } else {
            job->Result.TooLarge = true;
        }
    } catch (const Exception& e) {
        job->Result.Error = e.Message();
    } catch (...) {
        job->Result.Error = u"Can't open URL: " + job->Url;
    }
    // The window is gone when the program ends meanwhile: nobody waits for the answer.
    if (!PostMessageW(job->Target, WM_DOWNLOADED, 0, reinterpret_cast<LPARAM>(job))) delete job;
    return 0;
}

} // namespace

// Receives the finished jobs on the thread that made it.
class TDownloadWindow : public TWindow {
public:
    bool Create() { return CreateHandle({L"TQuilloraDownloadWindow"}, {L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE}); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_DOWNLOADED) {
            std::unique_ptr<TDownloadJob> job(reinterpret_cast<TDownloadJob*>(lParam));
            if (job->Done) job->Done(std::move(job->Result));
            return 0;
        }
        return TWindow::WindowProc(msg, wParam, lParam);
    }
};

TWinWebService::TWinWebService() = default;

TWinWebService::~TWinWebService() = default;

String TWinWebService::AppInfoUrl() const
{
    wchar_t buffer[2048];
    DWORD length = GetEnvironmentVariableW(L"QUILLORA_APPINFO_URL", buffer, 2048);
    if (length > 0 && length < 2048) return FromWide(buffer, length);
    return DefaultAppInfoUrl;
}

bool TWinWebService::ProductInfo(String& name, String& version) const
{
    name = ReadVersionValue(u"ProductName");
    version = ReadVersionValue(u"ProductVersion");
    return !name.empty() && !version.empty();
}

void TWinWebService::Download(const String& url, size_t maxSize, std::function<void(TDownloadResult)> done)
{
    if (!window_) {
        auto window = std::make_unique<TDownloadWindow>();
        if (!window->Create()) throw Exception(u"Can't open URL: " + url + u"\r\n" + WinInetErrorText(GetLastError()));
        window_ = std::move(window);
    }
    auto job = std::make_unique<TDownloadJob>();
    job->Url = url;
    job->MaxSize = maxSize;
    job->Target = window_->Handle();
    job->Done = std::move(done);
    HANDLE thread = CreateThread(nullptr, 0, DownloadThread, job.get(), 0, nullptr);
    if (!thread) throw Exception(u"Can't open URL: " + url + u"\r\n" + WinInetErrorText(GetLastError()));
    job.release(); // the worker owns it now
    CloseHandle(thread);
}

} // namespace quillora
