/** @file check_main.cpp Checks a folder of generated sounds: names, WAV format, and sameness with the committed copies. */
#include "wav_check.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kMaxTotal = 1 << 20; ///< Budget for all sounds together, in bytes.

/** @return The whole file, or empty if it cannot be read. */
wavcheck::Bytes readAll(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return wavcheck::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/** @return Every regular file name in a folder; none if it cannot be read. */
std::set<std::string> filesIn(const fs::path &dir) {
  std::set<std::string> names;
  std::error_code ec;
  for (const auto &entry : fs::directory_iterator(dir, ec))
    if (entry.is_regular_file())
      names.insert(entry.path().filename().string());
  return names;
}

/** Prints one problem and counts it. */
void fail(int &problems, const std::string &name, const std::string &what) {
  std::cerr << "FAIL " << name << ": " << what << "\n";
  ++problems;
}

} // namespace

/**
 * Usage: gen_sounds_check <generated folder> <committed folder> <file name>...
 * Checks that the generated folder holds exactly the named files, each a valid mono 16-bit
 * PCM WAV at 22050 Hz with audible content, all together within the size budget, and each
 * byte for byte the same as its committed copy.
 * @return 0 when all holds, 1 otherwise, 2 on wrong usage.
 */
int main(int argc, char **argv) {
  if (argc < 4) {
    std::cerr << "usage: gen_sounds_check <generated folder> <committed folder> <file name>...\n";
    return 2;
  }
  const fs::path generated = argv[1];
  const fs::path committed = argv[2];
  const std::set<std::string> expected(argv + 3, argv + argc);
  int problems = 0;
  for (const std::string &extra : filesIn(generated))
    if (!expected.count(extra))
      fail(problems, extra, "not one of the expected sounds");
  std::uintmax_t total = 0;
  for (const std::string &name : expected) {
    const wavcheck::Bytes made = readAll(generated / name);
    if (made.empty()) {
      fail(problems, name, "missing or empty in " + generated.string());
      continue;
    }
    total += made.size();
    if (const std::string error = wavcheck::checkWav(made); !error.empty())
      fail(problems, name, error);
    if (readAll(committed / name) != made)
      fail(problems, name,
           "differs from the committed copy in " + committed.string() + " (remake it with gen_sounds)");
  }
  if (total > kMaxTotal)
    fail(problems, "all", "together " + std::to_string(total) + " bytes, over the 1 MiB budget");
  std::cout << expected.size() << " sounds checked, " << problems << " problems\n";
  return problems == 0 ? 0 : 1;
}
