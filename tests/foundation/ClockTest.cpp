#include <gtest/gtest.h>

#include "foundation/Clock.h"

namespace quillora {
namespace {

TEST(LocalClock, PlatformClockGivesAValidMomentAndATestCanFixIt)
{
    const TDateTimeParts now = LocalClock().Now();
    EXPECT_TRUE(now.IsValid());
    EXPECT_GE(now.Year, 2020);

    TFixedLocalClock fixed({2024, 2, 3, 9, 5, 7, 123});
    SetLocalClock(&fixed);
    EXPECT_EQ(LocalClock().Now(), (TDateTimeParts{2024, 2, 3, 9, 5, 7, 123}));
    fixed.SetNow({2024, 2, 3, 0, 0, 0, 0});
    EXPECT_EQ(LocalClock().Now().Hour, 0);
    SetLocalClock(nullptr);
    EXPECT_EQ(&LocalClock(), &PlatformLocalClock());
}

} // namespace
} // namespace quillora
