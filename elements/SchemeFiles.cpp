// Loading and saving a scheme's document: knots and files.
#include <ctime>
#include <memory>

#include "elements/Element.h"
#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "foundation/Exceptions.h"
#include "foundation/Knot.h"
#include "foundation/SafeReplace.h"
#include "foundation/SaveTemporaries.h"
#include "foundation/Utils.h"

namespace quillora {

namespace {
// The folder of `fileName` with a trailing delimiter; the current folder when it has none.
String FolderOf(const String& fileName)
{
    for (size_t i = fileName.size(); i-- > 0;)
        if (IsPathDelimiter(fileName[i])) return fileName.substr(0, i + 1);
    return IncludeTrailingPathDelimiter(u".");
}
} // namespace

void TScheme::LoadFromKnot(TElement* element, int mode, TKnot* knot)
{
    TSchemeLoader loader(this, messages_, knot, 0, mode);
    if (element) element->LoadFromKnot(&loader, knot);
    loader.Finish();
}

void TScheme::LoadFromFile(const String& fileName)
{
    TBusyCursor busy;
    SetFileName(fileName);
    TKnot knot;
    knot.LoadFromFile(fileName);
    LoadFromKnot(root_.get(), smDocument, &knot);
}

void TScheme::SaveToKnot(TElement* element, int mode, TKnot* knot, int options)
{
    TSchemeSaver saver(mode, knot, options);
    knot->SetName(schemeName_);
    saver.WriteFormatVersion();
    if (element) element->SaveToKnot(&saver, knot);
}

void TScheme::SaveToFile(const String& fileName, bool asCopy)
{
    TBusyCursor busy;
    String remembered = fileName_;
    SetFileName(fileName);
    try {
        String tempName;
        {
            std::unique_ptr<TFileStream> file = CreateUniqueFile(
                String(SaveTemporaryPattern), String(SaveTemporaryExtension), tempName, FolderOf(fileName));
            try {
                // Binary data is referenced, not copied: the knot is written out at once.
                TKnot knot;
                SaveToKnot(root_.get(), smDocument, &knot, soStreamRefs);
                TMemoryStream bytes;
                knot.SaveToStream(bytes, TTextEncoding::Utf8);
                file->Write(bytes);
                file->Close();
                FlushFileToDisk(tempName);
            } catch (...) {
                // An incomplete temporary file is of no use: the target is untouched.
                file.reset();
                RemoveFile(tempName);
                throw;
            }
        }
        // The complete new document replaces the old one in one step. When it cannot,
        // the old file stays as it was and the new content stays in the temporary file.
        TReplaceError error;
        if (!ReplaceFileAtomically(tempName, fileName, error))
            throw PlatformError(u"Cannot create file \"" + fileName + u"\". " + error.Text, error.Code);
    } catch (...) {
        SetFileName(remembered);
        throw;
    }
    // The document is safe in its place: what interrupted saves left beside it goes.
    RemoveStaleSaveTemporaries(FolderOf(fileName), static_cast<int64_t>(std::time(nullptr)));
    if (asCopy) SetFileName(remembered);
}

} // namespace quillora
