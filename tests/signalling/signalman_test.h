/** @file signalman_test.h What the signalmen's tests share: the desk's bell, ticks and the state of the boxes. */
#pragma once

#include "harness/harness.h"

#include <QStringList>

namespace signalman_test {

/** The aspect words of the fourteen signals. */
inline const char *const Signals[] = {"A1.C03", "A1.C06", "A1.C09", "A1.C16", "A1.C19", "A1.C22", "A1.C25",
                                      "A1.C28", "A1.C31", "A1.C34", "A1.C37", "A1.C40", "A1.C43", "A1.C46"};

/**
 * Starts a game, so the signalmen find the station as the player does:
 * every signal at "Stůj", the sounds open and the desk shown. The clock is
 * stopped, so that only what a test writes moves the cells that the clock
 * and the trains would write.
 */
inline void startStation(Harness &h)
{
    h.click("A0.H9");
    h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
    for (const char *s : Signals)
        h.type(QLatin1String(s), QStringLiteral("Stůj"));
    for (const char *section : {"A1.IKA", "A1.IKB", "A1.KO10", "A1.KO11", "A1.KO12", "A1.KO13", "A1.KO1a"})
        h.type(QLatin1String(section), QStringLiteral("Volná"));
    h.clearMessages();
}

/** Rings a desk bell as the desk's lock engine does: the signalman armed at 5000, started if its option is ticked. */
inline void ringBell(Harness &h, const QString &signalman, const QString &option)
{
    auto &t = h.as<ui::Timer>(signalman);
    t.setInterval(5000);
    if (h.checked(option))
        t.setEnabledFlag(true);
}

/** Lets time run to the signalman's next tick: its state is its period. */
inline void tick(Harness &h, const QString &signalman)
{
    h.advanceMs(h.interval(signalman));
}

/** Puts a signalman straight into a state, running. */
inline void runIn(Harness &h, const QString &signalman, int state)
{
    auto &t = h.as<ui::Timer>(signalman);
    t.setInterval(state);
    t.setEnabledFlag(true);
}

/** Sets cells to values by name. */
inline void setValues(Harness &h, std::initializer_list<std::pair<const char *, int>> cells)
{
    for (auto [name, value] : cells)
        h.as<ui::SpinEdit>(QLatin1String(name)).setValue(value);
}

/** @return whether a knob is turned: any width but the 19 px of its rest picture. */
inline bool turned(const Harness &h, const QString &knob)
{
    return h.control(knob).width() != 19;
}

/** @return a control's Left from a reference control's Left. */
inline int leftFrom(const Harness &h, const QString &control, const QString &reference)
{
    return h.control(control).left() - h.control(reference).left();
}

/** @return whether an image shows the same picture as a picture-store image. */
inline bool showsPicture(Harness &h, const QString &image, const QString &stock)
{
    return h.as<ui::Image>(image).picture() == h.as<ui::Image>(stock).picture();
}

} // namespace signalman_test
