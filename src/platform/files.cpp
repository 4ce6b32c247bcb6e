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

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
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

/**
 * The folders resolving paths has listed, kept by their names in any case
 * for as long as they stay as they were listed: each folder is read from
 * the disk once however many paths pass through it, in one resolution (a
 * link back to it) or in many. A folder is listed anew once its
 * modification time changes, which adding, removing or renaming an entry
 * does. A listing made within kCoarsestClock of the folder's last change
 * may miss a change made in the same step of the file system's clock, so
 * it serves only the resolution that made it, until one made later is
 * kept. The entries kept are bounded: past kMaxListedEntries all are let
 * go and folders are listed again as paths need them.
 *
 * A listing costs its time as it goes (chargeWalk): one that the time of
 * the reading it serves runs out in is kept as far as it got, with the
 * folder open, and the next resolution that needs that folder goes on from
 * there while the folder stays unchanged, so a folder of any size is
 * listed over as many ticks as it takes, once.
 */
class FolderListings {
public:
    /**
     * @return the entry of the folder a walk has reached named like name in
     *         any case, the first by name if several are; an empty one
     *         when none is.
     * @param resolution the resolution asking, so that what it listed itself serves it again.
     * @throws PathWorkSpent when the time runs out while the folder is listed.
     */
    FolderEntry find(const PathWalk &walk, QStringView name, quint64 resolution)
    {
        const std::optional<FolderState> folder = walk.state();
        if (!folder)
            return {};
        auto listed = m_folders.find(folder->id);
        const bool current = listed != m_folders.end() && listed->modifiedNs == folder->modifiedNs
                             && (listed->settled || listed->resolution == resolution);
        if (!current) {
            if (listed != m_folders.end()) {
                m_entries -= listed->entries.size();
                m_folders.erase(listed);
            }
            Listing fresh = listing(walk, *folder, resolution);
            if (m_entries + fresh.entries.size() > kMaxListedEntries) {
                m_folders.clear();
                m_entries = 0;
            }
            m_entries += fresh.entries.size();
            listed = m_folders.insert(folder->id, std::move(fresh));
        }
        return listed->entries.value(foldedName(name));
    }

private:
    /** The steps of the coarsest clock a file system keeps modification times by: FAT's two seconds. */
    static constexpr qint64 kCoarsestClock = 2000000000;
    /** The most entries kept over all folders: some hundred megabytes at worst. */
    static constexpr qsizetype kMaxListedEntries = 1000000;

    /** One folder's listing. */
    struct Listing {
        qint64 modifiedNs = 0;  ///< The folder's modification time when it was listed.
        bool settled = false;   ///< Listed a clock step after that time: no change can hide in it.
        quint64 resolution = 0; ///< The resolution that listed it.
        QHash<QString, FolderEntry> entries; ///< By folded name, the first by name of each.
    };

    /** A listing its time ran out in: the folder, open where it stopped, and what it had listed. */
    struct Unfinished {
        std::pair<quint64, quint64> id;       ///< The folder.
        std::unique_ptr<DIR, int (*)(DIR *)> stream{nullptr, ::closedir}; ///< Open where the listing stopped.
        Listing listing;                      ///< What was listed up to there.
    };

    /** @return the time of day in nanoseconds, as modification times are kept. */
    static qint64 realTimeNs()
    {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return nanoseconds(now);
    }

    /**
     * @return the listing of the folder a walk has reached: its entries by
     *         their folded names, the first by name of each; an unfinished
     *         one of it, unchanged since, is gone on with.
     * @throws PathWorkSpent when the time runs out first; what was listed is kept.
     */
    Listing listing(const PathWalk &walk, const FolderState &folder, quint64 resolution)
    {
        if (!m_unfinished || m_unfinished->id != folder.id || m_unfinished->listing.modifiedNs != folder.modifiedNs) {
            m_unfinished.reset();
            auto begun = std::make_unique<Unfinished>();
            begun->id = folder.id;
            begun->listing.modifiedNs = folder.modifiedNs;
            begun->listing.settled = realTimeNs() - folder.modifiedNs >= kCoarsestClock;
            begun->stream.reset(walk.list());
            if (begun->stream)
                ++g_foldersListed;
            m_unfinished = std::move(begun);
        }
        QHash<QString, FolderEntry> &entries = m_unfinished->listing.entries;
        while (DIR *stream = m_unfinished->stream.get()) {
            const dirent *entry = ::readdir(stream);
            if (!entry)
                break;
            chargeWalk();
            const QByteArray bytes(entry->d_name);
            if (bytes == "." || bytes == "..")
                continue;
            const QString name = decodeFileName(bytes);
            FolderEntry &found = entries[foldedName(name)];
            if (found.name.isEmpty() || nameLess(name, found.name))
                found = {name, bytes};
        }
        Listing done = std::move(m_unfinished->listing);
        done.resolution = resolution;
        m_unfinished.reset();
        return done;
    }

    QHash<std::pair<quint64, quint64>, Listing> m_folders; ///< Folders by file system and number.
    qsizetype m_entries = 0;                               ///< Entries kept over all folders.
    std::unique_ptr<Unfinished> m_unfinished;              ///< The listing whose time ran out, if any.
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
    /* Read straight into one buffer of the size it has, one byte more to see that it ends there: no copy of it is
       made on the way, and a file that grows while it is read is read up to its limit only. */
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
    /* Mostly every name exists as it is written: one look at the whole path finds it. */
    if (normalised.isEmpty() || existsAsWritten(normalised))
        return normalised;
    PathWalk walk(normalised.startsWith(QLatin1Char('/')));
    const quint64 resolution = ++t_resolutions;
    QString resolved = normalised.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    qsizetype from = resolved.size();
    for (;;) {
        checkPathWork();
        const qsizetype slash = normalised.indexOf(QLatin1Char('/'), from);
        const QStringView part = QStringView(normalised).sliced(from, (slash < 0 ? normalised.size() : slash) - from);
        Spelling name = part == QLatin1String("..") ? Spelling{part.toUtf8(), true} : spellingIn(walk, part);
        if (name.exists) {
            resolved += part;
        } else {
            const FolderEntry match = t_listings.find(walk, part, resolution);
            if (match.name.isEmpty())
                return resolved + normalised.sliced(from);
            resolved += match.name;
            name.bytes = match.bytes;
        }
        if (slash < 0)
            return resolved;
        walk.enter(name.bytes);
        resolved += QLatin1Char('/');
        from = slash + 1;
    }
}

quint64 foldersListed()
{
    return g_foldersListed;
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

QImage loadResolvedPicture(const QString &resolved)
{
    return PictureReader::instance().read(resolved);
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
