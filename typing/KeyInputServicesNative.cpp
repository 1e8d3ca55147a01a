// The pauses and the clock of the keystroke sender outside Windows.
#ifndef _WIN32

#include "typing/KeyInputServicesNative.h"

#include <chrono>
#include <thread>

namespace quillora {

void TNativeInputInjector::Sleep(unsigned milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint64_t TNativeInputInjector::TickCount()
{
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

} // namespace quillora

#endif
