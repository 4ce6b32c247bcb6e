/** @file png_decoder.cpp Decodes the PNG image of an icon into the picture Qt's PNG reader makes of it. */
#include "platform/png_decoder.h"

#include "platform/picture_limits.h"
#include "platform/picture_memory.h"
#include "platform/picture_read.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace platform {

namespace {

/**
 * Chunks of a PNG walked between two asks of overdue(): a look at the clock
 * comes at least every 4,096 chunks, some 20 microseconds of walking empty
 * ones, and costs less than the walk between looks.
 */
constexpr int64_t kChunksBetweenLooks = 64;

/**
 * Compressed bytes fed to zlib in one call while a PNG's pixels are
 * inflated: a call writes at most one row, and reads at most these bytes
 * however they are coded (a few hundred tiny blocks, each with code tables
 * of its own, take well under a millisecond).
 */
constexpr int64_t kInflateInputStep = 4096;

/**
 * What a compressed byte is reckoned to cost at worst, in picoseconds: in
 * blocks of one byte each with code tables of their own, zlib takes some
 * 150 ns a byte; twice that is reckoned.
 */
constexpr int64_t kCompressedBytePs = 300000;

/**
 * What a byte of rows is reckoned to cost, in picoseconds: inflated,
 * unfiltered (Paeth, the dearest) and put into the picture, some 6 ns at
 * worst, interlaced; twice that is reckoned.
 */
constexpr int64_t kRowBytePs = 12000;

/** @return the big-endian 32-bit number at p. */
uint32_t be32(const char *p)
{
    return uint32_t(uint8_t(p[0])) << 24 | uint32_t(uint8_t(p[1])) << 16 | uint32_t(uint8_t(p[2])) << 8
           | uint32_t(uint8_t(p[3]));
}

/** @return the big-endian 16-bit number at p. */
int be16(const uchar *p)
{
    return p[0] << 8 | p[1];
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

/** The colour types of a PNG image. */
enum ColourType { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

/** Each pass of Adam7: where its first column and row lie, and the steps between its columns and rows. */
constexpr int kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

/** The one pass of an image that is not interlaced. */
constexpr int kWhole[1][4] = {{0, 0, 1, 1}};

/** One pass of a PNG image's rows. */
struct PngPass {
    int64_t x0 = 0;      ///< Its first column.
    int64_t y0 = 0;      ///< Its first row.
    int64_t dx = 1;      ///< The step between its columns.
    int64_t dy = 1;      ///< The step between its rows.
    int64_t columns = 0; ///< Its pixels a row.
    int64_t rows = 0;    ///< Its rows; none when it has no columns.
};

/** The fields of a PNG image's header chunk (IHDR). */
struct PngHeader {
    int64_t width = 0;
    int64_t height = 0;
    int depth = 0;           ///< Bits a sample: 1, 2, 4, 8 or 16.
    int colourType = kGrey;  ///< A ColourType.
    int samples = 0;         ///< Samples a pixel, by its colour type: 1 to 4.
    bool interlaced = false; ///< Its rows come in the seven passes of Adam7.

    /** @return its passes: seven for an interlaced image, one else; a pass of no pixels has no rows. */
    std::vector<PngPass> passes() const
    {
        std::vector<PngPass> all;
        for (const auto &pass : interlaced ? std::span<const int[4]>(kAdam7) : std::span<const int[4]>(kWhole)) {
            PngPass p{pass[0], pass[1], pass[2], pass[3]};
            p.columns = width > p.x0 ? (width - p.x0 + p.dx - 1) / p.dx : 0;
            p.rows = height > p.y0 && p.columns > 0 ? (height - p.y0 + p.dy - 1) / p.dy : 0;
            all.push_back(p);
        }
        return all;
    }
    /** @return the bytes of one row of @p columns pixels, without its filter byte. */
    int64_t stride(int64_t columns) const { return (columns * samples * depth + 7) / 8; }
    /** @return the bytes of its rows filtered and deflated: each row's filter byte and samples, in all passes. */
    int64_t rowBytes() const
    {
        int64_t bytes = 0;
        for (const PngPass &pass : passes())
            bytes += pass.rows * (1 + stride(pass.columns));
        return bytes;
    }
    /** @return the bytes a filter looks back: those of one pixel, one at least. */
    int filterStep() const { return std::max(1, samples * depth / 8); }
};

/** @throws PictureTooLarge for a picture whose header gives it more pixels than any picture may have. */
[[noreturn]] void refuseForSize(int64_t width, int64_t height)
{
    throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1 × %2").arg(width).arg(height));
}

/**
 * @return the header of a PNG image: its IHDR chunk first, of a known
 *         colour type and depth; nothing when it is not so.
 * @throws PictureTooLarge when its sides or its pixels as decoded pass the
 *         limits (16 bits a sample decode to 64 bits a pixel, the others to
 *         32 at most).
 */
std::optional<PngHeader> readPngHeader(const char *png, int64_t size)
{
    /* Signature, then the IHDR chunk: length, type, width, height, depth, colour type, compression, filter,
       interlace. */
    if (size < 33 || be32(png + 8) != 13 || QByteArray::fromRawData(png + 12, 4) != "IHDR")
        return std::nullopt;
    PngHeader h;
    h.width = be32(png + 16);
    h.height = be32(png + 20);
    h.depth = uint8_t(png[24]);
    h.colourType = uint8_t(png[25]);
    h.interlaced = png[28] == 1;
    switch (h.colourType) {
    case kGrey: h.samples = 1; break;
    case kRgb: h.samples = 3; break;
    case kPalette: h.samples = 1; break;
    case kGreyAlpha: h.samples = 2; break;
    case kRgba: h.samples = 4; break;
    default: return std::nullopt;
    }
    /* The depths each colour type allows. */
    const bool fewBits = h.depth == 1 || h.depth == 2 || h.depth == 4;
    if ((h.depth != 8 && h.depth != 16 && !fewBits) || (fewBits && h.colourType != kGrey && h.colourType != kPalette)
        || (h.depth == 16 && h.colourType == kPalette) || png[26] != 0 || png[27] != 0 || uint8_t(png[28]) > 1)
        return std::nullopt;
    const int64_t pixelBytes = h.depth == 16 ? 8 : 4;
    if (h.width <= 0 || h.height <= 0)
        return std::nullopt;
    if (h.width > kMaxPictureSide || h.height > kMaxPictureSide || h.width * h.height * pixelBytes > kMaxPictureBytes)
        refuseForSize(h.width, h.height);
    return h;
}

/** @return whether the check of a chunk of @p bytes (its length, type, data and check) from @p chunk on is right. */
bool checkRight(const char *chunk, int64_t bytes)
{
    const auto *typeAndData = reinterpret_cast<const Bytef *>(chunk + 4);
    return crc32(crc32(0, nullptr, 0), typeAndData, uInt(bytes - 8)) == be32(chunk + bytes - 4);
}

/** What a PNG image's pixels are made from, as views into the file. */
struct PngChunks {
    std::span<const uchar> palette;      ///< Its palette's entries (PLTE before its pixels); empty when none.
    std::span<const uchar> transparency; ///< Its transparency (tRNS) as Qt's reader takes it; empty when none is.
    int64_t firstIdat = 0;               ///< Where its first IDAT chunk begins.
    int64_t pixelsEnd = 0;               ///< Where its last IDAT chunk ends.
};

/** @return the entries of a palette that an image of the header uses: no more than its depth can name. */
int64_t paletteEntries(const PngHeader &h, std::span<const uchar> palette)
{
    return std::min<int64_t>(int64_t(palette.size()) / 3, int64_t(1) << h.depth);
}

/**
 * @return the longest transparency (tRNS) an image may hold: a grey key of
 *         2 bytes, an RGB one of 6, an alpha for each of its palette's
 *         entries, and never more than 256 bytes.
 */
int64_t mostTransparency(const PngHeader &h, std::span<const uchar> palette)
{
    switch (h.colourType) {
    case kGrey: return 2;
    case kRgb: return 6;
    case kPalette: return palette.empty() ? 256 : paletteEntries(h, palette);
    default: return 256;
    }
}

/**
 * @return whether Qt's reader takes a transparency (tRNS) of @p bytes:
 *         one key of the image's colour type, or an alpha for up to as many
 *         entries as its palette has, which must come first.
 */
bool transparencyTaken(const PngHeader &h, std::span<const uchar> palette, int64_t bytes)
{
    switch (h.colourType) {
    case kGrey: return bytes == 2;
    case kRgb: return bytes == 6;
    case kPalette: return !palette.empty() && bytes > 0 && bytes <= paletteEntries(h, palette);
    default: return false;
    }
}

/**
 * Walks the chunks of a PNG image whose header passed readPngHeader, and
 * finds what its pixels are made from: its first palette (PLTE) and the
 * first transparency (tRNS) Qt's reader would take, both before its
 * pixels, and its compressed pixels (IDAT). A palette or transparency
 * longer than any image may hold is looked at before anything else. Every
 * other chunk (texts, colour profiles, anything whose reading may cost
 * more than its pixels) is passed over unread.
 * @return the chunks, or nothing when a chunk up to the end chunk (IEND)
 *         runs past @p size bytes, a palette or transparency is too long,
 *         the check of its header, a palette or compressed pixels is wrong,
 *         there are no compressed pixels, or they take more than
 *         kMaxPngIdatSlack past what the header's rows can need.
 * @throws PictureTooLarge when the picture's reading takes its processor
 *         time first.
 */
std::optional<PngChunks> walkPngChunks(const char *png, int64_t size, const PngHeader &h)
{
    const int64_t rows = h.rowBytes();
    const int64_t idatLimit = rows + rows / 8 + kMaxPngIdatSlack;
    int64_t idat = 0;
    bool palette = false;
    PngChunks found;
    for (int64_t at = 8, chunks = 0; at + 12 <= size; ++chunks) {
        if (chunks % kChunksBetweenLooks == 0 && PictureRead::overdue())
            throw readingTooLong();
        const int64_t length = be32(png + at);
        const int64_t chunk = 12 + length;
        if (chunk > size - at)
            return std::nullopt;
        const uint32_t type = be32(png + at + 4);
        const std::span<const uchar> data(reinterpret_cast<const uchar *>(png + at + 8), size_t(length));
        /* The header, palette and pixels are critical: Qt's reader refuses them with a wrong check. */
        if ((at == 8 || type == kIdat || type == kPlte) && !checkRight(png + at, chunk))
            return std::nullopt;
        if (type == kIdat) {
            idat += chunk;
            if (idat > idatLimit)
                return std::nullopt;
            found.firstIdat = found.firstIdat == 0 ? at : found.firstIdat;
            found.pixelsEnd = at + chunk;
        } else if (type == kPlte) {
            if (length % 3 != 0 || length > 3 * 256)
                return std::nullopt;
            if (!palette && idat == 0)
                found.palette = data;
            palette = true;
        } else if (type == kTrns) {
            if (length > mostTransparency(h, found.palette))
                return std::nullopt;
            /* As Qt's reader: the first one it takes, before the pixels; one with a wrong check is passed over. */
            if (found.transparency.empty() && idat == 0 && transparencyTaken(h, found.palette, length)
                && checkRight(png + at, chunk))
                found.transparency = data;
        } else if (type == kIend) {
            return idat > 0 ? std::optional(found) : std::nullopt;
        }
        at += chunk;
    }
    return std::nullopt;
}

/**
 * The compressed pixels of a PNG image, one zlib stream over its IDAT
 * chunks, inflated as its rows are asked for and no further: the work is
 * bounded by the rows, whatever the stream holds after them. The clock is
 * looked at by the work of each call of zlib.
 */
class IdatStream {
public:
    /** The stream of the IDAT chunks from @p chunks.firstIdat to @p chunks.pixelsEnd, whose chunks were all walked. */
    IdatStream(const char *png, const PngChunks &chunks)
        : m_png(png), m_at(chunks.firstIdat), m_end(chunks.pixelsEnd), m_open(inflateInit(&m_z) == Z_OK)
    {
    }
    ~IdatStream()
    {
        if (m_open)
            inflateEnd(&m_z);
    }
    IdatStream(const IdatStream &) = delete;
    IdatStream &operator=(const IdatStream &) = delete;

    /**
     * Inflates the next @p bytes of rows into @p to.
     * @return whether they were all there: false when the stream is broken,
     *         cut, or ends before them.
     * @throws PictureTooLarge when the picture's reading takes its time first.
     */
    bool read(uchar *to, int64_t bytes)
    {
        if (!m_open || m_ended)
            return false;
        m_z.next_out = to;
        m_z.avail_out = uInt(bytes);
        while (m_z.avail_out > 0) {
            const int result = step();
            if (result == Z_STREAM_END) {
                m_ended = true;
                return m_z.avail_out == 0;
            }
            if (result != Z_OK)
                return false;
        }
        return true;
    }

    /**
     * @return whether the stream ends, its check right, where the rows read
     *         so far end: false when it writes a byte more, is broken or cut.
     * @throws PictureTooLarge when the picture's reading takes its time first.
     */
    bool endsHere()
    {
        if (m_ended)
            return true;
        uchar past = 0;
        m_z.next_out = &past;
        m_z.avail_out = 1;
        for (;;) {
            const int result = step();
            if (result == Z_STREAM_END)
                return m_z.avail_out == 1;
            if (result != Z_OK || m_z.avail_out == 0)
                return false;
        }
    }

private:
    /**
     * Calls zlib once, fed first with the next compressed bytes when it has
     * none left, and reckons the call's work.
     * @return zlib's result; Z_DATA_ERROR when the stream can go no further.
     */
    int step()
    {
        if (m_z.avail_in == 0 && !feed())
            return Z_DATA_ERROR;
        const uInt in = m_z.avail_in;
        const uInt out = m_z.avail_out;
        const int result = inflate(&m_z, Z_NO_FLUSH);
        const int64_t ps = int64_t(in - m_z.avail_in) * kCompressedBytePs + int64_t(out - m_z.avail_out) * kRowBytePs;
        if (PictureRead::overdue(std::chrono::nanoseconds(ps / 1000)))
            throw readingTooLong();
        /* No progress with bytes to read: nothing will come of calling it again. */
        return result == Z_BUF_ERROR && m_z.avail_in > 0 ? Z_DATA_ERROR : result == Z_BUF_ERROR ? Z_OK : result;
    }

    /**
     * Gives zlib the next compressed bytes: at most kInflateInputStep of the
     * data of the next IDAT chunk.
     * @return false when none are left.
     */
    bool feed()
    {
        while (m_left == 0) {
            if (m_at >= m_end)
                return false;
            if (PictureRead::overdue())
                throw readingTooLong();
            const int64_t length = be32(m_png + m_at);
            if (be32(m_png + m_at + 4) == kIdat) {
                m_data = m_png + m_at + 8;
                m_left = length;
            }
            m_at += 12 + length;
        }
        const int64_t bytes = std::min(m_left, kInflateInputStep);
        m_z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(m_data));
        m_z.avail_in = uInt(bytes);
        m_data += bytes;
        m_left -= bytes;
        return true;
    }

    const char *m_png;             ///< The image.
    int64_t m_at;                  ///< Where the next chunk begins.
    int64_t m_end;                 ///< Where the last IDAT chunk ends.
    const char *m_data = nullptr;  ///< The compressed bytes of the chunk being read not yet given to zlib.
    int64_t m_left = 0;            ///< How many of them there are.
    z_stream m_z{};                ///< zlib's state.
    bool m_open;                   ///< zlib's state was made.
    bool m_ended = false;          ///< The stream has ended.
};

/**
 * Sixteen bytes, or four 32-bit words, that the compiler adds and masks
 * with one instruction each: the loops over whole rows that have no
 * dependence from one pixel to the next work on these, as they are not
 * made into such instructions by themselves at the optimisation level of
 * the build.
 */
typedef uchar Bytes16 __attribute__((vector_size(16)));
typedef quint32 Words4 __attribute__((vector_size(16)));
typedef uchar Bytes8 __attribute__((vector_size(8)));
typedef short Shorts8 __attribute__((vector_size(16)));

/** @return the predictor of Paeth's filter for the bytes left, above and above left: whichever is nearest a + b - c. */
inline int paeth(int a, int b, int c)
{
    const int towardsB = b - c;
    const int towardsA = a - c;
    int nearest = std::abs(towardsB);
    int predictor = a;
    /* Picked without branches, which pictures of noise would mispredict: ties go to a, then b. */
    const int fromB = std::abs(towardsA);
    predictor = fromB < nearest ? b : predictor;
    nearest = std::min(nearest, fromB);
    return std::abs(towardsA + towardsB) < nearest ? c : predictor;
}

/** @return the @p Step bytes of a pixel from @p p on, each widened to a lane of its own. */
template <int Step>
inline Shorts8 pixelLanes(const uchar *p)
{
    Bytes8 bytes{};
    std::memcpy(&bytes, p, Step);
    return __builtin_convertvector(bytes, Shorts8);
}

/**
 * Undoes Paeth's filter of a row of pixels of @p Step bytes in place, the
 * bytes of a pixel side by side: their predictors depend on the pixel
 * before, but not on each other.
 */
template <int Step>
void unfilterPaeth(uchar *row, const uchar *above, int64_t bytes)
{
    Shorts8 left{};
    Shorts8 aboveLeft{};
    for (int64_t i = 0; i < bytes; i += Step) {
        const Shorts8 up = pixelLanes<Step>(above + i);
        const Shorts8 towardsB = up - aboveLeft;
        const Shorts8 towardsA = left - aboveLeft;
        const Shorts8 sum = towardsA + towardsB;
        Shorts8 nearest = towardsB < 0 ? -towardsB : towardsB;
        const Shorts8 fromB = towardsA < 0 ? -towardsA : towardsA;
        Shorts8 predictor = fromB < nearest ? up : left;
        nearest = fromB < nearest ? fromB : nearest;
        predictor = (sum < 0 ? -sum : sum) < nearest ? aboveLeft : predictor;
        left = (pixelLanes<Step>(row + i) + predictor) & 0xFF;
        aboveLeft = up;
        const Bytes8 out = __builtin_convertvector(left, Bytes8);
        std::memcpy(row + i, &out, Step);
    }
}

/**
 * Undoes the filter of a row in place.
 * @param row its @p bytes bytes; @param above those of the row above, zeros for a pass's first row.
 * @param step the bytes of one pixel, one at least.
 * @return false for a filter no PNG has.
 */
bool unfilter(int filter, uchar *row, const uchar *above, int64_t bytes, int step)
{
    switch (filter) {
    case 0: return true;
    case 1:
        for (int64_t i = step; i < bytes; ++i)
            row[i] = uchar(row[i] + row[i - step]);
        return true;
    case 2: {
        int64_t i = 0;
        for (; i + 16 <= bytes; i += 16) {
            Bytes16 sum;
            Bytes16 up;
            std::memcpy(&sum, row + i, 16);
            std::memcpy(&up, above + i, 16);
            sum += up;
            std::memcpy(row + i, &sum, 16);
        }
        for (; i < bytes; ++i)
            row[i] = uchar(row[i] + above[i]);
        return true;
    }
    case 3:
        for (int64_t i = 0; i < step; ++i)
            row[i] = uchar(row[i] + (above[i] >> 1));
        for (int64_t i = step; i < bytes; ++i)
            row[i] = uchar(row[i] + ((row[i - step] + above[i]) >> 1));
        return true;
    case 4:
        switch (step) {
        case 3: unfilterPaeth<3>(row, above, bytes); return true;
        case 4: unfilterPaeth<4>(row, above, bytes); return true;
        case 6: unfilterPaeth<6>(row, above, bytes); return true;
        case 8: unfilterPaeth<8>(row, above, bytes); return true;
        default: break;
        }
        for (int64_t i = 0; i < step; ++i)
            row[i] = uchar(row[i] + above[i]);
        for (int64_t i = step; i < bytes; ++i)
            row[i] = uchar(row[i] + paeth(row[i - step], above[i], above[i - step]));
        return true;
    default: return false;
    }
}

/** How a row of samples is put into the picture, by the image's colour type, depth and transparency. */
enum class Layout {
    Mono,        ///< 1 bit a pixel as it stands (a palette), Format_Mono.
    MonoGrey,    ///< 1-bit grey, its bits inverted (0 is black, and black is the table's second colour), Format_Mono.
    Indexed,     ///< Indices of 2 to 8 bits, one byte each, past the table's colours 0, Format_Indexed8.
    Grey8,       ///< Format_Grayscale8.
    Grey16,      ///< Format_Grayscale16.
    Rgb8,        ///< Format_RGB32.
    Rgb8Key,     ///< Format_ARGB32, the key's pixels transparent.
    GreyAlpha8,  ///< Format_ARGB32.
    Rgba8,       ///< Format_ARGB32.
    Rgb16,       ///< Format_RGBX64.
    Rgb16Key,    ///< Format_RGBA64, the key's pixels transparent.
    Grey16Key,   ///< Format_RGBA64, the key's pixels transparent.
    GreyAlpha16, ///< Format_RGBA64.
    Rgba16,      ///< Format_RGBA64.
};

/** How the rows of a PNG image become its picture. */
struct PngTarget {
    Layout layout = Layout::Rgba8;
    QImage::Format format = QImage::Format_ARGB32;
    int key[3] = {-1, -1, -1}; ///< The transparent colour's samples; -1 when none.
    int colours = 0;            ///< The colour table's entries, for Layout::Indexed.
};

/** @return the layout and format Qt's reader gives an image of the header and transparency. */
PngTarget targetOf(const PngHeader &h, std::span<const uchar> transparency)
{
    const bool keyed = !transparency.empty();
    const bool deep = h.depth == 16;
    PngTarget t;
    switch (h.colourType) {
    case kGrey:
        if (h.depth == 1)
            t = {Layout::MonoGrey, QImage::Format_Mono};
        else if (deep)
            t = keyed ? PngTarget{Layout::Grey16Key, QImage::Format_RGBA64}
                      : PngTarget{Layout::Grey16, QImage::Format_Grayscale16};
        else if (h.depth == 8 && !keyed)
            t = {Layout::Grey8, QImage::Format_Grayscale8};
        else
            t = {Layout::Indexed, QImage::Format_Indexed8};
        break;
    case kPalette:
        t = h.depth == 1 ? PngTarget{Layout::Mono, QImage::Format_Mono}
                         : PngTarget{Layout::Indexed, QImage::Format_Indexed8};
        break;
    case kRgb:
        if (deep)
            t = keyed ? PngTarget{Layout::Rgb16Key, QImage::Format_RGBA64}
                      : PngTarget{Layout::Rgb16, QImage::Format_RGBX64};
        else
            t = keyed ? PngTarget{Layout::Rgb8Key, QImage::Format_ARGB32}
                      : PngTarget{Layout::Rgb8, QImage::Format_RGB32};
        break;
    case kGreyAlpha:
        t = deep ? PngTarget{Layout::GreyAlpha16, QImage::Format_RGBA64}
                 : PngTarget{Layout::GreyAlpha8, QImage::Format_ARGB32};
        break;
    default:
        t = deep ? PngTarget{Layout::Rgba16, QImage::Format_RGBA64} : PngTarget{Layout::Rgba8, QImage::Format_ARGB32};
        break;
    }
    for (int i = 0; keyed && h.colourType != kPalette && i < h.samples; ++i)
        t.key[i] = be16(transparency.data() + 2 * i);
    /* Of 8-bit samples, the low byte of each of the key's is matched, as libpng matches it. */
    for (int i = 0; h.colourType == kRgb && h.depth == 8 && keyed && i < 3; ++i)
        t.key[i] &= 0xFF;
    return t;
}

/** Sets the colour table Qt's reader gives an image of the header, palette and transparency; @return its entries. */
int setColourTable(QImage &picture, const PngHeader &h, const PngChunks &chunks, const PngTarget &t)
{
    if (h.colourType == kPalette) {
        const int64_t entries = paletteEntries(h, chunks.palette);
        picture.setColorCount(t.format == QImage::Format_Mono ? 2 : int(entries));
        const uchar *rgb = chunks.palette.data();
        for (int64_t i = 0; i < entries; ++i) {
            const int alpha = i < int64_t(chunks.transparency.size()) ? chunks.transparency[size_t(i)] : 0xFF;
            picture.setColor(int(i), qRgba(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], alpha));
        }
        return int(entries);
    }
    if (t.layout == Layout::MonoGrey) {
        /* Its bits are inverted: the first colour is white, the second black. */
        picture.setColorCount(2);
        picture.setColor(0, t.key[0] == 1 ? qRgba(255, 255, 255, 0) : qRgb(255, 255, 255));
        picture.setColor(1, t.key[0] == 0 ? qRgba(0, 0, 0, 0) : qRgb(0, 0, 0));
        return 2;
    }
    if (t.layout != Layout::Indexed)
        return 0;
    /* Grey of fewer than 16 bits, or of 8 with a key: a table of evenly spaced greys, the key's transparent black. */
    const int colours = h.depth < 8 ? 1 << h.depth : 256;
    picture.setColorCount(colours);
    for (int i = 0; i < colours; ++i) {
        const int grey = i * 255 / (colours - 1);
        picture.setColor(i, qRgba(grey, grey, grey, 0xFF));
    }
    if (t.key[0] >= 0 && t.key[0] < colours)
        picture.setColor(t.key[0], 0);
    return colours;
}

/** @return 16-bit sample @p i of a row. */
inline quint16 sample16(const uchar *row, int64_t i)
{
    return quint16(row[2 * i] << 8 | row[2 * i + 1]);
}

/** Writes a pixel of Format_RGBA64 or Format_RGBX64: four 16-bit samples. */
inline void put64(uchar *out, int64_t x, quint16 r, quint16 g, quint16 b, quint16 a)
{
    const quint16 pixel[4] = {r, g, b, a};
    std::memcpy(out + 8 * x, pixel, 8);
}

/**
 * Puts a row of @p columns pixels of unfiltered samples into pixels of the
 * picture's format, side by side from @p out on (bits, for Format_Mono).
 */
void putRow(const PngHeader &h, const PngTarget &t, const uchar *in, int64_t columns, uchar *out)
{
    auto *out32 = reinterpret_cast<quint32 *>(out);
    auto *out16 = reinterpret_cast<quint16 *>(out);
    switch (t.layout) {
    case Layout::Mono: std::memcpy(out, in, size_t(h.stride(columns))); break;
    case Layout::MonoGrey:
        for (int64_t i = 0; i < h.stride(columns); ++i)
            out[i] = uchar(~in[i]);
        break;
    case Layout::Indexed: {
        const int depth = h.depth;
        const int mask = (1 << depth) - 1;
        for (int64_t x = 0; x < columns; ++x) {
            const int64_t bit = x * depth;
            const int index = in[bit / 8] >> (8 - depth - bit % 8) & mask;
            out[x] = uchar(index < t.colours ? index : 0);
        }
        break;
    }
    case Layout::Grey8: std::memcpy(out, in, size_t(columns)); break;
    case Layout::Grey16:
        for (int64_t x = 0; x < columns; ++x)
            out16[x] = sample16(in, x);
        break;
    case Layout::Rgb8:
        for (int64_t x = 0; x < columns; ++x)
            out32[x] = 0xFF000000u | quint32(in[3 * x]) << 16 | quint32(in[3 * x + 1]) << 8 | in[3 * x + 2];
        break;
    case Layout::Rgb8Key:
        for (int64_t x = 0; x < columns; ++x) {
            const uchar *p = in + 3 * x;
            const bool key = p[0] == t.key[0] && p[1] == t.key[1] && p[2] == t.key[2];
            out32[x] = (key ? 0u : 0xFF000000u) | quint32(p[0]) << 16 | quint32(p[1]) << 8 | p[2];
        }
        break;
    case Layout::GreyAlpha8:
        for (int64_t x = 0; x < columns; ++x)
            out32[x] = quint32(in[2 * x + 1]) << 24 | quint32(in[2 * x]) * 0x010101u;
        break;
    case Layout::Rgba8: {
        /* Bytes R, G, B, A become B, G, R, A: red and blue change places. */
        int64_t x = 0;
        for (; x + 4 <= columns; x += 4) {
            Words4 rgba;
            std::memcpy(&rgba, in + 4 * x, 16);
            rgba = (rgba & 0xFF00FF00u) | (rgba >> 16 & 0xFFu) | (rgba & 0xFFu) << 16;
            std::memcpy(out32 + x, &rgba, 16);
        }
        for (; x < columns; ++x) {
            quint32 rgba = 0;
            std::memcpy(&rgba, in + 4 * x, 4);
            out32[x] = (rgba & 0xFF00FF00u) | (rgba >> 16 & 0xFFu) | (rgba & 0xFFu) << 16;
        }
        break;
    }
    case Layout::Rgb16:
        for (int64_t x = 0; x < columns; ++x)
            put64(out, x, sample16(in, 3 * x), sample16(in, 3 * x + 1), sample16(in, 3 * x + 2), 0xFFFF);
        break;
    case Layout::Rgb16Key:
        for (int64_t x = 0; x < columns; ++x) {
            const quint16 r = sample16(in, 3 * x), g = sample16(in, 3 * x + 1), b = sample16(in, 3 * x + 2);
            const bool key = r == t.key[0] && g == t.key[1] && b == t.key[2];
            put64(out, x, r, g, b, key ? 0 : 0xFFFF);
        }
        break;
    case Layout::Grey16Key:
        for (int64_t x = 0; x < columns; ++x) {
            const quint16 grey = sample16(in, x);
            put64(out, x, grey, grey, grey, grey == t.key[0] ? 0 : 0xFFFF);
        }
        break;
    case Layout::GreyAlpha16:
        for (int64_t x = 0; x < columns; ++x) {
            const quint16 grey = sample16(in, 2 * x);
            put64(out, x, grey, grey, grey, sample16(in, 2 * x + 1));
        }
        break;
    case Layout::Rgba16:
        for (int64_t x = 0; x < columns; ++x)
            put64(out, x, sample16(in, 4 * x), sample16(in, 4 * x + 1), sample16(in, 4 * x + 2),
                  sample16(in, 4 * x + 3));
        break;
    }
}

/** Spreads the pixels of a row of a pass, side by side in @p pixels, over their columns of the picture's row @p out. */
void spreadRow(const QImage &picture, const PngPass &pass, const uchar *pixels, uchar *out)
{
    if (picture.depth() == 1) {
        for (int64_t c = 0; c < pass.columns; ++c) {
            const int64_t x = pass.x0 + c * pass.dx;
            const uchar bit = uchar(0x80 >> (x % 8));
            const bool set = pixels[c / 8] & (0x80 >> (c % 8));
            out[x / 8] = uchar(set ? out[x / 8] | bit : out[x / 8] & ~bit);
        }
        return;
    }
    const int64_t bytes = picture.depth() / 8;
    for (int64_t c = 0; c < pass.columns; ++c)
        std::memcpy(out + (pass.x0 + c * pass.dx) * bytes, pixels + c * bytes, size_t(bytes));
}

/**
 * Inflates, unfilters and puts every row of every pass into the picture.
 * @return false when the stream is broken, ends short of the rows or
 *         names a filter no PNG has.
 */
bool decodeRows(const PngHeader &h, const PngTarget &t, IdatStream &stream, QImage &picture)
{
    const std::vector<PngPass> passes = h.passes();
    const int64_t widest = h.stride(h.width);
    /* A filter byte and the row, for the row being read and the one above it. */
    std::vector<uchar> row(size_t(widest + 1));
    std::vector<uchar> above(size_t(widest + 1));
    std::vector<uchar> spread(h.interlaced ? size_t(picture.bytesPerLine()) : 0);
    for (const PngPass &pass : passes) {
        const int64_t stride = h.stride(pass.columns);
        std::fill(above.begin(), above.end(), uchar(0));
        for (int64_t r = 0; r < pass.rows; ++r) {
            if (!stream.read(row.data(), stride + 1) || !unfilter(row[0], row.data() + 1, above.data() + 1, stride,
                                                                  h.filterStep()))
                return false;
            uchar *line = picture.scanLine(int(pass.y0 + r * pass.dy));
            if (h.interlaced) {
                putRow(h, t, row.data() + 1, pass.columns, spread.data());
                spreadRow(picture, pass, spread.data(), line);
            } else {
                putRow(h, t, row.data() + 1, pass.columns, line);
            }
            std::swap(row, above);
        }
    }
    return true;
}

} // namespace

bool isPng(const char *image, int64_t size)
{
    return size >= 8 && QByteArray::fromRawData(image, 8) == QByteArray("\x89PNG\r\n\x1a\n", 8);
}

QImage decodePng(const char *png, int64_t size)
{
    const std::optional<PngHeader> h = readPngHeader(png, size);
    if (!h)
        return {};
    const std::optional<PngChunks> chunks = walkPngChunks(png, size, *h);
    /* A palette image needs its palette before its pixels. */
    if (!chunks || (h->colourType == kPalette && chunks->palette.empty()))
        return {};
    PngTarget target = targetOf(*h, chunks->transparency);
    QImage picture = newPicture(int(h->width), int(h->height), target.format);
    if (picture.isNull())
        return {};
    target.colours = setColourTable(picture, *h, *chunks, target);
    IdatStream stream(png, *chunks);
    if (!decodeRows(*h, target, stream, picture) || !stream.endsHere())
        return {};
    return picture;
}

} // namespace platform
