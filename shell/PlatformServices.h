#pragma once
// TPlatformServices: one implementation of every platform service of the core, each
// provided as Service<I>() (foundation/Service.h) for the life of the object. Every
// composition root creates one before anything else (WinMain, the tools' mains, the test
// runner, the benchmarks, the fuzz targets) and keeps it until the end:
//
//   int main() { quillora::TPlatformServices services; ... }
//
// The Windows build defines it with the Win32 implementations
// (shell/win32/PlatformServicesWin.cpp), every other build with the portable stand-ins
// (shell/PlatformServicesNative.cpp): fixed-metric fonts, silent sounds, the C++
// library's clock, an in-process clipboard, PNG through libpng.

#include <memory>

namespace quillora {

class TPlatformServices {
public:
    TPlatformServices();
    // Restores whatever was provided before.
    ~TPlatformServices();
    TPlatformServices(const TPlatformServices&) = delete;
    TPlatformServices& operator=(const TPlatformServices&) = delete;

private:
    struct TImplementations;
    std::unique_ptr<TImplementations> implementations_;
};

} // namespace quillora
