/** @file synth.cpp Deterministic building blocks of the sound generator: oscillators, noise, filters, envelopes. */
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace gensnd {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLn2 = 0.69314718055994530942;

/** @return Sine of y for |y| <= pi/2, by its Taylor series (error below 1e-11). */
double sinSmall(double y) {
  const double y2 = y * y;
  double term = y;
  double sum = y;
  for (int n = 1; n <= 8; ++n) {
    term *= -y2 / static_cast<double>((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

/** @return Samples that a decay with the given time constant takes to fall by 80 dB. */
std::size_t decaySamples(double decayS) {
  return static_cast<std::size_t>(decayS * 9.3 * kSampleRate) + 1;
}

} // namespace

double sinTurns(double turns) {
  /* Reduce to [-1/2, 1/2) turns, then fold onto [-1/4, 1/4] where the series is accurate. */
  double r = turns - std::floor(turns + 0.5);
  if (r > 0.25)
    r = 0.5 - r;
  else if (r < -0.25)
    r = -0.5 - r;
  return sinSmall(2.0 * kPi * r);
}

double expNeg(double x) {
  if (x <= 0.0)
    return 1.0;
  if (x > 700.0)
    return 0.0;
  /* exp(-x) = 2^-k * exp(-r) with r in [0, ln 2): the series then converges fast. */
  const double k = std::floor(x / kLn2);
  const double r = x - k * kLn2;
  double term = 1.0;
  double sum = 1.0;
  for (int n = 1; n <= 18; ++n) {
    term *= -r / static_cast<double>(n);
    sum += term;
  }
  return std::ldexp(sum, -static_cast<int>(k));
}

Rng::Rng(std::uint64_t seed) : m_state(seed == 0 ? 0x9E3779B97F4A7C15ull : seed) {}

double Rng::unit() {
  m_state ^= m_state >> 12;
  m_state ^= m_state << 25;
  m_state ^= m_state >> 27;
  const std::uint64_t v = m_state * 2685821657736338717ull;
  return static_cast<double>(v >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::bipolar() {
  return 2.0 * unit() - 1.0;
}

Resonator::Resonator(double freqHz, double q) {
  const double w = freqHz / kSampleRate;
  const double alpha = sinTurns(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  m_b0 = alpha / a0;
  m_a1 = -2.0 * sinTurns(w + 0.25) / a0;
  m_a2 = (1.0 - alpha) / a0;
}

double Resonator::process(double x) {
  const double y = m_b0 * (x - m_x2) - m_a1 * m_y1 - m_a2 * m_y2;
  m_x2 = m_x1;
  m_x1 = x;
  m_y2 = m_y1;
  m_y1 = y;
  return y;
}

Sound::Sound(double seconds) : m_samples(static_cast<std::size_t>(seconds * kSampleRate), 0.0) {}

double Sound::seconds() const {
  return static_cast<double>(m_samples.size()) / kSampleRate;
}

std::size_t Sound::indexAt(double seconds) const {
  if (seconds <= 0.0)
    return 0;
  return std::min(m_samples.size(), static_cast<std::size_t>(seconds * kSampleRate));
}

void Sound::addPartial(double atS, const Partial &p) {
  /* A component above the Nyquist limit would fold back as a false, lower tone. */
  if (p.freqHz >= kMaxToneHz)
    return;
  const std::size_t start = indexAt(atS);
  const std::size_t end = std::min(m_samples.size(), start + decaySamples(p.decayS));
  const double step = expNeg(1.0 / (p.decayS * kSampleRate));
  double env = p.amp;
  for (std::size_t i = start; i < end; ++i) {
    const double t = static_cast<double>(i - start) / kSampleRate;
    m_samples[i] += env * sinTurns(p.freqHz * t);
    env *= step;
  }
}

void Sound::addStrike(double atS, const std::vector<Partial> &partials, double gain, Rng &rng) {
  for (const Partial &p : partials)
    addPartial(atS, {p.freqHz, p.amp * gain, p.decayS});
  addNoiseBurst(atS, 3500.0, 0.8, 0.6 * gain, 0.0015, rng);
}

double Sound::noiseGain(double centreHz, double q) {
  /* A band f/q wide passes that share of the noise power: scale so the peaks come near 1
     whatever the colour. */
  return std::sqrt(q * kSampleRate / (3.0 * kPi * centreHz));
}

void Sound::addNoiseBurst(double atS, double centreHz, double q, double amp, double decayS, Rng &rng) {
  /* Run on until the resonator has rung out after the noise has gone. */
  const double ringS = q / (kPi * centreHz);
  const double untilS = atS + 9.3 * (decayS + ringS);
  addShapedNoise(atS, untilS, centreHz, q, [amp, decayS](double t) { return amp * expNeg(t / decayS); }, rng);
}

void Sound::lowPass(double cutoffHz) {
  const double a = expNeg(2.0 * kPi * cutoffHz / kSampleRate);
  double y = 0.0;
  for (double &s : m_samples) {
    y = (1.0 - a) * s + a * y;
    s = y;
  }
}

void Sound::highPass(double cutoffHz) {
  const double a = expNeg(2.0 * kPi * cutoffHz / kSampleRate);
  double low = 0.0;
  for (double &s : m_samples) {
    low = (1.0 - a) * s + a * low;
    s -= low;
  }
}

void Sound::finish(double peak) {
  double max = 0.0;
  for (double s : m_samples)
    max = std::max(max, std::fabs(s));
  if (max > 0.0)
    for (double &s : m_samples)
      s *= peak / max;
  const std::size_t fade = std::min(m_samples.size(), static_cast<std::size_t>(0.020 * kSampleRate));
  for (std::size_t k = 0; k < fade; ++k)
    m_samples[m_samples.size() - 1 - k] *= static_cast<double>(k) / static_cast<double>(fade);
}

} // namespace gensnd
