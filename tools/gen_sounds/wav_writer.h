/** @file wav_writer.h Encoding of mono 16-bit PCM WAV files. */
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gensnd {

/**
 * Encodes samples as a complete RIFF/WAVE file: PCM, mono, 16 bits, kSampleRate.
 * Samples are rounded to the nearest step and clamped to full scale.
 * @param samples Samples nominally within [-1, 1].
 * @return The file's bytes, little-endian whatever the host.
 */
std::vector<std::uint8_t> encodeWav(const std::vector<double> &samples);

/**
 * Writes encoded bytes to a file, replacing it.
 * @param path Target file.
 * @param bytes Content.
 * @return Empty on success, otherwise a message saying what failed.
 */
std::string writeFile(const std::string &path, const std::vector<std::uint8_t> &bytes);

} // namespace gensnd
