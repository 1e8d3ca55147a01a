#pragma once
// GDI+ as the platform's picture codec: gdiplus.dll is loaded at run time, so that a
// system without it fails with an error instead of calling a missing function.

#include <cstdint>

#include "foundation/Exceptions.h"
#include "foundation/Streams.h"
#include "images/Frame.h"
#include "images/PlatformDecoder.h"
#include "images/UniversalImage.h"

namespace quillora {

// A GDI+ call that failed: "Invalid GDI+ operation (%d)" with the low byte of its status.
class EGdipException : public Exception {
public:
    explicit EGdipException(int status);
    int Status() const { return status_; }

private:
    int status_;
};

// Status values used without a GDI+ call.
constexpr int GdipInvalidParameter = 2;    // nothing left to read, a failing COM call
constexpr int GdipNotInitialized = 18;     // GDI+ is not available

// Whether gdiplus.dll, its functions and its start-up are there (loaded on first use).
bool GdiPlusAvailable();

class TGdipBase;

// One decoded GDI+ image.
class TGDIPlusImage {
public:
    TGDIPlusImage() = default;
    TGDIPlusImage(const TGDIPlusImage&) = delete;
    TGDIPlusImage& operator=(const TGDIPlusImage&) = delete;
    ~TGDIPlusImage();

    // Frees any previous image, copies the stream from its position to its end into a
    // movable global memory block and creates a GDI+ bitmap on a COM stream over it.
    void LoadFromStream(TMemoryStream& stream);
    // A 32-bit ARGB bitmap with a copy of the frame's pixels.
    void LoadFromFrame(const TFrame& frame);
    // Width and height (rounded).
    TPictureSize GetDimension() const;
    // Sizes `frame` to the image and copies its pixels in 32-bit ARGB.
    void ToFrame(TFrame& frame) const;
    // Appends the image encoded by `encoder` to `stream`.
    void SaveAs(TMemoryStream& stream, TPictureEncoder encoder) const;

private:
    void Free();
    TGdipBase* base_ = nullptr;
};

// GDI+ as the platform decoder: every format it reads, and all encoding.
class TGdiPlusDecoder final : public TPlatformDecoder {
public:
    void Decode(TMemoryStream& stream, TFrame& frame) override;
    void Encode(const TFrame& frame, TPictureEncoder encoder, TMemoryStream& target) override;
    // Without a frame in between.
    void Convert(TMemoryStream& source, TPictureEncoder encoder, TMemoryStream& target) override;
};

} // namespace quillora
