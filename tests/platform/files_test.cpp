/** @file files_test.cpp Tests of the Windows-1250 code page, text files, folder listing and pictures. */
#include "platform/cp1250.h"
#include "platform/czech_plural.h"
#include "platform/files.h"
#include "platform/jpeg_decoder.h"
#include "failure_text.h"
#include "ui/sim_error.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::decodeCp1250;
using platform::encodeCp1250;

using testing_support::failureOf;

namespace {

/** Writes bytes to a file, creating its folder. */
void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

TEST(Cp1250, CzechLettersRoundTripThroughTheirBytes)
{
    const QString letters = QStringLiteral("ěščřžýáíéúůťďňĚŠČŘŽÝÁÍÉÚŮŤĎŇ");
    const QByteArray bytes = encodeCp1250(letters);
    EXPECT_EQ(bytes, QByteArray("\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xFA\xF9\x9D\xEF\xF2"
                                "\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\xDA\xD9\x8D\xCF\xD2"));
    EXPECT_EQ(decodeCp1250(bytes), letters);
}

TEST(Cp1250, KnownBytesDecode)
{
    EXPECT_EQ(decodeCp1250("Stav\xEC" "dlo 1"), QStringLiteral("Stavědlo 1"));
    EXPECT_EQ(decodeCp1250("\x80\x84\x93\x96\xA0\xB0\xDF\xFF"),
              QStringLiteral("€„“–\u00A0°ß˙"));
    EXPECT_EQ(decodeCp1250(QByteArray("a\0b", 3)), QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
}

TEST(Cp1250, UndefinedBytesDecodeToReplacementCharacter)
{
    for (const char b : {'\x81', '\x83', '\x88', '\x90', '\x98'})
        EXPECT_EQ(decodeCp1250(QByteArray(1, b)), QString(QChar(0xFFFD)))
            << int(static_cast<unsigned char>(b));
}

TEST(Cp1250, EveryDefinedByteRoundTrips)
{
    int defined = 0;
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        const QString text = decodeCp1250(byte);
        ASSERT_EQ(text.size(), 1);
        if (text.at(0) == QChar(0xFFFD))
            continue;
        ++defined;
        EXPECT_EQ(encodeCp1250(text), byte) << b;
    }
    EXPECT_EQ(defined, 251);
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(encodeCp1250(QStringLiteral("Kč я ü")), QByteArray("K\xE8 ? \xFC"));
    /* One character outside the basic plane is one question mark, not two. */
    EXPECT_EQ(encodeCp1250(QStringLiteral("a\U0001F682b")), QByteArray("a?b"));
    EXPECT_EQ(encodeCp1250(QString(QChar(0xFFFD))), QByteArray("?"));
    EXPECT_EQ(encodeCp1250(QString()), QByteArray());
}

TEST(TextLines, SplitAtEveryKindOfLineEnd)
{
    const QList<std::pair<QString, QStringList>> rows = {
        {"", {}},
        {"jedna", {"jedna"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a\n\n", {"a", ""}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\nx", {"", "x"}},
    };
    for (const auto &[text, lines] : rows)
        EXPECT_EQ(platform::splitTextLines(text), lines) << text.toStdString();
}

TEST(TextLines, ReadWindows1250FileThroughAnyCaseAndBackslashes)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("Gvd/vlaky.t6g"),
              encodeCp1250(QStringLiteral("Jízdní řád\r\nnum-code\r\nStůj\r\n")));
    const QStringList lines = platform::readTextLines1250(dir.path() + "\\GVD\\Vlaky.T6G");
    EXPECT_EQ(lines,
              QStringList({QStringLiteral("Jízdní řád"), "num-code", QStringLiteral("Stůj")}));
}

TEST(TextLines, MissingOrUnreadableFileIsAnError)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("chybi.t6g");
    EXPECT_EQ(failureOf([&] { platform::readTextLines1250(missing); }),
              QStringLiteral("Soubor nebyl nalezen: ") + missing);
    EXPECT_TRUE(failureOf([&] { platform::readTextLines1250(dir.path()); })
                    .startsWith(QStringLiteral("Soubor nelze přečíst: ")));
}

TEST(ListFiles, MatchesPatternIgnoringCaseAndSortsByName)
{
    QTemporaryDir dir;
    for (const char *name : {"b.T6G", "a.t6g", "C.t6g", "poznamky.txt", "x.t6g.bak"})
        writeFile(dir.filePath(name), "x");
    QDir(dir.path()).mkdir("slozka.t6g");
    EXPECT_EQ(platform::listFiles(dir.path(), "*.t6g"), QStringList({"a.t6g", "b.T6G", "C.t6g"}));
    EXPECT_EQ(platform::listFiles(dir.path(), "*.TXT"), QStringList({"poznamky.txt"}));
    EXPECT_TRUE(platform::listFiles(dir.filePath("neni"), "*.t6g").isEmpty());
}

TEST(ResolvePath, FindsEntriesWrittenInAnotherCase)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("vozidla/lok.bmp"), "x");
    const QString exact = dir.filePath("vozidla/lok.bmp");
    EXPECT_EQ(platform::resolvePath(dir.path() + "\\Vozidla\\LOK.BMP"), exact);
    EXPECT_EQ(platform::resolvePath(exact), exact);
    /* Components after the first that matches nothing stay as written. */
    EXPECT_EQ(platform::resolvePath(dir.path() + "\\VOZIDLA\\Chybi\\X.bmp"),
              dir.filePath("vozidla/Chybi/X.bmp"));
    EXPECT_EQ(platform::resolvePath("/neexistuje-kamenna\\A\\b.bmp"),
              "/neexistuje-kamenna/A/b.bmp");
}

TEST(ResolvePath, PrefersTheExactEntryAndOtherwiseTheFirstByName)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("Snd/a.wav"), "x");
    writeFile(dir.filePath("snd/b.wav"), "x");
    EXPECT_EQ(platform::resolvePath(dir.path() + "/snd/b.wav"), dir.filePath("snd/b.wav"));
    EXPECT_EQ(platform::resolvePath(dir.path() + "/SND/a.wav"), dir.filePath("Snd/a.wav"));
}

TEST(LoadPicture, ReadByTheKindItsExtensionNames)
{
    QTemporaryDir dir;
    QImage red(6, 4, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(red.save(dir.filePath("bitmapa.BMP"), "BMP"));
    writeFile(dir.filePath("fotka.jpeg"), platform::encodeJpeg(red, 95));
    ASSERT_TRUE(red.save(dir.filePath("ikona.ico"), "ICO"));
    for (const char *name : {"bitmapa.BMP", "fotka.jpeg", "ikona.ico"}) {
        const QImage image = platform::loadPicture(dir.filePath(name));
        EXPECT_EQ(image.size(), QSize(6, 4)) << name;
        EXPECT_GT(qRed(image.pixel(2, 2)), 200) << name;
        EXPECT_LT(qBlue(image.pixel(2, 2)), 50) << name;
    }

    /* Content of another kind than the extension names is not read. */
    writeFile(dir.filePath("fotka.bmp"), platform::encodeJpeg(red, 95));
    ASSERT_TRUE(red.save(dir.filePath("bitmapa.jpg"), "BMP"));
    ASSERT_TRUE(red.save(dir.filePath("bitmapa.ico"), "BMP"));
    writeFile(dir.filePath("fotka.wmf"), platform::encodeJpeg(red, 95));
    writeFile(dir.filePath("fotka.emf"), platform::encodeJpeg(red, 95));
    for (const char *name : {"fotka.bmp", "bitmapa.jpg", "bitmapa.ico", "fotka.wmf", "fotka.emf"}) {
        EXPECT_TRUE(failureOf([&] { platform::loadPicture(dir.filePath(name)); })
                        .startsWith(QStringLiteral("Obrázek nelze přečíst, není to ")))
            << name;
    }
}

TEST(LoadPicture, MissingUnknownAndBrokenFilesAreErrors)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("chybi.jpg");
    EXPECT_EQ(failureOf([&] { platform::loadPicture(missing); }),
              QStringLiteral("Soubor nebyl nalezen: ") + missing);

    writeFile(dir.filePath("obrazek.gif"), "GIF89a neni obrazek");
    EXPECT_EQ(failureOf([&] { platform::loadPicture(dir.filePath("obrazek.gif")); }),
              QStringLiteral("Neznámý formát obrázku: ") + dir.filePath("obrazek.gif"));

    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QByteArray jpeg = platform::encodeJpeg(image, 80);
    writeFile(dir.filePath("pulka.jpg"), jpeg.left(jpeg.size() / 2));
    writeFile(dir.filePath("pulka.bmp"), QByteArray("BM") + QByteArray(10, '\0'));
    for (const char *name : {"pulka.jpg", "pulka.bmp"}) {
        EXPECT_EQ(failureOf([&] { platform::loadPicture(dir.filePath(name)); }),
                  QStringLiteral("Obrázek je poškozený: ") + dir.filePath(name));
    }
}

TEST(CzechCount, EveryCountTakesItsOwnForm)
{
    const std::pair<int, const char *> cases[] = {
        {0, "0 řádků"}, {1, "1 řádek"}, {2, "2 řádky"}, {3, "3 řádky"}, {4, "4 řádky"},
        {5, "5 řádků"}, {11, "11 řádků"}, {21, "21 řádků"}, {22, "22 řádků"}, {29, "29 řádků"},
    };
    for (const auto &[count, text] : cases) {
        EXPECT_EQ(platform::czechCount(count, QStringLiteral("řádek"), QStringLiteral("řádky"), QStringLiteral("řádků")),
                  QString::fromUtf8(text))
            << count;
    }
}

TEST(FileNames, NamesInWindowsBytesAreListedReadAndFoundInAnyCase)
{
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path());
    /* "Příjezdy" as Windows-1250 bytes, holding "Žlutý.txt" the same way and "čistý.txt" in UTF-8. */
    const QByteArray folder = root + "/P\xF8\xEDjezdy";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    for (const QByteArray &name : {QByteArray("/\x8Elut\xFD.txt"), QByteArray("/čistý.txt")}) {
        const int fd = ::open((folder + name).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "\xE8\x61j\r\n", 5), 5); // "čaj"
        ::close(fd);
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(".skryta"));
    EXPECT_EQ(platform::listFolders(dir.path()), QStringList{QStringLiteral("Příjezdy")}) << "hidden ones left out";
    const QString shown = dir.path() + QStringLiteral("/Příjezdy");
    EXPECT_EQ(platform::listFiles(shown, "*.TXT"), (QStringList{QStringLiteral("čistý.txt"), QStringLiteral("Žlutý.txt")}));
    EXPECT_EQ(platform::nativePath(shown + QStringLiteral("/Žlutý.txt")), folder + "/\x8Elut\xFD.txt");
    EXPECT_EQ(platform::readTextLines1250(dir.path() + QStringLiteral("/PŘÍJEZDY\\žlutý.TXT")), QStringList{"čaj"});
    EXPECT_EQ(platform::readTextLines1250(shown + QStringLiteral("/čistý.txt")), QStringList{"čaj"});
    std::filesystem::remove_all(std::filesystem::path(folder.toStdString()));
}
