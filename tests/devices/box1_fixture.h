/** @file box1_fixture.h Helpers of the signal box 1 tests: the player's drags and the cells others write. */
#pragma once

#include "harness/harness.h"
#include "state_cells.h"

#include "devices/form_a7.h"

#include <initializer_list>
#include <utility>

namespace box1 {

/** Drags a knob of box 1 by one threshold and a pixel: to the right for +1, to the left for -1. */
inline void turn(Harness &h, const QString &knob, int direction)
{
    h.press(knob, 10, 10);
    h.move(10 + 21 * direction, 10);
    h.release(10 + 21 * direction, 10);
}

using state_cells::setFields;
using state_cells::setWords;

/** @return the Top of mechanical lever n's head less its base's Top: -291 up, 147 down, 124 in the hand. */
inline int head(const Harness &h, int n)
{
    return h.control(QStringLiteral("A7.Paka%1b").arg(n)).top() - h.control(QStringLiteral("A7.Paka%1c").arg(n)).top();
}

/** Places mechanical lever n up or down as the automatic signalman does, by its head's Top. */
inline void placeLever(Harness &h, int n, bool down)
{
    const int base = h.control(QStringLiteral("A7.Paka%1c").arg(n)).top();
    h.control(QStringLiteral("A7.Paka%1b").arg(n)).setTop(base + (down ? 147 : -291));
}

/** Throws mechanical lever n by the mouse: taken and let go. */
inline void throwLever(Harness &h, int n)
{
    const QString name = QStringLiteral("A7.Paka%1b").arg(n);
    h.press(name, 20, 20);
    h.release(20, 20);
}

/** Places a knob of box 1 as the signalman does: its Left at rest (0), right (+1, rest - 4) or left (-1, rest - 19). */
inline void placeKnob(Harness &h, const QString &knob, int rest, int position)
{
    h.control(knob).setLeft(position > 0 ? rest - 4 : position < 0 ? rest - 19 : rest);
}

/** @return a knob's position from its rest Left: 0 rest, 1 right, -1 left, 99 elsewhere. */
inline int position(const Harness &h, const QString &knob, int rest)
{
    const int d = h.control(knob).left() - rest;
    return d == 0 ? 0 : d == -4 ? 1 : d == -19 ? -1 : 99;
}

/** @return how often a sound was started ("play Zavernik.wav"). */
inline int played(const Harness &h, const char *file)
{
    return int(h.sounds().count(QStringLiteral("play %1").arg(QLatin1String(file))));
}

} // namespace box1
