/** @file main.cpp Command-line entry of the sound generator: writes every station sound into a folder. */
#include "recipes.h"
#include "wav_writer.h"

#include <filesystem>
#include <iostream>
#include <system_error>

/**
 * Writes all sounds of the table into the folder named by the only argument, creating it if needed.
 * @return 0 when every file was written, 1 on a write failure, 2 on wrong usage.
 */
int main(int argc, char **argv) {
  if (argc != 2) {
    std::cerr << "usage: gen_sounds <output folder>\n";
    return 2;
  }
  const std::filesystem::path outDir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) {
    std::cerr << "gen_sounds: cannot create " << outDir.string() << ": " << ec.message() << "\n";
    return 1;
  }
  for (const gensnd::SoundRecipe &recipe : gensnd::soundTable()) {
    const std::string error =
        gensnd::writeFile((outDir / recipe.fileName).string(), gensnd::encodeWav(recipe.make().samples()));
    if (!error.empty()) {
      std::cerr << "gen_sounds: " << error << "\n";
      return 1;
    }
  }
  return 0;
}
