#include "foundation/Utils.h"

#include <atomic>
#include <climits>

#include "foundation/Exceptions.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"

namespace quillora {

// ---- Busy cursor ----

namespace {
// The process-wide busy counter and the cursor to restore when it returns to 0.
std::atomic<int> busyCount{0};
TCursor cursorBeforeBusy = crDefault;
} // namespace

void BeginBusy()
{
    if (busyCount.load() == 0) {
        TCursorService& cursors = Service<TCursorService>();
        cursorBeforeBusy = cursors.ScreenCursor();
        cursors.SetScreenCursor(crHourGlass);
    }
    busyCount.fetch_add(1);
}

void EndBusy()
{
    // Never below 0: an unpaired EndBusy changes nothing.
    int count = busyCount.load();
    while (count > 0 && !busyCount.compare_exchange_weak(count, count - 1)) {
    }
    if (count == 1) Service<TCursorService>().SetScreenCursor(cursorBeforeBusy);
}

void SetCursorKeepingBusy(TCursor cursor)
{
    if (busyCount.load() > 0)
        cursorBeforeBusy = cursor;
    else
        Service<TCursorService>().SetScreenCursor(cursor);
}

int BusyCount() { return busyCount.load(); }

// ---- Message box ----

namespace {

// Whether a text that ends in `c` already ends a sentence: "." and "?", and the full
// stops and marks of the translated languages that have their own (Chinese and
// Japanese "。", "．", "？", "！", Arabic "؟"), which must not get a "." after them.
bool EndsSentence(Char c)
{
    switch (c) {
    case u'.':
    case u'?':
    case u'\u3002':
    case u'\uFF0E':
    case u'\uFF1F':
    case u'\uFF01':
    case u'\u061F': return true;
    default: return false;
    }
}

} // namespace

int ShowMessageBox(const String& text, const String& caption, unsigned flags)
{
    TMessageBoxService& boxes = Service<TMessageBoxService>();
    String message = text;
    if (!message.empty()) {
        Char last = message.back();
        if (last > u'!' && !EndsSentence(last)) message += u'.';
    }
    String title = caption;
    if (title.empty()) title = LoadString(TitleStringId);
    if (title.empty()) title = boxes.ApplicationTitle();
    if (boxes.ActiveWindowIsTopmost()) flags |= mbTopmost;
    return boxes.Show(message, title, flags);
}

// ---- Folders and file names ----

Char PathDelimiter()
{
#ifdef _WIN32
    return u'\\';
#else
    return u'/';
#endif
}

bool IsPathDelimiter(Char c) { return c == u'\\' || c == u'/'; }

String IncludeTrailingPathDelimiter(const String& path)
{
    if (path.empty() || IsPathDelimiter(path.back())) return path;
    return path + PathDelimiter();
}

namespace {
// Where the name part of a path starts (after the last delimiter or drive colon).
size_t NameStart(const String& fileName)
{
    size_t pos = fileName.find_last_of(u"\\/:");
    return pos == String::npos ? 0 : pos + 1;
}
// The position of the extension's "." in the name part, or npos.
size_t ExtensionDot(const String& fileName)
{
    size_t dot = fileName.rfind(u'.');
    if (dot == String::npos || dot < NameStart(fileName)) return String::npos;
    return dot;
}
} // namespace

String GetExtension(const String& fileName)
{
    size_t dot = ExtensionDot(fileName);
    return dot == String::npos ? String() : fileName.substr(dot + 1);
}

String GetBaseName(const String& fileName)
{
    size_t start = NameStart(fileName);
    size_t dot = ExtensionDot(fileName);
    return fileName.substr(start, dot == String::npos ? String::npos : dot - start);
}

String FormatFileNumber(const String& pattern, int number)
{
    String out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        Char c = pattern[i];
        if (c != u'%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        if (pattern[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool zero = j < pattern.size() && pattern[j] == u'0';
        if (zero) ++j;
        size_t width = 0;
        while (j < pattern.size() && pattern[j] >= u'0' && pattern[j] <= u'9' && width < 100)
            width = width * 10 + static_cast<size_t>(pattern[j++] - u'0');
        if (j < pattern.size() && pattern[j] == u'd') {
            String digits = IntToString(number);
            if (digits.size() < width) digits.insert(0, width - digits.size(), zero ? u'0' : u' ');
            out += digits;
            i = j;
        } else {
            out += c; // not a placeholder: kept as it is
        }
    }
    return out;
}

std::unique_ptr<TFileStream> CreateUniqueFile(const String& pattern, const String& extension, String& fileName,
                                              const String& folder)
{
    String dir = folder.empty() ? GetTempFolder() : IncludeTrailingPathDelimiter(folder);
    String previous;
    for (int n = 1; n < INT_MAX; ++n) {
        String name = dir + FormatFileNumber(pattern, n);
        if (!extension.empty()) name += u'.' + extension;
        if (name == previous) break; // a pattern without a number has one name only
        previous = name;
        if (auto file = TFileStream::CreateNew(name)) {
            fileName = name;
            return file;
        }
    }
    throw Exception(u"Cannot create a new file named like \"" + previous + u"\"");
}

// ---- Shell ----

bool ShellOpen(const String& fileName, const String& parameters, const String& verb, bool raiseOnError,
               int showCommand)
{
    intptr_t value;
    {
        TBusyCursor busy;
        TShellService& shell = Service<TShellService>();
        value = shell.Execute(verb, fileName, parameters, showCommand);
        if (value == 31 || value == 27) {
            // No (usable) association: let the user choose a program.
            String openAs = u"shell32,OpenAs_RunDLL " + fileName;
            if (!parameters.empty()) openAs += u' ' + parameters;
            value = shell.Execute(verb, u"rundll32.exe", openAs, showCommand);
        }
    }
    if (value > 32) return true;
    if (!raiseOnError) return false;
    bool folder = !fileName.empty() && IsPathDelimiter(fileName.back());
    if (value == 3 || ((value == 2 || value == 5) && folder)) RaisePathNotFound(fileName);
    if (value == 2 || value == 5) RaiseFileNotFound(fileName);
    throw PlatformError(u"ShellExecute error (" + IntToString(value) + u") to launch \"" + fileName + u"\"",
                        static_cast<long>(value));
}

String GetDefaultBrowser()
{
    String value;
    if (!Service<TRegistryReader>().ReadString(rrClassesRoot, u"http\\shell\\open\\command", String(), value)) return {};
    if (value.size() > 1 && value[0] == u'"') {
        size_t close = value.find(u'"', 1);
        return value.substr(1, close == String::npos ? String::npos : close - 1);
    }
    return value;
}

namespace {
// The address as one quoted command-line argument; false when it is not a plain
// address (it must start with a letter or digit, so that it can never be taken for
// an option of the browser).
bool QuoteAddress(const String& url, String& quoted)
{
    if (url.empty()) return false;
    Char first = url[0];
    bool plain = (first >= u'a' && first <= u'z') || (first >= u'A' && first <= u'Z') || (first >= u'0' && first <= u'9');
    if (!plain) return false;
    static const char hex[] = "0123456789ABCDEF";
    quoted = u"\"";
    for (Char c : url) {
        if (c == u'"' || c < 0x20 || c == 0x7F) {
            quoted += u'%';
            quoted += static_cast<Char>(hex[(c >> 4) & 0xF]);
            quoted += static_cast<Char>(hex[c & 0xF]);
        } else {
            quoted += c;
        }
    }
    // Backslashes before the closing quote would escape it.
    size_t trailing = 0;
    while (trailing < url.size() && url[url.size() - 1 - trailing] == u'\\') ++trailing;
    quoted.append(trailing, u'\\');
    quoted += u'"';
    return true;
}
} // namespace

bool OpenInBrowser(const String& url, int showCommand)
{
    String browser = GetDefaultBrowser();
    if (browser.empty()) return false;
    String argument;
    if (!QuoteAddress(url, argument)) return false;
    return ShellOpen(browser, argument, String(), false, showCommand);
}

// ---- Geometry ----

bool RectsIntersect(const TRect& a, const TRect& b)
{
    return !(b.Left >= a.Right || b.Right < a.Left || b.Top >= a.Bottom || b.Bottom < a.Top);
}

} // namespace quillora
