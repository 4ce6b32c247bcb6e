/** @file picture_protocol.h What the program and its picture reader kamenna-pictures say to each other. */
#pragma once

#include <cstdint>

namespace platform::picture_protocol {

/*
 * The reader is started as "kamenna-pictures" (or "kamenna-pictures
 * --fonts", to draw the texts of metafiles in the system's fonts) with a
 * stream socket as its standard input, on which it reads requests and
 * writes answers. Once it has started it writes a Hello. A request is a
 * Request and the path's bytes; it is answered by an Answer, then the
 * picture's colour table (Answer::colours 32-bit colours), the text of a
 * refusal (Answer::textBytes of UTF-8) and, for a small picture, its pixels
 * (Answer::pixelBytes). A larger picture's pixels the program copies from
 * the reader's memory, where they stay until the next request, or, where
 * the system lets no process read another's memory, they come as a sealed
 * memory file passed with the Answer. The reader reads one picture at a
 * time and ends when its socket closes.
 */

constexpr char Ready = 'R'; ///< Hello::ready: the reader has started and waits for requests.

/**
 * What the reader says once started: that it is ready, and where in its
 * memory a few bytes of it lie, which the program reads there to learn
 * whether the system lets it read the reader's memory.
 */
struct Hello {
    char ready = Ready;
    char probe[7] = {'k', 'a', 'm', 'e', 'n', 'n', 'a'}; ///< The bytes the program reads where probeAt says.
    uint64_t probeAt = 0;                                ///< Where this Hello lies in the reader's memory.
};

/** How a picture's pixels reach the program. */
enum class Transfer : uint8_t {
    Inline = 'I',     ///< In the stream, after the refusal's text: a small picture.
    Copied = 'C',     ///< Copied by the program from the reader's memory, at Answer::pixelsAt.
    MemoryFile = 'M', ///< In a sealed memory file passed with the Answer, which the program maps.
};

/** A picture to read. */
struct Request {
    uint32_t pathBytes = 0; ///< Bytes of the path that follows, as the file system holds it.
    uint8_t copied = 0;     ///< Whether the program copies a larger picture from the reader's memory.
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
    uint64_t pixelsAt = 0;    ///< Where its pixels lie in the reader's memory, for Transfer::Copied.
};

/** The most pixel bytes sent in the stream; a larger picture comes as a memory file. */
constexpr int64_t kMaxInlinePixels = 64 * 1024;

/** The most colours of a colour table, and bytes of a refusal's text. */
constexpr int32_t kMaxColours = 256;
constexpr int32_t kMaxTextBytes = 4096;

/** The exit status of a reader that a sanitizer stopped at a fault of its own code. */
constexpr int kSanitizerExitStatus = 86;

} // namespace platform::picture_protocol
