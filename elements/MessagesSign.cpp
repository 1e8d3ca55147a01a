#include "elements/MessagesSign.h"

#include "elements/CustomSheet.h"
#include "elements/Messages.h"

namespace quillora {

TMessagesSignElement* TMessagesSignElement::CreateFor(TVisualElement& root, TVisualElement& target)
{
    TMessagesSignElement* sign = NewPart<TMessagesSignElement>(&root, nullptr);
    sign->target_ = &target;
    sign->SetVisualParent(&root, nullptr);
    return sign;
}

TMessagesSignElement::~TMessagesSignElement()
{
    if (target_) target_->MessagesSignGone(this);
}

void TMessagesSignElement::Create()
{
    TVisualElement::Create();
    flags_ |= efTransient;
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | voPassive));
}

TSheetThemeElement TMessagesSignElement::SignImage() const
{
    TElementMessages* messages = target_ ? target_->Messages() : nullptr;
    return messages && messages->HasKind(MessageKindBit(mkInvalidValue)) ? steErrorSign : steNeedValueSign;
}

void TMessagesSignElement::Paint(TSheetCanvas& canvas, int paintFlags)
{
    if (target_ && target_->Messages()) canvas.DrawThemeImage(SignImage(), TPoint{0, 0});
}

void TMessagesSignElement::UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged)
{
    TVisualElement::UpdateLayout(attached, styleChanged, widthChanged, heightChanged);
    if ((attached || styleChanged) && Sheet())
        if (TSheetCanvas* canvas = Sheet()->GetCanvas()) {
            TPoint size = canvas->GetThemeImageSize(steErrorSign);
            SetBounds(Left(), Top(), size.X, size.Y);
        }
}

void TMessagesSignElement::GetHint(String& text)
{
    TVisualElement::GetHint(text);
    if (text.empty() && target_ && target_->Messages()) text = MessagesHintText(*target_->Messages());
}

String MessagesHintText(const TElementMessages& messages)
{
    String text;
    for (int i = 0; i < messages.Count(); ++i) {
        if (i > 0) text += u"\r\n";
        text += u"\x2022 ";
        text += messages.GetItems(i).GetText();
    }
    return text;
}

} // namespace quillora
