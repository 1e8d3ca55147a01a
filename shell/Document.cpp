#include "shell/Document.h"

#include <cstdio>

#include "elements/ClassesGroups.h"
#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "foundation/Exceptions.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/StringIds.h"
#include "library/Log.h"
#include "text/SchemeTextor.h"
#include "text/Textor.h"
#include "typing/MacroElements.h"

namespace quillora {

namespace {
// Content with embedded elements, all characters, tabs and line breaks.
constexpr uint32_t RootOptions = teoContent | teoWorkspaceHeight | teoNoMaxWidth | teoFillWidth | teoFillHeight;
static_assert(RootOptions == 0x44420001);
constexpr uint32_t RootTextOptions = 127;
} // namespace

void TQuilloraRoot::Create()
{
    TTextorElement::Create();
    SetOptions(RootOptions);
    SetTextOptions(RootTextOptions);
}

void TQuilloraRoot::GetAcceptedClasses(TElementClassList& list)
{
    if (MacroClassesGroup >= 0 && MacroClassesGroup < ClassesGroups().Count()) AddGroupClasses(list, MacroClassesGroup);
    TTextorElement::GetAcceptedClasses(list);
    // Logic frames are not allowed in the document.
    for (size_t i = list.size(); i > 0; --i)
        if (list[i - 1]->GetClassName() == u"TElement_LogicFrame") list.erase(list.begin() + static_cast<long>(i - 1));
}

void TQuilloraRoot::GetPadding(TRect& rect)
{
    // The document's text sits directly on the sheet.
    rect = TRect {};
}

TQuilloraRoot* TQuilloraDocument::QuilloraRoot() const { return static_cast<TQuilloraRoot*>(Root()); }

TTextor& TQuilloraDocument::Text() const { return QuilloraRoot()->Text(); }

std::unique_ptr<TScheme> TQuilloraDocument::CreateScheme()
{
    RegisterLogClasses();
    auto scheme = std::make_unique<TScheme>(&TQuilloraRoot::Class(), u"Quillora");
    logScheme_ = std::make_unique<TScheme>(&TLogRoot::Class());
    logScheme_->SetReadOnly(true);
    scheme->SetSchemeMessages(&LogRoot()->DocumentMessages());
    return scheme;
}

TQuilloraDocument::~TQuilloraDocument()
{
    // The document's scheme outlives the log here: it reports into its own list again.
    if (Scheme()) Scheme()->SetSchemeMessages(nullptr);
}

TLogRoot* TQuilloraDocument::LogRoot() const
{
    return logScheme_ ? static_cast<TLogRoot*>(logScheme_->Root()) : nullptr;
}

bool TQuilloraDocument::SetStarterText(const String& dropDownHotKey)
{
    if (!Text().IsEmpty()) return false;
    Text().SetText(u"Type text here and press\r\n" + dropDownHotKey + u"\r\nin any editor");
    return true;
}

namespace {
// Whether the document text of `knot` (a data file's tree) holds a snippet: loaded
// into a document of its own, some paragraph is not empty.
bool HoldsSnippets(const TKnot& knot)
{
    std::unique_ptr<TQuilloraDocument> trial = TTrayAppDocument::New<TQuilloraDocument>();
    TKnot copy;
    copy.Assign(knot);
    trial->Scheme()->LoadFromKnot(trial->Root(), smDocument, &copy);
    for (TParagraph* p = trial->Text().FirstParagraph(); p; p = p->Next())
        if (!p->IsEmpty()) return true;
    return false;
}

// The reason why `knot`, read from a file, cannot replace the snippets; empty when it can.
String ImportRefusal(TKnot& knot, const String& schemeName)
{
    if (knot.Name() != schemeName) return LoadString(sidNotSnippetFile);
    if (knot.Corrupt()) return LoadString(sidDataCorrupt);
    if (knot.FindParam(u"FormatVersion") &&
        ParseFormatVersion(knot.FindParam(u"FormatVersion")->Text()) > CurrentFormatVersion)
        return LoadString(sidNewerFormat);
    if (!HoldsSnippets(knot)) return LoadString(sidNoSnippetsInFile);
    return {};
}
} // namespace

void TQuilloraDocument::ImportFile(const String& fileName)
{
    TKnot knot;
    knot.LoadFromFile(fileName);
    String refusal = ImportRefusal(knot, Scheme()->SchemeName());
    if (!refusal.empty()) throw Exception(FormatString(sidImportRefused, {fileName, refusal}));
    knot.SetList();
    QuilloraRoot()->Edit(tekWholeText, nullptr, true, &knot, 0, 0);
}

void TQuilloraDocument::ExportFile(const String& fileName) { SaveDataFile(fileName, {}); }

String ExportFileNameForDay(int year, int month, int day)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d_%02d_%02d", year, month, day);
    return AsciiToString(buffer);
}

} // namespace quillora
