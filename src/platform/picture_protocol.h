/** @file picture_protocol.h What the program and its picture reader kamenna-pictures say to each other. */
#pragma once

#include "platform/picture_limits.h"

#include <cstdint>

namespace platform::picture_protocol {

/*
 * The reader is started as "kamenna-pictures" (or "kamenna-pictures
 * --fonts", to draw the texts of metafiles in the system's fonts) with two
 * channels and the pixel window, and nothing else of the program's:
 * requests come on its
 * standard input, a stream socket whose other end the program has shut
 * for reading, so the reader can send nothing back on it; answers go out
 * on its standard output, a pipe, so no descriptor can come back with
 * them. Its descriptor 3 is the pixel window: a memory file of
 * kWindowBytes, sealed against growing and shrinking, which both sides map
 * once and keep (a reader started without it is sent it with its first
 * request). Once it has started, before it reads any file, it writes a
 * Hello. A request is a Request and the path's bytes. It
 * is answered by an Answer bearing the request's id, then the picture's
 * colour table (Answer::colours 32-bit colours), the text of a refusal
 * (Answer::textBytes of UTF-8) and, for a small picture, its pixels
 * (Answer::pixelBytes). A larger picture's pixels lie at the start of the
 * window, where the program copies them from before it sends the next
 * request: decoded there, or, where Qt's readers decoded them elsewhere,
 * copied there by the reader, on its own time. The program reads nothing
 * of the reader's own memory. The reader reads one picture at a time and
 * ends when its input closes.
 */

/** Hello::magic: the reader has started and waits for requests. */
constexpr uint32_t kHelloMagic = 0x4B505231; // "KPR1"

/** What the reader says once started, ready for requests. */
struct Hello {
    uint32_t magic = kHelloMagic;
};

/** How a picture's pixels reach the program. */
enum class Transfer : uint8_t {
    Inline = 'I', ///< In the stream, after the refusal's text: a small picture.
    Window = 'W', ///< At the start of the pixel window, where the reader's decoders write them or the reader copies them.
};

/** A picture to read. */
struct Request {
    uint64_t id = 0;        ///< Echoed by the answer: a number the reader cannot foresee, never 0.
    uint32_t pathBytes = 0; ///< Bytes of the path that follows, as the file system holds it.
    int64_t allowedNs = 0;  ///< The processor time its reading may take; kNoReading when it is read on its own.
};

/**
 * A picture read within no reading of the program's: its file is read, and
 * then its decoding has its own time (kMaxPictureReadTime), as in a reading
 * of its own.
 */
constexpr int64_t kNoReading = -1;

/**
 * How long before its hard processor-time limit (whole seconds, as the
 * kernel keeps it) the reader's own timer ends it by SIGXCPU: the program
 * reads the hard limit and gives a reader no picture it may not finish
 * before its timer.
 */
constexpr int64_t kTimerBeforeHardLimitNs = 2000000000;

/** How a reading ended. */
enum class Status : uint8_t {
    Picture = 'P',  ///< Read: the picture follows.
    Broken = 'B',   ///< Refused as the text says: missing, unreadable, broken.
    TooLarge = 'L', ///< Refused as too large, for its size, its memory or its time.
};

/** The answer to a request. */
struct Answer {
    uint64_t id = 0;          ///< The request's id.
    Status status = Status::Broken;
    uint8_t forTimeLeft = 0;  ///< TooLarge only for the time left to the reading: a reading of its own might take it.
    Transfer transfer = Transfer::Inline; ///< How its pixels come.
    uint8_t ending = 0;       ///< The reader ends after this answer: it ran out of memory.
    int32_t format = 0;       ///< QImage::Format.
    int32_t width = 0;
    int32_t height = 0;
    int32_t bytesPerLine = 0;
    int32_t dotsPerMeterX = 0;
    int32_t dotsPerMeterY = 0;
    int32_t colours = 0;      ///< Entries of its colour table.
    int32_t textBytes = 0;    ///< Bytes of the refusal's text.
    int64_t pixelBytes = 0;   ///< Bytes of its pixels: bytesPerLine × height.
};

/** The most pixel bytes sent in the stream; a larger picture comes in the window. */
constexpr int64_t kMaxInlinePixels = 64 * 1024;

/** The bytes of the pixel window: the largest picture's pixels. */
constexpr int64_t kWindowBytes = kMaxPictureBytes;

/** The most colours of a colour table, and bytes of a refusal's text. */
constexpr int32_t kMaxColours = 256;
constexpr int32_t kMaxTextBytes = 4096;

/** The exit status of a reader that a sanitizer stopped at a fault of its own code. */
constexpr int kSanitizerExitStatus = 86;

} // namespace platform::picture_protocol
