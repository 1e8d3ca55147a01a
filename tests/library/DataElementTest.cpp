// The image element: the data types, the checks on stored temporary file names and on
// types that would run code, the clipboard blocks of other processes, preview sizes,
// states, loading and saving byte for byte, copy and paste, format conversion and
// external editing through a temporary file with the shell faked.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "elements/Filer.h"
#include "elements/Messages.h"
#include "elements/ClassesGroups.h"
#include "elements/EditCommands.h"
#include "elements/Filer.h"
#include "elements/PanelElement.h"
#include "elements/Scheme.h"
#include "foundation/Files.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/UndoRedo.h"
#include "foundation/Utils.h"
#include "library/DataElement.h"
#include "library/DataElementSettings.h"
#include "support/ElementFakes.h"
#include "support/TempFolder.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

class TImageRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TImageRoot, TPanelElement)
    void GetAcceptedClasses(TElementClassList& list) override { AddClass(list, &TElement_Image::Class()); }
};

// A 3 x 2 RGBA picture.
const char* const SmallPngHex =
    "89504E470D0A1A0A0000000D49484452000000030000000208060000009D74661A0000001449444154789C63F8CFC0F01F0C19FE37"
    "302073008E130AF7B6D3D4500000000049454E44AE426082";

TMemoryStream FromHex(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return TMemoryStream(std::move(bytes));
}

TMemoryStream Bytes(std::initializer_list<uint8_t> bytes) { return TMemoryStream(std::vector<uint8_t>(bytes)); }

TMemoryStream EncodedPng(int width, int height)
{
    TFrame frame(width, height);
    for (uint32_t& p : frame.Pixels()) p = 0xFF336699u;
    TMemoryStream png;
    Service<TPlatformDecoder>().Encode(frame, pePng, png);
    return png;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(std::filesystem::path(Utf8ToString(path)), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TExecute {
    String Verb, File, Parameters;
};

class TFakeShell : public TShellService {
public:
    std::vector<TExecute> Calls;
    intptr_t Result = 42;
    intptr_t Execute(const String& verb, const String& fileName, const String& parameters, int) override
    {
        Calls.push_back({verb, fileName, parameters});
        return Result;
    }
};

class TFakeBeeper : public TBeeper {
public:
    int Beeps = 0;
    void Beep() override { ++Beeps; }
};

class DataElementTest : public ::testing::Test {
protected:
    TempFolder folder;
    TUndoRedo undo;
    TFakeSheet sheet;
    TFakeShell shell;
    TProvide<TShellService> provideShell{shell};
    TMemoryDataClipboard clipboard;
    TProvide<TDataClipboard> provideClipboard{clipboard};
    TFakeBeeper beeper;
    TProvide<TBeeper> provideBeeper{beeper};
    TDataElementSettings settings;
    TProvide<TDataElementSettings> provideSettings{settings};
    std::unique_ptr<TScheme> scheme;
    TLanguageId savedLanguage = 0;

    void SetUp() override
    {
        savedLanguage = Localization().Language();
        Localization().SetLanguage(1033);
        InitializeDataElements();
        scheme = std::make_unique<TScheme>(&TImageRoot::Class(), u"Quillora");
        scheme->SetUndoRedo(&undo);
        scheme->SetFileName(Folder() + u"doc.tpt");
        Root()->SetVisualParent(sheet.Root(), nullptr);
    }
    void TearDown() override
    {
        Root()->SetVisualParent(nullptr, nullptr);
        scheme.reset();
        Localization().SetLanguage(savedLanguage);
    }

    TVisualElement* Root() { return static_cast<TVisualElement*>(scheme->Root()); }
    String Folder() { return IncludeTrailingPathDelimiter(folder.path.u16string()); }
    TElement_Image* NewImage() { return TVisualElement::NewVisualPart<TElement_Image>(Root(), nullptr, Root()); }
    TElement_Image* ImageAt(int index)
    {
        TElement* e = Root()->FirstElement();
        for (int i = 0; e && i < index; ++i) e = e->NextElement();
        return dynamic_cast<TElement_Image*>(e);
    }
    std::vector<String> LoadDocument(const String& text)
    {
        TKnot knot;
        knot.LoadFromText(text);
        scheme->SchemeMessages().Clear();
        scheme->LoadFromKnot(Root(), smDocument, &knot);
        std::vector<String> texts;
        for (int i = 0; i < scheme->SchemeMessages().Count(); ++i)
            texts.push_back(scheme->SchemeMessages().GetItems(i).GetText());
        return texts;
    }
};

// ---- tables ----

TEST(DataElementUtils, DataTypesAreFoundWithoutRegardToCase)
{
    const std::pair<const char16_t*, int> cases[] = {
        {u"png", dtPng}, {u"JPG", dtJpg}, {u"Jfif", dtJfif}, {u"tga", dtTga}, {u"", dtOther}, {u"exe", dtOther},
        {u"pngx", dtOther},
    };
    for (auto [type, expected] : cases) EXPECT_EQ(DataTypeOf(type), expected) << StringToUtf8(type);
    EXPECT_EQ(DataTypeName(dtJpe), u"JPEG");
    EXPECT_EQ(DataTypeEditorGroup(dtWmf), u"ExternalEditorMetafiles");
    EXPECT_EQ(DataTypeEditorGroup(dtOther), u"ExternalEditorOther");
    EXPECT_TRUE(IsKnownDataFile(u"a/b/Photo.JPG"));
    EXPECT_FALSE(IsKnownDataFile(u"a/b/notes.txt"));
}

TEST(DataElementUtils, TypesThatRunCodeAreNeverOpened)
{
    const std::pair<const char16_t*, bool> cases[] = {
        {u"exe", true},   {u"EXE", true},  {u"bat", true},   {u"cmd", true},  {u"com", true},  {u"scr", true},
        {u"js", true},    {u"vbs", true},  {u"lnk", true},   {u"msi", true},  {u"ps1", true},  {u"pif", true},
        {u"cpl", true},   {u"hta", true},  {u"jse", true},   {u"vbe", true},  {u"wsf", true},  {u"wsh", true},
        {u"msc", true},   {u"reg", true},  {u"jar", true},   {u"ps1xml", true}, {u"psm1", true}, {u"exe.", true},
        {u"exe ", true},  {u"txt:x", true}, {u"a.exe", true}, {u"png", false}, {u"jpg", false}, {u"bin", false},
        {u"txt", false},  {u"", false},
    };
    for (auto [type, executable] : cases) EXPECT_EQ(IsExecutableDataType(type), executable) << StringToUtf8(type);
}

TEST(DataElementUtils, OnlyTheProgramsOwnTemporaryNamesAreTrusted)
{
    const String doc = u"C:\\Users\\u\\Documents\\Quillora\\";
    const String temp = u"C:\\Temp\\";
    const std::pair<const char16_t*, bool> cases[] = {
        {u"C:\\Users\\u\\Documents\\Quillora\\File1.png", true},
        {u"c:\\users\\U\\documents\\quillora\\File12.bmp", true},
        {u"C:/Users/u/Documents/Quillora/File3.gif", true},
        {u"C:\\Temp\\File7.bin", true},
        {u"C:\\Windows\\System32\\File1.png", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\sub\\File1.png", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\..\\File1.png", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\Quillora.tpt", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\File0.png", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\File01.png", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\file1.png", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\File1", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\File1.", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\File1.tar.gz", false},
        {u"C:\\Users\\u\\Documents\\Quillora\\File1.png:evil", false},
        {u"File1.png", false},
        {u"", false},
    };
    for (auto [name, trusted] : cases)
        EXPECT_EQ(IsExternalEditingFileName(name, doc, temp), trusted) << StringToUtf8(name);
    EXPECT_FALSE(IsExternalEditingFileName(u"\\File1.png", u"", u""));
    EXPECT_EQ(TemporaryFileExtension(u"p\"n*g/:<>?\\|\x01"), u"png");
    EXPECT_EQ(TemporaryFileExtension(String(300, u'a')).size(), 260u);
}

TEST(DataElementUtils, ClipboardTypeIsReadOnlyWithinItsBlock)
{
    const std::vector<uint8_t> terminated = {'p', 0, 'n', 0, 'g', 0, 0, 0, 'x', 0};
    EXPECT_EQ(ParseClipboardType(terminated.data(), terminated.size()), u"png");
    const std::vector<uint8_t> unterminated = {'j', 0, 'p', 0, 'g', 0};
    EXPECT_EQ(ParseClipboardType(unterminated.data(), unterminated.size()), u"jpg");
    const std::vector<uint8_t> odd = {'g', 0, 'i', 0, 'f'};
    EXPECT_EQ(ParseClipboardType(odd.data(), odd.size()), u"gi");
    EXPECT_EQ(ParseClipboardType(nullptr, 0), u"");
    std::vector<uint8_t> oversized(100000, 'a');
    EXPECT_EQ(ParseClipboardType(oversized.data(), oversized.size()).size(), MaxClipboardTypeLength);
}

TEST(DataElementUtils, ClipboardDataIsInflatedApartAndCapped)
{
    TMemoryStream plain(std::vector<uint8_t>(5000, 7));
    TMemoryStream packed;
    CompressStream(plain, packed);
    TMemoryStream data = Bytes({1, 2, 3});
    ASSERT_TRUE(InflateClipboardData(packed.Data(), packed.Size(), data));
    EXPECT_EQ(data.Bytes(), plain.Bytes());

    TMemoryStream kept = Bytes({1, 2, 3});
    EXPECT_FALSE(InflateClipboardData(packed.Data(), packed.Size() / 2, kept)); // truncated
    EXPECT_FALSE(InflateClipboardData(packed.Data(), packed.Size(), kept, 4999)); // above the cap
    const std::vector<uint8_t> garbage = {0x78, 0x9C, 0xFF, 0xFF, 0xFF};
    EXPECT_FALSE(InflateClipboardData(garbage.data(), garbage.size(), kept));
    EXPECT_EQ(kept.Bytes(), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(DataElementUtils, PreviewScaleAndSizes)
{
    const std::pair<int, int> scales[] = {{720, 100}, {721, 75}, {960, 75}, {1000, 50}, {1440, 50},
                                          {36000, 2}, {36100, 1}, {72001, 1}, {2147483647, 1}};
    for (auto [width, scale] : scales) EXPECT_EQ(PreviewScaleFor(width), scale) << width;
    EXPECT_EQ(ScaledPreviewSize(1000, 500, 50), (TPictureSize{500, 250}));
    EXPECT_EQ(ScaledPreviewSize(800, 1, 75), (TPictureSize{600, 1}));
    EXPECT_EQ(ScaledPreviewSize(72001, 3, 1), (TPictureSize{720, 1}));
    EXPECT_EQ(ScaledPreviewSize(2147483647, 2147483647, 1), (TPictureSize{21474836, 21474836}));
}

TEST(DataElementUtils, DialogFilterTextKeepsEachFilterWhole)
{
    const std::vector<TDataFileDialogs::TFilter> filters = {
        {u"All Images", u"*.png;*.jpg"}, {u"PNG", u"*.png"}, {u"", u"*.x"}, {u"None", u""}, {u"A|B", u"*.a|*.b"}};
    EXPECT_EQ(StringToUtf8(TDataFileDialogs::FilterText(filters)),
              "All Images (*.png;*.jpg)|*.png;*.jpg|PNG (*.png)|*.png|*.x|*.x|A B (*.a;*.b)|*.a;*.b");
    EXPECT_TRUE(TDataFileDialogs::FilterText({}).empty());
}

TEST(DataElementUtils, HexDumpLines)
{
    const std::vector<uint8_t> bytes = {0x41, 0x00, 0xFF};
    const String line = HexDumpLine(bytes.data(), bytes.size(), 0);
    ASSERT_EQ(line.size(), 64u);
    EXPECT_EQ(line.substr(0, 9), u"41 00 FF ");
    EXPECT_EQ(line[48], u'A');
    EXPECT_EQ(line[49], Char(0x00B7));
    EXPECT_EQ(line[50], Char(0xFF));
    EXPECT_EQ(line[51], u' ');
}

// ---- the element ----

TEST_F(DataElementTest, StatesFollowValueModeAndReadOnly)
{
    TElement_Image* image = NewImage();
    EXPECT_FALSE(image->HasValue());
    EXPECT_FALSE(image->CanDelete());
    EXPECT_FALSE(image->CanCopy());
    EXPECT_TRUE(image->CanPaste());
    image->SetData(FromHex(SmallPngHex), u"png");
    EXPECT_TRUE(image->HasValue());
    EXPECT_TRUE(image->CanDelete());
    EXPECT_TRUE(image->CanCopy());
    image->SetExternalEditingFileName(Folder() + u"File1.png");
    EXPECT_TRUE(image->HasVisualState(vsExternalEditing));
    EXPECT_FALSE(image->CanDelete());
    EXPECT_FALSE(image->CanPaste());
    EXPECT_TRUE(image->CanCopy());
    ASSERT_NE(image->Messages(), nullptr);
    EXPECT_EQ(image->Messages()->GetItems(0).GetText(),
              u"The element is\u00A0in\u00A0the mode\u00A0of editing by\u00A0third-party program\u00A0\u2014 you need "
              u"to\u00A0choose \"Apply\" or \"Cancel\"");
    image->SetExternalEditingFileName(u"");
    scheme->SetReadOnly(true);
    EXPECT_FALSE(image->CanDelete());
    scheme->SetReadOnly(false);
    image->SetAllowedTypes(DataTypeBit(dtBmp));
    image->Recheck();
    ASSERT_NE(image->Messages(), nullptr);
    EXPECT_EQ(image->Messages()->GetItems(0).Kind, mkInvalidValue);
}

TEST_F(DataElementTest, HandWrittenDocumentLoadsAndSavesByteExact)
{
    const std::string path = std::string(QUILLORA_TEST_DATA) + "/library/image-elements.tpt";
    const std::string bytes = ReadFileBytes(path);
    ASSERT_FALSE(bytes.empty());
    scheme->LoadFromFile(Utf8ToString(path));
    EXPECT_EQ(scheme->SchemeMessages().Count(), 0);
    TElement_Image* png = ImageAt(0);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->Type(), u"png");
    EXPECT_EQ(png->Data().Bytes(), FromHex(SmallPngHex).Bytes());
    ASSERT_TRUE(png->GetPreview());
    EXPECT_EQ(png->Preview()->Width(), 3);
    String hint;
    png->GetHint(hint);
    EXPECT_EQ(hint, u"png 3x2");
    ASSERT_NE(ImageAt(1), nullptr);
    EXPECT_FALSE(ImageAt(1)->HasValue());
    EXPECT_FALSE(ImageAt(2)->GetPreview()); // not a picture: a dump
    EXPECT_NE(ImageAt(0)->ID(), ImageAt(2)->ID());

    TKnot knot;
    scheme->SaveToKnot(scheme->Root(), smDocument, &knot, soStreamRefs);
    TMemoryStream stream;
    knot.SaveToStream(stream, TTextEncoding::Utf8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size()), bytes);
}

TEST_F(DataElementTest, WidePicturesArePreviewedReducedButNeverEmpty)
{
    struct Case {
        int width, height, scale, previewWidth, previewHeight;
    };
    const Case cases[] = {{1000, 500, 50, 500, 250}, {721, 4, 75, 540, 3}, {800, 1, 75, 600, 1}, {20, 10, 100, 20, 10}};
    for (const Case& c : cases) {
        TElement_Image* image = NewImage();
        image->SetData(EncodedPng(c.width, c.height), u"png");
        ASSERT_TRUE(image->GetPreview()) << c.width;
        EXPECT_EQ(image->PreviewScale(), c.scale);
        EXPECT_EQ(image->Preview()->Width(), c.previewWidth);
        EXPECT_EQ(image->Preview()->Height(), c.previewHeight);
        EXPECT_EQ(image->Width(), c.previewWidth); // the element's size is the preview's
        String hint;
        image->GetHint(hint);
        String expected = u"png " + IntToString(c.width) + u"x" + IntToString(c.height);
        if (c.scale != 100) expected += u" " + IntToString(c.scale) + u"%";
        EXPECT_EQ(hint, expected);
    }
}

TEST_F(DataElementTest, StoredReadErrorIsReported)
{
    const auto messages = LoadDocument(u"<Quillora><Image Type=\"png\" Value=\"XYZ\"/></Quillora>");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], u"Data read error in\u00A0the element");
    EXPECT_FALSE(ImageAt(0)->HasValue());
}

TEST_F(DataElementTest, StoredEditingNameIsAcceptedOnlyWhenItIsTheProgramsOwn)
{
    struct Case {
        String name;
        bool accepted;
    };
    const Case cases[] = {
        {Folder() + u"File1.png", true},
        {GetTempFolder() + u"File2.png", true},
        {Folder() + u"doc.tpt", false},
        {u"/etc/passwd", false},
        {u"C:\\Windows\\win.ini", false},
        {Folder() + u"File3.exe", false},
        {Folder() + u"sub/File1.png", false},
    };
    for (const Case& c : cases) {
        TKnot knot(u"Quillora");
        TKnot* image = knot.AddKnot(u"Image");
        image->WriteString(u"Type", u"png");
        image->WriteString(u"Value", u"00");
        image->WriteString(u"ExternalEditingFileName", c.name);
        scheme->SchemeMessages().Clear();
        scheme->LoadFromKnot(Root(), smDocument, &knot);
        auto* loaded = dynamic_cast<TElement_Image*>(Root()->LastElement());
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->InExternalEditing(), c.accepted) << StringToUtf8(c.name);
        EXPECT_EQ(scheme->SchemeMessages().Count(), c.accepted ? 0 : 1) << StringToUtf8(c.name);
        if (!c.accepted) {
            EXPECT_EQ(loaded->ExternalEditingFileName(), u"");
            // Apply and Cancel have nothing to act on.
            loaded->CancelExternalEditing();
            EXPECT_TRUE(shell.Calls.empty());
        }
    }
}

TEST_F(DataElementTest, TwoElementsOfADocumentCannotShareOneTemporaryFile)
{
    const String name = Folder() + u"File5.png";
    WriteWholeFile(name, "edited");
    TKnot knot(u"Quillora");
    for (int i = 0; i < 2; ++i) {
        TKnot* image = knot.AddKnot(u"Image");
        image->WriteString(u"Type", u"png");
        image->WriteString(u"Value", u"00");
        image->WriteString(u"ExternalEditingFileName", name);
    }
    scheme->LoadFromKnot(Root(), smDocument, &knot);
    EXPECT_TRUE(ImageAt(0)->InExternalEditing());
    EXPECT_FALSE(ImageAt(1)->InExternalEditing());
    EXPECT_EQ(scheme->SchemeMessages().Count(), 1);
}

TEST_F(DataElementTest, CopyLeavesTheTemporaryFileBehindAndPasteRestoresBytesAndType)
{
    TElement_Image* source = NewImage();
    source->SetData(Bytes({0, 1, 2, 3, 0xFF}), u"bin"); // not a picture
    source->SetExternalEditingFileName(Folder() + u"File9.bin");
    source->Copy();
    EXPECT_EQ(clipboard.PutCount, 1);
    // The type block carries its terminator.
    EXPECT_EQ(clipboard.TypeBlock, (std::vector<uint8_t>{'b', 0, 'i', 0, 'n', 0, 0, 0}));

    TElement_Image* target = NewImage();
    ASSERT_TRUE(target->CanPasteData());
    ASSERT_TRUE(target->Paste());
    EXPECT_EQ(target->Data().Bytes(), source->Data().Bytes());
    EXPECT_EQ(target->Type(), u"bin");
    EXPECT_FALSE(target->InExternalEditing());

    // A clipboard copy of the element tree does not carry the name either.
    TKnot knot(u"Image");
    TSchemeSaver saver(smClipboard, &knot, soClipboard);
    source->SaveToKnot(&saver, &knot);
    EXPECT_EQ(knot.FindParam(u"ExternalEditingFileName"), nullptr);
    TKnot exact(u"Image");
    TSchemeSaver exactSaver(smExactCopy, &exact, 0);
    source->SaveToKnot(&exactSaver, &exact);
    EXPECT_NE(exact.FindParam(u"ExternalEditingFileName"), nullptr);
}

TEST_F(DataElementTest, DamagedClipboardDataChangesNothingAndKeepsTheUndoStep)
{
    TElement_Image* image = NewImage();
    image->SetDataUndoable(FromHex(SmallPngHex), u"png");
    const int steps = undo.UndoCount();
    const std::vector<uint8_t> before = image->Data().Bytes();

    TMemoryStream packed;
    CompressStream(TMemoryStream(std::vector<uint8_t>(1000, 9)), packed);
    clipboard.HasTypeBlock = clipboard.HasDataBlock = true;
    clipboard.TypeBlock = {'g', 0, 'i', 0, 'f', 0}; // no terminator
    clipboard.DataBlock.assign(packed.Bytes().begin(), packed.Bytes().begin() + long(packed.Size() / 2));
    EXPECT_FALSE(image->Paste());
    EXPECT_EQ(image->Data().Bytes(), before);
    EXPECT_EQ(image->Type(), u"png");
    EXPECT_EQ(undo.UndoCount(), steps);
    undo.Undo();
    EXPECT_FALSE(image->HasValue()); // the earlier step is still the one undone

    clipboard.DataBlock = packed.Bytes();
    EXPECT_TRUE(image->Paste());
    EXPECT_EQ(image->Type(), u"gif");
    EXPECT_EQ(image->Data().Size(), 1000u);
}

TEST_F(DataElementTest, PastedBitmapBecomesPng)
{
    clipboard.HasBitmap = true;
    clipboard.Bitmap = EncodedPng(4, 3); // the native stand-in hands over any picture file
    clipboard.BitmapDataType = dtBmp;
    TElement_Image* image = NewImage();
    ASSERT_TRUE(image->PasteData(true));
    EXPECT_EQ(image->Type(), u"png");
    int width = 0, height = 0;
    EXPECT_TRUE(image->GetImageSize(width, height));
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 3);
}

TEST_F(DataElementTest, PastingTwiceGivesDistinctElementsAndIdentifiers)
{
    TElement_Image* a = NewImage();
    a->SetData(Bytes({1}), u"bin");
    TKnot knot(u"Quillora");
    TSchemeSaver saver(smClipboard, &knot, soClipboard);
    a->SaveToKnot(&saver, knot.AddKnot(u"Image"));
    a->SaveToKnot(&saver, knot.AddKnot(u"Image"));
    scheme->LoadFromKnot(Root(), smClipboard, &knot);
    ASSERT_NE(ImageAt(1), nullptr);
    EXPECT_NE(ImageAt(0)->ID(), ImageAt(1)->ID());
    EXPECT_NE(ImageAt(0)->ID(), 0);
}

TEST_F(DataElementTest, EditingWritesATemporaryFileBesideTheDocumentAndApplyReadsItBack)
{
    TElement_Image* image = NewImage();
    image->StartExternalEditing({}, false); // empty: first a 60 x 40 placeholder
    const String file = Folder() + u"File1.png";
    ASSERT_EQ(image->ExternalEditingFileName(), file);
    EXPECT_EQ(image->Type(), u"png");
    EXPECT_TRUE(FileExists(file));
    ASSERT_EQ(shell.Calls.size(), 1u);
    EXPECT_EQ(shell.Calls[0].Verb, u"edit");
    EXPECT_EQ(shell.Calls[0].File, file);
    int width = 0, height = 0;
    image->GetImageSize(width, height);
    EXPECT_EQ(width, 60);
    EXPECT_EQ(height, 40);

    const std::string edited(reinterpret_cast<const char*>(FromHex(SmallPngHex).Data()), FromHex(SmallPngHex).Size());
    WriteWholeFile(file, edited);
    image->ApplyExternalEditing();
    EXPECT_FALSE(image->InExternalEditing());
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(image->Data().Size(), edited.size());

    // Undo brings back the data and the mode, not the file; the name stays this
    // element's: another element is given the next one.
    undo.Undo();
    EXPECT_TRUE(image->InExternalEditing());
    EXPECT_EQ(image->ExternalEditingFileName(), file);
    TElement_Image* other = NewImage();
    other->SetData(FromHex(SmallPngHex), u"png");
    other->StartExternalEditing({}, false);
    EXPECT_EQ(other->ExternalEditingFileName(), Folder() + u"File2.png");
    // Editing again writes the element's file anew before opening it.
    image->StartExternalEditing({}, false);
    EXPECT_TRUE(FileExists(file));
    other->CancelExternalEditing();
    EXPECT_FALSE(FileExists(Folder() + u"File2.png"));
    EXPECT_TRUE(FileExists(file));
}

TEST_F(DataElementTest, ProgramsReceiveTheQuotedNameAndCodeTypesAreRefused)
{
    TElement_Image* image = NewImage();
    image->SetData(Bytes({1, 2}), u"bin");
    image->StartExternalEditing(u"C:\\Tools\\hex editor.exe", false);
    ASSERT_EQ(shell.Calls.size(), 1u);
    EXPECT_EQ(shell.Calls[0].File, u"C:\\Tools\\hex editor.exe");
    EXPECT_EQ(shell.Calls[0].Parameters, u"\"" + Folder() + u"File1.bin\"");
    image->CancelExternalEditing();

    TElement_Image* code = NewImage();
    code->SetData(Bytes({'M', 'Z'}), u"exe");
    for (int way = 0; way < 3; ++way) {
        shell.Calls.clear();
        try {
            code->StartExternalEditing(way == 1 ? u"C:\\Tools\\editor.exe" : u"", way == 2);
            ADD_FAILURE() << way;
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(u"\"exe\""), String::npos);
        }
        EXPECT_TRUE(shell.Calls.empty());
        EXPECT_FALSE(code->InExternalEditing());
        EXPECT_FALSE(FileExists(Folder() + u"File1.exe"));
    }
}

TEST_F(DataElementTest, CustomEditorThatIsMissingLeavesNoTemporaryFile)
{
    settings.ExternalEditorBitmaps().DefaultAction().SetValue(1);
    settings.ExternalEditorBitmaps().CustomEditor().SetValue(Folder() + u"missing.exe");
    TElement_Image* image = NewImage();
    image->SetData(FromHex(SmallPngHex), u"png");
    EXPECT_THROW(image->StartExternalEditing({}, false), Exception);
    EXPECT_FALSE(image->InExternalEditing());
    EXPECT_FALSE(FileExists(Folder() + u"File1.png"));
}

TEST_F(DataElementTest, DoubleClickBeepsWhenTheGroupSaysNone)
{
    settings.ExternalEditorBitmaps().DefaultAction().SetValue(2);
    TElement_Image* image = NewImage();
    image->SetData(FromHex(SmallPngHex), u"png");
    image->DblClick();
    EXPECT_EQ(beeper.Beeps, 1);
    TKeyEvent enter = TKeyEvent::Down(kcReturn);
    image->KeyDown(enter);
    EXPECT_FALSE(enter.Consumed());
    EXPECT_TRUE(shell.Calls.empty());
}

TEST_F(DataElementTest, ConvertingToPngAndIconAndUndo)
{
    TElement_Image* image = NewImage();
    image->SetFormat(dtPng);
    EXPECT_EQ(image->Type(), u"png");
    int width = 0, height = 0;
    EXPECT_TRUE(image->GetImageSize(width, height));
    EXPECT_EQ(width, 60);
    image->ConvertFormat(dtIco);
    EXPECT_EQ(image->Type(), u"ico");
    EXPECT_TRUE(image->GetImageSize(width, height));
    EXPECT_EQ(width, 32);
    undo.Undo();
    EXPECT_FALSE(image->HasValue());
}

TEST_F(DataElementTest, LoadingAFileLowersTheTypeAndMissingFilesRaise)
{
    const String name = Folder() + u"Photo.PNG";
    WriteWholeFile(name, std::string(reinterpret_cast<const char*>(FromHex(SmallPngHex).Data()), FromHex(SmallPngHex).Size()));
    TElement_Image* image = NewImage();
    EXPECT_TRUE(image->DropFiles({Folder() + u"notes.txt", name}));
    EXPECT_EQ(image->Type(), u"png");
    EXPECT_THROW(image->LoadFromFile(Folder() + u"none.png", true), Exception);
    image->SaveToFile(Folder() + u"copy.png");
    EXPECT_EQ(ReadWholeFile(Folder() + u"copy.png").size(), FromHex(SmallPngHex).Size());
}

TEST_F(DataElementTest, DroppedFilesAreRefusedWhileEditingElsewhereAndWhenReadOnly)
{
    const String name = Folder() + u"Photo.png";
    WriteWholeFile(name, std::string(reinterpret_cast<const char*>(FromHex(SmallPngHex).Data()), FromHex(SmallPngHex).Size()));
    TElement_Image* image = NewImage();
    image->StartExternalEditing({}, false);
    ASSERT_TRUE(image->InExternalEditing());
    const std::vector<uint8_t> placeholder = image->Data().Bytes();
    EXPECT_FALSE(image->DropFiles({name}));
    EXPECT_EQ(image->Data().Bytes(), placeholder);
    image->CancelExternalEditing();
    scheme->SetReadOnly(true);
    EXPECT_FALSE(image->DropFiles({name}));
    scheme->SetReadOnly(false);
    EXPECT_TRUE(image->DropFiles({name}));
    EXPECT_EQ(image->Data().Bytes(), FromHex(SmallPngHex).Bytes());
}

TEST_F(DataElementTest, OpenDialogListsAllImagesFirstAndAllFilesLast)
{
    TElement_Image* image = NewImage();
    const auto filters = image->OpenDialogFilters();
    ASSERT_GE(filters.size(), 3u);
    EXPECT_EQ(filters.front().Name, u"All Images");
    EXPECT_EQ(filters.back().Name, u"All Files");
    auto jpeg = std::find_if(filters.begin(), filters.end(), [](auto& f) { return f.Name == u"JPEG"; });
    ASSERT_NE(jpeg, filters.end());
    EXPECT_EQ(jpeg->Masks, u"*.jpeg;*.jpg;*.jpe;*.jfif");
}

} // namespace
