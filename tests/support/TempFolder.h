#pragma once
// A fresh folder (with non-ASCII characters in its name), removed with everything in it
// afterwards: in the test build's own scratch folder where the build names one, else
// under the system's temporary folder.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "foundation/Strings.h"

namespace quillora::testing_shell {

struct TempFolder {
    std::filesystem::path path;
    TempFolder()
    {
        std::random_device rd;
        std::string number = std::to_string(rd());
#ifdef QUILLORA_TEST_SCRATCH
        std::filesystem::path base(QUILLORA_TEST_SCRATCH);
#else
        std::filesystem::path base = std::filesystem::temp_directory_path();
#endif
        path = base /
               (u"quillora-shell-" + std::u16string(number.begin(), number.end()) + u"-\u00E9\u0416");
        std::filesystem::create_directories(path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    String File(const String& name) const { return (path / name).u16string(); }
};

inline std::string ReadBytes(const String& fileName)
{
    std::ifstream in(std::filesystem::path(fileName), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const String& fileName, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(fileName), std::ios::binary);
    out << bytes;
}

} // namespace quillora::testing_shell
