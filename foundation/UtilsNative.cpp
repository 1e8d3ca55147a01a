// The utilities outside Windows: the stand-in message box, and the program's and the
// temporary folder (the Windows build defines its own).
#ifndef _WIN32

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/Utils.h"
#include "foundation/UtilsNative.h"

namespace quillora {

int TNativeMessageBoxService::Show(const String& text, const String& caption, unsigned flags)
{
    std::fprintf(stderr, "%s: %s\n", StringToUtf8(caption).c_str(), StringToUtf8(text).c_str());
    return (flags & 0xF) == mbYesNo || (flags & 0xF) == mbYesNoCancel ? idYes : idOk;
}

String GetProgramFolder()
{
    std::string path(4096, '\0');
    ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0) return IncludeTrailingPathDelimiter(u".");
    path.resize(static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    return Utf8ToString(path.substr(0, slash == std::string::npos ? 0 : slash + 1));
}

String GetTempFolder()
{
    const char* dir = std::getenv("TMPDIR");
    if (!dir || !*dir) dir = "/tmp";
    return IncludeTrailingPathDelimiter(Utf8ToString(dir));
}

String ExpandEnvironmentVariables(const String& text)
{
    String result;
    size_t i = 0;
    while (i < text.size()) {
        const size_t open = text.find(u'%', i);
        const size_t close = open == String::npos ? String::npos : text.find(u'%', open + 1);
        if (close == String::npos) break;
        result.append(text, i, open - i);
        const String name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(StringToUtf8(name).c_str());
        if (value) {
            result += Utf8ToString(value);
            i = close + 1;
        } else {
            // Not set: the "%" stays and may open the next reference.
            result += u'%';
            result += name;
            i = close;
        }
    }
    result.append(text, i, String::npos);
    return result;
}

} // namespace quillora

#endif
