// The system's temporary folder of the test runner is the tests' folder in the build tree,
// so that code under test that writes temporary files (the utilities' default folder,
// std::filesystem::temp_directory_path) writes them there.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TempFolder.h"

#ifdef _WIN32
#include "foundation/win32/WinInclude.h"
#endif

namespace {

class TTempEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        const std::filesystem::path root = quillora::testing::TestTempRoot();
#ifdef _WIN32
        // GetTempPathW reads TMP first, then TEMP.
        SetEnvironmentVariableW(L"TMP", root.wstring().c_str());
        SetEnvironmentVariableW(L"TEMP", root.wstring().c_str());
#else
        setenv("TMPDIR", root.string().c_str(), 1);
#endif
    }
};

[[maybe_unused]] ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new TTempEnvironment);

} // namespace
