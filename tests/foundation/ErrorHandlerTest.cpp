// Errors that reach the edge of an event: their message, the provided handler, and the
// error box that never opens a second box while one is open.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "foundation/ErrorHandler.h"
#include "foundation/Exceptions.h"
#include "foundation/Service.h"

namespace quillora {
namespace {

class TRecordingErrors : public TErrorHandler {
public:
    std::vector<String> Messages;
    void ShowError(const String& message) override { Messages.push_back(message); }
};

template <class F> void ThrowAndHandle(F&& raise)
{
    try {
        raise();
    } catch (...) {
        HandleCurrentException();
    }
}

TEST(ErrorHandlerTest, EveryKindOfErrorReachesTheProvidedHandlerWithItsMessage)
{
    TRecordingErrors errors;
    TProvide<TErrorHandler> provided(errors);
    ThrowAndHandle([] { throw Exception(u"File not found: C:\\x.tpt"); });
    ThrowAndHandle([] { throw std::runtime_error("caf\xC3\xA9 closed"); });
    ThrowAndHandle([] { throw std::bad_alloc(); });
    ThrowAndHandle([] { throw 42; });
    EXPECT_EQ(errors.Messages,
              (std::vector<String>{u"File not found: C:\\x.tpt", u"caf\u00E9 closed", u"Out of memory", u"Unexpected error"}));
}

// A box whose modal loop delivers more errors (a timer that keeps failing) while it is open.
class TReenteringBox : public TErrorBox {
public:
    std::vector<String> Shown;
    bool FailToShow = false;

protected:
    void ShowBox(const String& message) override
    {
        Shown.push_back(message);
        EXPECT_TRUE(Open());
        ShowError(u"again, while the box is open");
        if (FailToShow) throw Exception(u"the box failed");
    }
};

TEST(ErrorHandlerTest, TheErrorBoxShowsOneBoxAtATime)
{
    TReenteringBox box;
    box.ShowError(u"first");
    EXPECT_FALSE(box.Open());
    box.ShowError(u"second");
    EXPECT_EQ(box.Shown, (std::vector<String>{u"first", u"second"}));
    // A box that fails does not raise, and the next error is shown again.
    box.FailToShow = true;
    box.ShowError(u"third");
    EXPECT_FALSE(box.Open());
    box.FailToShow = false;
    box.ShowError(u"fourth");
    EXPECT_EQ(box.Shown, (std::vector<String>{u"first", u"second", u"third", u"fourth"}));
}

} // namespace
} // namespace quillora
