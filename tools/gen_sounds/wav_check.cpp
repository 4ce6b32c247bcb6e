/** @file wav_check.cpp Validation of one station sound file: RIFF structure, PCM format, audible content. */
#include "wav_check.h"

#include <algorithm>

namespace wavcheck {

namespace {

constexpr std::uint32_t kRate = 22050; ///< The one sample rate the program's sounds use.
constexpr double kMaxSeconds = 2.5;    ///< Longest sound the program is meant to play.
constexpr int kMinPeak = 1000;         ///< A sound quieter than this is taken as silent.

/** @return The little-endian 16-bit value at an offset. */
std::uint32_t le16(const Bytes &b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

/** @return The little-endian 32-bit value at an offset. */
std::uint32_t le32(const Bytes &b, std::size_t at) {
  return le16(b, at) | (le16(b, at + 2) << 16);
}

/** @return Whether the four bytes at an offset spell the tag. */
bool tagAt(const Bytes &b, std::size_t at, const char *tag) {
  return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + static_cast<long>(at));
}

/** Where a WAV file keeps its format and its samples. */
struct WavLayout {
  std::size_t fmtAt = 0;      ///< Offset of the fmt chunk's body; 0 when absent.
  std::size_t dataAt = 0;     ///< Offset of the data chunk's body; 0 when absent.
  std::uint32_t dataSize = 0; ///< Length of the data chunk's body.
};

/**
 * Walks the chunks of a RIFF/WAVE file.
 * @param b The file.
 * @param layout Filled with where the fmt and data chunks are.
 * @return Empty when the chunk structure is sound, otherwise what is wrong.
 */
std::string findChunks(const Bytes &b, WavLayout &layout) {
  if (!tagAt(b, 0, "RIFF") || !tagAt(b, 8, "WAVE"))
    return "not a RIFF/WAVE file";
  if (le32(b, 4) != b.size() - 8)
    return "RIFF size does not match the file length";
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::uint32_t size = le32(b, at + 4);
    if (at + 8 + size > b.size())
      return "a chunk runs past the end of the file";
    if (tagAt(b, at, "fmt "))
      layout.fmtAt = at + 8;
    if (tagAt(b, at, "data")) {
      layout.dataAt = at + 8;
      layout.dataSize = size;
    }
    at += 8 + size + (size & 1);
  }
  if (layout.fmtAt == 0 || layout.dataAt == 0)
    return "fmt or data chunk missing";
  return {};
}

/** @return Empty when the fmt chunk says PCM, mono, 16 bits at the station rate, otherwise what differs. */
std::string checkFormat(const Bytes &b, std::size_t fmt) {
  if (le32(b, fmt - 4) < 16)
    return "fmt chunk too short";
  if (le16(b, fmt) != 1)
    return "not PCM";
  if (le16(b, fmt + 2) != 1)
    return "not mono";
  if (le32(b, fmt + 4) != kRate)
    return "sample rate is not 22050";
  if (le16(b, fmt + 14) != 16)
    return "not 16-bit";
  if (le16(b, fmt + 12) != 2 || le32(b, fmt + 8) != kRate * 2)
    return "block align or byte rate inconsistent";
  return {};
}

/** @return Empty when the samples are present, audible and not too long, otherwise what is wrong. */
std::string checkSamples(const Bytes &b, const WavLayout &layout) {
  if (layout.dataSize == 0 || layout.dataSize % 2 != 0)
    return "data length is zero or odd";
  if (layout.dataSize / 2.0 / kRate > kMaxSeconds)
    return "longer than 2.5 s";
  int peak = 0;
  for (std::size_t at = layout.dataAt; at < layout.dataAt + layout.dataSize; at += 2) {
    const auto v = static_cast<std::int16_t>(le16(b, at));
    peak = std::max(peak, v < 0 ? -static_cast<int>(v) : static_cast<int>(v));
  }
  if (peak < kMinPeak)
    return "silent";
  return {};
}

} // namespace

std::string checkWav(const Bytes &b) {
  WavLayout layout;
  std::string error = findChunks(b, layout);
  if (error.empty())
    error = checkFormat(b, layout.fmtAt);
  if (error.empty())
    error = checkSamples(b, layout);
  return error;
}

} // namespace wavcheck
