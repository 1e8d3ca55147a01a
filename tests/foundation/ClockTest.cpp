#include <gtest/gtest.h>

#include "foundation/Clock.h"
#include "foundation/Service.h"

namespace quillora {
namespace {

TEST(LocalClock, PlatformClockGivesAValidMomentAndATestCanFixIt)
{
    ILocalClock& platform = Service<ILocalClock>();
    const TDateTimeParts now = platform.Now();
    EXPECT_TRUE(now.IsValid());
    EXPECT_GE(now.Year, 2020);
    {
        TFixedLocalClock fixed({2024, 2, 3, 9, 5, 7, 123});
        TProvide<ILocalClock> provideFixed(fixed);
        EXPECT_EQ(Service<ILocalClock>().Now(), (TDateTimeParts{2024, 2, 3, 9, 5, 7, 123}));
        fixed.SetNow({2024, 2, 3, 0, 0, 0, 0});
        EXPECT_EQ(Service<ILocalClock>().Now().Hour, 0);
    }
    EXPECT_EQ(&Service<ILocalClock>(), &platform);
}

} // namespace
} // namespace quillora
