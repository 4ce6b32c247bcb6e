/** @file vehicle_pictures.cpp The pictures of the vehicles file, decoded once and kept by path. */
#include "core/vehicle_pictures.h"

#include "platform/files.h"

#include <exception>

const QImage &VehiclePictures::picture(const QString &dataDir, const QString &entry)
{
    const QString path = vehiclePicturePath(dataDir, entry);
    auto it = m_byPath.find(path);
    if (it != m_byPath.end())
        return *it;
    static const QImage none;
    /* Unusable as it was last time, and unchanged since: it is not read again. */
    const platform::FileStamp stamp = platform::fileStamp(platform::resolvePath(path));
    const auto refused = m_refused.constFind(path);
    if (refused != m_refused.cend() && *refused == stamp)
        return none;
    QImage decoded;
    ++m_reads;
    try {
        decoded = platform::loadPicture(path);
    } catch (const std::exception &) {
        /* Unusable now: the train line that names it is refused with its own message. */
        m_refused.insert(path, stamp);
        return none;
    }
    m_refused.remove(path);
    return *m_byPath.insert(path, decoded);
}

QString vehiclePicturePath(const QString &dataDir, const QString &entry)
{
    QString path = dataDir + QLatin1Char('/') + entry.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}
