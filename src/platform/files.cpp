/** @file files.cpp Listing folders and reading text and picture files of the data directory. */
#include "platform/files.h"

#include "platform/bitmap_check.h"
#include "platform/cp1250.h"
#include "platform/excerpt.h"
#include "platform/jpeg_decoder.h"
#include "platform/metafile.h"
#include "platform/picture_limits.h"
#include "platform/picture_read.h"
#include "platform/picture_reader.h"
#include "ui/sim_error.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <limits>
#include <memory>
#include <optional>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

/** The kinds of picture file, named by their extensions. */
enum class PictureKind { Jpeg, Bmp, Ico, Wmf, Emf, Unknown };

/** @return whether a sorts before b by name, case-insensitively, ties broken by exact case. */
bool nameLess(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

/** Folders listed so far by this process. */
quint64 g_foldersListed = 0;

/** The work finding files has cost this thread so far: a unit per look at the file system and per entry listed. */
thread_local quint64 t_pathWork = 0;

/** The work this thread's finding of files may reach before it stops; none while no limit is set. */
thread_local quint64 t_pathWorkEnd = std::numeric_limits<quint64>::max();

/** Charges the work of a look at the file system, or of entries listed. */
void charge(quint64 units = 1)
{
    t_pathWork += units;
}

/**
 * What a unit of finding files is reckoned to cost: a look at the file
 * system, or an entry listed, its name decoded, folded and kept (some
 * 2.5 microseconds measured, for a folder of 95,000 names).
 */
constexpr std::chrono::nanoseconds kPathUnitCost{3000};

/**
 * Charges the work of a step of a resolution that walks or lists folders,
 * and stops it, left for later (PathWorkSpent), once the time of the
 * reading it serves is spent: the placing of a train gives its paths, the
 * folders listed for them and its pictures one time.
 */
void chargeWalk(quint64 units = 1)
{
    charge(units);
    if (PictureRead::overdue(kPathUnitCost * units))
        throw PathWorkSpent{};
}

/** What a listing of a folder keeps. */
enum class EntryKind { Any, File, Folder };

/** @return whether a path names something of the kind (symbolic links followed). */
bool isKind(const QByteArray &native, EntryKind kind)
{
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return false;
    switch (kind) {
    case EntryKind::File: return S_ISREG(st.st_mode);
    case EntryKind::Folder: return S_ISDIR(st.st_mode);
    case EntryKind::Any: break;
    }
    return true;
}

/**
 * Calls visit with the bytes of every entry of an opened folder but "."
 * and "..", in the folder's own order, and closes it; nothing when it is
 * null.
 */
template <typename Visit>
void visitEntries(DIR *folder, Visit visit)
{
    if (!folder)
        return;
    ++g_foldersListed;
    while (const dirent *entry = ::readdir(folder)) {
        charge();
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            visit(name);
    }
    ::closedir(folder);
}

/** @return the entries of a folder of the kind, their names decoded, in no order; empty when it cannot be listed. */
QStringList folderEntries(const QString &dir, EntryKind kind)
{
    const QByteArray native = nativePath(dir);
    QStringList names;
    visitEntries(::opendir(native.constData()), [&](const QByteArray &name) {
        if (kind == EntryKind::Any || isKind(native + '/' + name, kind))
            names.append(decodeFileName(name));
    });
    return names;
}

/** @return a time of the file system in nanoseconds. */
qint64 nanoseconds(const timespec &t)
{
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

/** A folder as the file system holds it now. */
struct FolderState {
    std::pair<quint64, quint64> id; ///< Its file system and number.
    qint64 modifiedNs = 0;          ///< When an entry was last added, removed or renamed in it.
};

/**
 * A walk down a path a name at a time that keeps the folder it has reached
 * open: each name is looked up in that folder, never again from the start
 * of the path, so the work of a walk grows linearly with the path.
 */
class PathWalk {
public:
    /** Starts in the root folder for an absolute path, else in the working folder. */
    explicit PathWalk(bool absolute)
        : m_folder(::open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC))
    {
    }
    ~PathWalk()
    {
        if (m_folder >= 0)
            ::close(m_folder);
    }
    PathWalk(const PathWalk &) = delete;
    PathWalk &operator=(const PathWalk &) = delete;

    /** @return whether the folder reached holds an entry of these bytes (a dangling link does too). */
    bool has(const QByteArray &name) const
    {
        chargeWalk();
        struct stat st {};
        return m_folder >= 0 && ::fstatat(m_folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    }

    /**
     * Steps into an entry of the folder reached, following a link: "" and
     * "." stay, ".." goes up. Past an entry that is no folder nothing exists.
     */
    void enter(const QByteArray &name)
    {
        if (m_folder < 0 || name.isEmpty() || name == ".")
            return;
        chargeWalk(2);
        const int next = ::openat(m_folder, name.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        ::close(m_folder);
        m_folder = next;
    }

    /** @return the folder reached: its file system, number and modification time; nothing once nothing can exist. */
    std::optional<FolderState> state() const
    {
        chargeWalk();
        struct stat st {};
        if (m_folder < 0 || ::fstat(m_folder, &st) != 0)
            return std::nullopt;
        return FolderState{{quint64(st.st_dev), quint64(st.st_ino)}, nanoseconds(st.st_mtim)};
    }

    /** @return the folder reached, opened for listing; null when it cannot be listed. */
    DIR *list() const
    {
        chargeWalk(2);
        const int fd = m_folder < 0 ? -1 : ::openat(m_folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR *folder = fd < 0 ? nullptr : ::fdopendir(fd);
        if (fd >= 0 && !folder)
            ::close(fd);
        return folder;
    }

private:
    int m_folder; ///< The folder reached, opened as a place only; -1 once nothing can exist.
};

/** A name of a path as the file system holds it. */
struct Spelling {
    QByteArray bytes;    ///< Its bytes.
    bool exists = false; ///< Whether an entry of these bytes exists.
};

/**
 * @return the bytes of a name in the folder a walk has reached, spelt as
 *         the entry that exists: in UTF-8, or else in Windows-1250 (a name
 *         written on Windows); in UTF-8 when neither exists.
 */
Spelling spellingIn(const PathWalk &walk, QStringView name)
{
    const QByteArray utf8 = name.toUtf8();
    if (walk.has(utf8))
        return {utf8, true};
    const QString text = name.toString();
    const QByteArray windows = encodeCp1250(text);
    /* A name that Windows-1250 cannot hold is never taken for one that it can. */
    if (windows != utf8 && decodeCp1250(windows) == text && walk.has(windows))
        return {windows, true};
    return {utf8, false};
}

/** An entry of a folder: its name decoded, and its bytes. */
struct FolderEntry {
    QString name;     ///< As decodeFileName gives it.
    QByteArray bytes; ///< As the file system holds it.
};

/**
 * @return a name with each character case-folded as a comparison that
 *         ignores case folds it: two names are equal so compared exactly
 *         when these are equal.
 */
QString foldedName(QStringView name)
{
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            folded += QStringView(QChar::fromUcs4(QChar::toCaseFolded(QChar::surrogateToUcs4(c, name.at(i + 1)))));
            ++i;
        } else {
            folded += c.toCaseFolded();
        }
    }
    return folded;
}

/** A folder by its file system and number. */
using FolderId = std::pair<quint64, quint64>;

/** @return the time of day in nanoseconds, as modification times are kept. */
qint64 realTimeNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

/**
 * The names of a folder, kept compactly: each name's bytes once, ended by
 * a zero byte, in blocks that are never moved, and for each name the hash
 * of its folded name and where its bytes lie (16 bytes). A name is looked
 * up by its hash: the names of that hash are decoded and compared. The
 * names' blocks are filled, never grown, so what they take is what
 * bytes() says, not twice that while one is copied into a larger one.
 */
class NameIndex {
public:
    /** Adds a name of these bytes, whose folded name has this hash. */
    void add(size_t hash, const QByteArray &bytes)
    {
        const qsizetype needed = bytes.size() + 1;
        if (m_blocks.isEmpty() || m_blocks.constLast().capacity() - m_blocks.constLast().size() < needed) {
            /* Blocks grow with the folder, from a few names to 64 KB: a folder of one name costs little. */
            QByteArray block;
            const qsizetype doublings = std::min<qsizetype>(m_blocks.size(), kDoublings);
            block.reserve(std::max(needed, kFirstBlockBytes << doublings));
            m_blockBytes += block.capacity();
            m_blocks.append(std::move(block));
        }
        QByteArray &block = m_blocks.last();
        m_slots.push_back({hash, quint32(m_blocks.size() - 1), quint32(block.size())});
        block.append(bytes.constData(), bytes.size() + 1);
        m_sorted = false;
    }

    /** @return the name folded as @p folded (of that hash), the first by name of them; an empty one when none is. */
    FolderEntry find(size_t hash, const QString &folded)
    {
        if (!m_sorted) {
            std::sort(m_slots.begin(), m_slots.end(), [](const Slot &a, const Slot &b) { return a.hash < b.hash; });
            m_sorted = true;
        }
        const auto [first, last] = std::equal_range(m_slots.begin(), m_slots.end(), Slot{hash, 0, 0},
                                                    [](const Slot &a, const Slot &b) { return a.hash < b.hash; });
        FolderEntry best;
        for (auto slot = first; slot != last; ++slot) {
            const QByteArray bytes(m_blocks.at(slot->block).constData() + slot->at);
            const QString name = decodeFileName(bytes);
            if (foldedName(name) == folded && (best.name.isEmpty() || nameLess(name, best.name)))
                best = {name, bytes};
        }
        return best;
    }

    /** @return the memory it takes, in bytes. */
    qint64 bytes() const
    {
        /* The deque's blocks of slots, the list of name blocks and the names' blocks. */
        return qint64(sizeof(NameIndex)) + qint64(m_slots.size()) * qint64(sizeof(Slot)) * 33 / 32 + 512
               + m_blocks.capacity() * qint64(sizeof(QByteArray)) + m_blockBytes;
    }

private:
    /** The first block of names; each next one twice as large, kDoublings times at most (64 KB). */
    static constexpr qsizetype kFirstBlockBytes = 256;
    static constexpr qsizetype kDoublings = 8;

    /** A name: the hash of its folded name and where its bytes lie. */
    struct Slot {
        size_t hash;   ///< Of its folded name.
        quint32 block; ///< The block its bytes lie in.
        quint32 at;    ///< Where in it they begin.
    };

    QList<QByteArray> m_blocks;  ///< The names' bytes, each ended by a zero byte.
    qint64 m_blockBytes = 0;     ///< What the blocks hold reserved.
    std::deque<Slot> m_slots;    ///< Every name; by hash once sorted.
    bool m_sorted = true;        ///< Whether the slots are sorted.
};

/** @return the hash a folded name is kept by. */
size_t nameHash(const QString &folded)
{
    return qHash(folded, QHashSeed::globalSeed());
}

/**
 * The folders resolving paths has listed, kept for as long as they stay as
 * they were listed: each folder is read from the disk once however many
 * paths pass through it, in one resolution (a link back to it) or in many.
 * A folder is listed anew once its modification time changes, which
 * adding, removing or renaming an entry does. A listing begun within
 * kCoarsestClock after the folder's last change may miss a change made in
 * the same step of the file system's clock, so it serves only the
 * resolution that made it, until one made later is kept; a folder whose
 * time lies further ahead of the clock than that (unpacked with its own
 * times, or made where the clock ran ahead) is as good as settled until the
 * clock comes near it, since a change gives it the present time.
 *
 * What is kept takes at most a bound of bytes (kMaxListingBytes unless a
 * ListingMemoryLimit sets another): each name once, compactly (NameIndex).
 * A new listing first lets go the others until it fits; a folder whose
 * names alone pass the bound is not kept whole: the name a path needs is
 * matched while the folder is read, and only that match is kept.
 *
 * A listing costs its time as it goes (chargeWalk): one that the time of
 * the reading it serves runs out in is kept as far as it got, with the
 * folder open, and the next resolution that needs that folder goes on from
 * there while the folder stays unchanged, so a folder of any size is read
 * over as many ticks as it takes, once.
 */
class FolderListings {
public:
    /**
     * @return the entry of the folder a walk has reached named like name in
     *         any case, the first by name if several are; an empty one
     *         when none is.
     * @param resolution the resolution asking, so that what it listed itself serves it again.
     * @throws PathWorkSpent when the time runs out while the folder is read.
     */
    FolderEntry find(const PathWalk &walk, QStringView name, quint64 resolution)
    {
        const std::optional<FolderState> folder = walk.state();
        if (!folder)
            return {};
        const QString wanted = foldedName(name);
        const size_t hash = nameHash(wanted);
        const auto listed = m_folders.find(folder->id);
        if (listed != m_folders.end()) {
            if (listed->taken.serves(*folder, resolution))
                return listed->names.find(hash, wanted);
            letGo(listed);
        }
        const auto large = m_tooLarge.constFind(folder->id);
        const bool tooLarge = large != m_tooLarge.cend() && *large == folder->modifiedNs;
        if (tooLarge) {
            const auto match = m_matches.find({folder->id, wanted});
            if (match != m_matches.end()) {
                if (match->taken.serves(*folder, resolution))
                    return match->entry;
                letGo(match);
            }
        }
        return read(walk, *folder, wanted, hash, resolution, tooLarge);
    }

    /** @return the memory what is kept takes, in bytes, a folder being read too. */
    qint64 bytes() const { return m_bytes + (m_reading && m_reading->names ? m_reading->names->bytes() : 0); }

    /** @return the most memory what is kept may take. */
    qint64 limit() const { return m_limit; }

    /** Sets the most memory what is kept may take, and lets go what is past it. */
    void setLimit(qint64 bytes)
    {
        m_limit = bytes;
        makeRoom(0);
    }

private:
    /** The steps of the coarsest clock a file system keeps modification times by: FAT's two seconds. */
    static constexpr qint64 kCoarsestClock = 2000000000;
    /** What keeping a match or a folder too large to keep costs beside its names, in bytes. */
    static constexpr qint64 kEntryBytes = 128;

    /** When a folder was read, and so whom what was read of it serves. */
    struct Taken {
        static constexpr qint64 kAlways = std::numeric_limits<qint64>::max();
        static constexpr qint64 kNever = std::numeric_limits<qint64>::min();

        qint64 modifiedNs = 0;         ///< The folder's modification time when its reading began.
        qint64 trustedUntil = kNever;  ///< Until when (time of day) it serves every resolution.
        quint64 resolution = 0;        ///< The resolution that read it to its end: served whenever it asks.

        /** @return how a folder in this state is taken now. */
        static Taken of(const FolderState &folder)
        {
            const qint64 now = realTimeNs();
            Taken taken;
            taken.modifiedNs = folder.modifiedNs;
            if (now - folder.modifiedNs >= kCoarsestClock)
                taken.trustedUntil = kAlways;
            else if (folder.modifiedNs - now >= kCoarsestClock)
                taken.trustedUntil = folder.modifiedNs - kCoarsestClock;
            return taken;
        }

        /** @return whether what was read serves a resolution asking of the folder in this state. */
        bool serves(const FolderState &folder, quint64 asking) const
        {
            if (folder.modifiedNs != modifiedNs)
                return false;
            if (asking == resolution || trustedUntil == kAlways)
                return true;
            return trustedUntil != kNever && realTimeNs() < trustedUntil;
        }
    };

    /** A folder listed whole. */
    struct Listing {
        Taken taken;     ///< When.
        NameIndex names; ///< All its names.
    };

    /** A name looked for in a folder too large to keep whole, and what it matched. */
    struct Match {
        Taken taken;       ///< When the folder was read for it.
        FolderEntry entry; ///< The entry it matched; empty when none did.
    };

    /** A folder being read, open where its reading is. */
    struct Reading {
        FolderId id;                                                      ///< The folder.
        Taken taken;                                                      ///< When its reading began.
        std::unique_ptr<DIR, int (*)(DIR *)> stream{nullptr, ::closedir}; ///< Open where the reading stopped.
        std::optional<NameIndex> names; ///< Its names read so far, while they fit; none once it is too large to keep.
        QString wanted;                 ///< The folded name looked for.
        FolderEntry match;              ///< The first by name of the entries read so far that match it.
    };

    /**
     * @return the entry matching the folded name wanted in the folder a walk
     *         has reached, read from where a reading of it, unchanged since,
     *         stopped; the folder is kept listed whole when it fits, else the
     *         match alone.
     * @param tooLarge the folder is known to be too large to keep whole.
     * @throws PathWorkSpent when the time runs out first; what was read is kept.
     */
    FolderEntry read(const PathWalk &walk, const FolderState &folder, const QString &wanted, size_t hash,
                     quint64 resolution, bool tooLarge)
    {
        const bool goesOn = m_reading && m_reading->id == folder.id && m_reading->taken.modifiedNs == folder.modifiedNs
                            && (m_reading->names || m_reading->wanted == wanted);
        if (!goesOn) {
            auto begun = std::make_unique<Reading>();
            begun->id = folder.id;
            begun->taken = Taken::of(folder);
            begun->stream.reset(walk.list());
            if (begun->stream)
                ++g_foldersListed;
            if (!tooLarge)
                begun->names.emplace();
            begun->wanted = wanted;
            m_reading = std::move(begun);
        } else if (m_reading->wanted != wanted) {
            /* Another name of a folder being listed whole: what was listed of it is looked at first. */
            m_reading->wanted = wanted;
            m_reading->match = m_reading->names->find(hash, wanted);
        }
        Reading &reading = *m_reading;
        while (DIR *stream = reading.stream.get()) {
            const dirent *entry = ::readdir(stream);
            if (!entry)
                break;
            chargeWalk();
            const QByteArray bytes(entry->d_name);
            if (bytes == "." || bytes == "..")
                continue;
            const QString name = decodeFileName(bytes);
            const QString folded = foldedName(name);
            if (folded == wanted && (reading.match.name.isEmpty() || nameLess(name, reading.match.name)))
                reading.match = {name, bytes};
            if (!reading.names)
                continue;
            reading.names->add(nameHash(folded), bytes);
            /* Past the bound with all else let go, it is too large to keep: only the name wanted is looked for. */
            if (!makeRoom(reading.names->bytes())) {
                reading.names.reset();
                keepTooLarge(folder);
            }
        }
        std::unique_ptr<Reading> done = std::move(m_reading);
        done->taken.resolution = resolution;
        if (done->names) {
            letGo(m_folders.find(folder.id));
            if (makeRoom(done->names->bytes())) {
                m_bytes += done->names->bytes();
                m_folders.insert(folder.id, Listing{done->taken, std::move(*done->names)});
            }
        } else {
            letGo(m_matches.find({folder.id, wanted}));
            const qint64 cost = matchBytes(wanted, done->match);
            if (makeRoom(cost)) {
                m_bytes += cost;
                m_matches.insert({folder.id, wanted}, Match{done->taken, done->match});
            }
        }
        return done->match;
    }

    /** Keeps that a folder as it is now is too large to keep whole, when that fits. */
    void keepTooLarge(const FolderState &folder)
    {
        const auto known = m_tooLarge.find(folder.id);
        if (known != m_tooLarge.end()) {
            *known = folder.modifiedNs;
        } else if (makeRoom(kEntryBytes)) {
            m_bytes += kEntryBytes;
            m_tooLarge.insert(folder.id, folder.modifiedNs);
        }
    }

    /** @return what keeping a match costs. */
    static qint64 matchBytes(const QString &wanted, const FolderEntry &entry)
    {
        return kEntryBytes + 2 * (wanted.size() + entry.name.size()) + entry.bytes.size();
    }

    /** Lets go what is kept, listings first, until `bytes` more fit. @return whether they fit. */
    bool makeRoom(qint64 bytes)
    {
        while (m_bytes + bytes > m_limit) {
            if (!m_folders.isEmpty()) {
                letGo(m_folders.begin());
            } else if (!m_matches.isEmpty()) {
                letGo(m_matches.begin());
            } else if (!m_tooLarge.isEmpty()) {
                m_tooLarge.erase(m_tooLarge.begin());
                m_bytes -= kEntryBytes;
            } else {
                return false;
            }
        }
        return true;
    }

    /** Lets go a folder's listing, if it is one. */
    void letGo(QHash<FolderId, Listing>::iterator listed)
    {
        if (listed == m_folders.end())
            return;
        m_bytes -= listed->names.bytes();
        m_folders.erase(listed);
    }

    /** Lets go a match, if it is one. */
    void letGo(QHash<std::pair<FolderId, QString>, Match>::iterator match)
    {
        if (match == m_matches.end())
            return;
        m_bytes -= matchBytes(match.key().second, match->entry);
        m_matches.erase(match);
    }

    QHash<FolderId, Listing> m_folders;                    ///< Folders listed whole.
    QHash<FolderId, qint64> m_tooLarge;                    ///< Folders too large to keep whole, by their time then.
    QHash<std::pair<FolderId, QString>, Match> m_matches;  ///< Names looked for in them, by folded name.
    std::unique_ptr<Reading> m_reading;                    ///< The folder whose reading the time ran out in, if any.
    qint64 m_bytes = 0;                                    ///< Memory of what is kept.
    qint64 m_limit = kMaxListingBytes;                     ///< The most it may take.
};

/** The listings of every resolution of this thread. */
thread_local FolderListings t_listings;

/** Resolutions made so far on this thread: each one's number. */
thread_local quint64 t_resolutions = 0;

/** Stops a resolution whose thread's work has reached its limit. @throws PathWorkSpent then. */
void checkPathWork()
{
    if (t_pathWork >= t_pathWorkEnd)
        throw PathWorkSpent{};
}

/**
 * A path being resolved a name at a time: the walk to the folder it has
 * reached and what it has found so far. One left for later (PathWorkSpent)
 * goes on from there when the same path is resolved next, so no name of it
 * is looked up twice and what its folders' listings served it still serves.
 */
struct Resolution {
    QString path;                   ///< The path, its "." and ".." resolved.
    quint64 number = 0;             ///< Its number, for the listings it makes.
    std::unique_ptr<PathWalk> walk; ///< In the folder of the name at `from`.
    QString resolved;               ///< The names before `from`, as they exist.
    qsizetype from = 0;             ///< Where in the path the next name begins.

    /**
     * @return the path resolved, from the name at `from` on.
     * @throws PathWorkSpent when its thread's work or time is spent; it stops between two names.
     */
    QString goOn()
    {
        for (;;) {
            checkPathWork();
            const qsizetype slash = path.indexOf(QLatin1Char('/'), from);
            const QStringView part = QStringView(path).sliced(from, (slash < 0 ? path.size() : slash) - from);
            Spelling name = part == QLatin1String("..") ? Spelling{part.toUtf8(), true} : spellingIn(*walk, part);
            QString found = part.toString();
            if (!name.exists) {
                FolderEntry match = t_listings.find(*walk, part, number);
                if (match.name.isEmpty())
                    return resolved + path.sliced(from);
                found = std::move(match.name);
                name.bytes = std::move(match.bytes);
            }
            if (slash < 0)
                return resolved + found;
            /* Stops, if it does, before it moves: the name is looked up again when it goes on. */
            walk->enter(name.bytes);
            resolved += found + QLatin1Char('/');
            from = slash + 1;
        }
    }
};

/** The resolution of this thread left for later, if any. */
thread_local std::optional<Resolution> t_leftForLater;

/**
 * @return a path with its "." and ".." names resolved by the text alone,
 *         as Windows resolves them, and its empty names left out: "a/b/../c"
 *         gives "a/c", "/.." gives "/", a relative path keeps its leading
 *         "..". Nothing is looked up, so no name of it is visited twice.
 */
QString withoutDotNames(const QString &path)
{
    const bool absolute = path.startsWith(QLatin1Char('/'));
    QList<QStringView> names;
    qsizetype kept = 0; ///< Names at the start that ".." cannot take back: the leading ".." of a relative path.
    for (const QStringView name : QStringView(path).tokenize(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (name == QLatin1String("."))
            continue;
        if (name != QLatin1String("..")) {
            names.append(name);
        } else if (names.size() > kept) {
            names.removeLast();
        } else if (!absolute) {
            names.append(name);
            ++kept;
        }
    }
    QString joined = absolute ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i > 0)
            joined += QLatin1Char('/');
        joined += names.at(i);
    }
    return joined.isEmpty() && !path.isEmpty() ? QStringLiteral(".") : joined;
}

/** @return whether an entry of the path's UTF-8 bytes exists (a dangling link does too). */
bool existsAsWritten(const QString &path)
{
    charge();
    struct stat st {};
    return ::lstat(path.toUtf8().constData(), &st) == 0;
}

/** @return the problem an errno of stat or open stands for. */
FileProblem problemOf(int error)
{
    return error == ENOENT || error == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable;
}

/** @return the bytes of a file as read. @throws ui::SimError with the problem's own message when it was not read. */
QByteArray contentOf(const QString &path, FileContent content)
{
    switch (content.problem) {
    case FileProblem::None: break;
    case FileProblem::Missing: throw ui::SimError(QStringLiteral("Soubor nebyl nalezen: %1").arg(excerpt(path)));
    case FileProblem::Unreadable: throw ui::SimError(QStringLiteral("Soubor nelze přečíst: %1").arg(excerpt(path)));
    case FileProblem::TooLarge: throw ui::SimError(QStringLiteral("Soubor je příliš velký: %1").arg(excerpt(path)));
    }
    return std::move(content.bytes);
}

/** @return the whole content of a file. @throws ui::SimError with the problem's own message. */
QByteArray readWholeFile(const QString &path)
{
    return contentOf(path, readRegularFile(path));
}

/**
 * @return the number of lines splitTextLines makes of a text's bytes (a
 *         line end is CR LF, LF or CR), counted only up to limit + 1.
 */
qsizetype countLines(const QByteArray &bytes, qsizetype limit)
{
    qsizetype lines = 0;
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    for (qsizetype k = 0; k < n && lines <= limit; ++k) {
        if (p[k] == '\n' || (p[k] == '\r' && (k + 1 == n || p[k + 1] != '\n')))
            ++lines;
    }
    /* A last line without its line end is a line too. */
    if (n > 0 && p[n - 1] != '\n' && p[n - 1] != '\r')
        ++lines;
    return lines;
}

/** @return the kind of picture a file's extension names. */
PictureKind kindOfName(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const bool inName = dot >= 0 && dot > path.lastIndexOf(QLatin1Char('/'));
    const QString extension = inName ? path.mid(dot + 1).toLower() : QString();
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return PictureKind::Jpeg;
    if (extension == QLatin1String("bmp"))
        return PictureKind::Bmp;
    if (extension == QLatin1String("ico"))
        return PictureKind::Ico;
    if (extension == QLatin1String("wmf"))
        return PictureKind::Wmf;
    if (extension == QLatin1String("emf"))
        return PictureKind::Emf;
    return PictureKind::Unknown;
}

/** @return whether the bytes start as a file of the kind does. */
bool startsAs(const QByteArray &data, PictureKind kind)
{
    switch (kind) {
    case PictureKind::Jpeg: return data.startsWith("\xFF\xD8\xFF");
    case PictureKind::Bmp: return data.startsWith("BM");
    case PictureKind::Ico: return data.startsWith(QByteArray("\x00\x00\x01\x00", 4));
    case PictureKind::Wmf: return looksLikeWmf(data);
    case PictureKind::Emf: return looksLikeEmf(data);
    case PictureKind::Unknown: break;
    }
    return false;
}

} // namespace

FileStamp fileStamp(const QString &path)
{
    struct stat st {};
    if (namesNoFile(path) || ::stat(nativePath(path).constData(), &st) != 0)
        return {};
    return {true, qint64(st.st_size), nanoseconds(st.st_mtim), quint64(st.st_dev), quint64(st.st_ino)};
}

FileProblem checkRegularFile(const QString &path, qint64 maxSize)
{
    /* Refused before the file system is asked, as it would refuse it. */
    if (namesNoFile(path))
        return FileProblem::Unreadable;
    struct stat st {};
    if (::stat(nativePath(path).constData(), &st) != 0)
        return problemOf(errno);
    if (!S_ISREG(st.st_mode))
        return FileProblem::Unreadable;
    return st.st_size > maxSize ? FileProblem::TooLarge : FileProblem::None;
}

bool namesNoFile(QStringView path)
{
    return path.size() > kMaxPathLength;
}

QByteArray nativePath(const QString &path)
{
    bool ascii = true;
    for (const QChar c : path)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii || namesNoFile(path))
        return path.toUtf8();
    PathWalk walk(path.startsWith(QLatin1Char('/')));
    QByteArray native;
    qsizetype from = 0;
    for (;;) {
        const qsizetype slash = path.indexOf(QLatin1Char('/'), from);
        const Spelling name = spellingIn(walk, QStringView(path).sliced(from, (slash < 0 ? path.size() : slash) - from));
        native += name.bytes;
        if (slash < 0)
            return native;
        walk.enter(name.bytes);
        native += '/';
        from = slash + 1;
    }
}

QString decodeFileName(const QByteArray &name)
{
    const QString utf8 = QString::fromUtf8(name);
    return utf8.toUtf8() == name ? utf8 : decodeCp1250(name);
}

QString currentFolder()
{
    char *here = ::getcwd(nullptr, 0);
    const QString folder = here ? decodeFileName(QByteArray(here)) : QStringLiteral(".");
    std::free(here);
    return folder;
}

QStringList listFolders(const QString &dir)
{
    QStringList names = folderEntries(dir, EntryKind::Folder);
    /* Hidden folders are not offered, as in any folder list. */
    names.removeIf([](const QString &name) { return name.startsWith(QLatin1Char('.')); });
    std::sort(names.begin(), names.end(), nameLess);
    return names;
}

FileContent readRegularFile(const QString &path, qint64 maxSize)
{
    /* Looked at before it is opened: a FIFO or a device is never opened at all. */
    const FileProblem before = checkRegularFile(path, maxSize);
    if (before != FileProblem::None)
        return {{}, before};
    const QByteArray native = nativePath(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {{}, problemOf(errno)};
    FileContent content;
    struct stat opened {};
    /* The name may have been given to something else in between. */
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return {{}, FileProblem::Unreadable};
    }
    /* Read straight into one buffer of the size it has and one byte more: no copy of it is made on the way; a read
       that stops short at that size has found its end, and a file that grows while it is read fills the byte more
       and is read on up to its limit only. */
    const qint64 expected = std::min<qint64>(opened.st_size, maxSize);
    /* Reserved first: a resize alone would take twice the file's size, Qt's growth for appending. */
    content.bytes.reserve(expected + 1);
    content.bytes.resize(expected + 1);
    qint64 got = 0;
    for (;;) {
        if (got == content.bytes.size()) {
            if (got > maxSize) {
                content = {{}, FileProblem::TooLarge};
                break;
            }
            content.bytes.resize(std::min<qint64>(got * 2, maxSize + 1));
        }
        const ssize_t n = ::read(fd, content.bytes.data() + got, size_t(content.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            content = {{}, FileProblem::Unreadable};
            break;
        }
        if (n == 0) {
            content.bytes.truncate(got);
            break;
        }
        got += n;
        /* Short at the size it had as it was opened: its end, without one more read to be told so. */
        if (got == expected && got < content.bytes.size()) {
            content.bytes.truncate(got);
            break;
        }
    }
    ::close(fd);
    return content;
}

QStringList listFiles(const QString &dir, const QString &pattern)
{
    const QRegularExpression matcher(
        QRegularExpression::wildcardToRegularExpression(pattern),
        QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    const QString resolved = resolvePath(dir);
    if (isKind(nativePath(resolved), EntryKind::Folder)) {
        /* A folder that exists but cannot be opened is not an empty one. */
        DIR *folder = ::opendir(nativePath(resolved).constData());
        if (!folder)
            throw ui::SimError(QStringLiteral("Složku nelze přečíst: %1").arg(resolved));
        ::closedir(folder);
    }
    for (const QString &name : folderEntries(resolved, EntryKind::File)) {
        if (matcher.match(name).hasMatch())
            names.append(name);
    }
    std::sort(names.begin(), names.end(), nameLess);
    return names;
}

QString resolvePath(const QString &path)
{
    const QString written = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    /* Not looked up at all: opening it is refused at once. */
    if (namesNoFile(written))
        return written;
    checkPathWork();
    const QString normalised = withoutDotNames(written);
    Resolution resolution;
    if (t_leftForLater && t_leftForLater->path == normalised) {
        /* Left for later by its time or work: it goes on from the name it stopped at. */
        resolution = std::move(*t_leftForLater);
        t_leftForLater.reset();
    } else {
        /* Mostly every name exists as it is written: one look at the whole path finds it. */
        if (normalised.isEmpty() || existsAsWritten(normalised))
            return normalised;
        resolution.path = normalised;
        resolution.number = ++t_resolutions;
        resolution.walk = std::make_unique<PathWalk>(normalised.startsWith(QLatin1Char('/')));
        resolution.resolved = normalised.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
        resolution.from = resolution.resolved.size();
    }
    try {
        return resolution.goOn();
    } catch (const PathWorkSpent &) {
        t_leftForLater = std::move(resolution);
        throw;
    }
}

quint64 foldersListed()
{
    return g_foldersListed;
}

qint64 listingBytes()
{
    return t_listings.bytes();
}

ListingMemoryLimit::ListingMemoryLimit(qint64 bytes) : m_outer(t_listings.limit())
{
    t_listings.setLimit(bytes);
}

ListingMemoryLimit::~ListingMemoryLimit()
{
    t_listings.setLimit(m_outer);
}

quint64 pathWork()
{
    return t_pathWork;
}

PathWorkLimit::PathWorkLimit(quint64 units) : m_outerEnd(t_pathWorkEnd)
{
    t_pathWorkEnd = std::min(m_outerEnd, t_pathWork + units);
}

PathWorkLimit::~PathWorkLimit()
{
    t_pathWorkEnd = m_outerEnd;
}

bool PathWorkLimit::spent()
{
    return t_pathWork >= t_pathWorkEnd;
}

QStringList splitTextLines(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineEnd);
    /* The piece after a final line end is no line of its own. */
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList readTextLines1250(const QString &path)
{
    const QString resolved = resolvePath(path);
    const QByteArray bytes = readWholeFile(resolved);
    /* Counted on the bytes: a file of endless empty lines is refused before any line is made. */
    if (countLines(bytes, kMaxTextLines) > kMaxTextLines)
        throw ui::SimError(QStringLiteral("Soubor má víc než %1 řádků: %2")
                               .arg(QLocale(QLocale::Czech).toString(kMaxTextLines), excerpt(resolved)));
    return splitTextLines(decodeCp1250(bytes));
}

QImage loadPicture(const QString &path)
{
    return loadResolvedPicture(resolvePath(path));
}

QImage loadResolvedPicture(const QString &resolved, bool *firstOfReader)
{
    return PictureReader::instance().read(resolved, firstOfReader);
}

QImage readPictureFile(const QString &resolved)
{
    const PictureKind kind = kindOfName(resolved);
    if (kind == PictureKind::Unknown)
        throw ui::SimError(QStringLiteral("Neznámý formát obrázku: %1").arg(excerpt(resolved)));
    FileContent file = readRegularFile(resolved, kMaxPictureFileSize);
    /* A file larger than any picture's is a picture too large, and said so. */
    if (file.problem == FileProblem::TooLarge)
        throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1").arg(excerpt(resolved)));
    const QByteArray data = contentOf(resolved, std::move(file));
    /* Read by the kind its name gives: content of another kind is not read at all. */
    if (!startsAs(data, kind))
        throw ui::SimError(QStringLiteral("Obrázek nelze přečíst, není to %1: %2")
                               .arg(excerpt(resolved.section(QLatin1Char('.'), -1).toUpper()), excerpt(resolved)));
    QImage image;
    try {
        switch (kind) {
        case PictureKind::Jpeg: image = decodeJpeg(data); break;
        case PictureKind::Bmp: image = decodeBmp(data); break;
        case PictureKind::Ico: image = decodeIco(data); break;
        case PictureKind::Wmf: image = decodeWmf(data); break;
        case PictureKind::Emf: image = decodeEmf(data); break;
        case PictureKind::Unknown: break;
        }
    } catch (const PictureTooLarge &e) {
        /* Not broken: too large for any picture, or for what is left to it, and said so. */
        throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1").arg(excerpt(resolved)), e.forTimeLeft());
    } catch (const ui::SimError &) {
        image = QImage();
    }
    /* The checks before decoding hold each kind to this; it holds for every kind as decoded. */
    if (image.isNull() || image.sizeInBytes() > kMaxPictureBytes)
        throw ui::SimError(QStringLiteral("Obrázek je poškozený: %1").arg(excerpt(resolved)));
    return image;
}

} // namespace platform
