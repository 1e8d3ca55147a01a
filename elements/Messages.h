#pragma once
// Element messages: what is wrong with an element or with a load, as a kind and a
// text whose one bracketed stretch links to the message's subject.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "foundation/Strings.h"

namespace quillora {

// What a part of a message points at.
enum TElementMessagePartKind : uint8_t {
    mpText = 0,     // plain text
    mpElements = 1, // Data: element identifiers in decimal, separated by commas
    mpFileName = 2, // Data: a file name
    mpSettings = 3, // Data: a settings key
};

struct TElementMessagePart {
    uint8_t Kind = mpText;
    String Text; // shown as it is
    String Data; // the link target; empty for a plain part
};

enum TElementMessageKind : uint8_t {
    mkInformation = 0,
    mkHint = 1,
    mkWarning = 2,
    mkError = 3,
    mkValueRequired = 4,
    mkInvalidValue = 5,
};

// A set of message kinds: bit K stands for kind K (kinds 0 to 7).
using TElementMessageKinds = uint8_t;
constexpr TElementMessageKinds MessageKindBit(uint8_t kind) { return kind < 8 ? uint8_t(1u << kind) : 0; }
// The kinds that make an element faulty: 2, 3, 4 and 5.
constexpr TElementMessageKinds FaultMessageKinds = MessageKindBit(mkWarning) | MessageKindBit(mkError) |
                                                   MessageKindBit(mkValueRequired) | MessageKindBit(mkInvalidValue);

class TElementMessage {
public:
    TElementMessage() = default;
    explicit TElementMessage(uint8_t kind) : Kind(kind) {}

    uint8_t Kind = mkInformation;
    std::vector<TElementMessagePart> Parts;

    // The parts' texts joined in order.
    String GetText() const;
};

// The severity of one message kind: 3 for errors, 2 for warnings and value faults,
// 1 for hints, 0 for information (and unknown kinds).
int MessageKindSeverity(uint8_t kind);

// Splits `text` at its first "[" and the first "]": the plain text in front (when not
// empty), the bracketed stretch as an mpElements part with `data`, the plain text
// behind (when not empty). A text without "[" is one mpElements part.
std::vector<TElementMessagePart> SplitMessageText(StringView text, const String& data);

// A value from outside (an element's text, a type name, a knot path) made safe for
// "%1" of a message: longer than 200 characters it is cut to 197 and "..." (a pair
// half cut off becomes U+FFFD); every control character (below 32), "[" and "]"
// becomes U+FFFD.
String SanitizeMessageArgument(StringView text);

// An ordered list that owns its messages, with events about its changes.
class TElementMessages {
public:
    using TClearEvent = std::function<void(TElementMessages& sender)>;
    using TAddEvent = std::function<void(TElementMessages& sender, TElementMessage& message)>;
    using TAddingEvent = std::function<void(TElementMessages& sender, TElementMessage& message, bool& accept)>;

    TElementMessages() = default;
    TElementMessages(const TElementMessages&) = delete;
    TElementMessages& operator=(const TElementMessages&) = delete;
    // Clears the list (OnClear is told when it held messages).
    ~TElementMessages();

    int Count() const { return items_ ? static_cast<int>(items_->size()) : 0; }
    TElementMessage& GetItems(int index) const { return *(*items_)[static_cast<size_t>(index)]; }

    // Takes ownership: asks OnAdding (a refused message is freed; null is returned),
    // appends, tells OnAdd. Returns the message in the list.
    TElementMessage* Add(std::unique_ptr<TElementMessage> message);
    // A message of `kind` from `text` split at its brackets (SplitMessageText).
    TElementMessage* AddMessage(uint8_t kind, StringView text, const String& data);
    // A message of one plain part.
    TElementMessage* AddPlainMessage(uint8_t kind, StringView text);

    // Frees every message; tells OnClear when there were any.
    void Clear();

    // The outermost BeginBatch clears the list; batches only count otherwise.
    void BeginBatch();
    void EndBatch();
    int BatchCount() const { return batchCount_; }

    // True when a message has a kind in `kinds`.
    bool HasKind(TElementMessageKinds kinds) const;
    // The highest severity of the messages (MessageKindSeverity); 0 when empty.
    int GetSeverity() const;

    TClearEvent OnClear;
    TAddEvent OnAdd;
    TAddingEvent OnAdding;

private:
    // Exists from the first add to the next Clear.
    std::unique_ptr<std::vector<std::unique_ptr<TElementMessage>>> items_;
    int batchCount_ = 0;
};

} // namespace quillora
