#pragma once
// The snippet document at its target size, shared by the benchmarks: a data file of
// SnippetCount snippets with text, key, caret and date elements.

#include <string>

#include "foundation/Strings.h"

namespace quillora::bench {

constexpr int SnippetCount = 10000;

// The data file's bytes (UTF-8 with a byte-order mark).
std::string GeneratedDataFile();

// The data file written to a temporary folder (Source) for the benchmark's lifetime,
// with a place beside it to save to (Target).
struct TBenchFiles {
    String Folder;
    String Source;
    String Target;
    TBenchFiles();
    ~TBenchFiles();
};

} // namespace quillora::bench
