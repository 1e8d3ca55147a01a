#include "images/UniversalImage.h"

#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/Service.h"
#include "images/IconImage.h"
#include "images/TargaImage.h"

namespace quillora {

TPictureFormat PictureFormatOfContent(const TMemoryStream& stream)
{
    const uint8_t* p = stream.Data() + stream.Position();
    size_t left = stream.Size() - stream.Position();
    if (TTarga::IsPlausibleHeader(p, left)) return pfTarga;
    if (left >= 4 && p[0] == 0 && p[1] == 0 && p[3] == 0 && (p[2] == 1 || p[2] == 2)) return pfIcon;
    return pfPlatform;
}

TPictureFormat PictureFormatOfExtension(StringView fileName)
{
    size_t dot = fileName.find_last_of(u'.');
    size_t slash = fileName.find_last_of(u"/\\");
    if (dot == StringView::npos || (slash != StringView::npos && slash > dot)) return pfPlatform;
    String ext = AsciiLowerCase(fileName.substr(dot + 1));
    if (ext == u"ico" || ext == u"cur") return pfIcon;
    if (ext == u"tga") return pfTarga;
    return pfPlatform;
}

TFrame& TUniversalImage::AddFrame()
{
    frames_.push_back(std::make_unique<TFrame>());
    return *frames_.back();
}

void TUniversalImage::Assign(const TUniversalImage& source)
{
    std::vector<std::unique_ptr<TFrame>> copies;
    copies.reserve(source.frames_.size());
    for (const auto& frame : source.frames_) copies.push_back(std::make_unique<TFrame>(*frame));
    frames_ = std::move(copies);
}

TPictureSize TUniversalImage::GetSize() const
{
    const TFrame* first = FirstFrame();
    return first ? TPictureSize{first->Width(), first->Height()} : TPictureSize{};
}

void TUniversalImage::LoadFromFile(const String& fileName)
{
    std::string bytes = ReadWholeFile(fileName);
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    LoadFromStreamAs(stream, PictureFormatOfExtension(fileName));
}

void TUniversalImage::LoadFromStream(TMemoryStream& stream)
{
    LoadFromStreamAs(stream, PictureFormatOfContent(stream));
}

void TUniversalImage::LoadFromStreamAs(TMemoryStream& stream, TPictureFormat format)
{
    Clear();
    switch (format) {
    case pfTarga: {
        TTarga targa;
        targa.LoadFromStream(stream);
        if (!targa.Picture().Empty()) AddFrame() = std::move(targa.Picture());
        break;
    }
    case pfIcon: {
        TIconImage icon;
        icon.LoadFromStream(stream);
        for (int i = 0; i < icon.Count(); ++i) {
            TFrame frame;
            icon.ToFrame(i, frame);
            AddFrame() = std::move(frame);
        }
        break;
    }
    case pfPlatform: {
        TFrame frame;
        Service<TPlatformDecoder>().Decode(stream, frame);
        AddFrame() = std::move(frame);
        break;
    }
    }
}

void TUniversalImage::SaveFrameToStream(int index, TPictureEncoder encoder, TMemoryStream& target) const
{
    if (index < 0) index = 0;
    if (index >= FrameCount()) throw Exception(AsciiToString("No frame ") + IntToString(index) + u" in the picture");
    Service<TPlatformDecoder>().Encode(Frames(index), encoder, target);
}

TMemoryStream TUniversalImage::Convert(TMemoryStream& source, TPictureEncoder encoder)
{
    TMemoryStream target;
    Service<TPlatformDecoder>().Convert(source, encoder, target);
    target.SetPosition(0);
    return target;
}

} // namespace quillora
