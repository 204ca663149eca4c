// Recipes for the game's and the menu's sound effects, each built from the synthesiser's parts.
#include "tools/default_content/sounds/game_sounds.h"

#include <array>
#include <cmath>

#include "content/media_files.h"

namespace {

using namespace synth;

double Pitch(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

// A glassy bell: FM with an inharmonic ratio whose brightness dies away faster than the body.
Signal Bell(double note, double seconds, double decay, double ratio = 3.5, double brightness = 2.5) {
  return Fm(seconds, Constant(Pitch(note)), ratio, Times(Constant(brightness), Pluck(0.001, decay * 0.4)),
            Pluck(0.002, decay));
}

// A short arpeggio of bells, one every `gap` seconds.
Signal Chime(const std::vector<double>& notes, double gap, double ring, double decay) {
  Signal out;
  for (std::size_t i = 0; i < notes.size(); ++i) MixInto(out, Bell(notes[i], ring, decay), gap * i, 0.7);
  return out;
}

Signal Click(double seconds, double cutoff, std::uint32_t seed) {
  Signal s = Noise(seconds, Pluck(0.0005, seconds / 4), seed);
  Filter(s, Pass::High, Constant(cutoff), 0.7);
  return s;
}

// --- ball contacts: short, so that rapid hits stay distinct ---

Signal HitPaddle() {
  Signal s = Tone(Wave::Sine, 0.14, Glide(330, 180, 0.05), Pluck(0.001, 0.035));
  MixInto(s, Tone(Wave::Triangle, 0.1, Constant(660), Pluck(0.001, 0.012)), 0, 0.3);
  MixInto(s, Click(0.02, 2500, 11), 0, 0.25);
  return s;
}

Signal HitBrick() {
  Signal s = Bell(91, 0.16, 0.045, 3.01, 1.6);
  MixInto(s, Bell(98, 0.1, 0.025, 2.0, 1.0), 0, 0.4);
  MixInto(s, Click(0.015, 4000, 12), 0, 0.3);
  return s;
}

Signal HitIndestructibleBrick() {
  // Inharmonic partials of a struck metal bar, ring-modulated for extra clang.
  Signal s;
  const double partials[][2] = {{1.0, 1.0}, {2.76, 0.6}, {5.40, 0.4}, {8.93, 0.25}};
  for (const auto& p : partials) {
    MixInto(s, Tone(Wave::Sine, 0.4, Constant(520 * p[0]), Pluck(0.001, 0.09 / std::sqrt(p[0]))), 0, p[1]);
  }
  Signal ring = Tone(Wave::Sine, 0.4, Constant(1370), Constant(1.0));
  for (std::size_t i = 0; i < s.size(); ++i) s[i] = 0.7f * s[i] + 0.3f * s[i] * ring[i];
  MixInto(s, Click(0.01, 3000, 13), 0, 0.4);
  return s;
}

Signal HitExplosive() {
  Signal boom = Noise(0.8, Pluck(0.002, 0.18), 14);
  Filter(boom, Pass::Low, Glide(3000, 120, 0.5), 0.9);
  MixInto(boom, Tone(Wave::Sine, 0.5, Glide(110, 38, 0.3), Pluck(0.003, 0.12)), 0, 0.9);
  Signal crackle = Noise(0.3, Pluck(0.001, 0.05), 15);
  Filter(crackle, Pass::High, Constant(2000), 0.7);
  MixInto(boom, crackle, 0.0, 0.3);
  Saturate(boom, 1.8);
  return boom;
}

Signal HitWall() {
  Signal s = Tone(Wave::Triangle, 0.07, Glide(420, 300, 0.03), Pluck(0.001, 0.014));
  MixInto(s, Click(0.02, 1500, 16), 0, 0.35);
  return s;
}

Signal HitMulti() {
  // A cracked brick: lower and grittier than a clean break.
  Signal s = Bell(81, 0.14, 0.04, 1.41, 2.0);
  Signal crunch = Noise(0.06, Pluck(0.001, 0.015), 17);
  Filter(crunch, Pass::Band, Constant(1800), 1.5);
  MixInto(s, crunch, 0, 0.7);
  return s;
}

Signal GoThrough() {
  Signal s = Noise(0.24, Swell(0.03, 0.06, 0.24), 18);
  Filter(s, Pass::Band, Glide(600, 5000, 0.2), 3.0);
  MixInto(s, Tone(Wave::Sine, 0.2, Glide(900, 1800, 0.2), Swell(0.02, 0.05, 0.2)), 0, 0.25);
  return s;
}

Signal HitCatchPaddle() {
  // Sticky: a soft thud that bends down and back up.
  Signal s = Tone(Wave::Sine, 0.18, Steps({260, 200, 230, 290, 340}, 0.03), Pluck(0.002, 0.06));
  Filter(s, Pass::Low, Constant(1500), 0.7);
  MixInto(s, Tone(Wave::Sine, 0.12, Glide(140, 90, 0.08), Pluck(0.001, 0.03)), 0, 0.6);
  return s;
}

// --- ball loss ---

Signal LoseBall() {
  Signal s = Tone(Wave::Triangle, 0.55, Glide(700, 140, 0.5), Swell(0.01, 0.35, 0.55));
  MixInto(s, Tone(Wave::Sine, 0.55, Glide(706, 141, 0.5), Swell(0.01, 0.35, 0.55)), 0, 0.6);
  Filter(s, Pass::Low, Glide(4000, 600, 0.5), 0.8);
  return s;
}

Signal Death() {
  // A detuned minor chord collapsing in pitch over a rumble, with a long room tail.
  Signal s;
  const double chord[] = {57, 60, 64, 45};
  for (std::size_t i = 0; i < 4; ++i) {
    for (double detune : {-0.12, 0.12}) {
      MixInto(s, Tone(Wave::Saw, 1.3, Glide(Pitch(chord[i] + detune), Pitch(chord[i] - 24), 1.2),
                      Swell(0.02, 0.5, 1.3)),
              0, 0.25);
    }
  }
  Filter(s, Pass::Low, Glide(5000, 300, 1.1), 1.6);
  Signal rumble = Noise(1.3, Swell(0.05, 0.6, 1.3), 19);
  Filter(rumble, Pass::Low, Constant(180), 1.0);
  MixInto(s, rumble, 0, 0.6);
  MixInto(s, Tone(Wave::Sine, 0.6, Glide(90, 35, 0.5), Pluck(0.004, 0.2)), 0, 0.8);
  Reverb(s, 0.35, 0.6);
  return s;
}

// --- weapons ---

Signal ShootLaser() {
  Signal s = Tone(Wave::Square, 0.18, Glide(2400, 350, 0.16), Pluck(0.001, 0.06));
  Filter(s, Pass::Low, Glide(6000, 1200, 0.15), 2.0);
  return s;
}

// --- capsules caught ---

Signal ExtraLife() {
  Signal s = Chime({72, 76, 79, 84, 88}, 0.075, 0.5, 0.16);
  Echo(s, 0.11, 0.3, 0.35, 0.3);
  return s;
}

Signal ShrinkPad() {
  Signal s = Tone(Wave::Square, 0.36, Steps({Pitch(76), Pitch(72), Pitch(67), Pitch(64)}, 0.08),
                  Swell(0.003, 0.28, 0.36));
  Filter(s, Pass::Low, Constant(2500), 1.0);
  return s;
}

Signal GrowPad() {
  Signal s = Tone(Wave::Square, 0.36, Steps({Pitch(64), Pitch(67), Pitch(72), Pitch(76)}, 0.08),
                  Swell(0.003, 0.28, 0.36));
  Filter(s, Pass::Low, Constant(3000), 1.0);
  return s;
}

Signal FasterBall() {
  // A rising sweep whose tremolo speeds up with it.
  Signal s = Tone(Wave::Saw, 0.42, Glide(300, 1500, 0.4), Swell(0.01, 0.3, 0.42));
  Signal trem = Tone(Wave::Sine, 0.42, Glide(8, 40, 0.4), Constant(1.0));
  for (std::size_t i = 0; i < s.size(); ++i) s[i] *= 0.6f + 0.4f * trem[i];
  Filter(s, Pass::Low, Constant(3500), 1.2);
  return s;
}

Signal SlowerBall() {
  Signal s = Tone(Wave::Saw, 0.48, Glide(1200, 250, 0.45), Swell(0.01, 0.34, 0.48));
  Signal trem = Tone(Wave::Sine, 0.48, Glide(36, 6, 0.45), Constant(1.0));
  for (std::size_t i = 0; i < s.size(); ++i) s[i] *= 0.6f + 0.4f * trem[i];
  Filter(s, Pass::Low, Constant(2500), 1.2);
  return s;
}

Signal GotCatch() {
  // A gloopy "got it": two vibrato tones, the second held a little.
  Signal s = Tone(Wave::Sine, 0.12, Wobble(Constant(Pitch(67)), 0.03, 18), Pluck(0.003, 0.05));
  MixInto(s, Tone(Wave::Sine, 0.22, Wobble(Constant(Pitch(74)), 0.03, 18), Pluck(0.003, 0.08)), 0.09);
  MixInto(s, Tone(Wave::Triangle, 0.3, Wobble(Constant(Pitch(86)), 0.02, 9), Pluck(0.003, 0.06)), 0.09, 0.25);
  return s;
}

Signal SplitBalls() {
  // One tone parting into two.
  Signal s;
  MixInto(s, Tone(Wave::Triangle, 0.36, Glide(Pitch(72), Pitch(79), 0.2), Pluck(0.003, 0.12)), 0, 0.6);
  MixInto(s, Tone(Wave::Triangle, 0.36, Glide(Pitch(72), Pitch(67), 0.2), Pluck(0.003, 0.12)), 0, 0.6);
  MixInto(s, Bell(84, 0.2, 0.05), 0, 0.3);
  return s;
}

Signal DoubleSplitBalls() {
  Signal s;
  for (double target : {60.0, 67.0, 76.0, 84.0}) {
    MixInto(s, Tone(Wave::Triangle, 0.45, Glide(Pitch(72), Pitch(target), 0.22), Pluck(0.003, 0.14)), 0, 0.4);
  }
  MixInto(s, Bell(84, 0.2, 0.05), 0, 0.3);
  MixInto(s, Bell(91, 0.2, 0.05), 0.12, 0.3);
  return s;
}

Signal SuperBall() {
  // A power chord opening up as the FM brightness climbs.
  Signal s;
  for (double note : {48.0, 55.0, 60.0, 67.0}) {
    MixInto(s, Fm(0.55, Constant(Pitch(note)), 1.0, Glide(0.3, 4.0, 0.35), Swell(0.02, 0.35, 0.55)), 0, 0.35);
  }
  Saturate(s, 1.5);
  return s;
}

Signal DoublePoints() {
  Signal s = Bell(83, 0.2, 0.05, 2.0, 1.2);
  MixInto(s, Bell(88, 0.3, 0.09, 2.0, 1.2), 0.08);
  MixInto(s, Bell(95, 0.3, 0.07, 2.0, 0.8), 0.08, 0.4);
  return s;
}

Signal Protect() {
  // A shimmering shield: detuned sines over a swelling band of air.
  Signal s;
  for (double offset : {0.0, 7.0, 12.0, 19.0}) {
    for (double detune : {-0.08, 0.08}) {
      MixInto(s, Tone(Wave::Sine, 0.55, Constant(Pitch(64 + offset + detune)), Swell(0.12, 0.3, 0.55)), 0, 0.15);
    }
  }
  Signal air = Noise(0.55, Swell(0.15, 0.3, 0.55), 20);
  Filter(air, Pass::Band, Glide(1500, 6000, 0.4), 4.0);
  MixInto(s, air, 0, 0.3);
  return s;
}

Signal Warp() {
  Signal s = Noise(0.85, Swell(0.25, 0.55, 0.85), 21);
  Filter(s, Pass::Band, Glide(200, 7000, 0.8), 5.0);
  MixInto(s, Tone(Wave::Sine, 0.85, Glide(150, 2400, 0.8), Swell(0.2, 0.6, 0.85)), 0, 0.5);
  MixInto(s, Tone(Wave::Sine, 0.85, Glide(225, 3600, 0.8), Swell(0.2, 0.6, 0.85)), 0, 0.3);
  Echo(s, 0.09, 0.35, 0.4, 0.3);
  return s;
}

Signal GotLaser() {
  // Charging up, then a bright lock-on.
  Signal s = Tone(Wave::Saw, 0.3, Glide(200, 1600, 0.28), Swell(0.01, 0.28, 0.3));
  Filter(s, Pass::Low, Glide(600, 6000, 0.28), 6.0);
  MixInto(s, Tone(Wave::Square, 0.14, Constant(Pitch(91)), Pluck(0.001, 0.04)), 0.28, 0.5);
  return s;
}

Signal DynaBall() {
  // A fizzing fuse into a deep thump.
  Signal fuse = Noise(0.25, Swell(0.01, 0.22, 0.25), 22);
  Filter(fuse, Pass::High, Constant(3500), 0.8);
  Signal sparks = Noise(0.25, Wobble(Constant(0.5), 0.9, 31), 23);
  Filter(sparks, Pass::Band, Constant(5000), 2.0);
  MixInto(fuse, sparks, 0, 0.7);
  Signal boom = Noise(0.4, Pluck(0.002, 0.1), 24);
  Filter(boom, Pass::Low, Glide(1500, 100, 0.3), 1.0);
  MixInto(boom, Tone(Wave::Sine, 0.35, Glide(90, 40, 0.25), Pluck(0.002, 0.1)), 0);
  MixInto(fuse, boom, 0.22, 1.2);
  Saturate(fuse, 1.5);
  return fuse;
}

Signal Powerup() {
  // A capsule appears: a quick sparkle, high and light.
  Signal s = Chime({88, 93, 100}, 0.045, 0.2, 0.05);
  return s;
}

// --- celebrations ---

Signal Firework() {
  Signal whistle = Tone(Wave::Sine, 0.35, Glide(900, 2600, 0.33), Swell(0.02, 0.28, 0.35));
  Signal burst = Noise(0.6, Pluck(0.002, 0.09), 25);
  Filter(burst, Pass::Low, Glide(5000, 300, 0.4), 0.8);
  MixInto(burst, Tone(Wave::Sine, 0.3, Glide(120, 50, 0.2), Pluck(0.002, 0.06)), 0, 0.7);
  Signal crackle = Noise(0.5, [](double t) { return std::fmod(t * 37.0, 1.0) < 0.15 ? 0.6 : 0.0; }, 26);
  Filter(crackle, Pass::High, Constant(3000), 0.8);
  Signal s = whistle;
  MixInto(s, burst, 0.33, 1.2);
  MixInto(s, crackle, 0.45, 0.5);
  Reverb(s, 0.25, 0.4);
  return s;
}

// A bright brass-like note: saws with a filter that opens at the attack.
Signal Brass(double note, double seconds) {
  Signal s;
  for (double detune : {-0.07, 0.07}) {
    MixInto(s, Tone(Wave::Saw, seconds, Constant(Pitch(note + detune)), Swell(0.02, seconds * 0.7, seconds)), 0, 0.5);
  }
  Filter(s, Pass::Low, [](double t) { return 1200 + 3000 * std::exp(-t / 0.15); }, 1.2);
  return s;
}

Signal FinishedSet() {
  // Fanfare: a pickup triplet into a held major chord.
  Signal s;
  const double pickup[] = {67, 67, 67};
  for (std::size_t i = 0; i < 3; ++i) MixInto(s, Brass(pickup[i], 0.12), 0.13 * i, 0.8);
  MixInto(s, Brass(72, 0.3), 0.39, 0.8);
  MixInto(s, Brass(67, 0.14), 0.7, 0.7);
  for (double note : {60.0, 64.0, 67.0, 72.0, 76.0}) MixInto(s, Brass(note, 1.1), 0.85, 0.45);
  MixInto(s, Chime({84, 88, 91, 96}, 0.06, 0.8, 0.25), 0.85, 0.5);
  Reverb(s, 0.3, 0.6);
  return s;
}

// --- menu ---

Signal MenuChange() {
  Signal s = Tone(Wave::Sine, 0.06, Constant(Pitch(88)), Pluck(0.001, 0.015));
  MixInto(s, Tone(Wave::Triangle, 0.05, Constant(Pitch(100)), Pluck(0.001, 0.008)), 0, 0.3);
  return s;
}

Signal MenuSelect() {
  Signal s = Bell(79, 0.2, 0.06, 2.0, 1.5);
  MixInto(s, Bell(86, 0.3, 0.1, 2.0, 1.5), 0.07);
  Echo(s, 0.09, 0.25, 0.3, 0.2);
  return s;
}

Signal MenuBack() {
  Signal s = Bell(81, 0.15, 0.04, 2.0, 1.2);
  MixInto(s, Bell(74, 0.2, 0.06, 2.0, 1.2), 0.06);
  return s;
}

Signal ExitGame() {
  Signal s = Chime({84, 79, 76, 72}, 0.11, 0.7, 0.2);
  MixInto(s, Tone(Wave::Sine, 0.9, Constant(Pitch(48)), Swell(0.05, 0.4, 0.9)), 0.33, 0.5);
  Reverb(s, 0.3, 0.5);
  return s;
}

// A sound's recipe under the id its program knows it by.
template <typename Id>
struct Recipe {
  Id id;
  Signal (*make)();
};

// True when the recipe for id n stands in place n, so the lists follow the load orders.
template <typename Id, std::size_t Count>
constexpr bool EachInItsPlace(const std::array<Recipe<Id>, Count>& recipes) {
  for (std::size_t place = 0; place < Count; ++place)
    if (static_cast<std::size_t>(recipes[place].id) != place) return false;
  return true;
}

constexpr std::array<Recipe<SoundId>, GameSounds.size()> GameRecipes = {{
    {SoundId::HitPaddle, HitPaddle},
    {SoundId::HitBrick, HitBrick},
    {SoundId::HitIndBrick, HitIndestructibleBrick},
    {SoundId::HitExpl, HitExplosive},
    {SoundId::ShootLaser, ShootLaser},
    {SoundId::HitCatchPaddle, HitCatchPaddle},
    {SoundId::ExtraLife, ExtraLife},
    {SoundId::Death, Death},
    {SoundId::HitWall, HitWall},
    {SoundId::LoseBall, LoseBall},
    {SoundId::ShrinkPad, ShrinkPad},
    {SoundId::GrowPad, GrowPad},
    {SoundId::FasterBall, FasterBall},
    {SoundId::SlowerBall, SlowerBall},
    {SoundId::GotCatch, GotCatch},
    {SoundId::SplitBalls, SplitBalls},
    {SoundId::DoubleSplitBalls, DoubleSplitBalls},
    {SoundId::SuperBall, SuperBall},
    {SoundId::DoublePoints, DoublePoints},
    {SoundId::Protect, Protect},
    {SoundId::Warp, Warp},
    {SoundId::GotLaser, GotLaser},
    {SoundId::DynaBall, DynaBall},
    {SoundId::GoThru, GoThrough},
    {SoundId::Powerup, Powerup},
    {SoundId::HitMulti, HitMulti},
    {SoundId::FireWork, Firework},
    {SoundId::FinishedSet, FinishedSet},
}};
static_assert(EachInItsPlace(GameRecipes), "one recipe for each sound of play, in the load order");

constexpr std::array<Recipe<MenuSound>, MenuSoundFiles.size()> MenuRecipes = {{
    {SoundChange, MenuChange},
    {SoundSelect, MenuSelect},
    {SoundExit, ExitGame},
    {SoundBack, MenuBack},
}};
static_assert(EachInItsPlace(MenuRecipes), "one recipe for each menu sound, in the load order");

}  // namespace

const std::vector<SoundRecipe>& GameSoundRecipes() {
  static const std::vector<SoundRecipe> recipes = [] {
    std::vector<SoundRecipe> all;
    for (const auto& recipe : GameRecipes)
      all.push_back({GameSounds[static_cast<std::size_t>(recipe.id)].file, recipe.make});
    for (const auto& recipe : MenuRecipes) all.push_back({MenuSoundFiles[recipe.id], recipe.make});
    return all;
  }();
  return recipes;
}
