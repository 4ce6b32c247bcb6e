/** @file painter.h Painting of the graphic controls and of the containers' backgrounds with QPainter. */
#pragma once

#include "ui/controls.h"

#include <QFont>
#include <QImage>

class QPainter;

namespace view {

/** Maps the font families the forms name to installed fonts; safe to call more than once. */
void installFontSubstitutions();

/** @return the Qt font of a control's font (pixel size, bold, italic). */
QFont toQFont(const ui::Font &font);

/** @return whether the control is painted by its container rather than hosted by a widget. */
bool isGraphic(const ui::Control &c);

/**
 * @return the picture with its bottom-left pixel's colour made see-through.
 * The result is computed once per picture and kept with it, by its cache
 * key, for as long as some control or store still holds the picture; a
 * store of pictures that asks whether anything shows one has the copy set
 * aside first (platform::letGoPictureCopies).
 */
QImage maskedPicture(const QImage &picture);

/**
 * @return where a label's text is painted, in the label's own coordinates:
 * the box of its lines after their alignment. The painting is clipped to
 * the label, so a box that leaves the label is a cut text.
 */
QRect labelTextRect(const ui::Label &l);

/** @return how many masked copies are kept. */
int maskedPicturesKept();

/** Paints a graphic control (image, label or shape) at its bounds, clipped to them. */
void paintGraphic(QPainter &p, const ui::Control &c);

/** Paints a container's own face: its colour, and the frame and caption of its kind. */
void paintContainerFace(QPainter &p, const ui::Control &c, const QRect &rect);

} // namespace view
