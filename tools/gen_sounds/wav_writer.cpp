/** @file wav_writer.cpp Encoding of mono 16-bit PCM WAV files. */
#include "wav_writer.h"

#include "synth.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace gensnd {

namespace {

constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;

/** Appends a 4-character chunk tag. */
void putTag(std::vector<std::uint8_t> &out, const char *tag) {
  for (int k = 0; k < 4; ++k)
    out.push_back(static_cast<std::uint8_t>(tag[k]));
}

/** Appends a 16-bit value, least significant byte first. */
void put16(std::vector<std::uint8_t> &out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

/** Appends a 32-bit value, least significant byte first. */
void put32(std::vector<std::uint8_t> &out, std::uint32_t v) {
  put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  put16(out, static_cast<std::uint16_t>(v >> 16));
}

/** @return The sample as a signed 16-bit value, rounded and clamped. */
std::int16_t quantise(double s) {
  const double scaled = std::floor(s * 32767.0 + 0.5);
  return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

} // namespace

std::vector<std::uint8_t> encodeWav(const std::vector<double> &samples) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBlockAlign);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  putTag(out, "RIFF");
  put32(out, 36 + dataBytes);
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  put32(out, 16);
  put16(out, 1); /* PCM */
  put16(out, kChannels);
  put32(out, kSampleRate);
  put32(out, kSampleRate * kBlockAlign);
  put16(out, kBlockAlign);
  put16(out, kBitsPerSample);
  putTag(out, "data");
  put32(out, dataBytes);
  for (double s : samples)
    put16(out, static_cast<std::uint16_t>(quantise(s)));
  return out;
}

std::string writeFile(const std::string &path, const std::vector<std::uint8_t> &bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file)
    return "cannot create " + path;
  file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file)
    return "cannot write " + path;
  return {};
}

} // namespace gensnd
