#pragma once
// The fixture of the layout and editing-layer tests: texts laid out with the fixed-metric
// font. The default run attributes (8 points) give rows of 11 pixels (ascent 9, descent
// 2), 6 pixels per lower-case letter, blank and digit, 9 per capital, 7 per bold letter,
// and tab stops every 48 pixels.

#include <gtest/gtest.h>

#include <string>

#include "elements/VisualElement.h"
#include "support/TextFakes.h"
#include "text/RichTextAttributes.h"
#include "text/Textor.h"
#include "text/TextorRow.h"

namespace quillora::testing {

// A text with a chosen width and the default attributes of the fixed font.
class TLayoutTextor : public TTestTextor {
public:
    explicit TLayoutTextor(int width = 0) : TTestTextor(true, true, true), Width(width)
    {
        Defaults = &Attributes();
        UnlockLayout();
    }
    static TRichTextAttributes& Attributes()
    {
        static TRichTextAttributes* held = [] {
            TRichTextAttributes scratch;
            TRichTextAttributes* result = TRichTextAttributes::GetRegistered(scratch);
            result->AddRef();
            return result;
        }();
        return *held;
    }
    int Width;
    int GetWidth() override { return Width; }
};

class LayoutFixture : public ::testing::Test {
protected:
    TCountingFontManager fonts_;
    TProvide<TDeviceContextManager> provideFonts_{fonts_};

    static TTextorRange Append(TTextor& text, StringView chars, TTextAttributes* attributes = nullptr)
    {
        TTextorRange range;
        text.InsertText(text.GetEnd(), chars, attributes, range);
        return range;
    }
    static TTextorPosition At(TTextor& text, int paragraph, int index)
    {
        TTextorPosition pos;
        EXPECT_TRUE(text.LocationToPosition({paragraph, index}, pos));
        return pos;
    }
    static TTextorLocation Where(TTextor& text, const TTextorPosition& pos) { return text.PositionToLocation(pos); }
    // An element of the given size to embed.
    static TVisualElement* Box(int width, int height, int descent)
    {
        auto* element = TElement::NewElement<TVisualElement>(nullptr);
        element->SetBounds(0, 0, width, height, descent);
        return element;
    }
    static void Embed(TTextor& text, TVisualElement* element)
    {
        TTextorRange range;
        text.InsertElement(text.GetEnd(), element, nullptr, range);
    }
    // The rows as their text, "|" between rows and " / " between paragraphs.
    static std::string Rows(TTextor& text)
    {
        std::string out;
        for (TRow* row = text.FirstRow(); row; row = TTextor::NextRow(row)) {
            if (row != text.FirstRow()) out += row->GetPrevRow() ? "|" : " / ";
            TTextorRange range{row->GetStartPos(), row->GetEndPos()};
            out += StringToUtf8(text.GetRangeText(range));
        }
        return out;
    }
};

} // namespace quillora::testing
