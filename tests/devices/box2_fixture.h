/** @file box2_fixture.h The player's hand on box 2: turning knobs, and reading its parts and sounds. */
#pragma once

#include "harness/harness.h"
#include "state_cells.h"

#include <QStringList>

namespace box2_test {

using state_cells::setFields;
using state_cells::setWords;

/** @return the Left of a part. */
inline int leftOf(const Harness &h, const QString &name)
{
    return h.control(name).left();
}

/** @return the Top of a part. */
inline int topOf(const Harness &h, const QString &name)
{
    return h.control(name).top();
}

/**
 * Drags a knob of box 2 by dx pixels in one mouse move and lets it go:
 * one step at most, right for dx > 0, left for dx < 0.
 */
inline void turn(Harness &h, const QString &knob, int dx)
{
    h.press(knob, 100, 20);
    h.move(100 + dx, 20);
    h.release(100 + dx, 20);
}

/** Turns a knob one step to the right past the default threshold of 20 px. */
inline void turnRight(Harness &h, const QString &knob)
{
    turn(h, knob, 21);
}

/** Turns a knob one step to the left past the default threshold of 20 px. */
inline void turnLeft(Harness &h, const QString &knob)
{
    turn(h, knob, -21);
}

/** @return the sounds played since the mark, "play Zavernik.wav" ... */
inline QStringList soundsSince(const Harness &h, qsizetype mark)
{
    return h.sounds().mid(mark);
}

} // namespace box2_test
