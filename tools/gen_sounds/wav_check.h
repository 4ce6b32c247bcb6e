/** @file wav_check.h Validation of one station sound file: RIFF structure, PCM format, audible content. */
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wavcheck {

using Bytes = std::vector<std::uint8_t>; ///< A whole file's content.

/**
 * Checks that a file is a well-formed RIFF/WAVE holding PCM, mono, 16-bit samples at
 * 22050 Hz, with a non-empty data chunk that is audible and at most 2.5 s long.
 * @param file The file's bytes.
 * @return Empty when all holds, otherwise what is wrong.
 */
std::string checkWav(const Bytes &file);

} // namespace wavcheck
