// Folder helpers on every platform.
#include <filesystem>
#include <system_error>

#include "foundation/Files.h"
#include "foundation/Utils.h"

namespace quillora {

String ExtractFilePath(const String& fileName)
{
    for (size_t i = fileName.size(); i > 0; --i)
        if (IsPathDelimiter(fileName[i - 1]) || (fileName[i - 1] == u':' && i == 2)) return fileName.substr(0, i);
    return {};
}

bool ForceFolders(const String& folder)
{
    if (folder.empty()) return false;
    std::error_code ec;
    std::filesystem::path path(folder);
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

} // namespace quillora
