#include "foundation/win32/TimingTrace.h"

#include <cstdio>
#include <cstdlib>

namespace quillora {

namespace {

const char* TimingPath()
{
    static const char* path = std::getenv("QUILLORA_TIMING");
    return path && *path ? path : nullptr;
}

} // namespace

bool TimingTraced() { return TimingPath() != nullptr; }

void TraceFigure(const char* what, double value, const char* unit)
{
    const char* path = TimingPath();
    if (!path) return;
    if (std::FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s %.3f %s\n", what, value, unit);
        std::fclose(f);
    }
}

void TraceTiming(const char* what, std::chrono::steady_clock::time_point since)
{
    if (!TimingTraced()) return;
    TraceFigure(what, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count(), "ms");
}

namespace {
std::chrono::steady_clock::time_point spanStart;
} // namespace

void StartTimingSpan()
{
    if (TimingTraced()) spanStart = std::chrono::steady_clock::now();
}

void TraceSinceSpanStart(const char* what)
{
    TraceTiming(what, spanStart);
}

} // namespace quillora
