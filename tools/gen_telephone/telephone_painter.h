/** @file telephone_painter.h Drawing of the desk's telephone set, its handset and its dial button. */
#pragma once

#include <QImage>

namespace telephoneart {

/** Colour of the pixels that the desk leaves see-through; the bottom-left pixel of every picture has it. */
inline constexpr QRgb KeyColour = 0xFFFF00FF;

/** @return the telephone set, 240 x 204: bakelite body, cradle, key plate with the sockets of the three line keys and the dial button. */
QImage telephoneSet();
/** @return the handset lying on the set, 186 x 47: a curved grip with the ear and mouth cups. */
QImage handset();
/** @return the dial button, 16 x 14: a round black button. */
QImage dialButton();

} // namespace telephoneart
