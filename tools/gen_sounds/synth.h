/** @file synth.h Deterministic building blocks of the sound generator: oscillators, noise, filters, envelopes. */
#pragma once

#include <cstdint>
#include <vector>

namespace gensnd {

constexpr int kSampleRate = 22050; ///< Samples per second of every generated sound.
constexpr double kMaxToneHz = 0.45 * kSampleRate; ///< Highest tone kept; above it tones would alias.

/**
 * Sine of a phase given in turns (1.0 is one full period).
 * Built from basic arithmetic only, so every platform gives the same bits.
 * @param turns Phase in turns, any sign and size.
 * @return sin(2 * pi * turns).
 */
double sinTurns(double turns);

/**
 * e to the power of -x for x >= 0, from basic arithmetic only.
 * @param x Non-negative exponent.
 * @return exp(-x).
 */
double expNeg(double x);

/** Small pseudo-random generator (xorshift64*), seeded explicitly so sounds repeat exactly. */
class Rng {
public:
  /** @param seed Any non-zero start value. */
  explicit Rng(std::uint64_t seed);

  /** @return Uniform value in [-1, 1). */
  double bipolar();

  /** @return Uniform value in [0, 1). */
  double unit();

private:
  std::uint64_t m_state; ///< Current generator state, never zero.
};

/** Two-pole band-pass resonator (constant peak gain), used to colour noise. */
class Resonator {
public:
  /**
   * @param freqHz Centre frequency.
   * @param q Quality factor: higher rings longer and narrower.
   */
  Resonator(double freqHz, double q);

  /** @param x Input sample. @return Filtered sample. */
  double process(double x);

private:
  double m_b0;      ///< Feed-forward gain of the current input.
  double m_a1;      ///< Feedback of the previous output.
  double m_a2;      ///< Feedback of the output before that.
  double m_x1 = 0;  ///< Previous input.
  double m_x2 = 0;  ///< Input before that.
  double m_y1 = 0;  ///< Previous output.
  double m_y2 = 0;  ///< Output before that.
};

/** One decaying sine component of a struck or plucked object. */
struct Partial {
  double freqHz; ///< Frequency of the component.
  double amp;    ///< Starting amplitude.
  double decayS; ///< Time constant of the exponential decay, in seconds.
};

/** A mono sound under construction: floating-point samples at kSampleRate. */
class Sound {
public:
  /** @param seconds Length of the silent buffer to start from. */
  explicit Sound(double seconds);

  /** @return The samples, for writing out. */
  const std::vector<double> &samples() const { return m_samples; }

  /** @return Length in seconds. */
  double seconds() const;

  /**
   * Adds one exponentially decaying sine starting at a given time.
   * @param atS Start time in seconds.
   * @param p The component; one above kMaxToneHz is left out.
   */
  void addPartial(double atS, const Partial &p);

  /**
   * Adds a struck metal body: every partial of a set, scaled, with a short noise tick for the hammer.
   * @param atS Time of the strike.
   * @param partials The body's components.
   * @param gain Overall scale of this strike.
   * @param rng Source of the hammer's noise.
   */
  void addStrike(double atS, const std::vector<Partial> &partials, double gain, Rng &rng);

  /**
   * Adds a burst of resonator-coloured noise with an instant attack and exponential decay,
   * the basis of every mechanical click and knock.
   * @param atS Start time.
   * @param centreHz Centre of the noise colour.
   * @param q Sharpness of the colour.
   * @param amp Starting amplitude.
   * @param decayS Decay time constant.
   * @param rng Noise source.
   */
  void addNoiseBurst(double atS, double centreHz, double q, double amp, double decayS, Rng &rng);

  /**
   * Adds resonator-coloured noise whose level follows a curve (before the filter, so the
   * body's resonance smooths it as a real one would).
   * @param fromS Start time.
   * @param toS End time.
   * @param centreHz Centre of the noise colour.
   * @param q Sharpness of the colour.
   * @param level Amplitude as a function of the time since fromS.
   * @param rng Noise source.
   */
  template <typename LevelFn>
  void addShapedNoise(double fromS, double toS, double centreHz, double q, LevelFn level, Rng &rng);

  /**
   * Adds a tone whose frequency and level follow given curves, phase-continuous.
   * @param fromS Start time.
   * @param toS End time.
   * @param freqHz Frequency as a function of the time since fromS.
   * @param level Amplitude as a function of the time since fromS.
   * @param harmonics Relative amplitudes of harmonics 1, 2, 3, ...; those above kMaxToneHz are left out.
   */
  template <typename FreqFn, typename LevelFn>
  void addSweptTone(double fromS, double toS, FreqFn freqHz, LevelFn level,
                    const std::vector<double> &harmonics);

  /** Multiplies the whole sound by a time-dependent gain. @param gainAt Gain as a function of time. */
  template <typename GainFn>
  void shape(GainFn gainAt);

  /** Runs the whole sound through a one-pole low-pass filter. @param cutoffHz Corner frequency. */
  void lowPass(double cutoffHz);

  /** Runs the whole sound through a one-pole high-pass filter. @param cutoffHz Corner frequency. */
  void highPass(double cutoffHz);

  /**
   * Scales the sound so its largest magnitude equals the given peak and fades the last
   * last 20 ms to silence so playback ends without a click.
   * @param peak Target peak, 0 to 1 of full scale.
   */
  void finish(double peak);

private:
  /** @return Gain that brings coloured noise of this band to peaks near 1. */
  static double noiseGain(double centreHz, double q);

  /** @return Index of the sample at a time, clamped to the buffer. */
  std::size_t indexAt(double seconds) const;

  std::vector<double> m_samples; ///< The samples, nominally within [-1, 1].
};

template <typename FreqFn, typename LevelFn>
void Sound::addSweptTone(double fromS, double toS, FreqFn freqHz, LevelFn level,
                         const std::vector<double> &harmonics) {
  double phase = 0.0;
  const std::size_t end = indexAt(toS);
  for (std::size_t i = indexAt(fromS); i < end; ++i) {
    const double t = static_cast<double>(i) / kSampleRate - fromS;
    double v = 0.0;
    const double f = freqHz(t);
    for (std::size_t h = 0; h < harmonics.size() && f * static_cast<double>(h + 1) < kMaxToneHz; ++h)
      v += harmonics[h] * sinTurns(phase * static_cast<double>(h + 1));
    m_samples[i] += level(t) * v;
    phase += f / kSampleRate;
    phase -= static_cast<double>(static_cast<long long>(phase));
  }
}

template <typename LevelFn>
void Sound::addShapedNoise(double fromS, double toS, double centreHz, double q, LevelFn level, Rng &rng) {
  Resonator colour(centreHz, q);
  const double gain = noiseGain(centreHz, q);
  const std::size_t start = indexAt(fromS);
  const std::size_t end = indexAt(toS);
  for (std::size_t i = start; i < end; ++i) {
    const double t = static_cast<double>(i - start) / kSampleRate;
    m_samples[i] += gain * colour.process(level(t) * rng.bipolar());
  }
}

template <typename GainFn>
void Sound::shape(GainFn gainAt) {
  for (std::size_t i = 0; i < m_samples.size(); ++i)
    m_samples[i] *= gainAt(static_cast<double>(i) / kSampleRate);
}

} // namespace gensnd
