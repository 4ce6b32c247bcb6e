/** @file shunting_fixture.h A track view with units put on its tracks by hand, and the shunting worked by its controls. */
#pragma once

#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a3.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "harness/harness.h"
#include "trackview/form_a5.h"

#include <QImage>

#include <gtest/gtest.h>

/** A vehicle picture of the given width, 64 px high, told apart by its colour. */
inline QImage vehiclePicture(int width, QRgb colour)
{
    QImage img(width, 64, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

/**
 * The program with its clock stopped, so the routes stay as a test lays
 * them by hand; the shunting runs in real time by itself.
 */
class ShuntingTest : public ::testing::Test {
protected:
    ShuntingTest() { h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false); }

    TA1 &a1() { return h.app().A1(); }
    TA5 &a5() { return h.app().A5(); }
    TrackRow &track(int n) { return *a5().tracks.track(n); }
    ui::Image &slot(int n, int k) { return *track(n).vehicleSlots[k - 1]; }
    const QImage &emptyPicture() { return h.app().A3().VozidloPrazdne->picture(); }
    int screen() { return h.app().ScreenWidth; } ///< The right edge of the track view and both box panels.

    /** The picture of vehicle v (1 .. 10), each of its own colour; the loco is wider. */
    static QImage vehicle(int v) { return vehiclePicture(v == 0 ? 30 : 20, qRgb(10 * v, 100, 200)); }

    /**
     * Puts a unit on track n: `cars` lists slots 1 .. 10, 0 the loco, -1 an
     * empty slot, any other number that vehicle; the slots lie edge to edge
     * from `left`. `loco` is PosunN's text, `alone` its kind.
     */
    void putUnit(int n, const std::array<int, 10> &cars, const QString &loco, bool alone, int left = 288)
    {
        for (int k = 1; k <= 10; ++k) {
            ui::Image &s = slot(n, k);
            s.setPicture(cars[k - 1] < 0 ? emptyPicture() : vehicle(cars[k - 1]));
            s.setLeft(k == 1 ? left : slot(n, k - 1).left() + slot(n, k - 1).width());
        }
        track(n).posun->setText(loco);
        track(n).posun->setColor(alone ? QColor(255, 255, 0) : QColor(255, 255, 255));
    }

    /** @return which vehicle (as putUnit numbers them) an image shows, -1 the empty picture, -2 anything else. */
    int shows(const ui::Image &img)
    {
        if (img.picture() == emptyPicture())
            return -1;
        for (int v = 0; v <= 10; ++v)
            if (img.picture() == vehicle(v))
                return v;
        return -2;
    }

    /** The shunting chain image of box 1 (`A`, `B`) or box 2 (`C`), `k` 1 .. 10 for a .. j. */
    ui::Image &chain(char side, int k)
    {
        const QString name = QStringLiteral("%1.Posun%2%3").arg(side == 'C' ? "A8" : "A7").arg(side).arg(QChar('a' + k - 1));
        return h.as<ui::Image>(name);
    }

    /** Lets real time pass until the stage of track n is `stage` or a minute has gone; @return whether it got there. */
    bool runUntilStage(int n, int stage)
    {
        for (int ms = 0; ms < 60000; ms += 10) {
            if (track(n).shuntStage->value() == stage)
                return true;
            h.advanceMs(10);
        }
        return track(n).shuntStage->value() == stage;
    }

    /** Lets real time pass until both timers of track n are off. */
    bool runUntilStopped(int n)
    {
        for (int ms = 0; ms < 60000; ms += 10) {
            if (!track(n).shuntLeft->enabledFlag() && !track(n).shuntRight->enabledFlag())
                return true;
            h.advanceMs(10);
        }
        return false;
    }

    /** Sets the colour of an exit signal's aspect list, as the signalling does with each aspect. */
    void listColour(const QString &list, const QColor &c) { h.as<ui::ListBox>("A1." + list).setColor(c); }

    Harness h;
};
