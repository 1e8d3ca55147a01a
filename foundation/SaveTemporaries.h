#pragma once
// The temporary files of safe saves: a document is written to "Rplc<N>.tmp" beside its
// target (N = 1, 2, ... the first free number) before it takes the target's place. A
// save that is killed half-way leaves its file behind; the next successful save beside
// the same target clears such leftovers away.

#include <cstdint>

#include "foundation/Strings.h"

namespace quillora {

inline constexpr StringView SaveTemporaryPattern = u"Rplc%d"; // for CreateUniqueFile
inline constexpr StringView SaveTemporaryExtension = u"tmp";

// A save that is running writes its file within seconds; one left alone this long
// (by its last write) belongs to no running save.
inline constexpr int64_t StaleSaveTemporaryAge = 10 * 60;

// True when `name` (without a folder) is a save temporary: "Rplc", a number from 1
// without leading zeros, ".tmp", in exactly this case.
bool IsSaveTemporaryName(StringView name);

// Deletes the save temporaries directly in `folder` (no subfolders) that are plain files
// last written at least `minAgeSeconds` before `nowUnixSeconds`. Files of a later time
// (a save running now, also in another process, or a clock that differs), links,
// folders and files the platform will not delete (read-only, or held open by their
// writer) stay. Never raises; returns how many files were deleted.
int RemoveStaleSaveTemporaries(const String& folder, int64_t nowUnixSeconds,
                               int64_t minAgeSeconds = StaleSaveTemporaryAge);

} // namespace quillora
