/** @file bitmap_check.cpp Checks that a BMP, ICO or device-independent bitmap holds all the pixels its header promises, and decodes BMPs. */
#include "platform/bitmap_check.h"

#include "platform/picture_limits.h"
#include "platform/picture_read.h"

#include <QImageReader>
#include <QScopeGuard>

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <span>

namespace platform {

namespace {

constexpr uint32_t kRgb = 0;       ///< Uncompressed rows.
constexpr uint32_t kRle8 = 1;      ///< Run-length coded, 8 bits per pixel.
constexpr uint32_t kRle4 = 2;      ///< Run-length coded, 4 bits per pixel.
constexpr uint32_t kBitfields = 3; ///< Uncompressed rows with colour masks.
constexpr uint32_t kAlphaBitfields = 6; ///< Uncompressed rows with four colour masks.

/**
 * Codes of a run-length coded stream walked between two asks of overdue(),
 * which looks at the clock once 64 plain asks have been made: a look comes
 * at least every 4,096 codes, within a millisecond of walking them even
 * when each writes a run of 255 pixels (some 190 ns a code).
 */
constexpr int64_t kCodesBetweenLooks = 64;

/**
 * Compressed bytes fed to zlib, and pixel bytes it may write, in one call
 * while a PNG's pixels are inflated: the clock is looked at between calls,
 * and a call costs well under a millisecond however its bytes are coded
 * (some 2 ns a byte written, or a few hundred tiny blocks, each with code
 * tables of its own).
 */
constexpr uInt kInflateInputStep = 4096;
constexpr uInt kInflateOutputStep = 128 * 1024;

/** @throws PictureTooLarge for a picture whose header gives it more pixels than any picture may have. */
[[noreturn]] void refuseForSize(int64_t width, int64_t height, bool forTimeLeft = false)
{
    throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1 × %2").arg(width).arg(height), forTimeLeft);
}

/**
 * Chunks of a PNG walked between two asks of overdue(): a look at the clock
 * comes at least every 4,096 chunks, some 20 microseconds of walking empty
 * ones, and costs less than the walk between looks.
 */
constexpr int64_t kChunksBetweenLooks = 64;

/** @return bytes of one row of @p width pixels at @p bits per pixel, padded to four bytes. */
int64_t rowBytes(int64_t width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

/** The fields of a device-independent bitmap's header. */
struct DibHeader {
    uint32_t size = 0;        ///< Header bytes: 12 (core) or 40 and more.
    int64_t width = 0;
    int64_t height = 0;       ///< Without its sign.
    bool topDown = false;     ///< The first row is the top one (a negative height).
    int bits = 0;
    uint32_t compression = kRgb;
    uint32_t imageSize = 0;
    int64_t colours = 0;      ///< Entries of the colour table.
    int entryBytes = 4;       ///< Bytes of one entry: 3 (core) or 4.
    int64_t tableEnd = 0;     ///< Where the colour table ends.

    bool runLength() const { return compression == kRle8 || compression == kRle4; }
    /** @return where the colour table begins. */
    int64_t tableAt() const { return tableEnd - colours * entryBytes; }
};

/** @return the header, or nothing when it is no known one or runs past size. */
std::optional<DibHeader> readDibHeader(const char *dib, int64_t size)
{
    if (size < 12)
        return std::nullopt;
    DibHeader h;
    h.size = le32(dib);
    uint32_t coloursUsed = 0;
    if (h.size == 12) {
        h.width = le16(dib + 4);
        h.height = le16(dib + 6);
        h.bits = le16(dib + 10);
        h.entryBytes = 3;
    } else if (h.size >= 40 && h.size <= size) {
        h.width = int32_t(le32(dib + 4));
        h.height = int32_t(le32(dib + 8));
        h.bits = le16(dib + 14);
        h.compression = le32(dib + 16);
        h.imageSize = le32(dib + 20);
        coloursUsed = le32(dib + 32);
    } else {
        return std::nullopt;
    }
    h.topDown = h.height < 0;
    if (h.height < 0)
        h.height = -h.height;
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        return std::nullopt;
    int64_t masks = 0;
    if (h.compression == kBitfields && h.size == 40)
        masks = 12;
    if (h.compression == kAlphaBitfields && h.size == 40)
        masks = 16;
    h.colours = coloursUsed != 0 ? int64_t(coloursUsed) : (h.bits <= 8 ? int64_t(1) << h.bits : 0);
    if (h.colours > 256 && h.bits <= 8)
        return std::nullopt;
    if (h.colours > 65536)
        return std::nullopt;
    h.tableEnd = h.size + masks + h.colours * h.entryBytes;
    if (h.tableEnd > size)
        return std::nullopt;
    return h;
}

/**
 * Walks a run-length coded pixel stream, and writes its pixels as colour
 * indices into @p out (rows of @p stride bytes, the picture's top row
 * first) unless it is null.
 * @return true when it ends with its end mark inside @p size bytes, never
 *         writes outside the picture and names only colours of its table.
 *         Pixels it leaves out (it ends or jumps early) are not written.
 * @throws PictureTooLarge when the picture's reading takes its processor
 *         time before the walk ends.
 */
bool walkRle(const unsigned char *p, int64_t size, const DibHeader &h, uchar *out, qsizetype stride)
{
    const bool fourBits = h.compression == kRle4;
    int64_t at = 0;
    int64_t x = 0;
    int64_t y = 0;
    /* The colour index of pixel i of a run, from the byte that holds it. */
    auto indexOf = [fourBits](int i, int byte) { return fourBits ? (i % 2 == 0 ? byte >> 4 : byte & 0xF) : byte; };
    auto put = [&](int index) {
        if (index >= h.colours)
            return false;
        if (out)
            out[(h.topDown ? y : h.height - 1 - y) * stride + x] = uchar(index);
        ++x;
        return true;
    };
    for (int64_t codes = 0; at + 2 <= size; ++codes) {
        if (codes % kCodesBetweenLooks == 0 && PictureRead::overdue())
            throw readingTooLong();
        const int count = p[at];
        const int value = p[at + 1];
        at += 2;
        if (count > 0) { // count pixels of one byte's colours
            if (y >= h.height || x + count > h.width)
                return false;
            for (int i = 0; i < count; ++i)
                if (!put(indexOf(i, value)))
                    return false;
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            if (++y > h.height)
                return false;
        } else if (value == 1) { // end of bitmap
            return true;
        } else if (value == 2) { // move by dx, dy
            if (at + 2 > size)
                return false;
            x += p[at];
            y += p[at + 1];
            at += 2;
            if (x > h.width || y > h.height)
                return false;
        } else { // value pixels as they stand, padded to two bytes
            const int64_t bytes = fourBits ? (value + 1) / 2 : value;
            if (at + (bytes + 1) / 2 * 2 > size || y >= h.height || x + value > h.width)
                return false;
            for (int i = 0; i < value; ++i)
                if (!put(indexOf(i, p[at + (fourBits ? i / 2 : i)])))
                    return false;
            at += (bytes + 1) / 2 * 2;
        }
    }
    return false;
}

/** @return the bytes of a run-length coded stream from @p pixels on, as its header gives them. */
int64_t rleStreamSize(const DibHeader &h, int64_t pixels, int64_t size)
{
    return h.imageSize != 0 && pixels + h.imageSize <= size ? h.imageSize : size - pixels;
}

/**
 * @return whether every pixel of @p height uncompressed rows from @p rows
 *         on names a colour of the table; a table that holds every index
 *         of the depth is not looked at.
 */
bool indicesFit(const unsigned char *rows, const DibHeader &h, int64_t height)
{
    if (h.bits > 8 || h.colours >= (int64_t(1) << h.bits))
        return true;
    const int64_t stride = rowBytes(h.width, h.bits);
    const int mask = (1 << h.bits) - 1;
    for (int64_t y = 0; y < height; ++y) {
        const unsigned char *row = rows + y * stride;
        for (int64_t x = 0; x < h.width; ++x) {
            const int64_t bit = x * h.bits;
            if ((row[bit / 8] >> (8 - h.bits - bit % 8) & mask) >= h.colours)
                return false;
        }
    }
    return true;
}

/**
 * @return the picture of a run-length coded bitmap that passed dibIsWhole:
 *         8 bits a pixel, every pixel the stream leaves out colour index 0.
 */
QImage decodeRle(const char *dib, int64_t size, int64_t pixels, const DibHeader &h)
{
    QImage picture(int(h.width), int(h.height), QImage::Format_Indexed8);
    if (picture.isNull())
        return {};
    picture.fill(0);
    QList<QRgb> table;
    for (int64_t i = 0; i < h.colours; ++i) {
        const char *entry = dib + h.tableAt() + i * h.entryBytes;
        table.append(qRgb(uint8_t(entry[2]), uint8_t(entry[1]), uint8_t(entry[0])));
    }
    picture.setColorTable(table);
    if (!walkRle(reinterpret_cast<const unsigned char *>(dib + pixels), rleStreamSize(h, pixels, size), h,
                 picture.bits(), picture.bytesPerLine()))
        return {};
    return picture;
}

/**
 * Admits a picture into one of Qt's readers. Such a reader decodes the
 * whole picture in one call that no deadline can stop halfway, so the
 * picture is handed to it only when its pixels, at what a pixel costs that
 * reader, fit the processor time left to the reading. Qt's own limit on
 * the memory of a picture is set to kMaxPictureBytes before the first one.
 * @param pixelTime what one pixel costs; kQtPngPixelTime and its kin.
 * @throws PictureTooLarge when the picture does not fit; refused for the
 *         time left alone (forTimeLeft) when a reading of its own would
 *         take it.
 */
void admitToQt(int64_t width, int64_t height, std::chrono::nanoseconds pixelTime)
{
    static const bool limited = (QImageReader::setAllocationLimit(int(kMaxPictureBytes / (1024 * 1024))), true);
    (void)limited;
    const int64_t needed = width * height * pixelTime.count();
    if (needed > PictureRead::remaining().count())
        refuseForSize(width, height, needed <= std::chrono::nanoseconds(kMaxPictureReadTime).count());
}

/** @return the picture of a BMP file whose bitmap passed dibIsWhole; run-length coded ones are decoded here. */
QImage decodeWholeBmp(const QByteArray &file)
{
    constexpr int64_t fileHeader = 14;
    const char *dib = file.constData() + fileHeader;
    const int64_t size = file.size() - fileHeader;
    const std::optional<DibHeader> h = readDibHeader(dib, size);
    if (!h)
        return {};
    if (h->runLength())
        return decodeRle(dib, size, int64_t(le32(file.constData() + 10)) - fileHeader, *h);
    /* Qt's reader writes every pixel of uncompressed rows, which were all found inside. */
    admitToQt(h->width, h->height, kQtBitmapPixelTime);
    QImage picture;
    picture.loadFromData(file, "BMP");
    return picture;
}

/** @return the big-endian 32-bit number at p. */
uint32_t be32(const char *p)
{
    return uint32_t(uint8_t(p[0])) << 24 | uint32_t(uint8_t(p[1])) << 16 | uint32_t(uint8_t(p[2])) << 8
           | uint32_t(uint8_t(p[3]));
}

/** @return whether an image of @p size bytes from @p image on begins with the signature of a PNG. */
bool isPng(const char *image, int64_t size)
{
    return size >= 8 && QByteArray::fromRawData(image, 8) == QByteArray("\x89PNG\r\n\x1a\n", 8);
}

/** The fields of a PNG image's header chunk (IHDR). */
struct PngHeader {
    int64_t width = 0;
    int64_t height = 0;
    int depth = 0;           ///< Bits a sample: 1, 2, 4, 8 or 16.
    int samples = 0;         ///< Samples a pixel, by its colour type: 1 to 4.
    bool interlaced = false; ///< Its rows come in the seven passes of Adam7.

    /** @return the bytes its rows take as filtered and deflated: a filter byte and the samples of each row of each pass. */
    int64_t rowBytes() const
    {
        /* Each pass of Adam7: where its first column and row lie, and the steps between its columns and rows. */
        static constexpr int kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                             {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
        static constexpr int kWhole[1][4] = {{0, 0, 1, 1}};
        int64_t bytes = 0;
        for (const auto &pass : interlaced ? std::span<const int[4]>(kAdam7) : std::span<const int[4]>(kWhole)) {
            const int64_t columns = width > pass[0] ? (width - pass[0] + pass[2] - 1) / pass[2] : 0;
            const int64_t rows = height > pass[1] ? (height - pass[1] + pass[3] - 1) / pass[3] : 0;
            if (columns > 0)
                bytes += rows * (1 + (columns * samples * depth + 7) / 8);
        }
        return bytes;
    }
    /** @return what one pixel costs Qt's reader: a 16-bit one, decoded to 64 bits, twice a pixel of 32. */
    std::chrono::nanoseconds pixelTime() const
    {
        return (interlaced ? kQtInterlacedPngPixelTime : kQtPngPixelTime) * (depth == 16 ? 2 : 1);
    }
};

/**
 * @return the header of a PNG image: its IHDR chunk first, of a known
 *         colour type and depth; nothing when it is not so.
 * @throws PictureTooLarge when its sides or its pixels as decoded pass the
 *         limits (16 bits a sample decode to 64 bits a pixel, the others to
 *         32 at most).
 */
std::optional<PngHeader> readPngHeader(const char *png, int64_t size)
{
    /* Signature, then the IHDR chunk: length, type, width, height, depth, colour type, compression, filter, interlace. */
    if (size < 33 || be32(png + 8) != 13 || QByteArray::fromRawData(png + 12, 4) != "IHDR")
        return std::nullopt;
    PngHeader h;
    h.width = be32(png + 16);
    h.height = be32(png + 20);
    h.depth = uint8_t(png[24]);
    const int colourType = uint8_t(png[25]);
    h.interlaced = png[28] == 1;
    /* Grey, RGB, palette, grey and alpha, RGBA; the depths each allows. */
    switch (colourType) {
    case 0: h.samples = 1; break;
    case 2: h.samples = 3; break;
    case 3: h.samples = 1; break;
    case 4: h.samples = 2; break;
    case 6: h.samples = 4; break;
    default: return std::nullopt;
    }
    const bool fewBits = h.depth == 1 || h.depth == 2 || h.depth == 4;
    if ((h.depth != 8 && h.depth != 16 && !fewBits) || (fewBits && colourType != 0 && colourType != 3)
        || (h.depth == 16 && colourType == 3) || png[26] != 0 || png[27] != 0 || uint8_t(png[28]) > 1)
        return std::nullopt;
    const int64_t pixelBytes = h.depth == 16 ? 8 : 4;
    if (h.width <= 0 || h.height <= 0)
        return std::nullopt;
    if (h.width > kMaxPictureSide || h.height > kMaxPictureSide || h.width * h.height * pixelBytes > kMaxPictureBytes)
        refuseForSize(h.width, h.height);
    return h;
}

/** Writes a 32-bit big-endian number. */
void appendBe32(QByteArray &to, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        to.append(char(v >> shift & 0xFF));
}

/** @return the type of a PNG chunk as the big-endian number its four letters make. */
constexpr uint32_t chunkType(const char (&name)[5])
{
    return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 | uint32_t(uint8_t(name[2])) << 8
           | uint32_t(uint8_t(name[3]));
}

constexpr uint32_t kIdat = chunkType("IDAT");
constexpr uint32_t kPlte = chunkType("PLTE");
constexpr uint32_t kTrns = chunkType("tRNS");
constexpr uint32_t kIend = chunkType("IEND");

/** The parts of a PNG image that its pixels are made from. */
struct PngParts {
    QByteArray before; ///< Its signature, header, palette and transparency, as they come before its pixels.
    QByteArray after;  ///< A palette or transparency that comes after its pixels (which Qt's reader refuses).
    QByteArray pixels; ///< Its compressed pixels: the data of its IDAT chunks, one zlib stream.
};

/**
 * Walks the chunks of a PNG image whose header passed readPngHeader, and
 * keeps what its pixels are made from: its header, its first palette and
 * first transparency (PLTE, tRNS) and the data of its compressed pixels
 * (IDAT). Every other chunk (texts, colour profiles, anything whose reading
 * may cost more than its pixels) is left out unread.
 * @return the parts, or nothing when a chunk up to the end chunk (IEND)
 *         runs past @p size bytes or fails its check, there are no
 *         compressed pixels, or they take more than kMaxPngIdatSlack past
 *         what the header's rows can need.
 * @throws PictureTooLarge when the picture's reading takes its processor
 *         time first.
 */
std::optional<PngParts> walkPngChunks(const char *png, int64_t size, const PngHeader &h)
{
    const int64_t rows = h.rowBytes();
    const int64_t idatLimit = rows + rows / 8 + kMaxPngIdatSlack;
    int64_t idat = 0;
    bool palette = false;
    bool transparency = false;
    PngParts parts;
    parts.before = QByteArray(png, 8);
    for (int64_t at = 8, chunks = 0; at + 12 <= size; ++chunks) {
        if (chunks % kChunksBetweenLooks == 0 && PictureRead::overdue())
            throw readingTooLong();
        const int64_t chunk = 12 + int64_t(be32(png + at));
        if (chunk > size - at)
            return std::nullopt;
        const uint32_t type = be32(png + at + 4);
        bool kept = at == 8;
        if (type == kIdat) {
            idat += chunk;
            if (idat > idatLimit)
                return std::nullopt;
            /* Qt's reader never sees these chunks: their checks are looked at here. */
            const auto *bytes = reinterpret_cast<const Bytef *>(png + at + 4);
            if (crc32(crc32(0, nullptr, 0), bytes, uInt(chunk - 8)) != be32(png + at + chunk - 4))
                return std::nullopt;
            parts.pixels.append(png + at + 8, chunk - 12);
        } else if (type == kPlte || type == kTrns) {
            bool &seen = type == kPlte ? palette : transparency;
            kept = !seen;
            seen = true;
        }
        if (kept)
            (idat > 0 ? parts.after : parts.before).append(png + at, chunk);
        if (type == kIend)
            return idat > 0 ? std::optional(std::move(parts)) : std::nullopt;
        at += chunk;
    }
    return std::nullopt;
}

/**
 * Inflates a PNG's compressed pixels into its rows, and no further: the
 * stream must end, its check right, exactly where the header's rows end.
 * The work is bounded by the rows, whatever the stream holds after them.
 * @return the rows, or nothing when the stream is broken, ends short of
 *         them or goes on past them.
 * @throws PictureTooLarge when the picture's reading takes its processor
 *         time first.
 */
std::optional<QByteArray> inflateRows(const QByteArray &stream, int64_t rows)
{
    /* One byte more than the rows: a stream that writes it goes on past them. */
    QByteArray out(rows + 1, Qt::Uninitialized);
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return std::nullopt;
    const auto end = qScopeGuard([&z] { inflateEnd(&z); });
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.constData()));
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    int64_t inLeft = stream.size();
    int64_t outLeft = out.size();
    for (;;) {
        if (PictureRead::overdueNow())
            throw readingTooLong();
        const uInt in = uInt(std::min<int64_t>(inLeft, kInflateInputStep));
        const uInt room = uInt(std::min<int64_t>(outLeft, kInflateOutputStep));
        z.avail_in = in;
        z.avail_out = room;
        const int result = inflate(&z, Z_NO_FLUSH);
        inLeft -= in - z.avail_in;
        outLeft -= room - z.avail_out;
        if (result == Z_STREAM_END && outLeft == 1) {
            out.chop(1);
            return out;
        }
        /* Ended short, broken, past the rows, or out of bytes before its end. */
        if ((result != Z_OK && result != Z_BUF_ERROR) || outLeft == 0 || (inLeft == 0 && result == Z_BUF_ERROR))
            return std::nullopt;
    }
}

/**
 * @return a PNG of the parts whose pixels are the rows, stored uncompressed
 *         in one IDAT chunk: Qt's reader inflates no more than the rows.
 */
QByteArray pngOfRows(const PngParts &parts, const QByteArray &rows)
{
    uLongf stored = compressBound(uLong(rows.size()));
    QByteArray chunk(qsizetype(8 + stored + 4), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef *>(chunk.data() + 8), &stored,
                  reinterpret_cast<const Bytef *>(rows.constData()), uLong(rows.size()), Z_NO_COMPRESSION)
        != Z_OK)
        return {};
    chunk.resize(qsizetype(8 + stored));
    QByteArray head;
    appendBe32(head, uint32_t(stored));
    head.append("IDAT");
    chunk.replace(0, 8, head);
    appendBe32(chunk, uint32_t(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(chunk.constData() + 4),
                                     uInt(chunk.size() - 4))));
    return parts.before + chunk + parts.after + QByteArray("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
}

/**
 * @return the PNG image Qt's reader is handed for a PNG inside an icon: its
 *         header, palette, transparency and end, and its pixels inflated
 *         here, no further than its rows, and stored; empty when it is
 *         broken.
 * @throws PictureTooLarge when Qt's reader would take more processor time
 *         for its pixels than is left to the reading, before or after its
 *         pixels are inflated, or the reading takes its time first.
 */
QByteArray pngForQt(const char *png, int64_t size)
{
    const std::optional<PngHeader> h = readPngHeader(png, size);
    if (!h)
        return {};
    admitToQt(h->width, h->height, h->pixelTime());
    std::optional<PngParts> parts = walkPngChunks(png, size, *h);
    if (!parts)
        return {};
    const std::optional<QByteArray> rows = inflateRows(parts->pixels, h->rowBytes());
    if (!rows)
        return {};
    parts->pixels.clear();
    QByteArray shown = pngOfRows(*parts, *rows);
    admitToQt(h->width, h->height, h->pixelTime());
    return shown;
}

/**
 * @return the first image of an icon whose directory is sane and whose
 *         every image lies inside it; nothing when it is not so. Only the
 *         first image is ever decoded: the others' pixels are never looked
 *         at (an icon may list the same large image many times).
 */
std::optional<std::span<const char>> firstIconImage(const QByteArray &data)
{
    if (data.size() < 6)
        return std::nullopt;
    const char *p = data.constData();
    const int count = le16(p + 4);
    if (le16(p) != 0 || (le16(p + 2) != 1 && le16(p + 2) != 2) || count == 0)
        return std::nullopt;
    if (6 + int64_t(count) * 16 > data.size())
        return std::nullopt;
    for (int i = 0; i < count; ++i) {
        const char *entry = p + 6 + i * 16;
        const int64_t bytes = le32(entry + 8);
        const int64_t at = le32(entry + 12);
        if (at < 6 + int64_t(count) * 16 || bytes <= 0 || at + bytes > data.size())
            return std::nullopt;
    }
    return std::span<const char>(p + le32(p + 6 + 12), le32(p + 6 + 8));
}

} // namespace

int64_t dibColourTableEnd(const char *dib, int64_t size)
{
    const std::optional<DibHeader> h = readDibHeader(dib, size);
    return h ? h->tableEnd : -1;
}

int64_t dibPixels(const char *dib, int64_t size)
{
    const std::optional<DibHeader> h = readDibHeader(dib, size);
    return h ? h->width * h->height : -1;
}

bool dibIsWhole(const char *dib, int64_t size, int64_t pixelsAt, int heightRows)
{
    const std::optional<DibHeader> h = readDibHeader(dib, size);
    if (!h)
        return false;
    const int64_t width = h->width;
    const int64_t height = h->height / heightRows;
    const int bits = h->bits;
    const uint32_t compression = h->compression;
    if (width <= 0 || height <= 0)
        return false;
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        refuseForSize(width, height);
    const int64_t pixels = pixelsAt < 0 ? h->tableEnd : pixelsAt;
    if (pixels < 0 || pixels > size)
        return false;
    switch (compression) {
    case kRgb:
    case kBitfields:
    case kAlphaBitfields: {
        int64_t need = rowBytes(width, bits) * height;
        /* An icon's 1-bit mask follows its colour rows; one of 32 bits may leave it out, its alpha being its mask. */
        if (heightRows == 2 && bits != 32)
            need += rowBytes(width, 1) * height;
        return pixels + need <= size && indicesFit(reinterpret_cast<const unsigned char *>(dib + pixels), *h, height);
    }
    case kRle8:
    case kRle4: {
        /* An icon's rows are never run-length coded. */
        if ((compression == kRle8 && bits != 8) || (compression == kRle4 && bits != 4) || heightRows != 1)
            return false;
        return walkRle(reinterpret_cast<const unsigned char *>(dib + pixels), rleStreamSize(*h, pixels, size), *h,
                       nullptr, 0);
    }
    default:
        return false;
    }
}

bool bmpIsWhole(const QByteArray &data)
{
    constexpr int64_t fileHeader = 14;
    if (data.size() < fileHeader + 12 || !data.startsWith("BM"))
        return false;
    const int64_t pixelsAt = le32(data.constData() + 10);
    if (pixelsAt < fileHeader)
        return false;
    return dibIsWhole(data.constData() + fileHeader, data.size() - fileHeader, pixelsAt - fileHeader, 1);
}

QImage decodeIco(const QByteArray &data)
{
    const PictureRead read;
    const std::optional<std::span<const char>> first = firstIconImage(data);
    if (!first)
        return {};
    const char *image = first->data();
    const int64_t bytes = int64_t(first->size());
    QByteArray shown;
    if (isPng(image, bytes)) {
        shown = pngForQt(image, bytes);
    } else {
        /* Qt's reader shows no larger bitmap image: one past it is refused before its pixels are walked. */
        const std::optional<DibHeader> h = readDibHeader(image, bytes);
        if (h && (h->width > kMaxIconBitmapSide || h->height / 2 > kMaxIconBitmapSide))
            refuseForSize(h->width, h->height / 2);
        if (!h || !dibIsWhole(image, bytes, -1, 2))
            return {};
        /* Its height counts the colour and the mask rows together. */
        admitToQt(h->width, h->height / 2, kQtBitmapPixelTime);
        shown = QByteArray::fromRawData(image, bytes);
    }
    if (shown.isEmpty())
        return {};
    /* An icon of the first entry alone, so that the image Qt's reader takes is the one checked. */
    QByteArray one = data.left(6 + 16);
    one[4] = 1;
    one[5] = 0;
    putLe32(one.data() + 6 + 8, uint32_t(shown.size()));
    putLe32(one.data() + 6 + 12, 6 + 16);
    one.append(shown);
    QImage picture;
    picture.loadFromData(one, "ICO");
    return picture;
}

QImage decodeBmp(const QByteArray &data)
{
    const PictureRead read;
    return bmpIsWhole(data) ? decodeWholeBmp(data) : QImage();
}

QImage decodeDib(const char *dib, int64_t size, int64_t pixelsAt)
{
    const PictureRead read;
    if (!dibIsWhole(dib, size, pixelsAt, 1))
        return {};
    /* A BMP file header in front of it, so that it is read as a BMP file is. */
    const int64_t pixels = pixelsAt >= 0 ? pixelsAt : dibColourTableEnd(dib, size);
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    putLe32(file.data() + 2, uint32_t(14 + size));
    putLe32(file.data() + 10, uint32_t(14 + pixels));
    file.append(dib, size);
    return decodeWholeBmp(file);
}

} // namespace platform
