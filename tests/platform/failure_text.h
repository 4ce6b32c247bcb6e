/** @file failure_text.h Test helper: the text of the failure an action raises. */
#pragma once

#include "ui/sim_error.h"

#include <QString>

namespace testing_support {

/**
 * Runs an action that is expected to fail.
 * @return the text of the ui::SimError it throws, or "no error".
 */
template <typename F>
QString failureOf(F action)
{
    try {
        action();
    } catch (const ui::SimError &e) {
        return e.text();
    }
    return QStringLiteral("no error");
}

} // namespace testing_support
