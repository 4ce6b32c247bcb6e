/** @file vehicle_pictures.cpp The pictures of the vehicles file, decoded once per file and kept. */
#include "core/vehicle_pictures.h"

#include "platform/files.h"
#include "platform/picture_copies.h"
#include "platform/picture_limits.h"
#include "platform/picture_read.h"
#include "platform/picture_reader.h"

#include <exception>
#include <iterator>
#include <utility>

QImage VehiclePictures::picture(const QString &dataDir, const QString &entry, PictureRefusal *why)
{
    if (why)
        *why = PictureRefusal::None;
    /* No file has a path this long: refused at once, each time it is named, before its path is made. */
    if (platform::namesNoFile(QStringView(entry).trimmed())) {
        if (why)
            *why = PictureRefusal::Unusable;
        return {};
    }
    const QString path = vehiclePicturePath(dataDir, entry);
    const auto named = m_byPath.constFind(path);
    if (named != m_byPath.cend()) {
        const auto kept = m_byFile.constFind(*named);
        if (kept != m_byFile.cend() && usable(*named))
            return *kept;
        /* Its picture was let go since: it is read anew. */
        if (kept == m_byFile.cend())
            m_byPath.erase(named);
    }
    /* Resolved once: the stamp and the reading both use it. A path refused
       before, or whose picture was not read in its time, is not resolved
       again; only its file is looked at, for a change. */
    const auto known = m_resolvedPaths.constFind(path);
    const QString resolved = known != m_resolvedPaths.cend() ? *known : platform::resolvePath(path);
    const platform::FileStamp stamp = platform::fileStamp(resolved);
    /* Another spelling of a file already decoded. */
    const auto kept = m_byFile.constFind(stamp);
    if (kept != m_byFile.cend() && usable(stamp)) {
        m_byPath.insert(path, stamp);
        return *kept;
    }
    /* Unusable as it was last time, and unchanged since: it is not read again. */
    const auto refused = m_refused.constFind(stamp);
    if (refused != m_refused.cend())
        return refuse(why, path, resolved, stamp, *refused, true);
    QImage decoded;
    ++m_reads;
    /* What a reader says of a picture it read after others of its train may be what one of those made it say:
       kept for this train alone. */
    bool first = true;
    try {
        const platform::PictureGroup group(m_group);
        decoded = platform::loadResolvedPicture(resolved, &first);
    } catch (const platform::PictureNotReadInTime &) {
        /* Not read yet in the placing's time: its reader goes on with it, and a later try takes its answer. */
        return refuse(why, path, resolved, stamp, PictureRefusal::OutOfTime, false);
    } catch (const platform::PictureReaderNotReady &) {
        /* No reader was ready for as long as a picture waits: nothing is known of the file. */
        return refuse(why, path, resolved, stamp, PictureRefusal::ReaderNotReady, false);
    } catch (const platform::PictureNotRead &) {
        /* Not read at all (no picture reader could be started): nothing is known of the file. */
        return refuse(why, path, resolved, stamp, PictureRefusal::NoReader, false);
    } catch (const platform::PictureNeverRead &) {
        /* Its readers were held or killed from outside: the next train tries again. */
        return refuse(why, path, resolved, stamp, PictureRefusal::NeverRead, false);
    } catch (const platform::PictureTooLarge &) {
        /* Its reading had its own time and memory: too large is the file's own. */
        return refuse(why, path, resolved, stamp, PictureRefusal::TooLarge, first);
    } catch (const std::exception &) {
        /* Unusable: the train line that names it is refused with its own message. */
        return refuse(why, path, resolved, stamp, PictureRefusal::Unusable, first);
    }
    /* Read before for another train, the same: the kept picture serves, which the rows that show it share. */
    const auto earlier = m_byFile.find(stamp);
    if (earlier != m_byFile.end() && *earlier == decoded) {
        decoded = *earlier;
    } else {
        if (earlier != m_byFile.end())
            letGo(earlier);
        if (!makeRoom(decoded.sizeInBytes()))
            return refuse(why, path, resolved, stamp, PictureRefusal::TooLarge, false);
        m_bytes += decoded.sizeInBytes();
        m_byFile.insert(stamp, decoded);
        m_trainReads.append(stamp);
    }
    m_byPath.insert(path, stamp);
    if (first)
        m_heldFor.remove(stamp);
    else
        m_heldFor.insert(stamp, m_group);
    return decoded;
}

bool VehiclePictures::usable(const platform::FileStamp &stamp) const
{
    const auto held = m_heldFor.constFind(stamp);
    return held == m_heldFor.cend() || (*held == m_group && m_group != 0);
}

VehiclePictures::~VehiclePictures()
{
    endTrain();
}

void VehiclePictures::beginTrain(quint64 train)
{
    if (train != m_train || m_group == 0) {
        endTrain();
        m_trainReads.clear();
        m_group = platform::PictureGroup::next();
    }
    m_train = train;
}

void VehiclePictures::endTrain()
{
    if (m_group != 0)
        platform::PictureReader::instance().endGroup(std::exchange(m_group, 0));
}

void VehiclePictures::forgetTrain()
{
    for (const platform::FileStamp &stamp : std::as_const(m_trainReads)) {
        const auto kept = m_byFile.find(stamp);
        if (kept != m_byFile.end() && kept->isDetached())
            letGo(kept);
    }
    m_trainReads.clear();
}

bool VehiclePictures::makeRoom(qint64 bytes)
{
    /* A picture that, once the copies made from it are set aside, no control holds is held by this store
       alone: nothing shows it. */
    for (auto kept = m_byFile.begin(); kept != m_byFile.end() && m_bytes + bytes > m_bytesLimit;) {
        if (!kept->isDetached())
            platform::letGoPictureCopies(kept->cacheKey());
        kept = kept->isDetached() ? letGo(kept) : std::next(kept);
    }
    return m_bytes + bytes <= m_bytesLimit;
}

QHash<platform::FileStamp, QImage>::iterator VehiclePictures::letGo(QHash<platform::FileStamp, QImage>::iterator kept)
{
    m_bytes -= kept->sizeInBytes();
    m_heldFor.remove(kept.key());
    return m_byFile.erase(kept);
}

QImage VehiclePictures::refuse(PictureRefusal *why, const QString &path, const QString &resolved,
                               const platform::FileStamp &stamp, PictureRefusal reason, bool remember)
{
    if (why)
        *why = reason;
    if (remember)
        m_refused.insert(stamp, reason);
    /* A picture not read in its time is read on the next try, from the file its path was found to name. */
    if (remember || reason == PictureRefusal::OutOfTime)
        m_resolvedPaths.insert(path, resolved);
    return {};
}

QString vehiclePicturePath(const QString &dataDir, const QString &entry)
{
    QString path = dataDir + QLatin1Char('/') + entry.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}
