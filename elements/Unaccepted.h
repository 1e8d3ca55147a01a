#pragma once
// TElement_Unaccepted stands for an element whose class the container does not know.
// It keeps the knot it was read from, as text, and writes it back unchanged, so that a
// document with elements of a newer or foreign program survives loading and saving.

#include <vector>

#include "elements/VisualElement.h"

namespace quillora {

class TElement_Unaccepted : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Unaccepted, TVisualElement)

    // The knot as read, written as text, one string per line.
    const std::vector<String>& Lines() const { return lines_; }
    // The name of the knot as read (the unknown type name).
    String StoredTypeName() const;
    // Registers the class process-wide, for code that looks classes up by type name
    // (containers do not need it: GetUnacceptedClass names the class directly).
    static void Register();

protected:
    void Create() override;

public:
    bool HasValue() override { return true; }
    // One message of kind 5: "[Unsupported] element "%1" in this editor".
    void CheckValue() override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    void GetPadding(TRect& rect) override;
    void Paint(TSheetCanvas& canvas, int paintFlags) override;
    void UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged) override;
    void VisibleChanged() override;

    // A line as drawn: TAB as eight spaces, more than 100 characters cut to 97 and "...".
    static String DisplayLine(const String& line);

private:
    // The size of the lines in the sheet's fixed font, when the element is shown in one.
    void UpdateSize();
    // The knot parsed back from the lines.
    void ParseLines(TKnot& knot) const;

    std::vector<String> lines_;
};

} // namespace quillora
