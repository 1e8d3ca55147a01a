#include "foundation/SessionFile.h"

#include "foundation/Files.h"
#include "foundation/Utils.h"

namespace quillora {

TSessionFile::TSessionFile(String commandLineSearchExt) : commandLineSearchExt_(std::move(commandLineSearchExt))
{
    knot_.SetOptions(SessionFileKnotOptions);
}

void TSessionFile::Load()
{
    try {
        knot_.LoadFromFile(fileName_);
        if (!knot_.Corrupt()) {
            loadState_ = lsLoaded;
            return;
        }
        // A partial tree would hand half-read placements and settings to the program.
        knot_.Clear();
        loadState_ = lsUnreadable;
    } catch (...) {
        bool exists = false;
        try {
            exists = FileExists(fileName_);
        } catch (...) {
        }
        loadState_ = exists ? lsUnreadable : lsMissing;
    }
}

bool TSessionFile::Save()
{
    try {
        knot_.SetName(GetBaseName(fileName_));
        // UTF-8 keeps every character of a path; the ANSI code page would not.
        knot_.SaveToFile(fileName_, TTextEncoding::Utf8);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace quillora
