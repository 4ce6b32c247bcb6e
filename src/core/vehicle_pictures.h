/** @file vehicle_pictures.h The pictures of the vehicles file, decoded once per file and kept. */
#pragma once

#include "platform/files.h"
#include "platform/picture_limits.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

/** Why a vehicle's picture cannot be shown. */
enum class PictureRefusal {
    None,      ///< It can be shown.
    Unusable,  ///< The file is missing, unreadable or broken.
    TooLarge,  ///< It would take more memory than is left to the kept pictures, or more time than its own reading has.
    OutOfTime, ///< Not read yet in the placing's time: no verdict on its file; its reader goes on, a later try tells.
    NeverRead, ///< Several readers in a row made no progress on it: no verdict on its file; the next train tries again.
    NoReader,  ///< The picture reader's program cannot run: no verdict on its file.
    ReaderNotReady, ///< No picture reader was ready for as long as a picture waits for one: no verdict on its file.
};

/**
 * Decoded vehicle pictures. A picture file is read and decoded the first
 * time a train needs it and kept, once per file: the other spellings of
 * its path ("Vozidla//a.wmf", "Vozidla\a.wmf", another letter case, a
 * link) give the same picture. All the pictures kept together take at most
 * platform::kMaxKeptPictureBytes: when a new picture would pass that, the
 * kept pictures that nothing shows any more (no control holds a copy) are
 * let go first, and only a picture that still does not fit is refused, for
 * its size. A file that is missing or broken is remembered with its stamp:
 * trains that name it are refused without reading it again while it stays
 * so, and a file the player mends while the program runs is read at the
 * next train that names it. Each picture has its own time in its reader,
 * so a picture refused as too large is the file's fault. What depends on
 * the moment rather than on the file (the memory left, the wall-clock time
 * of the placing, a reader that could not be started or was held, readers
 * that made no progress on a picture) is not remembered: one train's
 * pictures never refuse the next train's. Nor is what a train's reader
 * said of a picture it read after another of the train (which may have
 * taken the reader over) kept beyond that train: the next train that names
 * it reads it again, and what a reader says of the first picture it reads
 * is kept for the game. A train whose pictures were not all read in
 * the placing's time is begun again later with those read so far still
 * kept (as every picture nothing shows: let go when room is needed, and
 * then read again) and the one being read still in its reader's hands.
 * The pictures of one train are read by readers of their own
 * (platform::PictureGroup), none of which reads another train's. The path of
 * a refused file, or of one not read in its time, is remembered with what
 * it resolved to: it is not resolved again in the game, its file is only
 * looked at for a change. An entry longer than any path (platform::kMaxPathLength) is refused at once
 * whenever it is named, without a look at the file system.
 */
class VehiclePictures {
public:
    /** @param bytesLimit the most memory the kept pictures may take together. */
    explicit VehiclePictures(qint64 bytesLimit = platform::kMaxKeptPictureBytes) : m_bytesLimit(bytesLimit) {}
    /** Ends the reader of the train begun last. */
    ~VehiclePictures();
    VehiclePictures(const VehiclePictures &) = delete;
    VehiclePictures &operator=(const VehiclePictures &) = delete;

    /**
     * @param dataDir the data directory, without a trailing separator.
     * @param entry a line of the vehicles file: a path relative to the data
     *        directory with "\" or "/" separators, in any letter case.
     * @param why set to why the picture cannot be shown, or None.
     * @return the picture, or a null image when it cannot be shown.
     * @throws platform::PathWorkSpent when the path is left for later.
     */
    QImage picture(const QString &dataDir, const QString &entry, PictureRefusal *why = nullptr);
    /**
     * Begins the pictures of one train: what is read from here on is that
     * train's, by readers of its own. A train begun again next (the same
     * @p train), after its pictures were not all read in their time, goes
     * on with those first read for it before, and with the reader that
     * reads the next. Pictures read with no train begun are each read by a
     * reader of its own.
     */
    void beginTrain(quint64 train);
    /** Ends the train begun last, placed or refused: its reader is ended. */
    void endTrain();
    /** Lets go the pictures first read for the train begun last, which was refused, where nothing shows them. */
    void forgetTrain();
    /** @return how many pictures are kept. */
    int picturesKept() const { return static_cast<int>(m_byFile.size()); }
    /** @return how many times a picture file was read and decoded (or refused). */
    int picturesRead() const { return m_reads; }
    /** @return the memory the kept pictures take, in bytes. */
    qint64 bytesKept() const { return m_bytes; }

private:
    /**
     * Refuses a file that could not be used. It is remembered as unusable
     * (and the path that named it with what it resolved to) only when
     * `remember`: when the refusal is the file's own, not the moment's. The
     * path of a picture not read in its time is remembered with what it
     * resolved to all the same, for the next try.
     * @param why set to the reason, unless null.
     * @return a null image.
     */
    QImage refuse(PictureRefusal *why, const QString &path, const QString &resolved, const platform::FileStamp &stamp,
                  PictureRefusal reason, bool remember);
    /** Lets go kept pictures that nothing shows until `bytes` more fit. @return whether they fit. */
    bool makeRoom(qint64 bytes);
    /** Lets go one kept picture. @return the next one. */
    QHash<platform::FileStamp, QImage>::iterator letGo(QHash<platform::FileStamp, QImage>::iterator kept);
    /** @return whether a kept picture may be shown by the train begun last: kept for the game, or for that train. */
    bool usable(const platform::FileStamp &stamp) const;

    QHash<QString, platform::FileStamp> m_byPath;   ///< The file each path named when it gave its picture.
    QHash<QString, QString> m_resolvedPaths;        ///< Paths whose picture is not kept (its file unusable, or
                                                    ///< not read in its time), and what they resolved to.
    QHash<platform::FileStamp, QImage> m_byFile;    ///< Decoded pictures by file, never a null one.
    QHash<platform::FileStamp, quint64> m_heldFor;  ///< Kept pictures read after another by their reader, and the
                                                    ///< group of the train they may be shown by; the rest are the game's.
    QHash<platform::FileStamp, PictureRefusal> m_refused; ///< Files that could not be used, as they were then, and why.
    QList<platform::FileStamp> m_trainReads;        ///< Files first kept for the train begun last.
    quint64 m_train = 0;                            ///< The train begun last.
    quint64 m_group = 0;                            ///< The pictures' group of the train begun last; 0 for none.
    qint64 m_bytesLimit;                            ///< The most memory the kept pictures may take.
    qint64 m_bytes = 0;                             ///< Memory of the kept pictures.
    int m_reads = 0;                                ///< Files read and decoded so far.
};

/** @return the path of a vehicles-file entry under the data directory, with "/" separators. */
QString vehiclePicturePath(const QString &dataDir, const QString &entry);
