/** @file bitmap_check.cpp Checks that a BMP, ICO or device-independent bitmap holds all the pixels its header promises. */
#include "platform/bitmap_check.h"

#include "platform/picture_limits.h"

#include <optional>

namespace platform {

namespace {

constexpr uint32_t kRgb = 0;       ///< Uncompressed rows.
constexpr uint32_t kRle8 = 1;      ///< Run-length coded, 8 bits per pixel.
constexpr uint32_t kRle4 = 2;      ///< Run-length coded, 4 bits per pixel.
constexpr uint32_t kBitfields = 3; ///< Uncompressed rows with colour masks.
constexpr uint32_t kAlphaBitfields = 6; ///< Uncompressed rows with four colour masks.

/** @return bytes of one row of @p width pixels at @p bits per pixel, padded to four bytes. */
int64_t rowBytes(int64_t width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

/**
 * Walks a run-length coded pixel stream without drawing it.
 * @return true when it ends with its end mark inside @p size bytes and
 *         never writes outside @p width x @p height pixels.
 */
bool rleIsWhole(const unsigned char *p, int64_t size, int64_t width, int64_t height, bool fourBits)
{
    int64_t at = 0;
    int64_t x = 0;
    int64_t y = 0;
    while (at + 2 <= size) {
        const int count = p[at];
        const int value = p[at + 1];
        at += 2;
        if (count > 0) {
            x += count;
            if (x > width)
                return false;
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            if (++y > height)
                return false;
        } else if (value == 1) { // end of bitmap
            return true;
        } else if (value == 2) { // move by dx, dy
            if (at + 2 > size)
                return false;
            x += p[at];
            y += p[at + 1];
            at += 2;
            if (x > width || y > height)
                return false;
        } else { // value pixels as they stand, padded to two bytes
            const int64_t bytes = fourBits ? (value + 1) / 2 : value;
            at += (bytes + 1) / 2 * 2;
            x += value;
            if (at > size || x > width)
                return false;
        }
    }
    return false;
}

/** The fields of a device-independent bitmap's header. */
struct DibHeader {
    uint32_t size = 0;        ///< Header bytes: 12 (core) or 40 and more.
    int64_t width = 0;
    int64_t height = 0;       ///< Without its sign.
    int bits = 0;
    uint32_t compression = kRgb;
    uint32_t imageSize = 0;
    int64_t tableEnd = 0;     ///< Where the colour table ends.
};

/** @return the header, or nothing when it is no known one or runs past size. */
std::optional<DibHeader> readDibHeader(const char *dib, int64_t size)
{
    if (size < 12)
        return std::nullopt;
    DibHeader h;
    h.size = le32(dib);
    uint32_t coloursUsed = 0;
    int entryBytes = 4;
    if (h.size == 12) {
        h.width = le16(dib + 4);
        h.height = le16(dib + 6);
        h.bits = le16(dib + 10);
        entryBytes = 3;
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
    if (h.height < 0)
        h.height = -h.height;
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        return std::nullopt;
    int64_t masks = 0;
    if (h.compression == kBitfields && h.size == 40)
        masks = 12;
    if (h.compression == kAlphaBitfields && h.size == 40)
        masks = 16;
    const int64_t colours = coloursUsed != 0 ? int64_t(coloursUsed) : (h.bits <= 8 ? int64_t(1) << h.bits : 0);
    if (colours > 256 && h.bits <= 8)
        return std::nullopt;
    if (colours > 65536)
        return std::nullopt;
    h.tableEnd = h.size + masks + colours * entryBytes;
    if (h.tableEnd > size)
        return std::nullopt;
    return h;
}

/** @return the big-endian 32-bit number at p. */
uint32_t be32(const char *p)
{
    return uint32_t(uint8_t(p[0])) << 24 | uint32_t(uint8_t(p[1])) << 16 | uint32_t(uint8_t(p[2])) << 8
           | uint32_t(uint8_t(p[3]));
}

/** @return whether a PNG image's header lies inside and gives a size within the limit. */
bool pngSizeFits(const char *png, int64_t size)
{
    /* Signature, then the IHDR chunk: length, type, width, height. */
    if (size < 24 || QByteArray::fromRawData(png + 12, 4) != "IHDR")
        return false;
    const int64_t width = be32(png + 16);
    const int64_t height = be32(png + 20);
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
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
    const uint32_t imageSize = h->imageSize;
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return false;
    const int64_t pixels = pixelsAt < 0 ? h->tableEnd : pixelsAt;
    if (pixels < 0 || pixels > size)
        return false;
    switch (compression) {
    case kRgb:
    case kBitfields:
    case kAlphaBitfields: {
        int64_t need = rowBytes(width, bits) * height;
        if (heightRows == 2)
            need += rowBytes(width, 1) * height;
        return pixels + need <= size;
    }
    case kRle8:
    case kRle4: {
        if ((compression == kRle8 && bits != 8) || (compression == kRle4 && bits != 4))
            return false;
        const int64_t stream = imageSize != 0 && pixels + imageSize <= size ? imageSize : size - pixels;
        return rleIsWhole(reinterpret_cast<const unsigned char *>(dib + pixels), stream, width, height,
                          compression == kRle4);
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

bool icoIsWhole(const QByteArray &data)
{
    if (data.size() < 6)
        return false;
    const char *p = data.constData();
    const int count = le16(p + 4);
    if (le16(p) != 0 || (le16(p + 2) != 1 && le16(p + 2) != 2) || count == 0)
        return false;
    if (6 + int64_t(count) * 16 > data.size())
        return false;
    for (int i = 0; i < count; ++i) {
        const char *entry = p + 6 + i * 16;
        const int64_t bytes = le32(entry + 8);
        const int64_t at = le32(entry + 12);
        if (at < 6 + int64_t(count) * 16 || bytes <= 0 || at + bytes > data.size())
            return false;
        const char *image = p + at;
        if (bytes >= 8 && QByteArray::fromRawData(image, 8) == QByteArray("\x89PNG\r\n\x1a\n", 8)) {
            /* The PNG reader refuses a cut PNG itself; its size is looked at here. */
            if (!pngSizeFits(image, bytes))
                return false;
            continue;
        }
        if (!dibIsWhole(image, bytes, -1, 2))
            return false;
    }
    return true;
}

} // namespace platform
