// GDI+ through its flat API, loaded at run time. The library is loaded and started once, on
// first use, and shut down at the end of the process.
#include "images/win32/GdiPlusImage.h"

#include "foundation/win32/WinInclude.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace quillora {

namespace {

namespace G = Gdiplus;
namespace F = Gdiplus::DllExports;

constexpr int PixelFormat32Argb = 0x26200A;

class TGdiPlusLibrary {
public:
    decltype(&F::GdipAlloc) GdipAlloc = nullptr;
    decltype(&F::GdipFree) GdipFree = nullptr;
    decltype(&G::GdiplusStartup) GdiplusStartup = nullptr;
    decltype(&G::GdiplusShutdown) GdiplusShutdown = nullptr;
    decltype(&F::GdipCreateBitmapFromStream) GdipCreateBitmapFromStream = nullptr;
    decltype(&F::GdipCreateBitmapFromScan0) GdipCreateBitmapFromScan0 = nullptr;
    decltype(&F::GdipSaveImageToStream) GdipSaveImageToStream = nullptr;
    decltype(&F::GdipGetImageDimension) GdipGetImageDimension = nullptr;
    decltype(&F::GdipBitmapGetPixel) GdipBitmapGetPixel = nullptr;
    decltype(&F::GdipBitmapLockBits) GdipBitmapLockBits = nullptr;
    decltype(&F::GdipBitmapUnlockBits) GdipBitmapUnlockBits = nullptr;
    decltype(&F::GdipDisposeImage) GdipDisposeImage = nullptr;
    decltype(&F::GdipGetImageEncodersSize) GdipGetImageEncodersSize = nullptr;
    decltype(&F::GdipGetImageEncoders) GdipGetImageEncoders = nullptr;

    bool Available = false;
    CLSID Encoders[5] = {};
    bool HasEncoder[5] = {};

    TGdiPlusLibrary()
    {
        module_ = LoadLibraryW(L"gdiplus.dll");
        if (!module_) return;
        bool all = Find(GdipAlloc, "GdipAlloc") & Find(GdipFree, "GdipFree") &
                   Find(GdiplusStartup, "GdiplusStartup") & Find(GdiplusShutdown, "GdiplusShutdown") &
                   Find(GdipCreateBitmapFromStream, "GdipCreateBitmapFromStream") &
                   Find(GdipCreateBitmapFromScan0, "GdipCreateBitmapFromScan0") &
                   Find(GdipSaveImageToStream, "GdipSaveImageToStream") &
                   Find(GdipGetImageDimension, "GdipGetImageDimension") &
                   Find(GdipBitmapGetPixel, "GdipBitmapGetPixel") & Find(GdipBitmapLockBits, "GdipBitmapLockBits") &
                   Find(GdipBitmapUnlockBits, "GdipBitmapUnlockBits") & Find(GdipDisposeImage, "GdipDisposeImage") &
                   Find(GdipGetImageEncodersSize, "GdipGetImageEncodersSize") &
                   Find(GdipGetImageEncoders, "GdipGetImageEncoders");
        if (!all) return;
        G::GdiplusStartupInput input;
        if (GdiplusStartup(&token_, &input, &startupOutput_) != G::Ok) return;
        Available = true;
        FindEncoders();
    }

    ~TGdiPlusLibrary()
    {
        if (Available) GdiplusShutdown(token_);
        if (module_) FreeLibrary(module_);
    }

private:
    template <typename T> bool Find(T& function, const char* name)
    {
        function = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
        return function != nullptr;
    }

    void FindEncoders()
    {
        static const wchar_t* const mimeTypes[5] = {L"image/bmp", L"image/gif", L"image/jpeg", L"image/png",
                                                    L"image/tiff"};
        UINT count = 0, size = 0;
        if (GdipGetImageEncodersSize(&count, &size) != G::Ok || size == 0) return;
        std::vector<uint8_t> buffer(size);
        auto* codecs = reinterpret_cast<G::ImageCodecInfo*>(buffer.data());
        if (GdipGetImageEncoders(count, size, codecs) != G::Ok) return;
        for (int e = 0; e < 5; ++e)
            for (UINT i = 0; i < count; ++i)
                if (codecs[i].MimeType && lstrcmpiW(codecs[i].MimeType, mimeTypes[e]) == 0) {
                    Encoders[e] = codecs[i].Clsid;
                    HasEncoder[e] = true;
                    break;
                }
    }

    HMODULE module_ = nullptr;
    ULONG_PTR token_ = 0;
    G::GdiplusStartupOutput startupOutput_{};
};

TGdiPlusLibrary& Library()
{
    static TGdiPlusLibrary library;
    return library;
}

// The library when it is available; raises otherwise.
TGdiPlusLibrary& Gdip()
{
    TGdiPlusLibrary& library = Library();
    if (!library.Available) throw EGdipException(GdipNotInitialized);
    return library;
}

void Check(G::GpStatus status)
{
    if (status != G::Ok) throw EGdipException(int(status));
}

} // namespace

EGdipException::EGdipException(int status)
    : Exception(u"Invalid GDI+ operation (" + IntToString(status & 0xFF) + u")"), status_(status)
{
}

bool GdiPlusAvailable()
{
    return Library().Available;
}

// The handle of one GDI+ image and what backs it: the COM stream and its global memory
// block (for a decoded image) or the pixel copy (for an image made from a frame).
// Allocated with GdipAlloc, freed with GdipFree.
class TGdipBase {
public:
    G::GpBitmap* Image = nullptr;
    IStream* Stream = nullptr;
    HGLOBAL Memory = nullptr;
    std::vector<uint32_t> Pixels;

    static TGdipBase* Create()
    {
        void* memory = Gdip().GdipAlloc(sizeof(TGdipBase));
        if (!memory) throw EGdipException(G::OutOfMemory);
        return new (memory) TGdipBase;
    }
    static void Destroy(TGdipBase* base)
    {
        if (!base) return;
        base->~TGdipBase();
        Library().GdipFree(base);
    }
    ~TGdipBase()
    {
        if (Image) Library().GdipDisposeImage(Image);
        if (Stream) Stream->Release();
        if (Memory) GlobalFree(Memory);
    }
};

TGDIPlusImage::~TGDIPlusImage()
{
    Free();
}

void TGDIPlusImage::Free()
{
    TGdipBase::Destroy(base_);
    base_ = nullptr;
}

void TGDIPlusImage::LoadFromStream(TMemoryStream& stream)
{
    Free();
    TGdiPlusLibrary& gdip = Gdip();
    size_t size = stream.Size() - stream.Position();
    if (size == 0) throw EGdipException(GdipInvalidParameter);
    TGdipBase* base = TGdipBase::Create();
    try {
        base->Memory = GlobalAlloc(GMEM_MOVEABLE, size);
        if (!base->Memory) throw EGdipException(G::OutOfMemory);
        void* bytes = GlobalLock(base->Memory);
        stream.Read(bytes, size);
        GlobalUnlock(base->Memory);
        if (FAILED(CreateStreamOnHGlobal(base->Memory, FALSE, &base->Stream))) throw EGdipException(GdipInvalidParameter);
        Check(gdip.GdipCreateBitmapFromStream(base->Stream, &base->Image));
    } catch (...) {
        TGdipBase::Destroy(base);
        throw;
    }
    base_ = base;
}

void TGDIPlusImage::LoadFromFrame(const TFrame& frame)
{
    Free();
    TGdiPlusLibrary& gdip = Gdip();
    if (frame.Empty()) throw EGdipException(GdipInvalidParameter);
    TGdipBase* base = TGdipBase::Create();
    try {
        base->Pixels = frame.Pixels();
        Check(gdip.GdipCreateBitmapFromScan0(frame.Width(), frame.Height(), frame.Width() * 4, PixelFormat32Argb,
                                             reinterpret_cast<BYTE*>(base->Pixels.data()), &base->Image));
    } catch (...) {
        TGdipBase::Destroy(base);
        throw;
    }
    base_ = base;
}

TPictureSize TGDIPlusImage::GetDimension() const
{
    if (!base_) throw EGdipException(GdipInvalidParameter);
    G::REAL width = 0, height = 0;
    Check(Gdip().GdipGetImageDimension(base_->Image, &width, &height));
    return TPictureSize{int(std::lround(width)), int(std::lround(height))};
}

void TGDIPlusImage::ToFrame(TFrame& frame) const
{
    TPictureSize size = GetDimension();
    TGdiPlusLibrary& gdip = Gdip();
    G::GpRect rect(0, 0, size.Width, size.Height);
    G::BitmapData data{};
    Check(gdip.GdipBitmapLockBits(base_->Image, &rect, G::ImageLockModeRead, PixelFormat32Argb, &data));
    try {
        frame.SetSize(int(data.Width), int(data.Height));
    } catch (...) {
        gdip.GdipBitmapUnlockBits(base_->Image, &data);
        throw;
    }
    for (int y = 0; y < frame.Height(); ++y) {
        const auto* row = static_cast<const uint8_t*>(data.Scan0) + ptrdiff_t(y) * data.Stride;
        std::memcpy(frame.Row(y), row, size_t(frame.Width()) * 4);
    }
    Check(gdip.GdipBitmapUnlockBits(base_->Image, &data));
}

void TGDIPlusImage::SaveAs(TMemoryStream& stream, TPictureEncoder encoder) const
{
    TGdiPlusLibrary& gdip = Gdip();
    if (!base_ || !gdip.HasEncoder[encoder]) throw EGdipException(GdipInvalidParameter);
    IStream* target = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &target))) throw EGdipException(GdipInvalidParameter);
    struct Releaser {
        IStream* s;
        ~Releaser() { s->Release(); }
    } releaser{target};
    Check(gdip.GdipSaveImageToStream(base_->Image, target, &gdip.Encoders[encoder], nullptr));
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    if (FAILED(GetHGlobalFromStream(target, &memory)) || FAILED(target->Stat(&stat, STATFLAG_NONAME)))
        throw EGdipException(GdipInvalidParameter);
    const void* bytes = GlobalLock(memory);
    stream.SetPosition(stream.Size());
    stream.Write(bytes, size_t(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
}

void TGdiPlusDecoder::Decode(TMemoryStream& stream, TFrame& frame)
{
    TGDIPlusImage image;
    image.LoadFromStream(stream);
    image.ToFrame(frame);
}

void TGdiPlusDecoder::Encode(const TFrame& frame, TPictureEncoder encoder, TMemoryStream& target)
{
    TGDIPlusImage image;
    image.LoadFromFrame(frame);
    image.SaveAs(target, encoder);
}

void TGdiPlusDecoder::Convert(TMemoryStream& source, TPictureEncoder encoder, TMemoryStream& target)
{
    TGDIPlusImage image;
    image.LoadFromStream(source);
    image.SaveAs(target, encoder);
}

} // namespace quillora
