/** @file vehicle_pictures.cpp The pictures of the vehicles file, decoded once per file and kept. */
#include "core/vehicle_pictures.h"

#include "platform/files.h"
#include "platform/picture_limits.h"

#include <exception>

QImage VehiclePictures::picture(const QString &dataDir, const QString &entry)
{
    const QString path = vehiclePicturePath(dataDir, entry);
    const auto named = m_byPath.constFind(path);
    if (named != m_byPath.cend())
        return m_byFile.value(*named);
    const platform::FileStamp stamp = platform::fileStamp(platform::resolvePath(path));
    /* Another spelling of a file already decoded. */
    const auto kept = m_byFile.constFind(stamp);
    if (kept != m_byFile.cend()) {
        m_byPath.insert(path, stamp);
        return *kept;
    }
    /* Unusable as it was last time, and unchanged since: it is not read again. */
    if (m_refused.contains(stamp))
        return {};
    QImage decoded;
    ++m_reads;
    try {
        decoded = platform::loadPicture(path);
    } catch (const std::exception &) {
        /* Unusable now: the train line that names it is refused with its own message. */
        m_refused.insert(stamp);
        return {};
    }
    if (m_bytes + decoded.sizeInBytes() > platform::kMaxKeptPictureBytes) {
        m_refused.insert(stamp);
        return {};
    }
    m_bytes += decoded.sizeInBytes();
    m_byPath.insert(path, stamp);
    m_byFile.insert(stamp, decoded);
    return decoded;
}

QString vehiclePicturePath(const QString &dataDir, const QString &entry)
{
    QString path = dataDir + QLatin1Char('/') + entry.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}
