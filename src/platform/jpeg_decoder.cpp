/** @file jpeg_decoder.cpp JPEG pictures through libjpeg, with broken files turned into errors. */
#include "platform/jpeg_decoder.h"

#include "platform/picture_limits.h"
#include "platform/picture_memory.h"
#include "platform/picture_read.h"
#include "ui/sim_error.h"

#include <QString>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

/*
 * libjpeg reports a fatal error by calling error_exit, which must not
 * return. Ours jumps back with longjmp to the setjmp of the function that
 * called into libjpeg. Those functions (startDecoding, readPixels,
 * compressRows) hold only plain C data in their frames, so the jump skips
 * no destructor; the C++ objects live one frame further out.
 */

namespace platform {

namespace {

/** libjpeg's error manager with the place to jump back to and the failure's text. */
struct ErrorManager {
    jpeg_error_mgr pub;              ///< libjpeg's part; must stay first.
    std::jmp_buf jump;               ///< Where a fatal error returns to.
    char message[JMSG_LENGTH_MAX];   ///< libjpeg's text of the last failure.
    bool tooLarge;                   ///< The failure is the picture's size, its memory or its time, not a broken file.
};

/** A decompression together with its error manager. Plain C data only; info comes first. */
struct DecodeJob {
    jpeg_decompress_struct info; ///< libjpeg's state.
    ErrorManager error;          ///< Error manager of info.
    jpeg_progress_mgr progress;  ///< Called by libjpeg as it goes; counts scans and memory.
    size_t peakBytes;            ///< The most memory libjpeg held for this picture.
};

/*
 * libjpeg's memory manager keeps the count of the bytes it holds right
 * after its public part and its pool lists; the layout is the one of
 * jmemmgr.c, the same in every libjpeg since 6b and in libjpeg-turbo.
 */
struct MemoryManagerCount {
    jpeg_memory_mgr pub;               ///< The public part, as the header declares it.
    void *smallPools[JPOOL_NUMPOOLS];  ///< Lists of small allocations, per pool.
    void *largePools[JPOOL_NUMPOOLS];  ///< Lists of large allocations, per pool.
    void *sampleArrays;                ///< Virtual sample arrays.
    void *blockArrays;                 ///< Virtual coefficient arrays.
    size_t totalSpaceAllocated;        ///< Bytes held now, every pool counted.
};

/** Notes the memory libjpeg holds now in the job's peak. */
void notePeak(DecodeJob *job)
{
    const auto *count = reinterpret_cast<const MemoryManagerCount *>(job->info.mem);
    if (count)
        job->peakBytes = std::max(job->peakBytes, count->totalSpaceAllocated);
}

/** A compression together with its error manager and output. Plain C data only. */
struct CompressJob {
    jpeg_compress_struct info;   ///< libjpeg's state.
    ErrorManager error;          ///< Error manager of info.
    unsigned char *output;       ///< File content, malloc'ed by libjpeg; freed by the caller.
    unsigned long outputSize;    ///< Bytes in output.
};

/** @return whether a libjpeg failure is one of the picture's size or the memory it needs. */
bool meansTooLarge(int code)
{
    switch (code) {
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
        return true;
    default:
        return false;
    }
}

/** libjpeg's fatal error: keep the text and jump back. */
void onFatalError(j_common_ptr cinfo)
{
    auto *error = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->message);
    error->tooLarge = meansTooLarge(cinfo->err->msg_code);
    std::longjmp(error->jump, 1);
}

/** @return whether a libjpeg warning means that picture data is lost. */
bool losesData(int code)
{
    switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
        return true;
    default:
        return false;
    }
}

/**
 * libjpeg's warnings and traces: a warning that loses picture data is a
 * failure (libjpeg would fill the rest with grey); other warnings and all
 * traces are ignored and print nothing.
 */
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && losesData(cinfo->err->msg_code))
        onFatalError(cinfo);
}

/**
 * Fails the job with a text of its own: jumps back as a fatal error of libjpeg does.
 * @param tooLarge the picture is refused for its size or its time, not as a broken file.
 */
[[noreturn]] void failWith(j_common_ptr cinfo, const char *text, bool tooLarge)
{
    auto *error = reinterpret_cast<ErrorManager *>(cinfo->err);
    std::snprintf(error->message, sizeof error->message, "%s", text);
    error->tooLarge = tooLarge;
    std::longjmp(error->jump, 1);
}

/** libjpeg's progress, between rows and scans: notes its memory, refuses a file of endless scans or work. */
void onProgress(j_common_ptr cinfo)
{
    auto *job = reinterpret_cast<DecodeJob *>(cinfo);
    notePeak(job);
    if (job->info.input_scan_number > kMaxJpegScans)
        failWith(cinfo, "too many scans", false);
    if (PictureRead::overdue())
        failWith(cinfo, "too much work", true);
}

/** Points the job's error manager at our handlers. */
void installErrorManager(jpeg_error_mgr *pub)
{
    jpeg_std_error(pub);
    pub->error_exit = onFatalError;
    pub->emit_message = onMessage;
}

/**
 * Writes one decoded row (1, 3 or 4 components per pixel) as RGB32 pixels.
 * Four are CMYK as Adobe's writers store it, each ink inverted (255 for
 * none), so red is c * k / 255 of the stored cyan and black, green and
 * blue alike of magenta and yellow. Qt's JPEG reader reads every CMYK file
 * so, with or without Adobe's marker, and so does this.
 */
void convertRow(const JSAMPLE *in, int components, QRgb *out, JDIMENSION width)
{
    if (components == 4) {
        for (JDIMENSION x = 0; x < width; ++x, in += 4) {
            const int k = in[3];
            out[x] = qRgb(in[0] * k / 255, in[1] * k / 255, in[2] * k / 255);
        }
        return;
    }
    for (JDIMENSION x = 0; x < width; ++x, in += components) {
        const int r = in[0];
        const int g = components == 3 ? in[1] : r;
        const int b = components == 3 ? in[2] : r;
        out[x] = qRgb(r, g, b);
    }
}

/**
 * @return the samples libjpeg is asked for: grayscale, CMYK (YCCK turned
 *         into it by libjpeg), or for a colour picture RGB32 pixels
 *         already, alpha 0xFF, converted by libjpeg's own fast code.
 */
J_COLOR_SPACE outputSpaceOf(J_COLOR_SPACE file)
{
    switch (file) {
    case JCS_GRAYSCALE:
        return JCS_GRAYSCALE;
    case JCS_CMYK:
    case JCS_YCCK:
        return JCS_CMYK;
    default:
        return Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    }
}

/**
 * Creates the decompression, reads the header and starts decoding to
 * grayscale samples, CMYK samples or RGB32 pixels.
 * @return false when libjpeg failed; the text is in job->error.message.
 */
bool startDecoding(DecodeJob *job, const unsigned char *data, unsigned long size)
{
    job->info.err = &job->error.pub;
    installErrorManager(&job->error.pub);
    if (setjmp(job->error.jump))
        return false;
    jpeg_create_decompress(&job->info);
    job->info.mem->max_memory_to_use = kMaxJpegMemory;
    job->progress.progress_monitor = onProgress;
    job->info.progress = &job->progress;
    jpeg_mem_src(&job->info, data, size);
    jpeg_read_header(&job->info, TRUE);
    /* Looked at before libjpeg allocates for the picture: a few bytes may promise any size. */
    if (job->info.image_width > kMaxPictureSide || job->info.image_height > kMaxPictureSide)
        failWith(reinterpret_cast<j_common_ptr>(&job->info), "picture too large", true);
    job->info.out_color_space = outputSpaceOf(job->info.jpeg_color_space);
    jpeg_start_decompress(&job->info);
    notePeak(job);
    return true;
}

/**
 * Decodes all rows into RGB32 pixels.
 * @param bits the first pixel row of a picture of the output size.
 * @param bytesPerLine the distance between pixel rows.
 * @return false when libjpeg failed; the text is in job->error.message.
 */
bool readPixels(DecodeJob *job, unsigned char *bits, qsizetype bytesPerLine)
{
    if (setjmp(job->error.jump))
        return false;
    jpeg_decompress_struct *info = &job->info;
    /* RGB32 pixels are the picture's own: written where they go. CMYK ones are converted row by row. */
    const bool inPlace = info->out_color_space == JCS_EXT_BGRA || info->out_color_space == JCS_EXT_ARGB;
    while (inPlace && info->output_scanline < info->output_height) {
        JSAMPROW at = bits + info->output_scanline * bytesPerLine;
        if (jpeg_read_scanlines(info, &at, 1) != 1) {
            std::snprintf(job->error.message, sizeof job->error.message, "no scanline read");
            return false;
        }
    }
    JSAMPARRAY row = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                info->output_width * info->output_components, 1);
    while (info->output_scanline < info->output_height) {
        const JDIMENSION y = info->output_scanline;
        if (jpeg_read_scanlines(info, row, 1) != 1) {
            std::snprintf(job->error.message, sizeof job->error.message, "no scanline read");
            return false;
        }
        convertRow(row[0], info->output_components,
                   reinterpret_cast<QRgb *>(bits + y * bytesPerLine), info->output_width);
    }
    notePeak(job);
    jpeg_finish_decompress(info);
    return true;
}

/**
 * Compresses rows of 8-bit samples into a JPEG file in job->output.
 * @param bits the first row; each row holds width × components samples.
 * @return false when libjpeg failed; the text is in job->error.message.
 */
bool compressRows(CompressJob *job, const unsigned char *bits, qsizetype bytesPerLine,
                  int width, int height, int components, int quality)
{
    job->info.err = &job->error.pub;
    installErrorManager(&job->error.pub);
    if (setjmp(job->error.jump))
        return false;
    jpeg_create_compress(&job->info);
    jpeg_mem_dest(&job->info, &job->output, &job->outputSize);
    job->info.image_width = static_cast<JDIMENSION>(width);
    job->info.image_height = static_cast<JDIMENSION>(height);
    job->info.input_components = components;
    job->info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&job->info);
    jpeg_set_quality(&job->info, quality, TRUE);
    jpeg_start_compress(&job->info, TRUE);
    while (job->info.next_scanline < job->info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(bits + job->info.next_scanline * bytesPerLine);
        jpeg_write_scanlines(&job->info, &row, 1);
    }
    jpeg_finish_compress(&job->info);
    return true;
}

/** @return the text of a failed decoding. */
QString decodeFailure(const char *detail)
{
    return QStringLiteral("Poškozený obrázek JPEG: %1").arg(QString::fromUtf8(detail));
}

/** @return the text of a job whose decoding stopped: too large, or a broken file. */
QString failureOf(const DecodeJob &job)
{
    if (job.error.tooLarge)
        return QStringLiteral("Obrázek JPEG je příliš velký: %1").arg(QString::fromUtf8(job.error.message));
    return decodeFailure(job.error.message);
}

/**
 * Decodes the pixels of a started job into a new picture.
 * @return the picture, or a null one when it failed: why is in job->error,
 *         as libjpeg's failures are.
 */
QImage decodeStarted(DecodeJob *job)
{
    const qint64 width = job->info.output_width;
    const qint64 height = job->info.output_height;
    QImage image;
    if (width <= kMaxPictureSide && height <= kMaxPictureSide)
        image = newPicture(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) {
        std::snprintf(job->error.message, sizeof job->error.message, "%lld × %lld", width, height);
        job->error.tooLarge = true;
        return {};
    }
    return readPixels(job, image.bits(), image.bytesPerLine()) ? image : QImage();
}

} // namespace

QImage decodeJpeg(const QByteArray &data, JpegMemory *memory)
{
    const PictureRead read;
    if (data.isEmpty())
        throw ui::SimError(decodeFailure("empty file"));
    DecodeJob job{};
    const auto *bytes = reinterpret_cast<const unsigned char *>(data.constData());
    const bool started = startDecoding(&job, bytes, static_cast<unsigned long>(data.size()));
    const QImage image = started ? decodeStarted(&job) : QImage();
    notePeak(&job);
    if (memory)
        *memory = {qint64(job.peakBytes), image.sizeInBytes()};
    const QString failure = image.isNull() ? failureOf(job) : QString();
    jpeg_destroy_decompress(&job.info);
    if (image.isNull() && job.error.tooLarge)
        throw PictureTooLarge(failure);
    if (image.isNull())
        throw ui::SimError(failure);
    return image;
}

QByteArray encodeJpeg(const QImage &image, int quality)
{
    if (image.isNull())
        throw ui::SimError(QStringLiteral("Obrázek JPEG nelze vytvořit: prázdný obrázek"));
    const bool gray = image.format() == QImage::Format_Grayscale8;
    const QImage samples = gray ? image : image.convertToFormat(QImage::Format_RGB888);
    CompressJob job{};
    const bool done = compressRows(&job, samples.constBits(), samples.bytesPerLine(),
                                   samples.width(), samples.height(), gray ? 1 : 3,
                                   std::clamp(quality, 1, 100));
    jpeg_destroy_compress(&job.info);
    QByteArray file;
    if (done)
        file = QByteArray(reinterpret_cast<const char *>(job.output),
                          static_cast<qsizetype>(job.outputSize));
    std::free(job.output);
    if (!done)
        throw ui::SimError(QStringLiteral("Obrázek JPEG nelze vytvořit: %1")
                               .arg(QString::fromLocal8Bit(job.error.message)));
    return file;
}

} // namespace platform
