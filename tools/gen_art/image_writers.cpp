/** @file image_writers.cpp Byte-stable writers of 24-bit BMP and baseline JPEG files. */
#include "image_writers.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace art {

namespace {

/** Appends v as a little-endian number of n bytes. */
void putLe(QByteArray &out, quint32 v, int n)
{
    for (int i = 0; i < n; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

/**
 * libjpeg's fatal error. The generator only ever compresses its own
 * well-formed pictures, so this means the machine is out of memory or
 * the library is broken: say so and stop rather than write a bad file.
 */
[[noreturn]] void failJpeg(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    std::fprintf(stderr, "gen_art: libjpeg failed: %s\n", text);
    std::exit(2);
}

} // namespace

QByteArray encodeBmp(const QImage &img)
{
    const QImage src = img.convertToFormat(QImage::Format_RGB32);
    const int w = src.width(), h = src.height();
    const quint32 stride = (static_cast<quint32>(w) * 3 + 3) & ~3u;
    const quint32 pixelBytes = stride * static_cast<quint32>(h);
    QByteArray out;
    out.reserve(static_cast<int>(54 + pixelBytes));
    out.append("BM");
    putLe(out, 54 + pixelBytes, 4);
    putLe(out, 0, 4);
    putLe(out, 54, 4);
    putLe(out, 40, 4);
    putLe(out, static_cast<quint32>(w), 4);
    putLe(out, static_cast<quint32>(h), 4);
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    putLe(out, 0, 4);
    putLe(out, pixelBytes, 4);
    putLe(out, 2835, 4); /* 72 dots per inch */
    putLe(out, 2835, 4);
    putLe(out, 0, 4);
    putLe(out, 0, 4);
    for (int y = h - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(static_cast<char>(qBlue(row[x])));
            out.append(static_cast<char>(qGreen(row[x])));
            out.append(static_cast<char>(qRed(row[x])));
        }
        for (quint32 pad = static_cast<quint32>(w) * 3; pad < stride; ++pad)
            out.append('\0');
    }
    return out;
}

QByteArray encodeJpeg(const QImage &img)
{
    const QImage src = img.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    error.error_exit = failJpeg;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(src.width());
    info.image_height = static_cast<JDIMENSION>(src.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kJpegQuality, TRUE);
    info.dct_method = JDCT_ISLOW;
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(src.width()) * 3);
    while (info.next_scanline < info.image_height) {
        const uchar *line = src.constScanLine(static_cast<int>(info.next_scanline));
        std::copy(line, line + row.size(), row.begin());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    const QByteArray out(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

QString writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
    if (f.write(data) != data.size())
        return QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
    return {};
}

} // namespace art
