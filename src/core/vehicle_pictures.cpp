/** @file vehicle_pictures.cpp The pictures of the vehicles file, decoded once per file and kept. */
#include "core/vehicle_pictures.h"

#include "platform/files.h"
#include "platform/picture_limits.h"

#include <exception>

QImage VehiclePictures::picture(const QString &dataDir, const QString &entry)
{
    /* No file has a path this long: refused at once, each time it is named, before its path is made. */
    if (platform::namesNoFile(QStringView(entry).trimmed()))
        return {};
    const QString path = vehiclePicturePath(dataDir, entry);
    const auto named = m_byPath.constFind(path);
    if (named != m_byPath.cend())
        return m_byFile.value(*named);
    /* Resolved once: the stamp and the reading both use it. A path refused
       before is not resolved again; only its file is looked at, for a change. */
    const auto known = m_refusedPaths.constFind(path);
    const QString resolved = known != m_refusedPaths.cend() ? *known : platform::resolvePath(path);
    const platform::FileStamp stamp = platform::fileStamp(resolved);
    /* Another spelling of a file already decoded. */
    const auto kept = m_byFile.constFind(stamp);
    if (kept != m_byFile.cend()) {
        m_byPath.insert(path, stamp);
        return *kept;
    }
    /* Unusable as it was last time, and unchanged since: it is not read again. */
    if (m_refused.contains(stamp))
        return refuse(path, resolved, stamp);
    QImage decoded;
    ++m_reads;
    try {
        decoded = platform::loadResolvedPicture(resolved);
    } catch (const std::exception &) {
        /* Unusable now: the train line that names it is refused with its own message. */
        return refuse(path, resolved, stamp);
    }
    if (m_bytes + decoded.sizeInBytes() > platform::kMaxKeptPictureBytes)
        return refuse(path, resolved, stamp);
    m_bytes += decoded.sizeInBytes();
    m_byPath.insert(path, stamp);
    m_byFile.insert(stamp, decoded);
    return decoded;
}

QImage VehiclePictures::refuse(const QString &path, const QString &resolved, const platform::FileStamp &stamp)
{
    m_refused.insert(stamp);
    m_refusedPaths.insert(path, resolved);
    return {};
}

QString vehiclePicturePath(const QString &dataDir, const QString &entry)
{
    QString path = dataDir + QLatin1Char('/') + entry.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}
