#include "shell/WebSupport.h"

#include <utility>

#include "foundation/ErrorHandler.h"
#include "foundation/Exceptions.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/StringIds.h"
#include "foundation/TextCompare.h"
#include "foundation/Utils.h"

namespace quillora {

namespace {

bool IsBlank(Char c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xA0; }

String Trim(const String& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// The product's node under "Applications"; none when the document lacks it.
TKnot* ProductNode(TKnot& tree, const String& productName)
{
    TKnot* applications = tree.FindKnot(u"Applications");
    return applications ? applications->FindKnot(ProductKey(productName)) : nullptr;
}

[[noreturn]] void RaiseNotFound() { throw Exception(LoadString(sidAppInfoNotFound)); }

// The page `key` of `node`, with the web language put in; raises when it is missing.
String PageAddress(TKnot& tree, TKnot* node, const String& key, const String& languageCode)
{
    String address = node ? Trim(node->ReadString(key)) : String();
    if (address.empty()) RaiseNotFound();
    return ExpandPageAddress(address, MapWebLanguage(tree, languageCode));
}

} // namespace

bool TNoWebService::ProductInfo(String& name, String& version) const
{
    name = u"Quillora";
    version = u"0.0";
    return true;
}

void TNoWebService::Download(const String& url, size_t, std::function<void(TDownloadResult)> done)
{
    TDownloadResult result;
    result.Error = u"Can't open URL: " + url + u"\r\nThis build has no network access.";
    done(std::move(result));
}

// ---- the document ----

void ParseAppInfo(const std::string& bytes, TKnot& tree)
{
    if (bytes.size() > MaxAppInfoSize)
        throw Exception(FormatString(sidAppInfoTooLarge, {IntToString(static_cast<long long>(MaxAppInfoSize))}));
    std::string_view text = bytes;
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    tree.Clear();
    tree.LoadFromText(Utf8ToString(text));
}

String MapWebLanguage(TKnot& tree, const String& languageCode)
{
    TKnot* map = tree.FindKnot(u"AppLangToWebLang");
    if (!map) return {};
    for (TKnot* pair = map->FirstKnot(); pair; pair = pair->NextKnot())
        if (pair->ReadString(u"AppLang") == languageCode) return pair->ReadString(u"WebLang");
    return map->ReadString(u"DefaultWebLang");
}

String ExpandPageAddress(const String& address, const String& webLanguage)
{
    static constexpr StringView marker = u"%lang%";
    String out;
    size_t from = 0;
    for (size_t at; (at = address.find(marker, from)) != String::npos; from = at + marker.size()) {
        out.append(address, from, at - from);
        out += webLanguage;
    }
    out.append(address, from);
    return out;
}

String ProductKey(const String& productName)
{
    String key;
    for (Char c : productName)
        if (c != u' ') key += c;
    return key;
}

std::vector<String> SplitVersions(const String& versions)
{
    std::vector<String> entries;
    size_t from = 0;
    for (;;) {
        size_t comma = versions.find(u',', from);
        String entry = Trim(versions.substr(from, comma == String::npos ? String::npos : comma - from));
        if (!entry.empty()) entries.push_back(std::move(entry));
        if (comma == String::npos) break;
        from = comma + 1;
    }
    return entries;
}

bool IsListedVersion(const std::vector<String>& versions, const String& version)
{
    String running = Trim(version);
    for (const String& entry : versions)
        if (SameTextIgnoreCase(entry, running)) return true;
    return false;
}

bool IsWebAddress(const String& address)
{
    size_t hostStart;
    if (StartsWithIgnoreCase(address, u"http://")) hostStart = 7;
    else if (StartsWithIgnoreCase(address, u"https://")) hostStart = 8;
    else return false;
    for (Char c : address) {
        if (c <= 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0xA0 || c == u'"' || c == u'\'' || c == u'<' ||
            c == u'>' || c == u'`' || c == u'\\' || c == u'{' || c == u'}' || c == u'|' || c == u'^')
            return false;
        // Line and paragraph separators, bidirectional controls, other blanks.
        if ((c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) || c == 0x205F || c == 0x3000 || c == 0xFEFF)
            return false;
    }
    // A host: the part up to the path, query or fragment, without the user information.
    size_t hostEnd = address.find_first_of(u"/?#", hostStart);
    String authority = address.substr(hostStart, hostEnd == String::npos ? String::npos : hostEnd - hostStart);
    size_t at = authority.rfind(u'@');
    String host = at == String::npos ? authority : authority.substr(at + 1);
    if (host.empty() || host[0] == u':' || host[0] == u'.' || host[0] == u'-') return false;
    return true;
}

void OpenWebAddress(const String& address)
{
    if (!IsWebAddress(address)) throw Exception(FormatString(sidAppInfoBadAddress, {address}));
    OpenInBrowser(address);
}

// ---- the requests ----

TWebSupport::~TWebSupport()
{
    if (busy_) EndBusy();
}

bool TWebSupport::OpenProductPage(const String& key, const String& languageCode)
{
    String name, version;
    if (busy_) return false;
    // Without the version information there is no product to look up.
    if (!Service<TWebService>().ProductInfo(name, version)) return false;
    return Start({wkProductPage, key, languageCode, name, version});
}

bool TWebSupport::OpenResourcePage(const String& key, const String& languageCode)
{
    if (busy_) return false;
    return Start({wkResourcePage, key, languageCode, {}, {}});
}

bool TWebSupport::CheckForUpdates(const String& languageCode)
{
    String name, version;
    if (busy_) return false;
    if (!Service<TWebService>().ProductInfo(name, version)) return false;
    return Start({wkCheckForUpdates, {}, languageCode, name, version});
}

bool TWebSupport::Start(TRequest request)
{
    TWebService& web = Service<TWebService>();
    busy_ = true;
    BeginBusy();
    std::weak_ptr<int> alive = lifetime_;
    try {
        web.Download(web.AppInfoUrl(), MaxAppInfoSize, [this, alive, request](TDownloadResult result) {
            if (alive.expired()) return;
            Finished(request, std::move(result));
        });
    } catch (...) {
        busy_ = false;
        EndBusy();
        throw;
    }
    return true;
}

void TWebSupport::Finished(const TRequest& request, TDownloadResult result)
{
    if (!busy_) return;
    busy_ = false;
    EndBusy();
    try {
        Complete(request, result);
    } catch (...) {
        HandleCurrentException();
    }
}

void TWebSupport::Complete(const TRequest& request, TDownloadResult& result)
{
    if (result.TooLarge)
        throw Exception(FormatString(sidAppInfoTooLarge, {IntToString(static_cast<long long>(MaxAppInfoSize))}));
    if (!result.Ok) throw Exception(result.Error);
    TKnot tree;
    ParseAppInfo(result.Data, tree);

    switch (request.Kind) {
    case wkResourcePage:
        OpenWebAddress(PageAddress(tree, tree.FindKnot(u"Resources"), request.Key, request.LanguageCode));
        return;
    case wkProductPage:
        OpenWebAddress(PageAddress(tree, ProductNode(tree, request.ProductName), request.Key, request.LanguageCode));
        return;
    case wkCheckForUpdates: break;
    }

    TKnot* product = ProductNode(tree, request.ProductName);
    std::vector<String> versions = SplitVersions(product ? product->ReadString(u"ActualVersions") : String());
    if (versions.empty()) RaiseNotFound();
    if (IsListedVersion(versions, request.Version)) {
        ShowMessageBox(LoadString(sidLatestVersion), {}, mbOk | mbIconInformation);
        return;
    }
    String listed;
    for (const String& entry : versions) listed += (listed.empty() ? u"" : u", ") + entry;
    if (ShowMessageBox(FormatString(sidNewerVersion, {listed, request.Version}), {}, mbOkCancel | mbIconInformation) !=
        idOk)
        return;
    // The document just read names the download page.
    OpenWebAddress(PageAddress(tree, product, u"DownloadPage", request.LanguageCode));
}

// ---- the About box ----

TAboutText AboutText(const String& version)
{
    String title = LoadString(TitleStringId);
    return {FormatString(sidAboutCaption, {title}), version.empty() ? title : title + u" " + version};
}

String AboutNotice() { return LoadString(sidAboutNotice); }

} // namespace quillora
