#pragma once
// The vendor's web pages and the update check. Their addresses are not built into the
// program: they come from the application-information document that the vendor
// publishes (a knot text, UTF-8), which also lists the current versions of each
// product:
//
//   <AppInfo>
//     <AppLangToWebLang DefaultWebLang="en"> <Pair AppLang="1031" WebLang="de"/> </AppLangToWebLang>
//     <Applications>
//       <Quillora ActualVersions="1.2, 1.3" DownloadPage="https://.../%lang%/download" .../>
//     </Applications>
//     <Resources ThemesPage="https://.../%lang%/themes"/>
//   </AppInfo>
//
// TWebSupport runs one request at a time: it fetches the document through the web
// service without blocking the message loop (the busy cursor shows meanwhile), then
// opens the page or tells the result of the check. Errors go to the application's error
// handler.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "foundation/Knot.h"
#include "foundation/Strings.h"

namespace quillora {

// The document's address when the environment does not name another one
// (QUILLORA_APPINFO_URL).
constexpr char16_t DefaultAppInfoUrl[] = u"https://www.loomwise.com/appinfo/quillora.xml";
// A larger document is refused unread.
constexpr size_t MaxAppInfoSize = 1024 * 1024;

// The end of one download.
struct TDownloadResult {
    // The bytes arrived completely.
    bool Ok = false;
    // The document was larger than the limit; nothing was kept.
    bool TooLarge = false;
    std::string Data;
    // The user-readable error when neither Ok nor TooLarge.
    String Error;
};

// The platform's side: the document's address, the running program's version
// information and the download.
class TWebService {
public:
    virtual ~TWebService() = default;
    virtual String AppInfoUrl() const = 0;
    // "ProductName" and "ProductVersion" of the program's version information; false
    // when it cannot be read.
    virtual bool ProductInfo(String& name, String& version) const = 0;
    // Starts fetching `url`, at most `maxSize` bytes, and returns at once. `done` is
    // called later from the message loop of the calling thread, exactly once.
    virtual void Download(const String& url, size_t maxSize, std::function<void(TDownloadResult)> done) = 0;
};

// Outside Windows: no network. Every download ends at once with an error; the
// version information is the build's.
class TNoWebService : public TWebService {
public:
    String AppInfoUrl() const override { return DefaultAppInfoUrl; }
    bool ProductInfo(String& name, String& version) const override;
    void Download(const String& url, size_t maxSize, std::function<void(TDownloadResult)> done) override;
};

// ---- the document ----

// Decodes `bytes` (UTF-8, with or without its mark) and parses them into `tree`.
// Raises the size-limit message for a document larger than MaxAppInfoSize.
void ParseAppInfo(const std::string& bytes, TKnot& tree);
// The "WebLang" of the first pair of "AppLangToWebLang" whose "AppLang" is
// `languageCode`; else its "DefaultWebLang" (empty when missing).
String MapWebLanguage(TKnot& tree, const String& languageCode);
// `address` with every "%lang%" replaced by `webLanguage`.
String ExpandPageAddress(const String& address, const String& webLanguage);
// The product's node name: the product name without spaces.
String ProductKey(const String& productName);
// The entries of "ActualVersions": split at commas only, each trimmed; empty entries
// left out.
std::vector<String> SplitVersions(const String& versions);
// Whether `version` is one of `versions` (ignoring case).
bool IsListedVersion(const std::vector<String>& versions, const String& version);
// An address that the program hands to the browser: "http://" or "https://" (any
// case), a host, and no blanks, quotes, angle brackets or control characters.
bool IsWebAddress(const String& address);
// Opens `address` in the default browser when it is a web address; raises the refusal
// message otherwise. No browser: nothing happens.
void OpenWebAddress(const String& address);

// ---- the requests ----

class TWebSupport {
public:
    TWebSupport() = default;
    // A request under way is forgotten (its answer is dropped) and the busy cursor ends.
    ~TWebSupport();
    TWebSupport(const TWebSupport&) = delete;
    TWebSupport& operator=(const TWebSupport&) = delete;

    // The page `key` of the product ("OnlineHelpPage", "HomePage", "CommunityPage",
    // "ForumPage", "DownloadPage") in the web language of `languageCode`.
    bool OpenProductPage(const String& key, const String& languageCode);
    // The shared page `key` of "Resources" ("ThemesPage").
    bool OpenResourcePage(const String& key, const String& languageCode);
    // Compares the running version with the listed ones and says so; on a newer version
    // OK opens the download page.
    bool CheckForUpdates(const String& languageCode);
    // Each returns false, doing nothing, while a request is under way.
    bool Busy() const { return busy_; }

private:
    enum TKind { wkProductPage, wkResourcePage, wkCheckForUpdates };
    struct TRequest {
        TKind Kind;
        String Key;
        String LanguageCode;
        String ProductName;
        String Version;
    };
    bool Start(TRequest request);
    void Finished(const TRequest& request, TDownloadResult result);
    void Complete(const TRequest& request, TDownloadResult& result);

    bool busy_ = false;
    // Expires with the object: a late answer finds it gone.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

// ---- the About box ----

struct TAboutText {
    // "About %1" with the title.
    String Caption;
    // The title, a space, the version.
    String TitleLine;
};
TAboutText AboutText(const String& version);
// The notice of the About box and the page its logo opens.
String AboutNotice();
constexpr char16_t AboutLinkUrl[] = u"https://www.loomwise.com/";

} // namespace quillora
