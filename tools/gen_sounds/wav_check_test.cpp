/** @file wav_check_test.cpp Tests of the WAV writer and the WAV checker against each other, on good and broken files. */
#include "synth.h"
#include "wav_check.h"
#include "wav_writer.h"

#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

using wavcheck::Bytes;

int g_passed = 0; ///< Cases that held.
int g_failed = 0; ///< Cases that did not.

/** Records one case: what the checker said against what it should have said. */
void expectEq(const std::string &name, const std::string &got, const std::string &want) {
  if (got == want) {
    ++g_passed;
    return;
  }
  ++g_failed;
  std::cerr << "FAIL " << name << ": got \"" << got << "\", want \"" << want << "\"\n";
}

/** @return A valid sound file: a 440 Hz tone at half level. */
Bytes goodFile(double seconds = 0.1) {
  std::vector<double> samples(static_cast<std::size_t>(seconds * gensnd::kSampleRate));
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = 0.5 * gensnd::sinTurns(440.0 * static_cast<double>(i) / gensnd::kSampleRate);
  return gensnd::encodeWav(samples);
}

/** Overwrites a little-endian value of the given width at an offset. */
void poke(Bytes &b, std::size_t at, std::uint32_t value, int bytes) {
  for (int k = 0; k < bytes; ++k)
    b[at + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value >> (8 * k));
}

/** @return The good file with one change made to it. */
Bytes broken(const std::function<void(Bytes &)> &change) {
  Bytes b = goodFile();
  change(b);
  return b;
}

/** Files that are wrong in one way each are refused with the matching reason. */
void testRefusals() {
  expectEq("good", wavcheck::checkWav(goodFile()), "");
  expectEq("not riff", wavcheck::checkWav(broken([](Bytes &b) { b[0] = 'X'; })), "not a RIFF/WAVE file");
  expectEq("too short for a header", wavcheck::checkWav(Bytes{'R', 'I', 'F', 'F'}), "not a RIFF/WAVE file");
  expectEq("truncated", wavcheck::checkWav(broken([](Bytes &b) { b.resize(b.size() - 2); })),
           "RIFF size does not match the file length");
  expectEq("data overruns",
           wavcheck::checkWav(broken([](Bytes &b) { poke(b, 40, static_cast<std::uint32_t>(b.size()), 4); })),
           "a chunk runs past the end of the file");
  expectEq("float", wavcheck::checkWav(broken([](Bytes &b) { poke(b, 20, 3, 2); })), "not PCM");
  expectEq("stereo", wavcheck::checkWav(broken([](Bytes &b) { poke(b, 22, 2, 2); })), "not mono");
  expectEq("44.1 kHz", wavcheck::checkWav(broken([](Bytes &b) { poke(b, 24, 44100, 4); })),
           "sample rate is not 22050");
  expectEq("8-bit", wavcheck::checkWav(broken([](Bytes &b) { poke(b, 34, 8, 2); })), "not 16-bit");
  expectEq("silent", wavcheck::checkWav(gensnd::encodeWav(std::vector<double>(2000, 0.01))), "silent");
  expectEq("no samples", wavcheck::checkWav(gensnd::encodeWav({})), "data length is zero or odd");
  expectEq("too long", wavcheck::checkWav(goodFile(3.0)), "longer than 2.5 s");
}

/** A file with an odd-sized extra chunk before the samples is still read correctly. */
void testExtraChunk() {
  Bytes b = goodFile();
  const Bytes list{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  b.insert(b.begin() + 36, list.begin(), list.end());
  poke(b, 4, static_cast<std::uint32_t>(b.size() - 8), 4);
  expectEq("extra chunk", wavcheck::checkWav(b), "");
}

/** The writer rounds to the nearest step, clamps beyond full scale and writes little-endian. */
void testQuantisation() {
  const Bytes b = gensnd::encodeWav({1.0, -1.0, 0.5, 2.0, -2.0});
  auto sampleAt = [&b](std::size_t k) {
    return std::to_string(static_cast<std::int16_t>(b[44 + 2 * k] | (b[45 + 2 * k] << 8)));
  };
  expectEq("full scale", sampleAt(0), "32767");
  expectEq("negative full scale", sampleAt(1), "-32767");
  expectEq("half", sampleAt(2), "16384");
  expectEq("clamped high", sampleAt(3), "32767");
  expectEq("clamped low", sampleAt(4), "-32768");
  expectEq("data size", std::to_string(b[40] | (b[41] << 8)), "10");
}

} // namespace

/** Runs all cases. @return 0 when all held. */
int main() {
  testRefusals();
  testExtraChunk();
  testQuantisation();
  std::cout << g_passed << " passed, " << g_failed << " failed\n";
  return g_failed == 0 ? 0 : 1;
}
