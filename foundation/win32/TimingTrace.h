#pragma once
// Timing figures for measurements. When the environment names a file in QUILLORA_TIMING,
// windows append "<what> <milliseconds> ms" lines to it; otherwise nothing is traced and
// nothing is timed.
#include <chrono>

namespace quillora {

bool TimingTraced();
// Appends the time passed since `since` under the name `what`.
void TraceTiming(const char* what, std::chrono::steady_clock::time_point since);
// Appends a figure measured elsewhere.
void TraceFigure(const char* what, double value, const char* unit);
// One span per process for a sequence that runs through several modules (typing a
// snippet, from the key that chose it to each injection): started anew by each call.
void StartTimingSpan();
// Appends the time passed since the span started under the name `what`.
void TraceSinceSpanStart(const char* what);

} // namespace quillora
