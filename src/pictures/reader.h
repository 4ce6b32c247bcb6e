/** @file reader.h The picture reader's work: given up privileges, requests read, answers given. */
#pragma once

#include "platform/picture_protocol.h"

#include <QByteArray>

#include <cstdint>

namespace pictures {

/** The reader's standard input: the socket of requests. */
constexpr int kRequests = 0;
/** The reader's standard output: the pipe of answers. */
constexpr int kAnswers = 1;

/**
 * Ways into the reader's work for a reader built for the tests, which lies
 * and misbehaves where the program must hold against it. The program's
 * reader has none.
 */
struct ReaderHooks {
    /** Says the reader's hello in its place once it has given up its privileges; @return whether it did. */
    bool (*hello)() = nullptr;
    /**
     * Answers a request in the reader's place, the pixel window at hand
     * (null until it came); @return whether it did.
     */
    bool (*answer)(const platform::picture_protocol::Request &request, const QByteArray &path, uchar *window) = nullptr;
    /** Leaves out the Landlock domain, as on a kernel that has none: what else it gives up must hold there too. */
    bool withoutLandlock = false;
};

/**
 * Runs the picture reader: starts Qt (with the system's fonts given
 * "--fonts"), holds itself to its limits, gives up what it may do, says it
 * is ready and answers requests until its input closes.
 * @return the process's exit status.
 */
int runReader(int argc, char **argv, const ReaderHooks &hooks = {});

/** Writes all of some bytes as the answer; ends the reader when it cannot. */
void writeAnswer(const void *bytes, size_t n);

} // namespace pictures
