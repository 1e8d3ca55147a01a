#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "foundation/Exceptions.h"
#include "render/FontFixed.h"
#include "support/TextFakes.h"
#include "text/DefaultAttributes.h"
#include "text/ParagraphAttributes.h"
#include "text/RichTextAttributes.h"

namespace quillora {
namespace {

using testing::TCountingFontManager;
using testing::TTextRecordingCanvas;

// Registers a scratch copy of `base` changed by `change`, holding one reference.
template <class T>
T* Registered(const std::function<void(T&)>& change)
{
    T scratch;
    change(scratch);
    T* result = T::GetRegistered(scratch);
    result->AddRef();
    return result;
}

class AttributesTest : public ::testing::Test {
protected:
    TCountingFontManager fonts_;
    TProvide<TDeviceContextManager> provideFonts_{fonts_};
    // The fixed engine at 8 points: ascent 9, descent 2, average width 6 (capitals 9).
    static constexpr int Ascent8 = 9;
    static constexpr int Descent8 = 2;
    static constexpr int Width8 = 6;
};

TEST_F(AttributesTest, EqualScratchesShareOneRegisteredInstanceUntilTheLastRelease)
{
    const int before = RegisteredAttributesCount();
    TRichTextAttributes a;
    a.SetFontName(u"Registry Face");
    TRichTextAttributes b;
    b.SetFontName(u"Registry Face");

    TRichTextAttributes* shared = TRichTextAttributes::GetRegistered(a);
    EXPECT_TRUE(shared->Registered());
    EXPECT_FALSE(a.Registered());
    EXPECT_EQ(TRichTextAttributes::GetRegistered(b), shared);
    EXPECT_EQ(TRichTextAttributes::GetRegistered(*shared), shared);
    EXPECT_EQ(AttributesRegistry(), shared); // newest first
    EXPECT_EQ(RegisteredAttributesCount(), before + 1);
    EXPECT_EQ(shared->RefCount(), 0);

    shared->AddRef();
    shared->AddRef();
    shared->Release();
    EXPECT_EQ(TAttributes::FindRegistered(a), shared);
    shared->Release();
    EXPECT_EQ(TAttributes::FindRegistered(a), nullptr);
    EXPECT_EQ(RegisteredAttributesCount(), before);

    TRichTextAttributes* again = TRichTextAttributes::GetRegistered(b);
    EXPECT_TRUE(again->Registered());
    EXPECT_EQ(RegisteredAttributesCount(), before + 1);
    again->AddRef();
    again->Release();
    EXPECT_EQ(RegisteredAttributesCount(), before);
}

TEST_F(AttributesTest, ReferenceCountingIgnoresScratchInstancesAndInstancesWithoutHolders)
{
    TRichTextAttributes scratch;
    scratch.AddRef();
    EXPECT_EQ(scratch.RefCount(), 0);
    scratch.Release();

    TAttributes* fresh = TAttributes::CreateRegistered(TRichParagraphAttributes::Class());
    EXPECT_TRUE(fresh->Registered());
    EXPECT_TRUE(fresh->IsEqual(TRichParagraphAttributes())); // the class's defaults
    fresh->Release(); // no holder: stays registered
    EXPECT_TRUE(fresh->Registered());
    fresh->AddRef();
    fresh->Release();
}

TEST_F(AttributesTest, InstancesOfDifferentClassesAreNeverEqual)
{
    TParagraphAttributes plain;
    TRichParagraphAttributes rich;
    EXPECT_FALSE(plain.IsEqual(rich));
    EXPECT_FALSE(rich.IsEqual(plain));
    TParagraphAttributes* p = TParagraphAttributes::GetRegistered(plain);
    TRichParagraphAttributes* r = TRichParagraphAttributes::GetRegistered(rich);
    EXPECT_NE(static_cast<TAttributes*>(p), static_cast<TAttributes*>(r));
    EXPECT_EQ(&r->GetClass(), &TRichParagraphAttributes::Class());
    EXPECT_TRUE(TRichParagraphAttributes::Class().InheritsFrom(TParagraphAttributes::Class()));
    EXPECT_THROW(TTextAttributes::Class().Create(), Exception); // abstract
}

TEST_F(AttributesTest, EveryFieldTakesPartInEqualityButTheCachesDoNot)
{
    const std::vector<std::pair<const char*, std::function<void(TRichTextAttributes&)>>> changes = {
        {"BackColor", [](TRichTextAttributes& a) { a.SetBackColor(clYellow); }},
        {"FontName", [](TRichTextAttributes& a) { a.SetFontName(u"Courier"); }},
        {"FontName case", [](TRichTextAttributes& a) { a.SetFontName(u"tahoma"); }},
        {"Charset", [](TRichTextAttributes& a) { a.SetCharset(204); }},
        {"Color", [](TRichTextAttributes& a) { a.SetColor(clBlue); }},
        {"Pitch", [](TRichTextAttributes& a) { a.SetPitch(fpFixed); }},
        {"Size", [](TRichTextAttributes& a) { a.SetSize(9); }},
        {"Style", [](TRichTextAttributes& a) { a.SetStyle(fsBold); }},
        {"IsLink", [](TRichTextAttributes& a) { a.SetIsLink(true); }},
        {"Hyperlink", [](TRichTextAttributes& a) { a.SetHyperlink(u"x"); }},
    };
    TRichTextAttributes base;
    for (const auto& [name, change] : changes) {
        TRichTextAttributes changed;
        change(changed);
        EXPECT_FALSE(base.IsEqual(changed)) << name;
        EXPECT_FALSE(changed.IsEqual(base)) << name;
    }
    TRichTextAttributes measured;
    measured.GetAscent();
    EXPECT_TRUE(base.IsEqual(measured));
    EXPECT_EQ(base.HashValue(), measured.HashValue());

    TRichParagraphAttributes p;
    const std::vector<std::function<void(TRichParagraphAttributes&)>> paragraphChanges = {
        [](TRichParagraphAttributes& a) { a.SetAlignment(paCenter); },
        [](TRichParagraphAttributes& a) { a.SetBackColor(clRed); },
        [](TRichParagraphAttributes& a) { a.SetFirstIndent(1); },
        [](TRichParagraphAttributes& a) { a.SetLeftIndent(1); },
        [](TRichParagraphAttributes& a) { a.SetBullet(true); },
        [](TRichParagraphAttributes& a) { a.SetRightIndent(1); },
    };
    for (size_t i = 0; i < paragraphChanges.size(); ++i) {
        TRichParagraphAttributes changed;
        paragraphChanges[i](changed);
        EXPECT_FALSE(p.IsEqual(changed)) << i;
    }
}

TEST_F(AttributesTest, DefaultsOfTheConcreteClasses)
{
    TRichTextAttributes t;
    EXPECT_EQ(t.FontName(), u"Tahoma");
    EXPECT_EQ(t.Size(), 8);
    EXPECT_EQ(t.Color(), clWindowText);
    EXPECT_EQ(t.BackColor(), clNone);
    EXPECT_EQ(t.Charset(), DefaultCharset);
    EXPECT_EQ(t.Pitch(), fpDefault);
    EXPECT_EQ(t.Style(), 0);
    EXPECT_FALSE(t.IsLink());
    EXPECT_TRUE(t.Hyperlink().empty());
    EXPECT_EQ(t.CachedAscent(), -1);
    EXPECT_EQ(t.CachedDescent(), -1);
    EXPECT_EQ(t.CachedTabWidth(), 0);

    TRichParagraphAttributes p;
    EXPECT_EQ(p.Alignment(), paLeft);
    EXPECT_EQ(p.BackColor(), clNone);
    EXPECT_EQ(p.FirstIndent() + p.LeftIndent() + p.RightIndent(), 0);
    EXPECT_FALSE(p.Bullet());

    // Create puts the defaults back.
    t.SetSize(20);
    t.SetHyperlink(u"h");
    t.Create();
    EXPECT_TRUE(t.IsEqual(TRichTextAttributes()));

    TRichTextAttributes* defaultText = DefaultTextAttributes();
    EXPECT_TRUE(defaultText->Registered());
    EXPECT_GE(defaultText->RefCount(), 1);
    EXPECT_TRUE(defaultText->IsEqual(TRichTextAttributes()));
    EXPECT_EQ(DefaultTextAttributes(), defaultText);
    TRichParagraphAttributes* defaultParagraph = DefaultParagraphAttributes();
    EXPECT_TRUE(defaultParagraph->Registered());
    EXPECT_TRUE(defaultParagraph->IsEqual(TRichParagraphAttributes()));
}

TEST_F(AttributesTest, RegisteredInstancesRefuseEverySetter)
{
    TRichTextAttributes* shared = Registered<TRichTextAttributes>([](TRichTextAttributes& a) { a.SetSize(31); });
    EXPECT_THROW(shared->SetColor(clRed), Exception);
    EXPECT_THROW(shared->SetSize(5), Exception);
    EXPECT_THROW(shared->SetIsLink(true), Exception);
    EXPECT_THROW(shared->Assign(TRichTextAttributes()), Exception);
    EXPECT_THROW(shared->Create(), Exception);
    EXPECT_EQ(shared->Size(), 31);
    EXPECT_EQ(shared->Color(), clWindowText);
    TRichParagraphAttributes* paragraph =
        Registered<TRichParagraphAttributes>([](TRichParagraphAttributes& a) { a.SetLeftIndent(77); });
    EXPECT_THROW(paragraph->SetBullet(true), Exception);
    EXPECT_THROW(paragraph->SetAlignment(paRight), Exception);
    shared->Release();
    paragraph->Release();
}

TEST_F(AttributesTest, FontIsRealisedOnceAndDiscardedOnlyByFontFields)
{
    struct Case {
        const char* Name;
        std::function<void(TRichTextAttributes&)> Change;
        bool Discards;
    };
    const std::vector<Case> cases = {
        {"same face", [](TRichTextAttributes& a) { a.SetFontName(u"Tahoma"); }, false},
        {"same size", [](TRichTextAttributes& a) { a.SetSize(8); }, false},
        {"same style", [](TRichTextAttributes& a) { a.SetStyle(0); }, false},
        {"colour", [](TRichTextAttributes& a) { a.SetColor(clRed); }, false},
        {"background", [](TRichTextAttributes& a) { a.SetBackColor(clRed); }, false},
        {"link", [](TRichTextAttributes& a) { a.SetIsLink(true); a.SetHyperlink(u"l"); }, false},
        {"face", [](TRichTextAttributes& a) { a.SetFontName(u"Arial"); }, true},
        {"size", [](TRichTextAttributes& a) { a.SetSize(12); }, true},
        {"style", [](TRichTextAttributes& a) { a.SetStyle(fsItalic); }, true},
        {"charset", [](TRichTextAttributes& a) { a.SetCharset(0); }, true},
        {"pitch", [](TRichTextAttributes& a) { a.SetPitch(fpVariable); }, true},
    };
    for (const Case& c : cases) {
        TRichTextAttributes a;
        fonts_.Created = 0;
        EXPECT_EQ(a.GetAscent(), Ascent8);
        EXPECT_EQ(a.GetDescent(), Descent8);
        EXPECT_EQ(a.GetTabWidth(), 8 * Width8);
        EXPECT_EQ(a.GetTextWidth(u"ab"), 2 * Width8);
        EXPECT_EQ(fonts_.Created, 1) << c.Name;
        c.Change(a);
        EXPECT_EQ(a.HasFont(), !c.Discards) << c.Name;
        EXPECT_EQ(a.CachedAscent(), c.Discards ? -1 : Ascent8) << c.Name;
        EXPECT_EQ(a.CachedTabWidth(), c.Discards ? 0 : 8 * Width8) << c.Name;
        a.GetTextWidth(u"a");
        EXPECT_EQ(fonts_.Created, c.Discards ? 2 : 1) << c.Name;
    }
}

TEST_F(AttributesTest, MetricsFollowTheFont)
{
    TRichTextAttributes big;
    big.SetSize(24); // cell 32: descent 8, ascent 24, average width 16
    big.SetStyle(fsBold);
    EXPECT_EQ(big.GetAscent(), 24);
    EXPECT_EQ(big.GetDescent(), 8);
    EXPECT_EQ(big.GetTabWidth(), 8 * 17);
    EXPECT_EQ(big.GetTextWidth(u"aA"), 17 + 25);
}

TEST_F(AttributesTest, ControlCharactersMeasureAsTheReplacementCharacter)
{
    TRichTextAttributes a;
    a.SetSize(24);
    const String stored = u"A\x01\tb";
    EXPECT_EQ(a.GetTextWidth(stored), a.GetTextWidth(u"A\uFFFD\uFFFDb"));
    EXPECT_GT(a.GetTextWidth(stored), a.GetTextWidth(u"Ab"));
    EXPECT_EQ(stored, u"A\x01\tb");
}

TEST_F(AttributesTest, MeasuringNothingDoesNotTouchTheFont)
{
    TRichTextAttributes a;
    fonts_.Created = 0;
    EXPECT_EQ(a.GetTextWidth(nullptr, 0), 0);
    EXPECT_EQ(a.GetTextWidth(u"abc", -3), 0);
    EXPECT_FALSE(a.HasFont());
    EXPECT_EQ(fonts_.Created, 0);
}

TEST_F(AttributesTest, AssignCopiesFieldsAndMetricsButMakesItsOwnFont)
{
    TRichTextAttributes big;
    big.SetSize(24);
    big.SetColor(clGreen);
    big.SetHyperlink(u"target");
    EXPECT_EQ(big.GetAscent(), 24);

    TRichTextAttributes copy;
    EXPECT_EQ(copy.GetTextWidth(u"a"), Width8); // realised at 8 points
    copy.Assign(big);
    EXPECT_TRUE(copy.IsEqual(big));
    EXPECT_EQ(copy.CachedAscent(), 24);
    EXPECT_FALSE(copy.HasFont());
    fonts_.Created = 0;
    EXPECT_EQ(copy.GetAscent(), 24); // from the copied cache
    EXPECT_EQ(fonts_.Created, 0);
    // Measuring uses a font of the copied values, not the one realised before.
    EXPECT_EQ(copy.GetTextWidth(u"a"), big.GetTextWidth(u"a"));
    EXPECT_EQ(fonts_.Created, 1);
}

TEST_F(AttributesTest, DrawTextPaintsBackgroundTextAndSelection)
{
    TRichTextAttributes a;
    a.SetColor(clNavy);
    const TRect row = Rect(0, 100, 500, 120);
    struct Case {
        TColor Back;
        TTextDrawFlags Flags;
        std::vector<std::string> Calls;
    };
    // "ab" is 12 pixels wide; its cell top is the baseline 115 minus the ascent 9.
    const std::vector<Case> cases = {
        {clNone, 0, {"Text 10,106 8388608 ab"}},
        {clYellow, 0, {"Fill 10,100-22,120 65535", "Text 10,106 8388608 ab"}},
        {clNone, tdfSelected, {"Text 10,106 8388608 ab", "Selection 10,100-22,120"}},
        {clNone, tdfSelected | tdfInactive, {"Text 10,106 8388608 ab", "InactiveSelection 10,100-22,120"}},
        {clNone, tdfInactive, {"Text 10,106 8388608 ab"}},
    };
    for (const Case& c : cases) {
        a.SetBackColor(c.Back);
        TTextRecordingCanvas canvas;
        EXPECT_EQ(a.DrawText(canvas, 0, c.Flags, 2, u"ab", 115, 10, row), 12);
        EXPECT_EQ(canvas.Calls, c.Calls);
    }
    TTextRecordingCanvas canvas;
    EXPECT_EQ(a.DrawText(canvas, 0, tdfSelected, 0, u"", 115, 10, row), 0);
    EXPECT_TRUE(canvas.Calls.empty());
}

TEST_F(AttributesTest, DrawBlankCoversTheStretchOverTheRowHeight)
{
    TRichTextAttributes a;
    a.SetBackColor(clRed);
    TTextRecordingCanvas canvas;
    a.DrawBlank(canvas, 0, tdfSelected, 30, 5, Rect(0, 10, 100, 40));
    EXPECT_EQ(canvas.Calls, (std::vector<std::string>{"Fill 5,10-35,40 255", "Selection 5,10-35,40"}));
}

TEST_F(AttributesTest, PlainParagraphAttributesHaveNoIndentsAndPaintNothing)
{
    TParagraphAttributes plain;
    plain.SetAlignment(paRight);
    TRichTextAttributes text;
    EXPECT_EQ(plain.GetFirstIndent(&text), 0);
    EXPECT_EQ(plain.GetLeftIndent(&text), 0);
    EXPECT_EQ(plain.GetRightIndent(&text), 0);
    TTextRecordingCanvas canvas;
    plain.Paint(canvas, 0, 20, 10, &text, Rect(0, 0, 100, 40));
    EXPECT_TRUE(canvas.Calls.empty());
}

TEST_F(AttributesTest, RichParagraphIndentsWidenByOneTabForABullet)
{
    TRichParagraphAttributes p;
    p.SetFirstIndent(3);
    p.SetLeftIndent(10);
    p.SetRightIndent(7);
    TRichTextAttributes text;
    EXPECT_EQ(p.GetFirstIndent(&text), 3);
    EXPECT_EQ(p.GetLeftIndent(&text), 10);
    EXPECT_EQ(p.GetRightIndent(&text), 7);
    p.SetBullet(true);
    EXPECT_EQ(p.GetLeftIndent(&text), 10 + 8 * Width8);
    EXPECT_EQ(p.GetLeftIndent(nullptr), 10);
}

TEST_F(AttributesTest, RichParagraphPaintsBackgroundBetweenIndentsAndTheBullet)
{
    TRichTextAttributes text;
    text.SetColor(clBlack);
    TRichParagraphAttributes p;
    p.SetBackColor(clSilver);
    p.SetLeftIndent(10);
    p.SetRightIndent(20);
    p.SetBullet(true);
    TTextRecordingCanvas canvas;
    // First row 15 high: the bullet's baseline is 50 + 15 - 2, its cell top 63 - 9;
    // its left is half a tab step (24) before the text at 58.
    p.Paint(canvas, 0, 15, 58, &text, Rect(0, 50, 200, 90));
    EXPECT_EQ(canvas.Calls, (std::vector<std::string>{"Fill 10,50-180,90 12632256", "Text 34,54 0 \u2022"}));

    TRichParagraphAttributes narrow;
    narrow.SetBackColor(clSilver);
    narrow.SetLeftIndent(60);
    narrow.SetRightIndent(60);
    TTextRecordingCanvas empty;
    narrow.Paint(empty, 0, 15, 0, &text, Rect(0, 0, 100, 30));
    EXPECT_TRUE(empty.Calls.empty());
}

TEST_F(AttributesTest, ReplaceAttributesCountsHoldersAndInternsScratchValues)
{
    TRichTextAttributes scratch;
    scratch.SetFontName(u"Replace Face");
    TTextAttributes* slot = nullptr;
    EXPECT_TRUE(ReplaceAttributes(slot, static_cast<TTextAttributes*>(&scratch)));
    ASSERT_NE(slot, nullptr);
    EXPECT_NE(slot, &scratch);
    EXPECT_TRUE(slot->Registered());
    EXPECT_EQ(slot->RefCount(), 1);
    TTextAttributes* held = slot;
    EXPECT_FALSE(ReplaceAttributes(slot, held));
    EXPECT_FALSE(ReplaceAttributes(slot, static_cast<TTextAttributes*>(&scratch)));
    EXPECT_EQ(held->RefCount(), 1);

    TTextAttributes* second = nullptr;
    EXPECT_TRUE(ReplaceAttributes(second, held));
    EXPECT_EQ(held->RefCount(), 2);
    EXPECT_TRUE(ReplaceAttributes(second, static_cast<TTextAttributes*>(nullptr)));
    EXPECT_EQ(held->RefCount(), 1);
    EXPECT_TRUE(ReplaceAttributes(slot, static_cast<TTextAttributes*>(nullptr)));
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(TAttributes::FindRegistered(scratch), nullptr);
}

TEST_F(AttributesTest, ManyDistinctLinksStayFindable)
{
    std::vector<TRichTextAttributes*> links;
    for (int i = 0; i < 2000; ++i) {
        TRichTextAttributes scratch;
        scratch.SetIsLink(true);
        scratch.SetHyperlink(u"https://example.test/" + IntToString(i));
        links.push_back(TRichTextAttributes::GetRegistered(scratch));
        links.back()->AddRef();
    }
    for (int i = 0; i < 2000; i += 7) {
        TRichTextAttributes scratch;
        scratch.SetIsLink(true);
        scratch.SetHyperlink(u"https://example.test/" + IntToString(i));
        EXPECT_EQ(TAttributes::FindRegistered(scratch), links[static_cast<size_t>(i)]);
    }
    for (TRichTextAttributes* link : links) link->Release();
}

// With the platform's own fonts (GDI in the Windows build): the attributes measure exactly
// what the realised font measures.
TEST(AttributesPlatformTest, MetricsAndWidthsComeFromThePlatformsFont)
{
    TRichTextAttributes a;
    a.SetSize(10);
    a.SetStyle(fsBold);
    std::unique_ptr<TFont> font = Service<TDeviceContextManager>().CreateFont(u"Tahoma", 10, 0, 0, fpDefault, DefaultCharset, fsBold);
    EXPECT_EQ(a.GetAscent(), font->Ascent());
    EXPECT_EQ(a.GetDescent(), font->Descent());
    EXPECT_EQ(a.GetTabWidth(), 8 * font->AveCharWidth());
    EXPECT_GT(a.GetTabWidth(), 0);
    EXPECT_EQ(a.GetTextWidth(u"Hello, World"), font->TextWidth(u"Hello, World"));
    EXPECT_EQ(a.GetTextWidth(u"a\x02"), font->TextWidth(u"a\uFFFD"));
}

} // namespace
} // namespace quillora
