#include "foundation/FormPlace.h"

#include "foundation/SessionFile.h"

namespace quillora {

TFormPlace::TFormPlace(TPlacementForm* form, String formName, TSessionFile* sessionFile, String knotPath)
    : form_(form), formName_(std::move(formName)), sessionFile_(sessionFile), knotPath_(std::move(knotPath))
{
}

TKnot* TFormPlace::FormKnot()
{
    if (!form_ || !sessionFile_) return nullptr;
    TKnot* parent = &sessionFile_->Knot();
    if (!knotPath_.empty()) parent = parent->GetKnotByPath(knotPath_, true);
    return parent ? parent->GetKnot(formName_) : nullptr;
}

void TFormPlace::FormCreated()
{
    if (TKnot* knot = FormKnot()) knot->ReadFormPlacement(*form_);
}

void TFormPlace::FormCloseQuery()
{
    if (TKnot* knot = FormKnot()) knot->WriteFormPlacement(*form_);
}

} // namespace quillora
