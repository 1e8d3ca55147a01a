#include "elements/Messages.h"

#include <algorithm>

namespace quillora {

String TElementMessage::GetText() const
{
    String text;
    for (const TElementMessagePart& part : Parts) text += part.Text;
    return text;
}

int MessageKindSeverity(uint8_t kind)
{
    switch (kind) {
    case mkHint: return 1;
    case mkWarning:
    case mkValueRequired:
    case mkInvalidValue: return 2;
    case mkError: return 3;
    default: return 0;
    }
}

std::vector<TElementMessagePart> SplitMessageText(StringView text, const String& data)
{
    std::vector<TElementMessagePart> parts;
    size_t open = text.find(u'[');
    if (open == StringView::npos) {
        parts.push_back({mpElements, String(text), data});
        return parts;
    }
    // The closing bracket is looked for behind the opening one, so that a stray "]" in
    // front cannot make the stretches overlap; without one the link runs to the end.
    size_t close = text.find(u']', open + 1);
    if (close == StringView::npos) close = text.size();
    if (open > 0) parts.push_back({mpText, String(text.substr(0, open)), {}});
    parts.push_back({mpElements, String(text.substr(open + 1, close - open - 1)), data});
    if (close + 1 < text.size()) parts.push_back({mpText, String(text.substr(close + 1)), {}});
    return parts;
}

String SanitizeMessageArgument(StringView text)
{
    constexpr size_t MaxLength = 200;
    String result;
    if (text.size() > MaxLength) {
        result.assign(text.substr(0, MaxLength - 3));
        // A cut between the two halves of a surrogate pair would leave half a character.
        if (IsLeadSurrogate(result.back())) result.back() = ReplacementCharacter;
        result += u"...";
    } else {
        result.assign(text);
    }
    for (Char& c : result)
        if (c < 32 || c == u'[' || c == u']') c = u'\xFFFD';
    return result;
}

TElementMessages::~TElementMessages() { Clear(); }

TElementMessage* TElementMessages::Add(std::unique_ptr<TElementMessage> message)
{
    if (!message) return nullptr;
    if (OnAdding) {
        bool accept = true;
        OnAdding(*this, *message, accept);
        if (!accept) return nullptr; // freed here
    }
    if (!items_) items_ = std::make_unique<std::vector<std::unique_ptr<TElementMessage>>>();
    TElementMessage* added = message.get();
    items_->push_back(std::move(message)); // a failure frees the message and passes on
    if (OnAdd) OnAdd(*this, *added);
    return added;
}

TElementMessage* TElementMessages::AddMessage(uint8_t kind, StringView text, const String& data)
{
    auto message = std::make_unique<TElementMessage>(kind);
    message->Parts = SplitMessageText(text, data);
    return Add(std::move(message));
}

TElementMessage* TElementMessages::AddPlainMessage(uint8_t kind, StringView text)
{
    auto message = std::make_unique<TElementMessage>(kind);
    message->Parts.push_back({mpText, String(text), {}});
    return Add(std::move(message));
}

void TElementMessages::Clear()
{
    if (!items_) return;
    items_.reset();
    if (OnClear) OnClear(*this);
}

void TElementMessages::BeginBatch()
{
    if (batchCount_ == 0) Clear();
    ++batchCount_;
}

void TElementMessages::EndBatch()
{
    if (batchCount_ > 0) --batchCount_;
}

bool TElementMessages::HasKind(TElementMessageKinds kinds) const
{
    if (!items_) return false;
    return std::any_of(items_->begin(), items_->end(),
                       [kinds](const auto& m) { return (MessageKindBit(m->Kind) & kinds) != 0; });
}

int TElementMessages::GetSeverity() const
{
    int severity = 0;
    if (items_)
        for (const auto& m : *items_) severity = std::max(severity, MessageKindSeverity(m->Kind));
    return severity;
}

} // namespace quillora
