#include <gtest/gtest.h>

#include "foundation/Input.h"
#include "foundation/Service.h"
#include "foundation/ViewHost.h"

namespace quillora {
namespace {

TEST(ClickCounter, CountsPressesOfASeriesWithinTimeAndDistance)
{
    struct Press {
        TPointerButton Button;
        TPoint Point;
        uint32_t Time;
        int Expected;
    };
    // Double-click time 500 ms, distance 4 pixels each way.
    const Press presses[] = {
        {pbLeft, {100, 100}, 1000, 1},
        {pbLeft, {103, 96}, 1400, 2},       // within time and distance of the previous press
        {pbLeft, {104, 100}, 1900, 3},      // 500 ms: still within
        {pbLeft, {104, 100}, 2300, 4},
        {pbLeft, {104, 100}, 2801, 1},      // 501 ms: a new series
        {pbLeft, {109, 100}, 2900, 1},      // 5 pixels away
        {pbRight, {109, 100}, 2950, 1},     // another button
        {pbRight, {109, 100}, 3000, 2},
        {pbRight, {109, 100}, 0xFFFFFF00, 1},
        {pbRight, {109, 100}, 0x00000010, 2}, // the clock wrapped around
    };
    TClickCounter counter;
    for (const Press& p : presses)
        EXPECT_EQ(counter.Press(p.Button, p.Point, p.Time, 500, {4, 4}), p.Expected) << p.Time;
    counter.Reset();
    EXPECT_EQ(counter.Press(pbRight, {109, 100}, 0x20, 500, {4, 4}), 1);
}

TEST(KeyEvent, ConsumingClearsKeyAndCharacter)
{
    TKeyEvent down = TKeyEvent::Down(kcReturn, ssCtrl);
    EXPECT_FALSE(down.Consumed());
    EXPECT_TRUE(down.Modifiers(ssCtrl));
    EXPECT_FALSE(down.Modifiers(ssCtrl | ssShift));
    down.Consume();
    EXPECT_TRUE(down.Consumed());
    TKeyEvent press = TKeyEvent::Press(u'a');
    EXPECT_FALSE(press.Consumed());
    EXPECT_EQ(KeyOfChar('q'), kcA + ('Q' - 'A'));
    EXPECT_EQ(KeyOfChar('-'), kcNone);
}

TEST(MenuData, FindsItemsInSubmenus)
{
    TMenu menu = {TMenuItem::Submenu(u"&File", {TMenuItem::Item(1, u"Open"), TMenuItem::Separator(),
                                                 TMenuItem::Item(2, u"Exit")}),
                  TMenuItem::Item(3, u"About")};
    ASSERT_NE(FindMenuItem(menu, 2), nullptr);
    EXPECT_EQ(FindMenuItem(menu, 2)->Caption, u"Exit");
    EXPECT_EQ(FindMenuItem(menu, 3)->Caption, u"About");
    EXPECT_EQ(FindMenuItem(menu, 4), nullptr);
    EXPECT_EQ(FindMenuItem(menu, 0), nullptr);  // separators and submenus run nothing
    EXPECT_TRUE(menu[0].Items[1].IsSeparator());
}

struct TGreeting {
    virtual ~TGreeting() = default;
    virtual String Hello() = 0;
};
struct TFixedGreeting : TGreeting {
    String Text;
    explicit TFixedGreeting(String text) : Text(std::move(text)) {}
    String Hello() override { return Text; }
};

TEST(Service, ScopedOverridesComeBackEvenAfterAnException)
{
    EXPECT_EQ(FindService<TGreeting>(), nullptr);
    EXPECT_THROW(Service<TGreeting>(), Exception);
    TFixedGreeting outer(u"outer"), inner(u"inner");
    TProvide<TGreeting> provideOuter(outer);
    EXPECT_EQ(Service<TGreeting>().Hello(), u"outer");
    try {
        TProvide<TGreeting> provideInner(inner);
        EXPECT_EQ(Service<TGreeting>().Hello(), u"inner");
        throw Exception(u"test");
    } catch (const Exception&) {
    }
    EXPECT_EQ(Service<TGreeting>().Hello(), u"outer");
}

} // namespace
} // namespace quillora
