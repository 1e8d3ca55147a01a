#pragma once
// The web service of the Windows build: the application-information document is fetched
// with WinINet on a worker thread, so the program's own thread (and with it the
// drop-down hotkey) goes on working; the result is posted back to a message-only window
// and handed over from the message loop.
#include "foundation/win32/WinInclude.h"

#include <memory>

#include "foundation/Streams.h"
#include "shell/WebSupport.h"

namespace quillora {

// Reads `url` into `stream` (4096-byte blocks, no cache, the system's proxy, 6000 ms
// for every network step). False, with `stream` emptied, when more than `maxSize` bytes
// arrive. Raises "Unable to initialize WinInet.\r\n<system message>" or "Can't open
// URL: <url>\r\n<system message>". Runs on any thread.
bool DownloadToStream(const String& url, TMemoryStream& stream, size_t maxSize = SIZE_MAX);
// The system's text for a WinINet error code (from wininet.dll's messages, else the
// system's); "Error N" when neither knows it.
String WinInetErrorText(DWORD error);

class TDownloadWindow;

class TWinWebService : public TWebService {
public:
    TWinWebService();
    ~TWinWebService() override;

    // QUILLORA_APPINFO_URL when the environment has it, else DefaultAppInfoUrl.
    String AppInfoUrl() const override;
    bool ProductInfo(String& name, String& version) const override;
    void Download(const String& url, size_t maxSize, std::function<void(TDownloadResult)> done) override;

private:
    // Made at the first download, on the thread that asks.
    std::unique_ptr<TDownloadWindow> window_;
};

} // namespace quillora
