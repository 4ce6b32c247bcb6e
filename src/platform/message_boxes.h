/** @file message_boxes.h Modal message boxes and the default error report. */
#pragma once

#include <QString>

#include <utility>

namespace platform {

/**
 * Shows a text to the player and waits until he closes it. While a box is
 * open, its own loop goes on dispatching timer and input events.
 *
 * A gate may be set in front of the boxes: it sees every box first and may
 * hold it back (a timer uses one to keep a failure that repeats on every
 * firing from showing again and again).
 */
class MessageBoxes {
public:
    /** Sees the boxes before they are shown. */
    class Gate {
    public:
        virtual ~Gate() = default;
        /** @return whether the box is shown now; a box held back may be shown later by present(). */
        virtual bool admit(const QString &text, bool report) = 0;
    };

    virtual ~MessageBoxes() = default;

    /** Shows an information or error-code box, such as "Error A1H". */
    void show(const QString &text) { pass(text, false); }
    /** Shows the default error report with a failure's own text. */
    void report(const QString &text) { pass(text, true); }
    /** Shows a box at once, past the gate. */
    void present(const QString &text, bool report) { report ? reportBox(text) : showBox(text); }
    /** Sets the gate (null: none). @return the gate it replaces. */
    Gate *setGate(Gate *gate) { return std::exchange(m_gate, gate); }

protected:
    /** Shows an information or error-code box. */
    virtual void showBox(const QString &text) = 0;
    /** Shows the default error report. */
    virtual void reportBox(const QString &text) = 0;

private:
    void pass(const QString &text, bool report)
    {
        if (!m_gate || m_gate->admit(text, report))
            present(text, report);
    }

    Gate *m_gate = nullptr;
};

} // namespace platform
