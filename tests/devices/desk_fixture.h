/** @file desk_fixture.h A started game on the desk, and the player's hand on its devices. */
#pragma once

#include "harness/harness.h"

#include <QStringList>

#include <gtest/gtest.h>

/** A started game whose desk the tests work with the mouse. */
class Desk : public ::testing::Test {
protected:
    Desk()
    {
        h.click("A0.H9");
        h.clearMessages();
    }

    /** @return a device's Top relative to the block instrument `A6.Blok`. */
    int rel(const QString &device) { return h.control(device).top() - h.control("A6.Blok").top(); }
    /** @return a device's Left relative to the block instrument `A6.Blok`. */
    int relLeft(const QString &device) { return h.control(device).left() - h.control("A6.Blok").left(); }
    int top(const QString &device) { return h.control(device).top(); }
    int left(const QString &device) { return h.control(device).left(); }

    /** Drags a track knob by dy pixels, one pixel a move. */
    void dragKnob(const QString &knob, int dy) { h.drag("A6.Knoflik" + knob, {5, 20}, {5, 20 + dy}); }
    /** Drags a track knob step by step until it stands on the position, or until it stops moving. */
    void knobTo(const QString &knob, int position)
    {
        for (int i = 0; i < 20 && rel("A6.Knoflik" + knob) != position; ++i) {
            const int before = rel("A6.Knoflik" + knob);
            dragKnob(knob, position > before ? 5 : -5);
            if (rel("A6.Knoflik" + knob) == before)
                return;
        }
    }
    /** Drags a route lock by dx pixels, one pixel a move. */
    void dragLock(const QString &lock, int dx) { h.drag("A6.Zavernik" + lock, {10, 20}, {10 + dx, 20}); }
    /** Holds a device pressed for ms milliseconds of the lock timer, then lets it go. */
    void hold(const QString &device, int ms)
    {
        h.press(device, 5, 5);
        h.advanceMs(ms);
        h.release(5, 5);
    }
    /** @return whether the recorded sounds since the mark hold this call. */
    bool heard(const QString &call, qsizetype from = 0) const { return h.sounds().mid(from).contains(call); }

    Harness h;
};
