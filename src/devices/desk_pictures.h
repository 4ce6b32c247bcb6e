/** @file desk_pictures.h The drawn pictures of the dispatcher's desk, embedded in the program. */
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace devices {

/**
 * @return a picture of the desk by its file name ("Blok.jpg", "Zvonek.bmp"),
 * decoded once and kept. A picture that cannot be read gives a grey
 * picture of the given size, so that the desk keeps its geometry.
 */
const QImage &deskPicture(const QString &file, QSize size);

} // namespace devices
