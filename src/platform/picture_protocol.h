/** @file picture_protocol.h What the program and its picture reader kamenna-pictures say to each other. */
#pragma once

#include <cstdint>

namespace platform::picture_protocol {

/*
 * The reader is started as "kamenna-pictures" (or "kamenna-pictures
 * --fonts", to draw the texts of metafiles in the system's fonts) with a
 * stream socket as its standard input, on which it reads requests and
 * writes answers. Once it has started it writes the byte Ready. A request
 * is a Request and the path's bytes; it is answered by an Answer, then the
 * picture's colour table (Answer::colours 32-bit colours), the text of a
 * refusal (Answer::textBytes of UTF-8) and, for a small picture, its pixels
 * (Answer::pixelBytes); a larger picture's pixels come as a sealed memory
 * file passed with the Answer. The reader reads one picture at a time and
 * ends when its socket closes.
 */

constexpr char Ready = 'R'; ///< The reader has started and waits for requests.

/** A picture to read. */
struct Request {
    uint32_t pathBytes = 0; ///< Bytes of the path that follows, as the file system holds it.
    int64_t allowedNs = 0;  ///< The processor time its reading may take; kNoReading when it is read on its own.
};

/**
 * A picture read within no reading of the program's: its file is read, and
 * then its decoding has its own time (kMaxPictureReadTime), as in a reading
 * of its own.
 */
constexpr int64_t kNoReading = -1;

/** How a reading ended. */
enum class Status : uint8_t {
    Picture = 'P',  ///< Read: the picture follows.
    Broken = 'B',   ///< Refused as the text says: missing, unreadable, broken.
    TooLarge = 'L', ///< Refused as too large, for its size, its memory or its time.
};

/** The answer to a request. */
struct Answer {
    Status status = Status::Broken;
    uint8_t forTimeLeft = 0;  ///< TooLarge only for the time left to the reading: a reading of its own might take it.
    uint8_t inlinePixels = 0; ///< Its pixels follow in the stream; else they come as a memory file.
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

/** The most pixel bytes sent in the stream; a larger picture comes as a memory file. */
constexpr int64_t kMaxInlinePixels = 64 * 1024;

/** The most colours of a colour table, and bytes of a refusal's text. */
constexpr int32_t kMaxColours = 256;
constexpr int32_t kMaxTextBytes = 4096;

/** The exit status of a reader that a sanitizer stopped at a fault of its own code. */
constexpr int kSanitizerExitStatus = 86;

} // namespace platform::picture_protocol
