/** @file files.cpp Listing folders and reading text and picture files of the data directory. */
#include "platform/files.h"

#include "platform/bitmap_check.h"
#include "platform/cp1250.h"
#include "platform/excerpt.h"
#include "platform/jpeg_decoder.h"
#include "platform/metafile.h"
#include "platform/picture_limits.h"
#include "ui/sim_error.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

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

/** @return the entries of a folder of the kind, their names decoded, in no order; empty when it cannot be listed. */
QStringList folderEntries(const QString &dir, EntryKind kind)
{
    const QByteArray native = nativePath(dir);
    QStringList names;
    DIR *folder = ::opendir(native.constData());
    if (!folder)
        return names;
    while (const dirent *entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (kind == EntryKind::Any || isKind(native + '/' + name, kind))
            names.append(decodeFileName(name));
    }
    ::closedir(folder);
    return names;
}

/** @return the entry of dir named like name in any case, or an empty text. */
QString findEntryIgnoringCase(const QString &dir, const QString &name)
{
    QStringList entries = folderEntries(dir, EntryKind::Any);
    std::sort(entries.begin(), entries.end(), nameLess);
    for (const QString &entry : entries) {
        if (QString::compare(entry, name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

/** @return whether an entry of these bytes exists (a dangling link does too). */
bool entryExists(const QByteArray &native)
{
    struct stat st {};
    return ::lstat(native.constData(), &st) == 0;
}

/** @return the problem an errno of stat or open stands for. */
FileProblem problemOf(int error)
{
    return error == ENOENT || error == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable;
}

/** @return the whole content of a file. @throws ui::SimError with the problem's own message. */
QByteArray readWholeFile(const QString &path)
{
    FileContent content = readRegularFile(path);
    switch (content.problem) {
    case FileProblem::None: break;
    case FileProblem::Missing: throw ui::SimError(QStringLiteral("Soubor nebyl nalezen: %1").arg(excerpt(path)));
    case FileProblem::Unreadable: throw ui::SimError(QStringLiteral("Soubor nelze přečíst: %1").arg(excerpt(path)));
    case FileProblem::TooLarge: throw ui::SimError(QStringLiteral("Soubor je příliš velký: %1").arg(excerpt(path)));
    }
    return std::move(content.bytes);
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
    const QString name = path.section(QLatin1Char('/'), -1);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1).toLower();
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
    if (::stat(nativePath(path).constData(), &st) != 0)
        return {};
    return {true, qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            quint64(st.st_dev), quint64(st.st_ino)};
}

FileProblem checkRegularFile(const QString &path)
{
    struct stat st {};
    if (::stat(nativePath(path).constData(), &st) != 0)
        return problemOf(errno);
    if (!S_ISREG(st.st_mode))
        return FileProblem::Unreadable;
    return st.st_size > kMaxFileSize ? FileProblem::TooLarge : FileProblem::None;
}

QByteArray nativePath(const QString &path)
{
    bool ascii = true;
    for (const QChar c : path)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return path.toLatin1();
    const QStringList parts = path.split(QLatin1Char('/'));
    QByteArray native;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        const QByteArray base = i == 0 ? QByteArray() : native + '/';
        const QByteArray utf8 = base + part.toUtf8();
        const QByteArray windows = encodeCp1250(part);
        /* A name that Windows-1250 cannot hold is never taken for one that it can. */
        const bool alsoWindows = decodeCp1250(windows) == part && windows != part.toUtf8();
        native = !entryExists(utf8) && alsoWindows && entryExists(base + windows) ? base + windows : utf8;
    }
    return native;
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

FileContent readRegularFile(const QString &path)
{
    const QByteArray native = nativePath(path);
    /* Looked at before it is opened: a FIFO or a device is never opened at all. */
    const FileProblem before = checkRegularFile(path);
    if (before != FileProblem::None)
        return {{}, before};
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
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            content = {{}, FileProblem::Unreadable};
            break;
        }
        if (n == 0)
            break;
        if (content.bytes.size() + n > kMaxFileSize) {
            content = {{}, FileProblem::TooLarge};
            break;
        }
        content.bytes.append(buffer, n);
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
    const QString normalised = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = normalised.split(QLatin1Char('/'));
    QString resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        const QString base = i == 0 ? QString() : resolved + QLatin1Char('/');
        const bool special = part.isEmpty() || part == QLatin1String(".")
                             || part == QLatin1String("..");
        if (special || entryExists(nativePath(base + part))) {
            resolved = base + part;
            continue;
        }
        const QString match = findEntryIgnoringCase(i == 0 ? QStringLiteral(".") : base, part);
        if (match.isEmpty())
            return base + parts.mid(i).join(QLatin1Char('/'));
        resolved = base + match;
    }
    return resolved;
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
    const QString resolved = resolvePath(path);
    const PictureKind kind = kindOfName(resolved);
    if (kind == PictureKind::Unknown)
        throw ui::SimError(QStringLiteral("Neznámý formát obrázku: %1").arg(excerpt(resolved)));
    const QByteArray data = readWholeFile(resolved);
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
    } catch (const ui::SimError &) {
        image = QImage();
    }
    /* The checks before decoding hold each kind to this; it holds for every kind as decoded. */
    if (image.isNull() || image.sizeInBytes() > kMaxPictureBytes)
        throw ui::SimError(QStringLiteral("Obrázek je poškozený: %1").arg(excerpt(resolved)));
    return image;
}

} // namespace platform
