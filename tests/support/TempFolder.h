#pragma once
// Files of the tests live in the build tree, never in the system's temporary folder:
// QUILLORA_TEST_TEMP (set by CMake) names a folder inside the build folder. A TempFolder
// is a fresh folder there (with non-ASCII characters in its name), removed with
// everything in it afterwards, read-only files too.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "foundation/Strings.h"

#ifndef QUILLORA_TEST_TEMP
#error "QUILLORA_TEST_TEMP must name the tests' folder in the build tree"
#endif

namespace quillora::testing {

// The tests' folder in the build tree, created when missing.
inline std::filesystem::path TestTempRoot()
{
    const std::filesystem::path root = std::filesystem::path(Utf8ToString(QUILLORA_TEST_TEMP)).make_preferred();
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    return root;
}

struct TempFolder {
    std::filesystem::path path;

    TempFolder()
    {
        static std::atomic<unsigned> counter{0};
        std::random_device rd;
        const std::string number = std::to_string(rd()) + "-" + std::to_string(++counter);
        path = TestTempRoot() / (u"quillora-" + std::u16string(number.begin(), number.end()) + u"-\u00E9\u0416");
        std::filesystem::create_directories(path);
    }
    ~TempFolder()
    {
        namespace fs = std::filesystem;
        std::error_code ec, ignored;
        for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's name, and the name of a file in it.
    String Name() const { return path.u16string(); }
    String File(const String& name) const { return (path / name).u16string(); }
};

inline std::string ReadBytes(const std::filesystem::path& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& fileName, const std::string& bytes)
{
    std::ofstream out(fileName, std::ios::binary);
    out << bytes;
}

} // namespace quillora::testing
