/** @file safe_files_test.cpp Broken and hostile files: FIFOs, devices, huge, cut and unreadable files and folders. */
#include "platform/audio.h"
#include "platform/excerpt.h"
#include "platform/files.h"
#include "platform/picture_read.h"
#include "platform/unprivileged.h"
#include "platform/wave_bytes.h"
#include "failure_text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

using testing_support::failureOf;

namespace {

/** Writes bytes to a file. */
void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

/** @return a picture file's bytes as Qt writes them. */
QByteArray pictureBytes(const char *format, QImage::Format pixels = QImage::Format_RGB32)
{
    QImage image(20, 12, pixels);
    image.fill(QColor(200, 40, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

/**
 * @return a run-length coded BMP of 8 bits a pixel and 256 colours or of 4
 *         bits and 16, of its stream's rows from the bottom up; a negative
 *         height makes it top-down.
 */
QByteArray rleBmp(int width, int height, int bits, const QByteArray &stream)
{
    const int colours = 1 << bits;
    QByteArray table;
    for (int i = 0; i < colours; ++i)
        table += leBytes(uint32_t(i * 0x00030507 + 0x00402010) & 0xFFFFFF, 4);
    const QByteArray dib = leBytes(40, 4) + leBytes(uint32_t(width), 4) + leBytes(uint32_t(height), 4) + leBytes(1, 2)
                           + leBytes(uint32_t(bits), 2) + leBytes(bits == 8 ? 1 : 2, 4)
                           + leBytes(uint32_t(stream.size()), 4) + leBytes(0, 8) + leBytes(uint32_t(colours), 4)
                           + leBytes(0, 4) + table;
    return "BM" + leBytes(uint32_t(14 + dib.size() + stream.size()), 4) + leBytes(0, 4)
           + leBytes(uint32_t(14 + dib.size()), 4) + dib + stream;
}

/**
 * @return the stream of a picture of colour indices index(x, y) (y from
 *         the top) as ImageMagick codes it: each row with its padding (to
 *         four bytes, index 0) in runs of one index, then an end of line,
 *         and the end mark after the last. A row whose width is no multiple
 *         of the padding ends in a run past its end.
 */
template <typename Index>
QByteArray paddedRuns(int width, int height, int bits, Index index)
{
    const int padded = (width * bits + 31) / 32 * 32 / bits;
    QByteArray stream;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < padded;) {
            const int colour = x < width ? index(x, y) : 0;
            int run = 1;
            while (run < 255 && x + run < padded && (x + run < width ? index(x + run, y) : 0) == colour)
                ++run;
            stream += char(run);
            stream += char(bits == 8 ? colour : colour << 4 | colour);
            x += run;
        }
        stream += QByteArray(2, '\0');
    }
    return stream + QByteArray("\x00\x01", 2);
}

} // namespace

TEST(SafeFiles, AFifoOrADeviceIsRefusedAtOnceAsUnreadable)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("Vozidla.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    /* Nobody ever writes into the FIFO: opening it for reading would wait for ever. */
    EXPECT_EQ(platform::readRegularFile(fifo).problem, platform::FileProblem::Unreadable);
    EXPECT_EQ(failureOf([&] { platform::readTextLines1250(fifo); }), "Soubor nelze přečíst: " + fifo);
    const QString fifoPicture = dir.filePath("lok.bmp");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifoPicture).constData(), 0644), 0);
    EXPECT_EQ(failureOf([&] { platform::loadPicture(fifoPicture); }), "Soubor nelze přečíst: " + fifoPicture);
    const QString fifoSound = dir.filePath("Telefon.wav");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifoSound).constData(), 0644), 0);
    EXPECT_EQ(platform::checkWaveFile(fifoSound), "Zvukový soubor nelze otevřít: " + fifoSound);

    /* A device that never ends, and a folder. */
    EXPECT_EQ(platform::readRegularFile("/dev/zero").problem, platform::FileProblem::Unreadable);
    EXPECT_EQ(platform::readRegularFile(dir.path()).problem, platform::FileProblem::Unreadable);
}

TEST(SafeFiles, AFileAboveTheLimitIsRefusedWithoutReadingIt)
{
    QTemporaryDir dir;
    const QString huge = dir.filePath("obrovsky.t6g");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(platform::kMaxFileSize + 1)); // sparse: no disk is spent
    }
    EXPECT_EQ(platform::readRegularFile(huge).problem, platform::FileProblem::TooLarge);
    EXPECT_EQ(failureOf([&] { platform::readTextLines1250(huge); }), "Soubor je příliš velký: " + huge);
    const QString limit = dir.filePath("presne.t6g");
    {
        QFile f(limit);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(1000));
    }
    EXPECT_EQ(platform::readRegularFile(limit).bytes.size(), 1000);
}

TEST(SafeFiles, TextOfMoreLinesThanTheLimitIsRefused)
{
    QTemporaryDir dir;
    /* CR LF, CR and LF each end a line; the last line needs no line end. */
    const QString atLimit = dir.filePath("presne.txt");
    writeFile(atLimit, "a\r\nb\rc\n" + QByteArray(platform::kMaxTextLines - 4, '\n') + "posledni");
    const QStringList lines = platform::readTextLines1250(atLimit);
    EXPECT_EQ(lines.size(), platform::kMaxTextLines);
    EXPECT_EQ(lines.last(), "posledni");
    const QString over = dir.filePath("vice.txt");
    writeFile(over, QByteArray(platform::kMaxTextLines, '\n') + "x");
    EXPECT_EQ(failureOf([&] { platform::readTextLines1250(over); }),
              "Soubor má víc než 1\u00a0000\u00a0000 řádků: " + over);
}

TEST(SafeFiles, APathLongerThanAnyIsRefusedAtOnceAndOneWithinTheLimitIsFound)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("čisté"));
    writeFile(dir.filePath(QStringLiteral("čisté/vůz.txt")), "\xE8\x61j\r\n"); // "čaj"
    /* Almost the longest path the file system opens: the folder entered and left 250 times, 600 names
     * "." and the file, written in another case. */
    const QString longest = dir.path() + QString(QStringLiteral("/čisté/..")).repeated(250)
                            + QString(QStringLiteral("/.")).repeated(600) + QStringLiteral("\\ČISTÉ\\VŮZ.txt");
    ASSERT_LT(longest.toUtf8().size(), 4096);
    ASSERT_GT(longest.toUtf8().size(), 3900);
    EXPECT_EQ(platform::readTextLines1250(longest), QStringList{"čaj"});
    EXPECT_TRUE(platform::resolvePath(longest).endsWith(QStringLiteral("/čisté/vůz.txt")));

    /* A million separators: no name of it is looked up; it is refused as unreadable. */
    const QString over = dir.path() + QString(1000000, QLatin1Char('\\')) + QStringLiteral("vůz.txt");
    const QString written = QString(over).replace(QLatin1Char('\\'), QLatin1Char('/'));
    EXPECT_EQ(platform::resolvePath(over), written);
    EXPECT_EQ(failureOf([&] { platform::readTextLines1250(over); }), "Soubor nelze přečíst: " + platform::excerpt(written));
    const QString picture = QString(over).replace(QStringLiteral(".txt"), QStringLiteral(".bmp"));
    EXPECT_TRUE(failureOf([&] { platform::loadPicture(picture); }).startsWith("Soubor nelze přečíst: " + dir.path()));
    EXPECT_EQ(platform::fileStamp(written), platform::FileStamp{});
}

TEST(SafeFiles, DotNamesAreResolvedByTheirTextAndEachFolderIsListedOnceAPath)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Obr/d"));
    writeFile(dir.filePath(QStringLiteral("Obr/vůz.txt")), "\xE8\x61j\r\n"); // "čaj"
    ASSERT_TRUE(QFile::link(QStringLiteral("."), dir.filePath(QStringLiteral("Obr/lnk"))));

    /* "Obr" written in other letters and left again 360 times, then a missing name: one listing a look. */
    const QString missing = dir.path() + QString(QStringLiteral("/obr/..")).repeated(360) + QStringLiteral("/chybí.bmp");
    quint64 listed = platform::foldersListed();
    EXPECT_EQ(platform::resolvePath(missing), dir.path() + QStringLiteral("/chybí.bmp"));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(missing); }), "Soubor nebyl nalezen: " + dir.path() + "/chybí.bmp");
    EXPECT_EQ(platform::foldersListed() - listed, 2u);

    /* Into "d" by another letter and out again 800 times: "Obr" is listed once, for the file's own name. */
    const QString through = dir.path() + QStringLiteral("/Obr") + QString(QStringLiteral("/D/..")).repeated(800)
                            + QStringLiteral("/VŮZ.txt");
    ASSERT_LT(through.size(), platform::kMaxPathLength);
    listed = platform::foldersListed();
    EXPECT_EQ(platform::readTextLines1250(through), QStringList{"čaj"});
    EXPECT_EQ(platform::foldersListed() - listed, 1u);

    /* A link back to its own folder, taken 900 times by another letter case: the folder is listed once. */
    const QString loop = dir.path() + QStringLiteral("/Obr") + QString(QStringLiteral("/LNK")).repeated(900)
                         + QStringLiteral("/VŮZ.txt");
    listed = platform::foldersListed();
    EXPECT_EQ(platform::resolvePath(loop),
              dir.path() + QStringLiteral("/Obr") + QString(QStringLiteral("/lnk")).repeated(900) + QStringLiteral("/vůz.txt"));
    EXPECT_EQ(platform::foldersListed() - listed, 1u);

    /* ".." takes back the name before it as Windows does, also one that does not exist. */
    EXPECT_EQ(platform::resolvePath(dir.path() + QStringLiteral("/chybí/../OBR/./\\vůz.txt")),
              dir.filePath(QStringLiteral("Obr/vůz.txt")));
}

TEST(SafeFiles, AFolderOfManyNamesIsListedOnceOverAsManyReadingsAsItsTimeTakes)
{
    /* 3,000 names: listing them takes several milliseconds, a reading here half of one. */
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Vozidla")));
    for (int i = 0; i < 3000; ++i) {
        const QByteArray name = QStringLiteral("%1/Vozidla/voz_%2.bmp").arg(dir.path()).arg(i, 5, 10, QChar('0')).toUtf8();
        const int file = ::open(name.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(file, 0);
        ::close(file);
    }
    const quint64 listed = platform::foldersListed();
    int readings = 0;
    QString found;
    while (found.isEmpty() && readings < 100000) {
        ++readings;
        const platform::PictureRead reading(std::chrono::microseconds(500));
        try {
            found = platform::resolvePath(dir.path() + QStringLiteral("/Vozidla/VOZ_02345.BMP"));
        } catch (const platform::PathWorkSpent &) {
        }
    }
    EXPECT_EQ(found, dir.path() + QStringLiteral("/Vozidla/voz_02345.bmp"));
    EXPECT_GT(readings, 1) << "the listing goes on over the readings";
    EXPECT_EQ(platform::foldersListed() - listed, 1u) << "from where it stopped";
}

TEST(SafeFiles, CutBitmapsAndIconsAreRefusedNeverShownHalf)
{
    QTemporaryDir dir;
    for (const char *format : {"BMP", "ICO"}) {
        const QByteArray whole = pictureBytes(format);
        const QString name = dir.filePath(QStringLiteral("cely.") + QString(format).toLower());
        writeFile(name, whole);
        EXPECT_EQ(platform::loadPicture(name).size(), QSize(20, 12)) << format;
        /* Cut anywhere after the signature, even by one byte. */
        for (qsizetype keep : {whole.size() - 1, whole.size() - 40, whole.size() / 2, qsizetype(30), qsizetype(8)}) {
            const QString cut = dir.filePath(QStringLiteral("useknuty.") + QString(format).toLower());
            writeFile(cut, whole.left(keep));
            EXPECT_EQ(failureOf([&] { platform::loadPicture(cut); }), "Obrázek je poškozený: " + cut)
                << format << " " << keep;
        }
    }
}

TEST(SafeFiles, RunLengthCodedBitmapsMustReachTheirEnd)
{
    /* A 4 x 2 bitmap of 8 bits per pixel, two colours, run-length coded. */
    QByteArray dib = leBytes(40, 4) + leBytes(4, 4) + leBytes(2, 4) + leBytes(1, 2) + leBytes(8, 2) + leBytes(1, 4);
    const QByteArray stream("\x04\x01\x00\x00\x04\x00\x00\x01", 8); // 4 x colour 1, end of line, 4 x colour 0, end
    dib += leBytes(uint32_t(stream.size()), 4) + leBytes(0, 8) + leBytes(2, 4) + leBytes(0, 4);
    dib += leBytes(0x000000FF, 4) + leBytes(0x0000FF00, 4);
    const QByteArray head = "BM" + leBytes(uint32_t(14 + dib.size() + stream.size()), 4) + leBytes(0, 4)
                            + leBytes(uint32_t(14 + dib.size()), 4);
    QTemporaryDir dir;
    const QString whole = dir.filePath("rle.bmp");
    writeFile(whole, head + dib + stream);
    EXPECT_EQ(platform::loadPicture(whole).size(), QSize(4, 2));
    const QString cut = dir.filePath("rle_useknuty.bmp");
    writeFile(cut, head + dib + stream.left(6));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(cut); }), "Obrázek je poškozený: " + cut);
    /* A run past the row's end is cut there, as Qt's reader cuts it; one below the last row is a lie. */
    QByteArray wide = stream;
    wide[0] = 9;
    const QString cutRun = dir.filePath("rle_dlouhy.bmp");
    writeFile(cutRun, head + dib + wide);
    EXPECT_EQ(platform::loadPicture(cutRun).convertToFormat(QImage::Format_RGB32),
              QImage::fromData(head + dib + wide, "BMP").convertToFormat(QImage::Format_RGB32));
    writeFile(cut, head + dib + QByteArray("\x04\x01\x00\x00\x00\x00\x01\x01", 8));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(cut); }), "Obrázek je poškozený: " + cut);
}

TEST(SafeFiles, RunLengthCodedRowsThatRunPastTheirEndReadAsQtsReaderReadsThem)
{
    struct Case {
        QString name;
        QByteArray file;
    };
    std::vector<Case> cases;
    /* ImageMagick's rows, whose padding is coded too, at widths that leave one to three pixels of it. */
    for (const int width : {331, 333, 334, 335}) {
        for (const int bits : {8, 4}) {
            const int colours = 1 << bits;
            auto plasma = [&](int x, int y) {
                return x >= width - 3 && y % 3 == 0 ? 0 : (x / (1 + y % 4) * 37 + y * 11 + x * x / 97) % colours;
            };
            cases.push_back({QStringLiteral("magick_%1_%2").arg(width).arg(bits),
                             rleBmp(width, 37, bits, paddedRuns(width, 37, bits, plasma))});
        }
    }
    /* A run past the end of the stream's first row is cut there; one past a later row runs on through its
       padding into the row below it. */
    const QByteArray spill("\x03\x01\x03\x01\x00\x00\x0C\x02\x00\x00\x09\x03\x00\x00\x00\x01", 16);
    cases.push_back({"spill", rleBmp(6, 3, 8, spill)});
    cases.push_back({"spill_top_down", rleBmp(6, -3, 8, spill)});
    cases.push_back({"spill_4", rleBmp(6, 3, 4, spill)});
    /* An absolute run past the first row's end keeps the bytes of the pixels it keeps; the rest are codes. */
    cases.push_back({"absolute", rleBmp(4, 2, 8, QByteArray("\x00\x08\x01\x02\x03\x01\x00\x00\x04\x05"
                                                            "\x00\x00\x00\x01", 14))});
    cases.push_back({"absolute_4", rleBmp(5, 2, 4, QByteArray("\x00\x09\x12\x34\x56\x78\x00\x00\x05\xAB"
                                                              "\x00\x00\x00\x01", 14))});
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QImage qts = QImage::fromData(c.file, "BMP");
        ASSERT_FALSE(qts.isNull()) << c.name.toStdString();
        const QString path = dir.filePath(c.name + ".bmp");
        writeFile(path, c.file);
        const QImage picture = platform::loadPicture(path);
        ASSERT_EQ(picture.size(), qts.size()) << c.name.toStdString();
        EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), qts.convertToFormat(QImage::Format_RGB32))
            << c.name.toStdString();
    }
}

TEST(SafeFiles, AWaveIsReadChunkByChunk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Zvuk.wav");
    auto check = [&](const QByteArray &bytes) {
        writeFile(path, bytes);
        return platform::checkWaveFile(path);
    };
    /* Whole files, also with other chunks before "fmt " and between it and "data". */
    EXPECT_EQ(check(goodWave()), "");
    EXPECT_EQ(check(waveOf({riffChunk("LIST", "INFOISFT\x05\0\0\0Gen\0\0"), pcmFormatChunk(),
                            riffChunk("fact", leBytes(8, 4)), riffChunk("data", QByteArray(16, '\0'))})),
              "");
    EXPECT_EQ(check(waveOf({riffChunk("junk", QByteArray(3, 'x')), pcmFormatChunk(),
                            riffChunk("data", QByteArray(16, '\0'))})),
              "");

    /* A 40-byte file: header, format, and the start of a data chunk header. */
    const QByteArray forty = goodWave().left(40);
    ASSERT_EQ(forty.size(), 40);
    EXPECT_EQ(check(forty), "Zvukový soubor je useknutý: " + path);
    /* The same bytes with a RIFF size that fits them: the data chunk is missing. */
    QByteArray fortyFitting = forty;
    fortyFitting.replace(4, 4, leBytes(32, 4));
    EXPECT_EQ(check(fortyFitting), "Zvukový soubor nemá data: " + path);
    /* A header followed by garbage. */
    EXPECT_FALSE(check("RIFF" + leBytes(36, 4) + "WAVE" + QByteArray("\x13\x37garbage!garbage!garbage!gar", 28))
                     .isEmpty());
    /* A data chunk cut short, a missing format, and a format whose numbers disagree. */
    QByteArray cutData = goodWave();
    cutData.chop(6);
    cutData.replace(4, 4, leBytes(uint32_t(cutData.size() - 8), 4));
    EXPECT_EQ(check(cutData), "Zvukový soubor je useknutý: " + path);
    EXPECT_EQ(check(waveOf({riffChunk("data", QByteArray(16, '\0'))})),
              "Zvukový soubor nemá formát před daty: " + path);
    QByteArray format = pcmFormatChunk();
    format.replace(8 + 12, 2, leBytes(4, 2)); // block align of stereo in a mono file
    EXPECT_EQ(check(waveOf({format, riffChunk("data", QByteArray(16, '\0'))})),
              "Zvukový soubor má chybný formát: " + path);
    EXPECT_EQ(check("RIFF\x04\0\0\0AVI "), "Soubor není zvuk WAV: " + path);
}

TEST(SafeFiles, UnreadableFoldersAndFilesAreReportedAsUnreadableNotMissing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadOther | QFile::ExeOther));
    QDir(dir.path()).mkpath("Zamceno");
    writeFile(dir.filePath("Zamceno/Telefon.wav"), goodWave());
    writeFile(dir.filePath("Zamceno/a.t6g"), "x");
    writeFile(dir.filePath("tajny.t6g"), "x");
    ASSERT_EQ(chmod(QFile::encodeName(dir.filePath("tajny.t6g")).constData(), 0), 0);
    ASSERT_EQ(chmod(QFile::encodeName(dir.filePath("Zamceno")).constData(), 0), 0);
    {
        Unprivileged nobody;
        if (!nobody.effective())
            GTEST_SKIP() << "root cannot step down to an ordinary user here";
        EXPECT_EQ(platform::readRegularFile(dir.filePath("tajny.t6g")).problem, platform::FileProblem::Unreadable);
        EXPECT_EQ(platform::readRegularFile(dir.filePath("Zamceno/a.t6g")).problem,
                  platform::FileProblem::Unreadable);
        EXPECT_EQ(platform::readRegularFile(dir.filePath("chybi.t6g")).problem, platform::FileProblem::Missing);
        EXPECT_EQ(platform::checkWaveFile(dir.filePath("Zamceno/Telefon.wav")),
                  "Zvukový soubor nelze otevřít: " + dir.filePath("Zamceno/Telefon.wav"));
        EXPECT_EQ(failureOf([&] { platform::listFiles(dir.filePath("Zamceno"), "*.t6g"); }),
                  "Složku nelze přečíst: " + dir.filePath("Zamceno"));
        EXPECT_TRUE(platform::listFiles(dir.filePath("Chybi"), "*.t6g").isEmpty());
    }
    ASSERT_EQ(chmod(QFile::encodeName(dir.filePath("Zamceno")).constData(), 0755), 0);
}
