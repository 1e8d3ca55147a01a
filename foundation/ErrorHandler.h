#pragma once
// What becomes of an error that reaches the edge of an event (a window's message, the
// handler of a hooked control): the application's error handler tells the user, and the
// program goes on with the next event. The composition root provides the handler
// (TProvide<TErrorHandler>); tests provide one that records.

#include "foundation/Strings.h"

namespace quillora {

class TErrorHandler {
public:
    virtual ~TErrorHandler() = default;
    // Tells the user about `message`. Never raises.
    virtual void ShowError(const String& message) = 0;
};

// The program's error handler: the message box with the error icon. While its box is
// open (the box runs a message loop of its own, in which timers and other windows go on
// working) further errors are not shown, so boxes never pile up.
class TErrorBox : public TErrorHandler {
public:
    void ShowError(const String& message) final;
    // A box is open now.
    bool Open() const { return open_; }

protected:
    // Shows the box and returns when the user closed it.
    virtual void ShowBox(const String& message);

private:
    bool open_ = false;
};

// The message of the exception being handled (call it inside a catch block): the
// program's own errors give their message, standard exceptions their text, anything
// else a fixed text.
String CurrentExceptionMessage();

// Hands the exception being handled (inside a catch block) to the provided error
// handler, to an error box when none is provided. Never raises.
void HandleCurrentException() noexcept;

} // namespace quillora
