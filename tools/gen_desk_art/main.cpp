/** @file main.cpp gen_desk_art: draws the dispatcher's desk pictures into a folder, and checks them against the committed ones. */
#include "desk_catalogue.h"
#include "image_writers.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

/** Prints a line to standard error. */
void complain(const QString &text)
{
    std::fprintf(stderr, "gen_desk_art: %s\n", qPrintable(text));
}

/** @return what is wrong with a drawn picture, or an empty text. */
QString faultOf(const deskart::DeskPicture &pic, const QImage &img)
{
    if (img.size() != pic.size)
        return QStringLiteral("%1 drawn %2x%3, listed %4x%5")
            .arg(pic.file)
            .arg(img.width())
            .arg(img.height())
            .arg(pic.size.width())
            .arg(pic.size.height());
    if (pic.transparent && img.pixel(0, img.height() - 1) != qRgb(255, 0, 255))
        return pic.file + QStringLiteral(" has no key colour in its bottom-left pixel");
    return {};
}

/** @return the bytes of a file, or an empty array when it cannot be read. */
QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        complain(QStringLiteral("usage: gen_desk_art <output folder> [<committed folder to compare with>]"));
        return 1;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        complain(QStringLiteral("cannot create %1").arg(dir.path()));
        return 1;
    }
    int faults = 0;
    const std::vector<deskart::DeskPicture> pictures = deskart::catalogue();
    QStringList written;
    for (const deskart::DeskPicture &pic : pictures) {
        const QImage img = pic.paint();
        QString fault = faultOf(pic, img);
        const QByteArray data = pic.file.endsWith(".jpg") ? art::encodeJpeg(img) : art::encodeBmp(img);
        if (fault.isEmpty())
            fault = art::writeFile(dir.filePath(pic.file), data);
        if (fault.isEmpty() && argc == 3 && contentOf(QDir(QString::fromLocal8Bit(argv[2])).filePath(pic.file)) != data)
            fault = pic.file + QStringLiteral(" differs from the committed copy");
        if (!fault.isEmpty()) {
            complain(fault);
            ++faults;
        }
        written << pic.file;
    }
    if (argc == 3) {
        const QStringList committed = QDir(QString::fromLocal8Bit(argv[2])).entryList({"*.jpg", "*.bmp"}, QDir::Files);
        for (const QString &file : committed) {
            if (!written.contains(file)) {
                complain(file + QStringLiteral(" is committed but no longer drawn"));
                ++faults;
            }
        }
    }
    if (faults)
        return 1;
    std::printf("gen_desk_art: wrote %zu pictures to %s\n", pictures.size(), qPrintable(dir.path()));
    return 0;
}
