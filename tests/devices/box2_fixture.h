/** @file box2_fixture.h The player's hand on box 2: turning knobs, holding levers, double clicks. */
#pragma once

#include "harness/harness.h"

#include <QStringList>

namespace box2_test {

/** Sets spin edits of the state store by name, as the desk or a train would have set them. */
inline void setFields(Harness &h, std::initializer_list<std::pair<const char *, int>> fields)
{
    for (auto [name, value] : fields)
        h.as<ui::SpinEdit>(QLatin1String(name)).setValue(value);
}

/** Writes aspect words or other words of the state store, as their own writers would. */
inline void setWords(Harness &h, std::initializer_list<std::pair<const char *, const char *>> words)
{
    for (auto [name, word] : words)
        h.as<ui::Edit>(QLatin1String(name)).setText(QString::fromUtf8(word));
}

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
