#pragma once
// A file of named nodes that holds either the settings or the session state (window
// placements, view state) between runs.

#include "foundation/Knot.h"
#include "foundation/Strings.h"

namespace quillora {

enum TLoadState {
    lsNone = 0,        // not loaded yet
    lsMissing = 1,     // the file does not exist
    lsUnreadable = 2,  // the file exists but could not be read or is not a valid tree
    lsLoaded = 3,
};

// Options of the file's tree: koUniqueParams | koSkipEmpty | koUnquotedValues | koDoubledQuotes.
constexpr TKnotOptions SessionFileKnotOptions = 0x8E;

class TSessionFile {
public:
    // `commandLineSearchExt`: the file's extension ("settings", "session").
    explicit TSessionFile(String commandLineSearchExt = {});
    TSessionFile(const TSessionFile&) = delete;
    TSessionFile& operator=(const TSessionFile&) = delete;

    TKnot& Knot() { return knot_; }
    const String& FileName() const { return fileName_; }
    void SetFileName(String fileName) { fileName_ = std::move(fileName); }
    TLoadState LoadState() const { return loadState_; }
    const String& CommandLineSearchExt() const { return commandLineSearchExt_; }

    // Reads FileName() into Knot(); never raises. A file that cannot be read or holds a
    // faulty tree leaves Knot() empty and the state lsUnreadable, so that the next Save
    // writes a fresh file.
    void Load();
    // Names the root after the file's base name and writes the tree as UTF-8 with a
    // byte-order mark; never raises. Returns whether the file was written.
    bool Save();

private:
    TKnot knot_;
    String fileName_;
    String commandLineSearchExt_;
    TLoadState loadState_ = lsNone;
};

} // namespace quillora
