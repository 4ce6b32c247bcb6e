/** @file recipes.h The table of the station's sounds and the recipe that makes each. */
#pragma once

#include "synth.h"

#include <span>

namespace gensnd {

/** One sound file of the data folder and the function that synthesises it. */
struct SoundRecipe {
  const char *fileName; ///< File name in the sound folder, e.g. "Telefon.wav".
  Sound (*make)();      ///< Builds the finished sound; same result on every call.
};

/** @return All sounds, in the order the program opens them. */
std::span<const SoundRecipe> soundTable();

} // namespace gensnd
