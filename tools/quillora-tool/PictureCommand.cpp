#include "tools/quillora-tool/PictureCommand.h"

#include <cstdio>
#include <string>

#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "images/UniversalImage.h"

namespace quillora::tool {

namespace {

int Usage()
{
    std::fputs("usage: quillora-tool picture IN OUT.png [--frame K]\n", stderr);
    return 2;
}

int Fail(const String& message)
{
    std::fprintf(stderr, "%s\n", StringToUtf8(message).c_str());
    return 1;
}

bool ParseFrame(const String& text, int& frame)
{
    if (text.empty() || text.size() > 9) return false;
    frame = 0;
    for (Char c : text) {
        if (c < u'0' || c > u'9') return false;
        frame = frame * 10 + int(c - u'0');
    }
    return true;
}

// By content first; when that gives no picture and the extension names another codec
// (an icon whose first bytes pass as a Targa header, a Targa larger than 1000 pixels),
// by the extension.
void Decode(const String& fileName, TUniversalImage& image)
{
    std::string bytes = ReadWholeFile(fileName);
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    TPictureFormat byContent = PictureFormatOfContent(stream);
    TPictureFormat byName = PictureFormatOfExtension(fileName);
    try {
        image.LoadFromStreamAs(stream, byContent);
        if (!image.IsEmpty() || byName == byContent) return;
    } catch (const Exception&) {
        if (byName == byContent) throw;
    }
    stream.SetPosition(0);
    image.LoadFromStreamAs(stream, byName);
}

} // namespace

int RunPictureCommand(const std::vector<String>& args)
{
    std::vector<String> files;
    int frame = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == u"--frame") {
            if (i + 1 >= args.size() || !ParseFrame(args[i + 1], frame)) return Usage();
            ++i;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return Usage();
    // The error texts come from the string tables; English stands behind every language.
    if (Localization().FallbackLanguage() == 0) Localization().SetFallbackLanguage(LangEnglish);

    TUniversalImage image;
    try {
        Decode(files[0], image);
    } catch (const Exception& e) {
        return Fail(e.Message());
    }
    TPictureSize size = image.GetSize();
    std::printf("width: %d\nheight: %d\nframes: %d\n", size.Width, size.Height, image.FrameCount());
    if (frame >= image.FrameCount())
        return Fail(u"No frame " + IntToString(frame) + u" in the picture (it has " + IntToString(image.FrameCount()) +
                    u")");
    if (frame > 0) std::printf("frame %d: %dx%d\n", frame, image.Frames(frame).Width(), image.Frames(frame).Height());
    try {
        TMemoryStream png;
        image.SaveFrameToStream(frame, pePng, png);
        WriteWholeFile(files[1], std::string_view(reinterpret_cast<const char*>(png.Data()), png.Size()));
    } catch (const Exception& e) {
        return Fail(e.Message());
    }
    return 0;
}

} // namespace quillora::tool
