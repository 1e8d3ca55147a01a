#pragma once
// TTextorEditOperation: the undo unit of every change of a text element's text. It
// removes a range and inserts content (in the content format, below a "LoomwiseContent"
// knot) in its place, keeps what it removed for undoing, and merges a burst of typing or
// of backward deletions into one undo step.

#include <chrono>
#include <cstdint>
#include <memory>

#include "elements/Operations.h"
#include "text/TextorPosition.h"

namespace quillora {

class TKnot;
class TTextAttributes;
class TTextorElement;

class TTextorEditOperation : public TElementOperation {
public:
    using TClock = std::chrono::steady_clock;
    // Operations less than this apart may merge.
    static constexpr std::chrono::milliseconds MergeInterval{800};

    explicit TTextorEditOperation(TTextorElement* element);
    ~TTextorEditOperation() override;

    TClock::time_point Timestamp;
    TTextorLocationRange DeletedRange;
    TTextorLocation InsertAt;
    // Filer mode (1 clipboard, 2 exact copy) and options of InsertedContent.
    uint8_t ContentMode = 2;
    uint8_t ContentOptions = 0;
    bool KeepSelected = false;
    TTextorLocationRange InsertedRange;

    // The counted reference of the attributes at the place of the change.
    TTextAttributes* TypingAttributes() const { return typingAttributes_; }
    void SetTypingAttributes(TTextAttributes* attributes);
    // The content to insert (owned), or none.
    TKnot* InsertedContent() const { return insertedContent_.get(); }
    // Takes a copy of `content`, renamed "LoomwiseContent".
    void SetInsertedContent(const TKnot* content);
    // What the first execution removed (owned), or none.
    TKnot* DeletedContent() const { return deletedContent_.get(); }

    // The time of the timestamps: the provided steady clock (Service<ISteadyClock>()).
    static TClock::time_point Now();

    bool MergeWith(TOperation* previous) override;
    void ApplyTo(TElement* element) override;
    void RevertOn(TElement* element) override;

private:
    bool MergeTyping(TTextorEditOperation& previous);
    bool MergeBackspace(TTextorEditOperation& previous);

    TTextAttributes* typingAttributes_ = nullptr;
    std::unique_ptr<TKnot> insertedContent_;
    std::unique_ptr<TKnot> deletedContent_;
};

} // namespace quillora
