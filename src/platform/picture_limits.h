/** @file picture_limits.h The limits every picture file is held to before and while it is decoded. */
#pragma once

#include <chrono>
#include <cstdint>

namespace platform {

/**
 * Pictures wider or higher than this, by their header, are refused before
 * any pixel is decoded. The largest picture of the program is the desk's
 * block panel of 1280 x 987 pixels, a vehicle some 250 x 64; the largest
 * allowed picture takes 64 MB at 32 bits a pixel.
 */
inline constexpr int64_t kMaxPictureSide = 4096;

/**
 * The most memory one decoded picture may take, whatever its kind and
 * depth: the largest allowed picture at 32 bits a pixel. A picture whose
 * pixels would take more (a 16-bit PNG inside an icon takes 64 bits a
 * pixel) is refused before it is decoded, and Qt's readers are held to it
 * too (QImageReader::setAllocationLimit, in megabytes).
 */
inline constexpr int64_t kMaxPictureBytes = kMaxPictureSide * kMaxPictureSide * 4;

/**
 * The largest picture file read: the pixels of the largest allowed picture
 * at 32 bits and a megabyte for its headers and colour table, so that such
 * a bitmap is read, not refused for its file. Reading one holds the file
 * and its decoded pixels together, some 130 MB at the most. A larger file
 * is refused as too large before it is read.
 */
inline constexpr int64_t kMaxPictureFileSize = kMaxPictureBytes + 1024 * 1024;

/**
 * An icon's bitmap image wider or higher than this is refused as a broken
 * one is, before its pixels are walked: Qt's icon reader shows none larger.
 * A PNG image inside an icon is held to kMaxPictureSide.
 */
inline constexpr int64_t kMaxIconBitmapSide = 256;

/**
 * The most memory all the vehicle pictures kept for one game may take
 * together: four of the largest allowed pictures, some thousand times the
 * pictures of a real vehicles file. A picture past it is refused as a
 * broken one is.
 */
inline constexpr int64_t kMaxKeptPictureBytes = 4 * kMaxPictureBytes;

/**
 * The compressed pixels (IDAT chunks, each with its length, type and
 * check) a PNG inside an icon may hold beyond the bytes of its rows as
 * deflated (a filter byte and the samples of each row, of all seven passes
 * of an interlaced one) and an eighth of them more, what deflate's fixed
 * codes take at worst: inflating them is never more work than the picture
 * needs. A PNG with more is refused as a broken one is.
 */
inline constexpr int64_t kMaxPngIdatSlack = 1024;

/**
 * How much the picture reader's process may grow past what it holds once
 * started, in memory of every kind (its address space: its data, the
 * pixel window, the files it maps, the fonts' among them): the kernel
 * refuses it more, and a picture that would need more fails inside the
 * reader, as too large. The largest picture needs some 200 MB there (its
 * file, its pixels as Qt's reader decodes them, and the window); what is
 * left below 256 MB is the program's, so that no picture takes the game's
 * processes 256 MB past where they stood.
 */
inline constexpr long kMaxPictureReaderMemory = 224L * 1024 * 1024;

/**
 * The most memory libjpeg may take for one picture, beside the decoded
 * pixels. A progressive JPEG keeps every coefficient of the whole picture
 * until its last scan: 64 of 16 bits a block of 8 x 8 samples, two bytes a
 * sample of each component. The largest picture the size allows in the
 * most components a picture is read in (CMYK) holds 4096 x 4096 x 4 x 2
 * bytes, 128 MB, and libjpeg's rows and tables take a few hundred KB more;
 * the limit is that and 8 MB, so that no picture within the size is
 * refused for it. The reader's memory is bounded by the system besides
 * (kMaxPictureReaderMemory).
 */
inline constexpr long kMaxJpegMemory = 4 * kMaxPictureSide * kMaxPictureSide * 2 + 8L * 1024 * 1024;

/** The most scans of a progressive JPEG; real files have about ten. */
inline constexpr int kMaxJpegScans = 256;

/**
 * The work one metafile may cost: its records (every polygon of a record
 * of several counts as one), the points of its shapes and texts, and the
 * area its shapes cover on the picture (each shape's box with its pen,
 * clipped to the picture), to which its texts and the fonts they are
 * drawn in add what laying them out costs. The shipped vehicles take a few
 * hundred records and less than the picture's own area a few times over.
 */
inline constexpr int64_t kMaxMetafileRecords = 100000;
inline constexpr int64_t kMaxMetafilePoints = 1000000;
inline constexpr int64_t kMaxMetafileArea = 4 * kMaxPictureSide * kMaxPictureSide;

/**
 * How many times slower than the plain build the program's own code runs
 * in the build instrumented by the sanitizers, which looks for memory
 * faults, not for time: its readings of pictures get as much longer, so
 * that a picture is refused there for the same work as here. Qt's and the
 * libraries' own code is not instrumented, so what a pixel costs them
 * stays the same.
 */
#ifdef KAMENNA_INSTRUMENTED
inline constexpr int kInstrumentedSlowdown = 2;
#else
inline constexpr int kInstrumentedSlowdown = 1;
#endif

/**
 * The most processor time reading one picture may take, whatever its kind:
 * the last guard behind the budgets above, so that no record they do not
 * foresee makes a picture cost more. A picture still being read past it
 * is refused as a broken one is. The shipped pictures take a few
 * milliseconds, pictures just within the budgets about a tenth of a second;
 * the costliest valid pictures the size limits let through (progressive
 * JPEGs of 3,000 pixels a side at full colour resolution, or of 4,096 at
 * 4:2:0, as grainy as a photo is) some 0.3 s, which this leaves room
 * for on a busy machine. It is the picture's own, whatever its train's
 * other pictures took.
 */
inline constexpr std::chrono::milliseconds kMaxPictureReadTime{500 * kInstrumentedSlowdown};

/**
 * What one pixel costs the readers of Qt that the program hands pictures
 * of the data directory to: its BMP and ICO readers (uncompressed bitmaps,
 * in a BMP file, an icon or a metafile). One call of such a reader decodes
 * a whole picture and no deadline can stop it halfway, so a picture is
 * handed to it only when its pixels at this cost fit the processor time
 * left to its reading (PictureRead::remaining), and is refused as too large
 * otherwise (PictureTooLarge). Measured at the worst, on 4096 x 4096
 * bitmaps of 32 bits with an alpha mask (7 ns), and taken twice over, so
 * that a slower machine still stays within the time: a picture's own
 * reading admits a bitmap of the largest allowed size. A PNG inside an
 * icon is decoded by the program itself, its loops on the clock.
 */
inline constexpr std::chrono::nanoseconds kQtBitmapPixelTime{16};

/**
 * The most time, of the processor and of the wall clock, the placing of one
 * train may take in a tick: the finding of its pictures' files (the folders
 * listed for them) and the waits for the picture reader, together. What is
 * not done by then (a path half found, a picture its reader has not
 * answered yet) is left for the next tick, so that no tick takes a second
 * however little of the processor the machine gives the game; each
 * picture has its own time in its reader (kMaxPictureReadTime), which
 * goes on between the ticks. Once it is spent no further picture is sent
 * to a reader or waited for.
 */
inline constexpr std::chrono::milliseconds kMaxPlacingTime{500};

} // namespace platform
