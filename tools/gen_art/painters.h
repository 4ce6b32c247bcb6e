/** @file painters.h The drawing of each family of stock pictures. */
#pragma once

#include <QChar>
#include <QImage>
#include <QSize>

namespace art {

/** Which way a rotary device stands. */
enum class Turn { Rest, Left, Right };

/** Black bakelite knob of the signal boxes, or the desk's chrome route lock. */
enum class KnobStyle { Bakelite, RouteLock };

/** The crank of the desk's left side, its right side, or signal box 2. */
enum class CrankKind { Left, Right, Box2 };

/** Stages of the emergency train-passed button. */
enum class NvtStage { Ready, Pressed, SealBroken, Sealed };

/* Every painter returns the finished picture: RGB32, with the key colour
   in the bottom-left pixel for transparent bitmaps. */

/** @return a rotary knob or route lock at rest or turned, on the key colour. */
QImage paintKnob(KnobStyle style, Turn turn, QSize size);
/** @return the small switch lever at step -2 (far left) .. 2 (far right), on the key colour. */
QImage paintSmallSwitch(int step, QSize size);
/** @return the desk key: 0 off (bow left), 1 half turned (bow up), 2 on (bow right). */
QImage paintKey(int stage, QSize size);

/** @return the bare black push button on the key colour. */
QImage paintBareButton(QSize size);
/** @return the push button with its seal wire and lead, on the panel. */
QImage paintSealedButton(QSize size);
/** @return the push button under its hinged glass cover, on the panel. */
QImage paintCoveredButton(QSize size);
/** @return the white telephone lamp, dark or lit, on the panel. */
QImage paintTelephoneLamp(bool lit, QSize size);
/** @return the red emergency train-passed button at a stage, on the key colour. */
QImage paintTrainPassedButton(NvtStage stage, QSize size);
/** @return the unsealed red emergency release button, on the key colour. */
QImage paintReleaseButton(QSize size);
/** @return the round red stop button, on the key colour. */
QImage paintStopButton(QSize size);

/** @return the tall lever handle, grip up or grip down, on the key colour. */
QImage paintLeverHead(bool up, QSize size);
/** @return the lever grip held in the hand, on the key colour. */
QImage paintLeverHeld(QSize size);
/** @return the cast-iron lever base of variant 1..5. */
QImage paintLeverBase(int variant, QSize size);

/**
 * @return a block window: colour from covered step/4 by a shutter of
 * colour to sliding down (step 0 shows from alone).
 */
QImage paintBlockWindow(QChar from, QChar to, int step, QSize size);
/** @return the latch of a block window with its flap in the letter's colour. */
QImage paintLatch(QChar colour, QSize size);

/** @return the hand crank with its handle up (off) or down (on). */
QImage paintCrank(CrankKind kind, bool on, QSize size);
/** @return the empty vehicle slot: plain track-view ground. */
QImage paintEmptyVehicle(QSize size);

} // namespace art
