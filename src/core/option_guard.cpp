/** @file option_guard.cpp The guard of the handlers that the error options govern. */
#include "core/option_guard.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "platform/platform.h"

namespace core {

void optionGuard(App &app, const QString &code, const std::function<void()> &fn)
{
    try {
        fn();
    } catch (...) {
        if (app.A1().NCK->checked())
            app.platform().messages.show(code);
        if (app.A1().NCD->checked())
            throw;
    }
}

} // namespace core
