#include "foundation/ErrorHandler.h"

#include <new>

#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "foundation/Utils.h"

namespace quillora {

void TErrorBox::ShowError(const String& message)
{
    if (open_) return;
    open_ = true;
    try {
        ShowBox(message);
    } catch (...) {
        // The box itself failed: nothing more can be told.
    }
    open_ = false;
}

void TErrorBox::ShowBox(const String& message)
{
    ShowMessageBox(message, {}, mbIconError);
}

String CurrentExceptionMessage()
{
    try {
        throw;
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return u"Out of memory";
    } catch (const std::exception& e) {
        return Utf8ToString(e.what());
    } catch (...) {
        return u"Unexpected error";
    }
}

void HandleCurrentException() noexcept
{
    try {
        String message = CurrentExceptionMessage();
        if (TErrorHandler* handler = FindService<TErrorHandler>()) {
            handler->ShowError(message);
        } else {
            static TErrorBox fallback;
            fallback.ShowError(message);
        }
    } catch (...) {
        // Out of memory while telling about an error: nothing more can be done.
    }
}

} // namespace quillora
