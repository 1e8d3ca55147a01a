#pragma once
// TMessagesSignElement: the small sign drawn over a faulty value element, whose hint
// lists the element's messages. Its target creates, places and frees it (as a transient,
// passive part of the sheet's root element); it is never saved.

#include "elements/VisualElement.h"

namespace quillora {

class TMessagesSignElement : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TMessagesSignElement, TVisualElement)

    // The sign as a part of `root` (and its visual child), reporting on `target`.
    static TMessagesSignElement* CreateFor(TVisualElement& root, TVisualElement& target);
    // A sign freed with the sheet's root before its target let go of it tells the target.
    ~TMessagesSignElement() override;

    // The element whose messages the sign shows.
    TVisualElement* Target() const { return target_; }
    void SetTarget(TVisualElement* target) { target_ = target; }

    // The theme image the sign shows: steErrorSign when the target has a message of
    // kind 5, otherwise steNeedValueSign.
    TSheetThemeElement SignImage() const;

protected:
    void Create() override;

public:
    // Draws the sign's image at its top-left corner when the target has messages.
    void Paint(TSheetCanvas& canvas, int paintFlags) override;
    // Takes the size of the steErrorSign image when attached or restyled in a sheet.
    void UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged) override;
    // The inherited hint, else "• " and each message's text, joined by CR LF.
    void GetHint(String& text) override;

private:
    TVisualElement* target_ = nullptr;
};

// The hint text of a list of messages: "• " + text per message, joined by CR LF.
String MessagesHintText(const TElementMessages& messages);

} // namespace quillora
