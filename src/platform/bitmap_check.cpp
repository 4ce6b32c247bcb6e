/** @file bitmap_check.cpp Checks that a BMP, ICO or device-independent bitmap holds all the pixels its header promises, and decodes BMPs. */
#include "platform/bitmap_check.h"

#include "platform/picture_limits.h"
#include "platform/picture_memory.h"
#include "platform/picture_read.h"
#include "platform/png_decoder.h"

#include <QImageReader>

#include <algorithm>
#include <chrono>
#include <cstring>
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

/** @throws PictureTooLarge for a picture whose header gives it more pixels than any picture may have. */
[[noreturn]] void refuseForSize(int64_t width, int64_t height, bool forTimeLeft = false)
{
    throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1 × %2").arg(width).arg(height), forTimeLeft);
}

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
 *
 * Its pixels go where Qt's BMP reader puts them, so that a stream reads as
 * there. That reader writes into rows of 8-bit indices padded to four
 * bytes, the stream's first row at the bottom, turned over afterwards when
 * the picture is top-down, and holds every run to the end of the stream's
 * first row alone: a run past the end of that row is cut there (an
 * absolute one takes only the bytes of the pixels it keeps, the rest read
 * as the codes that follow), while a run past the end of a later row runs
 * on into its padding and then into the row below it on the picture (the
 * stream's row before). Writers that code the padding of each row (as
 * ImageMagick does) end rows with such runs; only pixels that land in the
 * picture, not in its padding, are written and must name a colour of the
 * table. A jump lands where Qt's reader lands, whose column is at most the
 * row's last.
 * @return true when it ends with its end mark inside @p size bytes, never
 *         runs, jumps or ends a line past the picture's last row nor jumps
 *         past its row's end, and names only colours of its table in the
 *         picture. Pixels it leaves out (it ends or jumps early) are not
 *         written.
 * @throws PictureTooLarge when the picture's reading takes its processor
 *         time before the walk ends.
 */
bool walkRle(const unsigned char *p, int64_t size, const DibHeader &h, uchar *out, qsizetype stride)
{
    const bool fourBits = h.compression == kRle4;
    /* No index is past a table of every index of the depth: only a shorter table's are looked at. */
    const bool shortTable = h.colours < (int64_t(1) << h.bits);
    const int64_t rowStride = rowBytes(h.width, 8);
    /* Where the next pixel goes in Qt's rows: the row (the stream's first is the last) and the column. */
    int64_t row = h.height - 1;
    int64_t column = 0;
    /* The pixels left before the end of the stream's first row, past which none goes. */
    auto room = [&] { return (h.height - 1 - row) * rowStride + h.width - column; };
    int64_t at = 0;
    int64_t x = 0;
    int64_t y = 0;
    /* Writes the next n pixels, pixel i in colour index(i), on through the row's padding into the rows below. */
    auto put = [&](int64_t n, auto index) {
        for (int64_t i = 0; i < n;) {
            if (column == rowStride) {
                column = 0;
                ++row;
            }
            const int64_t part = std::min(n - i, rowStride - column);
            const int64_t shown = std::clamp<int64_t>(h.width - column, 0, part);
            uchar *line = out ? out + (h.topDown ? h.height - 1 - row : row) * stride + column : nullptr;
            if (shortTable) {
                int largest = 0;
                for (int64_t j = 0; j < shown; ++j)
                    largest = std::max(largest, index(i + j));
                if (largest >= h.colours)
                    return false;
            }
            if (line)
                for (int64_t j = 0; j < shown; ++j)
                    line[j] = uchar(index(i + j));
            i += part;
            column += part;
        }
        return true;
    };
    for (int64_t codes = 0; at + 2 <= size; ++codes) {
        if (codes % kCodesBetweenLooks == 0 && PictureRead::overdue())
            throw readingTooLong();
        const int count = p[at];
        const int value = p[at + 1];
        at += 2;
        if (count > 0) { // count pixels of one byte's colours
            if (y >= h.height)
                return false;
            const int64_t kept = std::min<int64_t>(count, room());
            const int first = fourBits ? value >> 4 : value;
            const int second = fourBits ? value & 0xF : value;
            if (kept > 0 && column + kept <= h.width) { // all in the row, shown
                if (first >= h.colours || (kept > 1 && second >= h.colours))
                    return false;
                if (out) {
                    uchar *line = out + (h.topDown ? h.height - 1 - row : row) * stride + column;
                    if (first == second)
                        std::memset(line, first, size_t(kept));
                    else
                        for (int64_t i = 0; i < kept; ++i)
                            line[i] = uchar(i % 2 == 0 ? first : second);
                }
                column += kept;
            } else if (!put(kept, [first, second](int64_t i) { return i % 2 == 0 ? first : second; })) {
                return false;
            }
            x += kept;
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            if (++y > h.height)
                return false;
            row = h.height - 1 - y;
            column = 0;
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
            x = std::min(x, h.width - 1);
            row = h.height - 1 - y;
            column = x;
        } else { // value pixels as they stand, padded to two bytes
            if (y >= h.height)
                return false;
            const int64_t kept = std::min<int64_t>(value, room());
            const int64_t bytes = fourBits ? (kept + 1) / 2 : kept;
            if (at + (bytes + 1) / 2 * 2 > size)
                return false;
            const unsigned char *pixels = p + at;
            auto nibble = [pixels](int64_t i) { return i % 2 == 0 ? pixels[i / 2] >> 4 : pixels[i / 2] & 0xF; };
            auto byte = [pixels](int64_t i) { return int(pixels[i]); };
            if (!(fourBits ? put(kept, nibble) : put(kept, byte)))
                return false;
            x += kept;
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
    QImage picture = newPicture(int(h.width), int(h.height), QImage::Format_Indexed8);
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
 * @param pixelTime what one pixel costs; kQtBitmapPixelTime.
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

/**
 * @return the picture of uncompressed rows of 24 bits a pixel under the
 *         common header of 40 bytes and no colour table, which passed dibIsWhole from
 *         @p pixels on, as Qt's reader reads them: its blue, green and red
 *         bytes in an opaque RGB32 pixel, the rows from the bottom up unless
 *         the picture is top-down, and the header's resolution. Null for
 *         any other bitmap, which Qt's reader reads.
 *
 * Most vehicle pictures are such; read here they cost a tenth of what
 * Qt's reader takes to be made, to look its format up and to read them.
 */
QImage decodeTrueColour(const char *dib, int64_t pixels, const DibHeader &h)
{
    constexpr int64_t infoHeader = 40;
    /* Qt's reader takes the rows from where the file header says, but never from inside the header itself. */
    if (h.size != infoHeader || h.bits != 24 || h.compression != kRgb || h.colours != 0 || le16(dib + 12) != 1
        || pixels < infoHeader)
        return {};
    QImage picture = newPicture(int(h.width), int(h.height), QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    const int64_t stride = rowBytes(h.width, 24);
    const auto *rows = reinterpret_cast<const unsigned char *>(dib + pixels);
    for (int64_t y = 0; y < h.height; ++y) {
        const unsigned char *in = rows + y * stride;
        auto *out = reinterpret_cast<QRgb *>(picture.scanLine(int(h.topDown ? y : h.height - 1 - y)));
        for (int64_t x = 0; x < h.width; ++x, in += 3)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    picture.setDotsPerMeterX(int32_t(le32(dib + 24)));
    picture.setDotsPerMeterY(int32_t(le32(dib + 28)));
    return picture;
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
    const int64_t pixels = int64_t(le32(file.constData() + 10)) - fileHeader;
    if (h->runLength())
        return decodeRle(dib, size, pixels, *h);
    /* Qt's reader writes every pixel of uncompressed rows, which were all found inside; so are those read here, and
       held to the same time. */
    admitToQt(h->width, h->height, kQtBitmapPixelTime);
    if (QImage picture = decodeTrueColour(dib, pixels, *h); !picture.isNull())
        return picture;
    QImage picture;
    picture.loadFromData(file, "BMP");
    return picture;
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
    if (isPng(image, bytes))
        return decodePng(image, bytes);
    /* Qt's reader shows no larger bitmap image: one past it is refused before its pixels are walked. */
    const std::optional<DibHeader> h = readDibHeader(image, bytes);
    if (h && (h->width > kMaxIconBitmapSide || h->height / 2 > kMaxIconBitmapSide))
        refuseForSize(h->width, h->height / 2);
    if (!h || !dibIsWhole(image, bytes, -1, 2))
        return {};
    /* Its height counts the colour and the mask rows together. */
    admitToQt(h->width, h->height / 2, kQtBitmapPixelTime);
    /* An icon of the first entry alone, so that the image Qt's reader takes is the one checked, and of no more
       of its bytes than its header, colours and rows: the entry may claim the whole file. */
    const int64_t rows = (rowBytes(h->width, h->bits) + rowBytes(h->width, 1)) * (h->height / 2);
    const int64_t shown = std::min(bytes, h->tableEnd + rows);
    QByteArray one;
    one.reserve(6 + 16 + shown);
    one.append(data.constData(), 6 + 16);
    one[4] = 1;
    one[5] = 0;
    putLe32(one.data() + 6 + 8, uint32_t(shown));
    putLe32(one.data() + 6 + 12, 6 + 16);
    one.append(image, shown);
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
