/** @file files.cpp Listing folders and reading text and picture files of the data directory. */
#include "platform/files.h"

#include "platform/cp1250.h"
#include "platform/jpeg_decoder.h"
#include "ui/sim_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace platform {

namespace {

/** The kinds of picture file told apart by their first bytes. */
enum class PictureKind { Jpeg, Bmp, Ico, Unknown };

/** @return whether a sorts before b by name, case-insensitively, ties broken by exact case. */
bool nameLess(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

/** @return the entry of dir named like name in any case, or an empty text. */
QString findEntryIgnoringCase(const QString &dir, const QString &name)
{
    QStringList entries = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                              | QDir::NoDotAndDotDot);
    std::sort(entries.begin(), entries.end(), nameLess);
    for (const QString &entry : entries) {
        if (QString::compare(entry, name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

/** @return the whole content of a file. @throws ui::SimError when it cannot be read. */
QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ui::SimError(QStringLiteral("Soubor nelze přečíst: %1").arg(path));
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ui::SimError(QStringLiteral("Soubor nelze přečíst: %1").arg(path));
    return content;
}

/** @return the kind of picture the bytes start like. */
PictureKind pictureKind(const QByteArray &data)
{
    if (data.startsWith("\xFF\xD8\xFF"))
        return PictureKind::Jpeg;
    if (data.startsWith("BM"))
        return PictureKind::Bmp;
    if (data.startsWith(QByteArray("\x00\x00\x01\x00", 4)))
        return PictureKind::Ico;
    return PictureKind::Unknown;
}

/** @return the picture decoded by Qt's reader for format, or a null picture. */
QImage decodeWithQt(const QByteArray &data, const char *format)
{
    QImage image;
    image.loadFromData(data, format);
    return image;
}

} // namespace

QStringList listFiles(const QString &dir, const QString &pattern)
{
    const QRegularExpression matcher(
        QRegularExpression::wildcardToRegularExpression(pattern),
        QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    const QStringList entries = QDir(resolvePath(dir)).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : entries) {
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
        if (special || QFileInfo::exists(base + part)) {
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
    return splitTextLines(decodeCp1250(readWholeFile(resolvePath(path))));
}

QImage loadPicture(const QString &path)
{
    const QString resolved = resolvePath(path);
    const QByteArray data = readWholeFile(resolved);
    QImage image;
    switch (pictureKind(data)) {
    case PictureKind::Jpeg:
        try {
            image = decodeJpeg(data);
        } catch (const ui::SimError &) {
            throw ui::SimError(QStringLiteral("Obrázek je poškozený: %1").arg(resolved));
        }
        break;
    case PictureKind::Bmp:
        image = decodeWithQt(data, "BMP");
        break;
    case PictureKind::Ico:
        image = decodeWithQt(data, "ICO");
        break;
    case PictureKind::Unknown:
        throw ui::SimError(QStringLiteral("Neznámý formát obrázku: %1").arg(resolved));
    }
    if (image.isNull())
        throw ui::SimError(QStringLiteral("Obrázek je poškozený: %1").arg(resolved));
    return image;
}

} // namespace platform
