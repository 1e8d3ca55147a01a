// The platform services of the utilities outside Windows: quiet stand-ins, enough for
// the tools and the tests of the core (the Windows build defines the real ones).
#ifndef _WIN32

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/Utils.h"

namespace quillora {

namespace {

class TNativeCursorService : public TCursorService {
public:
    TCursor ScreenCursor() const override { return cursor_; }
    void SetScreenCursor(TCursor cursor) override { cursor_ = cursor; }

private:
    TCursor cursor_ = crDefault;
};

class TNativeMessageBoxService : public TMessageBoxService {
public:
    int Show(const String& text, const String& caption, unsigned flags) override
    {
        std::fprintf(stderr, "%s: %s\n", StringToUtf8(caption).c_str(), StringToUtf8(text).c_str());
        return (flags & 0xF) == mbYesNo || (flags & 0xF) == mbYesNoCancel ? idYes : idOk;
    }
    bool ActiveWindowIsTopmost() const override { return false; }
    String ApplicationTitle() const override { return u"Quillora"; }
};

class TNativeShellService : public TShellService {
public:
    intptr_t Execute(const String&, const String&, const String&, int) override
    {
        return 31; // no shell: nothing is associated with anything
    }
};

class TNativeRegistryReader : public TRegistryReader {
public:
    bool ReadString(TRegistryRoot, const String&, const String&, String&) const override { return false; }
};

} // namespace

TCursorService& PlatformCursorService()
{
    static TNativeCursorService service;
    return service;
}

TMessageBoxService& PlatformMessageBoxService()
{
    static TNativeMessageBoxService service;
    return service;
}

TShellService& PlatformShellService()
{
    static TNativeShellService service;
    return service;
}

const TRegistryReader& PlatformRegistryReader()
{
    static TNativeRegistryReader reader;
    return reader;
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

} // namespace quillora

#endif
