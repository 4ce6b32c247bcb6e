/** @file recipes.cpp The table of the station's sounds and the recipe that makes each. */
#include "recipes.h"

#include <algorithm>
#include <array>
#include <vector>

namespace gensnd {

namespace {

/* ------------------------------------------------------------------------ */
/* Shared mechanisms: gongs, knocks, tablets, the magneto's whirr, the lock's hum. */

/**
 * The components of a small steel bell gong: a fundamental and the inharmonic
 * overtones of a bowl, the higher ones dying sooner.
 * @param baseHz Fundamental.
 * @param decayS Decay time of the fundamental.
 * @return The gong's partials.
 */
std::vector<Partial> gong(double baseHz, double decayS) {
  return {{baseHz, 1.0, decayS},
          {baseHz * 2.32, 0.55, decayS * 0.6},
          {baseHz * 4.25, 0.30, decayS * 0.35},
          {baseHz * 6.63, 0.18, decayS * 0.2}};
}

/**
 * Rings an electric trembler bell: its clapper strikes the gongs in turn at a steady
 * rate, with the slight unevenness of a real armature.
 * @param s Sound to add to.
 * @param fromS First strike.
 * @param toS No strike at or after this time.
 * @param strikesPerS Strikes per second, all gongs together.
 * @param gongs The gongs struck in turn.
 * @param gain Level of one strike.
 * @param rng Source of the unevenness.
 */
void trembler(Sound &s, double fromS, double toS, double strikesPerS,
              const std::vector<std::vector<Partial>> &gongs, double gain, Rng &rng) {
  for (int k = 0;; ++k) {
    const double at = fromS + k / strikesPerS + 0.0006 * rng.bipolar();
    if (at >= toS)
      break;
    s.addStrike(std::max(0.0, at), gongs[static_cast<std::size_t>(k) % gongs.size()],
                gain * (0.8 + 0.2 * rng.unit()), rng);
  }
}

/** What a mechanical knock is made of; each part scales with the gain. */
struct Knock {
  double clickHz; ///< Colour of the first sharp contact.
  double bodyHz;  ///< Colour of the knock of the part's body.
  double thudHz;  ///< Low resonance of the frame it hits.
  double ringHz;  ///< Ring of the metal part itself.
  double gain;    ///< Overall level.
};

/**
 * Adds a mechanical knock: a sharp click, the body's noise, the frame's thud and a short metal ring.
 * @param s Sound to add to.
 * @param atS Moment of contact.
 * @param k The knock's make-up.
 * @param rng Noise source.
 */
void knock(Sound &s, double atS, const Knock &k, Rng &rng) {
  s.addNoiseBurst(atS, k.clickHz, 1.2, 0.6 * k.gain, 0.003, rng);
  s.addNoiseBurst(atS + 0.001, k.bodyHz, 2.5, 0.9 * k.gain, 0.015, rng);
  s.addPartial(atS + 0.001, {k.thudHz, 0.45 * k.gain, 0.03});
  s.addPartial(atS + 0.001, {k.ringHz, 0.14 * k.gain, 0.035});
  s.addPartial(atS + 0.001, {k.ringHz * 1.51, 0.09 * k.gain, 0.022});
}

/**
 * Adds a small metal flap hitting its stop: a crisp tick with a thin metallic ping.
 * @param s Sound to add to.
 * @param atS Moment of the hit.
 * @param pingHz Lowest ring of the flap.
 * @param gain Level.
 * @param rng Noise source.
 */
void flapHit(Sound &s, double atS, double pingHz, double gain, Rng &rng) {
  s.addNoiseBurst(atS, pingHz * 2.1, 1.5, 0.8 * gain, 0.004, rng);
  s.addPartial(atS, {pingHz, 0.35 * gain, 0.05});
  s.addPartial(atS, {pingHz * 2.71, 0.20 * gain, 0.03});
  s.addPartial(atS, {pingHz * 5.1, 0.12 * gain, 0.02});
}

/**
 * A tablet released from its catch: a faint tick as the catch lets go, the fall,
 * the hit on its stop and two ever smaller bounces.
 * @param s Sound to add to.
 * @param atS Moment the catch lets go.
 * @param pingHz Lowest ring of the flap.
 * @param rng Noise source.
 */
void tabletDrop(Sound &s, double atS, double pingHz, Rng &rng) {
  s.addNoiseBurst(atS, 4500.0, 2.0, 0.2, 0.002, rng);
  const double hitS = atS + 0.05;
  flapHit(s, hitS, pingHz, 1.0, rng);
  flapHit(s, hitS + 0.032, pingHz, 0.4, rng);
  flapHit(s, hitS + 0.054, pingHz, 0.18, rng);
}

/**
 * Adds the whirr of the magneto inductor: the gear whine and the rotor's rushing noise,
 * both rising in pitch and level with the speed of the crank.
 * @param s Sound to add to.
 * @param fromS Start.
 * @param toS End.
 * @param crankSpeed Crank speed from 0 (still) to 1 (full) as a function of the time since fromS.
 * @param rng Noise source.
 */
template <typename SpeedFn>
void whirr(Sound &s, double fromS, double toS, SpeedFn crankSpeed, Rng &rng) {
  auto speed = [crankSpeed](double t) { return std::max(0.0, crankSpeed(t)); };
  auto freq = [speed](double t) { return 60.0 + 260.0 * speed(t); };
  s.addSweptTone(
      fromS, toS, freq, [speed](double t) { return 0.5 * speed(t) * speed(t); },
      {1.0, 0.6, 0.45, 0.3, 0.2, 0.12});
  /* The rush pulses with the gear teeth passing, so it follows the whine's phase. */
  double phase = 0.0;
  s.addShapedNoise(fromS, toS, 1400.0, 1.3,
                   [speed, freq, phase](double t) mutable {
                     phase += freq(t) / kSampleRate;
                     return 0.35 * speed(t) * (0.6 + 0.4 * sinTurns(0.5 * phase));
                   },
                   rng);
}

/** The voice of one block lock's hum. */
struct HumVoice {
  double baseHz;    ///< Fundamental of the alternating current through the lock.
  double flutterHz; ///< Rate at which the hand-cranked current swells and sags.
  double rattle;    ///< Level of the armature's chatter.
};

/**
 * Adds the hum of an electric block lock fed by the inductor: a buzz rich in harmonics,
 * swelling with the crank, with the armature chattering at twice the current's frequency.
 * @param s Sound to add to; the hum fills it from start to end.
 * @param v The lock's voice.
 * @param rng Noise source.
 */
void lockHum(Sound &s, const HumVoice &v, Rng &rng) {
  const double lengthS = s.seconds();
  auto env = [lengthS](double t) { return std::min({1.0, t / 0.04, (lengthS - t) / 0.12}); };
  auto swell = [v](double t) { return 1.0 - 0.25 * (0.5 + 0.5 * sinTurns(v.flutterHz * t)); };
  s.addSweptTone(
      0.0, lengthS, [v](double t) { return v.baseHz * (1.0 + 0.012 * sinTurns(3.1 * t)); },
      [env, swell](double t) { return 0.4 * env(t) * swell(t); },
      {1.0, 0.7, 0.55, 0.45, 0.35, 0.3, 0.22, 0.18, 0.12, 0.1});
  s.addShapedNoise(0.0, lengthS, 2400.0, 1.5,
                   [env, v](double t) {
                     const double pulse = 0.5 + 0.5 * sinTurns(2.0 * v.baseHz * t);
                     const double p2 = pulse * pulse;
                     return v.rattle * env(t) * p2 * p2 * p2;
                   },
                   rng);
}

/**
 * Renders a sound: an empty buffer and a seeded noise source handed to the drawing steps,
 * then levelled and faded out.
 * @param seconds Length.
 * @param peak Level of the finished sound, 0 to 1 of full scale.
 * @param seed Noise seed, fixed per sound so every run gives the same bytes.
 * @param draw Adds the sound's parts: called as draw(Sound &, Rng &).
 * @return The finished sound.
 */
template <typename DrawFn>
Sound render(double seconds, double peak, std::uint64_t seed, DrawFn draw) {
  Rng rng(seed);
  Sound s(seconds);
  draw(s, rng);
  s.finish(peak);
  return s;
}

/* ------------------------------------------------------------------------ */
/* Fixed voices of the instruments. */

const Knock kButtonPress{4200.0, 700.0, 190.0, 2300.0, 1.0};    ///< Block button pushed home.
const Knock kButtonRelease{3000.0, 1100.0, 260.0, 2900.0, 0.8}; ///< Block button springing back.
const Knock kHandlePress{3600.0, 850.0, 160.0, 2000.0, 0.8};    ///< Magneto handle pushed in.
const Knock kHandleRelease{3300.0, 1200.0, 240.0, 2500.0, 0.6}; ///< Magneto handle let go.
const Knock kRouteLock{2500.0, 450.0, 140.0, 1650.0, 1.0};      ///< Route lock falling into its notch.
const Knock kRelayPull{3800.0, 1500.0, 300.0, 2100.0, 0.6};     ///< Relay armature letting go.
const Knock kRelayFall{2600.0, 900.0, 210.0, 1700.0, 1.0};      ///< Relay armature on its back stop.

constexpr double kBlockGongHz = 820.0; ///< Gong of the block instruments' bells.

/**
 * A desk tablet dropped by a bell from another instrument: a short ring of that bell,
 * then the tablet falls.
 * @param gongHz The ringing instrument's bell.
 * @param pingHz The tablet's own ring.
 * @param seed Noise seed of this variant.
 * @return The finished sound.
 */
Sound bellTablet(double gongHz, double pingHz, std::uint64_t seed) {
  return render(0.45, 0.8, seed, [gongHz, pingHz](Sound &s, Rng &rng) {
    trembler(s, 0.0, 0.12, 18.0, {gong(gongHz, 0.12)}, 0.35, rng);
    tabletDrop(s, 0.13, pingHz, rng);
  });
}

/**
 * Builds one lock hum, long enough to cover a block operation.
 * @param v The lock's voice.
 * @param muffleHz Low-pass corner for a lock heard from afar; 0 leaves the hum bright.
 * @param peak Level of the finished sound.
 * @param seed Noise seed of this variant.
 * @return The finished sound.
 */
Sound hum(const HumVoice &v, double muffleHz, double peak, std::uint64_t seed) {
  return render(1.3, peak, seed, [v, muffleHz](Sound &s, Rng &rng) {
    lockHum(s, v, rng);
    if (muffleHz > 0.0)
      s.lowPass(muffleHz);
  });
}

/* ------------------------------------------------------------------------ */
/* The recipes. */

/** The telephone: two bursts of a two-gong trembler bell, then the ring dies away. */
Sound telefon() {
  return render(2.0, 0.8, 101, [](Sound &s, Rng &rng) {
    const std::vector<std::vector<Partial>> gongs{gong(1150.0, 0.32), gong(1370.0, 0.30)};
    trembler(s, 0.0, 0.40, 50.0, gongs, 1.0, rng);
    trembler(s, 0.60, 1.00, 50.0, gongs, 1.0, rng);
  });
}

/** Magneto handle pushed in: a clack, and the inductor spins up. */
Sound induktorOn() {
  return render(0.6, 0.8, 102, [](Sound &s, Rng &rng) {
    knock(s, 0.0, kHandlePress, rng);
    whirr(s, 0.03, 0.6, [](double t) { return std::min({1.0, t / 0.3, (0.57 - t) / 0.12}); }, rng);
  });
}

/** Magneto handle let go: a lighter clack, and the inductor runs down. */
Sound induktorOff() {
  return render(0.45, 0.8, 103, [](Sound &s, Rng &rng) {
    knock(s, 0.0, kHandleRelease, rng);
    whirr(s, 0.0, 0.45, [](double t) { return 0.8 * expNeg(t / 0.12); }, rng);
  });
}

/** The inductor cranked by hand: a steady whirr that swells with each turn of the crank. */
Sound klika() {
  return render(1.5, 0.75, 104, [](Sound &s, Rng &rng) {
    auto speed = [](double t) {
      return std::min({1.0, t / 0.15, (1.5 - t) / 0.2}) * (0.9 + 0.1 * sinTurns(2.5 * t));
    };
    whirr(s, 0.0, 1.5, speed, rng);
  });
}

/** Block lock button pushed home: a heavy clack and the plunger bottoming out. */
Sound hrtlOn() {
  return render(0.3, 0.9, 105, [](Sound &s, Rng &rng) {
    knock(s, 0.0, kButtonPress, rng);
    s.addNoiseBurst(0.045, 2600.0, 1.5, 0.35, 0.006, rng);
  });
}

/** Block lock button springing back: a light tick, the return clack and a rattle. */
Sound hrtlOff() {
  return render(0.28, 0.85, 106, [](Sound &s, Rng &rng) {
    s.addNoiseBurst(0.0, 3000.0, 1.5, 0.4, 0.003, rng);
    knock(s, 0.035, kButtonRelease, rng);
    s.addNoiseBurst(0.06, 5000.0, 1.0, 0.15, 0.003, rng);
  });
}

/** Bell button pressed: the clack, then the block bell rings. */
Sound zvonekOn() {
  return render(1.0, 0.8, 107, [](Sound &s, Rng &rng) {
    knock(s, 0.0, kButtonPress, rng);
    trembler(s, 0.04, 0.45, 18.0, {gong(kBlockGongHz, 0.3)}, 0.6, rng);
  });
}

/** Bell button released: the return clack and the bell's last, damped stroke. */
Sound zvonekOff() {
  return render(0.5, 0.8, 108, [](Sound &s, Rng &rng) {
    knock(s, 0.0, kButtonRelease, rng);
    s.addStrike(0.02, gong(kBlockGongHz, 0.12), 0.5, rng);
  });
}

/** Desk tablet dropped by the desk's own bell. */
Sound destickaDK() {
  return bellTablet(kBlockGongHz, 1900.0, 109);
}

/** Desk tablet dropped by the bell of signal box 1. */
Sound destickaSt1() {
  return bellTablet(880.0, 2100.0, 110);
}

/** Desk tablet dropped by the bell of signal box 2. */
Sound destickaSt2() {
  return bellTablet(760.0, 1750.0, 111);
}

/** Desk tablet dropped by the neighbour station's bell. */
Sound destickaCH() {
  return bellTablet(700.0, 2300.0, 112);
}

/** A tablet dropped by hand: only the flap falling. */
Sound destickaOn() {
  return render(0.3, 0.8, 113, [](Sound &s, Rng &rng) { tabletDrop(s, 0.0, 2000.0, rng); });
}

/** A tablet raised by hand: it slides up and its catch snaps in. */
Sound destickaOff() {
  return render(0.25, 0.75, 114, [](Sound &s, Rng &rng) {
    s.addNoiseBurst(0.0, 2500.0, 1.0, 0.25, 0.02, rng);
    flapHit(s, 0.04, 2600.0, 0.7, rng);
  });
}

/** Line section released: a relay lets go, its contacts bounce, the armature lands. */
Sound ik() {
  return render(0.3, 0.85, 115, [](Sound &s, Rng &rng) {
    knock(s, 0.0, kRelayPull, rng);
    s.addNoiseBurst(0.012, 5200.0, 2.0, 0.25, 0.002, rng);
    knock(s, 0.028, kRelayFall, rng);
  });
}

/** Indication bell: a larger, lower single-gong bell ringing steadily. */
Sound id() {
  return render(1.4, 0.8, 116, [](Sound &s, Rng &rng) {
    trembler(s, 0.0, 0.9, 22.0, {gong(560.0, 0.25)}, 0.7, rng);
  });
}

/** Route lock turned: the ratchet ticks, then the lock clunks into its notch. */
Sound zavernik() {
  return render(0.4, 0.9, 117, [](Sound &s, Rng &rng) {
    for (double at : {0.0, 0.03, 0.06})
      s.addNoiseBurst(at, 3800.0, 2.0, 0.3, 0.003, rng);
    knock(s, 0.09, kRouteLock, rng);
  });
}

/** Hum of the desk's block locks. */
Sound zaverDK() {
  return hum({100.0, 6.0, 0.25}, 0.0, 0.5, 118);
}

/** Hum of the block locks of signal box 1. */
Sound zaverSt1() {
  return hum({92.0, 5.0, 0.3}, 0.0, 0.5, 119);
}

/** Hum of the block locks of signal box 2. */
Sound zaverSt2() {
  return hum({108.0, 7.0, 0.25}, 0.0, 0.5, 120);
}

/** Hum of the neighbour station's block, heard from afar: lower and muffled. */
Sound zaverCH() {
  return hum({84.0, 4.5, 0.2}, 1200.0, 0.38, 121);
}

/** A latch striking its hard metal stop: a crack, a clang of inharmonic rings, a rebound. */
Sound zarazka() {
  return render(0.5, 0.9, 122, [](Sound &s, Rng &rng) {
    const std::vector<Partial> clang{{847.0, 0.3, 0.09},  {1730.0, 0.6, 0.075}, {2950.0, 0.45, 0.055},
                                     {4410.0, 0.35, 0.04}, {6130.0, 0.25, 0.03}};
    s.addNoiseBurst(0.0, 6000.0, 0.7, 0.9, 0.002, rng);
    s.addStrike(0.0, clang, 1.0, rng);
    s.addPartial(0.0, {110.0, 0.5, 0.04});
    s.addNoiseBurst(0.022, 5000.0, 1.0, 0.35, 0.002, rng);
    s.addStrike(0.022, clang, 0.3, rng);
  });
}

/** Every sound, in the order the program opens them. */
const std::array<SoundRecipe, 22> kSounds{{
    {"Telefon.wav", telefon},
    {"Induktor1.wav", induktorOn},
    {"Induktor2.wav", induktorOff},
    {"Induktor3.wav", klika},
    {"Hrtl1.wav", hrtlOn},
    {"Hrtl2.wav", hrtlOff},
    {"Zvonek1.wav", zvonekOn},
    {"Zvonek2.wav", zvonekOff},
    {"Desticka1.wav", destickaDK},
    {"Desticka2.wav", destickaSt1},
    {"Desticka3.wav", destickaSt2},
    {"Desticka4.wav", destickaCH},
    {"Desticka5.wav", destickaOn},
    {"Desticka6.wav", destickaOff},
    {"IK.wav", ik},
    {"ID.wav", id},
    {"Zavernik.wav", zavernik},
    {"Zaver1.wav", zaverDK},
    {"Zaver2.wav", zaverSt1},
    {"Zaver3.wav", zaverSt2},
    {"Zaver4.wav", zaverCH},
    {"Zarazka.wav", zarazka},
}};

} // namespace

std::span<const SoundRecipe> soundTable() {
  return kSounds;
}

} // namespace gensnd
