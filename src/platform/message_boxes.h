/** @file message_boxes.h Modal message boxes and the default error report. */
#pragma once

#include <QString>

namespace platform {

/**
 * Shows a text to the player and waits until he closes it. While a box is
 * open, its own loop goes on dispatching timer and input events.
 */
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    /** Shows an information or error-code box, such as "Error A1H". */
    virtual void show(const QString &text) = 0;
    /** Shows the default error report with a failure's own text. */
    virtual void report(const QString &text) = 0;
};

} // namespace platform
