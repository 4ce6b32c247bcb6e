/** @file desk_pictures.cpp The drawn pictures of the dispatcher's desk, embedded in the program. */
#include "devices/desk_pictures.h"

#include "platform/jpeg_decoder.h"

#include <QFile>
#include <QHash>

#include <exception>

/** Registers the embedded pictures; the library is static, so nothing else would pull them in. */
static void initDeskResources()
{
    Q_INIT_RESOURCE(desk);
}

namespace devices {

namespace {

/** @return the picture of an embedded file, or a null picture when it cannot be read. */
QImage load(const QString &file)
{
    QFile f(QStringLiteral(":/desk/") + file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    if (file.endsWith(QLatin1String(".jpg"))) {
        try {
            return platform::decodeJpeg(data);
        } catch (const std::exception &) {
            return {};
        }
    }
    QImage picture;
    picture.loadFromData(data, "BMP");
    return picture;
}

} // namespace

const QImage &deskPicture(const QString &file, QSize size)
{
    static QHash<QString, QImage> pictures;
    static const bool registered = (initDeskResources(), true);
    (void)registered;
    auto it = pictures.find(file);
    if (it == pictures.end()) {
        QImage picture = load(file);
        if (picture.size() != size) {
            picture = QImage(size, QImage::Format_RGB32);
            picture.fill(QColor(128, 128, 128));
        }
        it = pictures.insert(file, picture);
    }
    return it.value();
}

} // namespace devices
