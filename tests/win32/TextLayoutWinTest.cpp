// The text layout measured by the GDI font engine: every caret position of a laid-out
// paragraph hit-tests back to itself.
#include <gtest/gtest.h>

#include <climits>

#include "text/RichTextAttributes.h"
#include "text/Textor.h"
#include "text/TextorRow.h"

namespace quillora {
namespace {

class TGdiTextor : public TTextor {
public:
    explicit TGdiTextor(int width) : width_(width)
    {
        TRichTextAttributes scratch;
        scratch.SetFontName(u"Tahoma");
        scratch.SetSize(10);
        attributes_ = TRichTextAttributes::GetRegistered(scratch);
        attributes_->AddRef();
    }
    ~TGdiTextor() override
    {
        Clear();
        attributes_->Release();
    }
    TTextAttributes* GetDefaultTextAttributes() override { return attributes_; }
    int GetWidth() override { return width_; }
    bool AcceptsTabs() override { return true; }
    bool AcceptsLineBreaks() override { return true; }

private:
    int width_;
    TRichTextAttributes* attributes_ = nullptr;
};

TEST(GdiTextLayout, EveryCaretPositionHitTestsBackToItself)
{
    for (int width : {0, 90}) {
        TGdiTextor text(width);
        TTextorRange range;
        text.InsertText(text.GetEnd(), u"Quillora types WWW snippets\tinto iiii other\tprograms", nullptr, range);
        ASSERT_TRUE(text.IsLaidOut());
        if (width > 0) EXPECT_NE(text.FirstRow()->GetNextRow(), nullptr);
        const int length = text.FirstParagraph()->GetLength();
        for (int i = 0; i <= length; ++i) {
            TTextorPosition pos;
            ASSERT_TRUE(text.LocationToPosition({0, i}, pos));
            TRow* row = text.RowOfPosition(pos, true);
            ASSERT_NE(row, nullptr);
            const TRect caret = text.CaretRect(row, pos, 1);
            EXPECT_LE(caret.Right - 1, text.RowLeft(row) + row->Width) << i;
            TTextorPosition hit;
            TRow* hitRow = nullptr;
            ASSERT_TRUE(text.PositionAtPoint({caret.Left, (caret.Top + caret.Bottom) / 2}, true, true, hit, hitRow));
            EXPECT_EQ(hitRow, row) << "width " << width << " position " << i;
            EXPECT_EQ(text.PositionToLocation(hit).CharIndex, i) << "width " << width << " position " << i;
        }
    }
}

} // namespace
} // namespace quillora
