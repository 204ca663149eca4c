// Recipes for the game's and the menu's sound effects, each built from the synthesiser's parts.
#include "tools/default_content/sounds/game_sounds.h"

#include <array>
#include <cmath>

#include "content/media_files.h"

namespace {

using namespace synth;

double pitch(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

// A glassy bell: FM with an inharmonic ratio whose brightness dies away faster than the body.
Signal bell(double note, double seconds, double decay, double ratio = 3.5, double brightness = 2.5) {
  return fm(seconds, constant(pitch(note)), ratio, times(constant(brightness), pluck(0.001, decay * 0.4)),
            pluck(0.002, decay));
}

// A short arpeggio of bells, one every `gap` seconds.
Signal chime(const std::vector<double>& notes, double gap, double ring, double decay) {
  Signal out;
  for (std::size_t i = 0; i < notes.size(); ++i) mixInto(out, bell(notes[i], ring, decay), gap * i, 0.7);
  return out;
}

Signal click(double seconds, double cutoff, std::uint32_t seed) {
  Signal s = noise(seconds, pluck(0.0005, seconds / 4), seed);
  filter(s, Pass::High, constant(cutoff), 0.7);
  return s;
}

// --- ball contacts: short, so that rapid hits stay distinct ---

Signal hitPaddle() {
  Signal s = tone(Wave::Sine, 0.14, glide(330, 180, 0.05), pluck(0.001, 0.035));
  mixInto(s, tone(Wave::Triangle, 0.1, constant(660), pluck(0.001, 0.012)), 0, 0.3);
  mixInto(s, click(0.02, 2500, 11), 0, 0.25);
  return s;
}

Signal hitBrick() {
  Signal s = bell(91, 0.16, 0.045, 3.01, 1.6);
  mixInto(s, bell(98, 0.1, 0.025, 2.0, 1.0), 0, 0.4);
  mixInto(s, click(0.015, 4000, 12), 0, 0.3);
  return s;
}

Signal hitIndestructibleBrick() {
  // Inharmonic partials of a struck metal bar, ring-modulated for extra clang.
  Signal s;
  const double partials[][2] = {{1.0, 1.0}, {2.76, 0.6}, {5.40, 0.4}, {8.93, 0.25}};
  for (const auto& p : partials) {
    mixInto(s, tone(Wave::Sine, 0.4, constant(520 * p[0]), pluck(0.001, 0.09 / std::sqrt(p[0]))), 0, p[1]);
  }
  Signal ring = tone(Wave::Sine, 0.4, constant(1370), constant(1.0));
  for (std::size_t i = 0; i < s.size(); ++i) s[i] = 0.7f * s[i] + 0.3f * s[i] * ring[i];
  mixInto(s, click(0.01, 3000, 13), 0, 0.4);
  return s;
}

Signal hitExplosive() {
  Signal boom = noise(0.8, pluck(0.002, 0.18), 14);
  filter(boom, Pass::Low, glide(3000, 120, 0.5), 0.9);
  mixInto(boom, tone(Wave::Sine, 0.5, glide(110, 38, 0.3), pluck(0.003, 0.12)), 0, 0.9);
  Signal crackle = noise(0.3, pluck(0.001, 0.05), 15);
  filter(crackle, Pass::High, constant(2000), 0.7);
  mixInto(boom, crackle, 0.0, 0.3);
  saturate(boom, 1.8);
  return boom;
}

Signal hitWall() {
  Signal s = tone(Wave::Triangle, 0.07, glide(420, 300, 0.03), pluck(0.001, 0.014));
  mixInto(s, click(0.02, 1500, 16), 0, 0.35);
  return s;
}

Signal hitMulti() {
  // A cracked brick: lower and grittier than a clean break.
  Signal s = bell(81, 0.14, 0.04, 1.41, 2.0);
  Signal crunch = noise(0.06, pluck(0.001, 0.015), 17);
  filter(crunch, Pass::Band, constant(1800), 1.5);
  mixInto(s, crunch, 0, 0.7);
  return s;
}

Signal goThrough() {
  Signal s = noise(0.24, swell(0.03, 0.06, 0.24), 18);
  filter(s, Pass::Band, glide(600, 5000, 0.2), 3.0);
  mixInto(s, tone(Wave::Sine, 0.2, glide(900, 1800, 0.2), swell(0.02, 0.05, 0.2)), 0, 0.25);
  return s;
}

Signal hitCatchPaddle() {
  // Sticky: a soft thud that bends down and back up.
  Signal s = tone(Wave::Sine, 0.18, steps({260, 200, 230, 290, 340}, 0.03), pluck(0.002, 0.06));
  filter(s, Pass::Low, constant(1500), 0.7);
  mixInto(s, tone(Wave::Sine, 0.12, glide(140, 90, 0.08), pluck(0.001, 0.03)), 0, 0.6);
  return s;
}

// --- ball loss ---

Signal loseBall() {
  Signal s = tone(Wave::Triangle, 0.55, glide(700, 140, 0.5), swell(0.01, 0.35, 0.55));
  mixInto(s, tone(Wave::Sine, 0.55, glide(706, 141, 0.5), swell(0.01, 0.35, 0.55)), 0, 0.6);
  filter(s, Pass::Low, glide(4000, 600, 0.5), 0.8);
  return s;
}

Signal death() {
  // A detuned minor chord collapsing in pitch over a rumble, with a long room tail.
  Signal s;
  const double chord[] = {57, 60, 64, 45};
  for (std::size_t i = 0; i < 4; ++i) {
    for (double detune : {-0.12, 0.12}) {
      mixInto(s, tone(Wave::Saw, 1.3, glide(pitch(chord[i] + detune), pitch(chord[i] - 24), 1.2),
                      swell(0.02, 0.5, 1.3)),
              0, 0.25);
    }
  }
  filter(s, Pass::Low, glide(5000, 300, 1.1), 1.6);
  Signal rumble = noise(1.3, swell(0.05, 0.6, 1.3), 19);
  filter(rumble, Pass::Low, constant(180), 1.0);
  mixInto(s, rumble, 0, 0.6);
  mixInto(s, tone(Wave::Sine, 0.6, glide(90, 35, 0.5), pluck(0.004, 0.2)), 0, 0.8);
  reverb(s, 0.35, 0.6);
  return s;
}

// --- weapons ---

Signal shootLaser() {
  Signal s = tone(Wave::Square, 0.18, glide(2400, 350, 0.16), pluck(0.001, 0.06));
  filter(s, Pass::Low, glide(6000, 1200, 0.15), 2.0);
  return s;
}

// --- capsules caught ---

Signal extraLife() {
  Signal s = chime({72, 76, 79, 84, 88}, 0.075, 0.5, 0.16);
  echo(s, 0.11, 0.3, 0.35, 0.3);
  return s;
}

Signal shrinkPad() {
  Signal s = tone(Wave::Square, 0.36, steps({pitch(76), pitch(72), pitch(67), pitch(64)}, 0.08),
                  swell(0.003, 0.28, 0.36));
  filter(s, Pass::Low, constant(2500), 1.0);
  return s;
}

Signal growPad() {
  Signal s = tone(Wave::Square, 0.36, steps({pitch(64), pitch(67), pitch(72), pitch(76)}, 0.08),
                  swell(0.003, 0.28, 0.36));
  filter(s, Pass::Low, constant(3000), 1.0);
  return s;
}

Signal fasterBall() {
  // A rising sweep whose tremolo speeds up with it.
  Signal s = tone(Wave::Saw, 0.42, glide(300, 1500, 0.4), swell(0.01, 0.3, 0.42));
  Signal trem = tone(Wave::Sine, 0.42, glide(8, 40, 0.4), constant(1.0));
  for (std::size_t i = 0; i < s.size(); ++i) s[i] *= 0.6f + 0.4f * trem[i];
  filter(s, Pass::Low, constant(3500), 1.2);
  return s;
}

Signal slowerBall() {
  Signal s = tone(Wave::Saw, 0.48, glide(1200, 250, 0.45), swell(0.01, 0.34, 0.48));
  Signal trem = tone(Wave::Sine, 0.48, glide(36, 6, 0.45), constant(1.0));
  for (std::size_t i = 0; i < s.size(); ++i) s[i] *= 0.6f + 0.4f * trem[i];
  filter(s, Pass::Low, constant(2500), 1.2);
  return s;
}

Signal gotCatch() {
  // A gloopy "got it": two vibrato tones, the second held a little.
  Signal s = tone(Wave::Sine, 0.12, wobble(constant(pitch(67)), 0.03, 18), pluck(0.003, 0.05));
  mixInto(s, tone(Wave::Sine, 0.22, wobble(constant(pitch(74)), 0.03, 18), pluck(0.003, 0.08)), 0.09);
  mixInto(s, tone(Wave::Triangle, 0.3, wobble(constant(pitch(86)), 0.02, 9), pluck(0.003, 0.06)), 0.09, 0.25);
  return s;
}

Signal splitBalls() {
  // One tone parting into two.
  Signal s;
  mixInto(s, tone(Wave::Triangle, 0.36, glide(pitch(72), pitch(79), 0.2), pluck(0.003, 0.12)), 0, 0.6);
  mixInto(s, tone(Wave::Triangle, 0.36, glide(pitch(72), pitch(67), 0.2), pluck(0.003, 0.12)), 0, 0.6);
  mixInto(s, bell(84, 0.2, 0.05), 0, 0.3);
  return s;
}

Signal doubleSplitBalls() {
  Signal s;
  for (double target : {60.0, 67.0, 76.0, 84.0}) {
    mixInto(s, tone(Wave::Triangle, 0.45, glide(pitch(72), pitch(target), 0.22), pluck(0.003, 0.14)), 0, 0.4);
  }
  mixInto(s, bell(84, 0.2, 0.05), 0, 0.3);
  mixInto(s, bell(91, 0.2, 0.05), 0.12, 0.3);
  return s;
}

Signal superBall() {
  // A power chord opening up as the FM brightness climbs.
  Signal s;
  for (double note : {48.0, 55.0, 60.0, 67.0}) {
    mixInto(s, fm(0.55, constant(pitch(note)), 1.0, glide(0.3, 4.0, 0.35), swell(0.02, 0.35, 0.55)), 0, 0.35);
  }
  saturate(s, 1.5);
  return s;
}

Signal doublePoints() {
  Signal s = bell(83, 0.2, 0.05, 2.0, 1.2);
  mixInto(s, bell(88, 0.3, 0.09, 2.0, 1.2), 0.08);
  mixInto(s, bell(95, 0.3, 0.07, 2.0, 0.8), 0.08, 0.4);
  return s;
}

Signal protect() {
  // A shimmering shield: detuned sines over a swelling band of air.
  Signal s;
  for (double offset : {0.0, 7.0, 12.0, 19.0}) {
    for (double detune : {-0.08, 0.08}) {
      mixInto(s, tone(Wave::Sine, 0.55, constant(pitch(64 + offset + detune)), swell(0.12, 0.3, 0.55)), 0, 0.15);
    }
  }
  Signal air = noise(0.55, swell(0.15, 0.3, 0.55), 20);
  filter(air, Pass::Band, glide(1500, 6000, 0.4), 4.0);
  mixInto(s, air, 0, 0.3);
  return s;
}

Signal warp() {
  Signal s = noise(0.85, swell(0.25, 0.55, 0.85), 21);
  filter(s, Pass::Band, glide(200, 7000, 0.8), 5.0);
  mixInto(s, tone(Wave::Sine, 0.85, glide(150, 2400, 0.8), swell(0.2, 0.6, 0.85)), 0, 0.5);
  mixInto(s, tone(Wave::Sine, 0.85, glide(225, 3600, 0.8), swell(0.2, 0.6, 0.85)), 0, 0.3);
  echo(s, 0.09, 0.35, 0.4, 0.3);
  return s;
}

Signal gotLaser() {
  // Charging up, then a bright lock-on.
  Signal s = tone(Wave::Saw, 0.3, glide(200, 1600, 0.28), swell(0.01, 0.28, 0.3));
  filter(s, Pass::Low, glide(600, 6000, 0.28), 6.0);
  mixInto(s, tone(Wave::Square, 0.14, constant(pitch(91)), pluck(0.001, 0.04)), 0.28, 0.5);
  return s;
}

Signal dynaBall() {
  // A fizzing fuse into a deep thump.
  Signal fuse = noise(0.25, swell(0.01, 0.22, 0.25), 22);
  filter(fuse, Pass::High, constant(3500), 0.8);
  Signal sparks = noise(0.25, wobble(constant(0.5), 0.9, 31), 23);
  filter(sparks, Pass::Band, constant(5000), 2.0);
  mixInto(fuse, sparks, 0, 0.7);
  Signal boom = noise(0.4, pluck(0.002, 0.1), 24);
  filter(boom, Pass::Low, glide(1500, 100, 0.3), 1.0);
  mixInto(boom, tone(Wave::Sine, 0.35, glide(90, 40, 0.25), pluck(0.002, 0.1)), 0);
  mixInto(fuse, boom, 0.22, 1.2);
  saturate(fuse, 1.5);
  return fuse;
}

Signal powerup() {
  // A capsule appears: a quick sparkle, high and light.
  Signal s = chime({88, 93, 100}, 0.045, 0.2, 0.05);
  return s;
}

// --- celebrations ---

Signal firework() {
  Signal whistle = tone(Wave::Sine, 0.35, glide(900, 2600, 0.33), swell(0.02, 0.28, 0.35));
  Signal burst = noise(0.6, pluck(0.002, 0.09), 25);
  filter(burst, Pass::Low, glide(5000, 300, 0.4), 0.8);
  mixInto(burst, tone(Wave::Sine, 0.3, glide(120, 50, 0.2), pluck(0.002, 0.06)), 0, 0.7);
  Signal crackle = noise(0.5, [](double t) { return std::fmod(t * 37.0, 1.0) < 0.15 ? 0.6 : 0.0; }, 26);
  filter(crackle, Pass::High, constant(3000), 0.8);
  Signal s = whistle;
  mixInto(s, burst, 0.33, 1.2);
  mixInto(s, crackle, 0.45, 0.5);
  reverb(s, 0.25, 0.4);
  return s;
}

// A bright brass-like note: saws with a filter that opens at the attack.
Signal brass(double note, double seconds) {
  Signal s;
  for (double detune : {-0.07, 0.07}) {
    mixInto(s, tone(Wave::Saw, seconds, constant(pitch(note + detune)), swell(0.02, seconds * 0.7, seconds)), 0, 0.5);
  }
  filter(s, Pass::Low, [](double t) { return 1200 + 3000 * std::exp(-t / 0.15); }, 1.2);
  return s;
}

Signal finishedSet() {
  // Fanfare: a pickup triplet into a held major chord.
  Signal s;
  const double pickup[] = {67, 67, 67};
  for (std::size_t i = 0; i < 3; ++i) mixInto(s, brass(pickup[i], 0.12), 0.13 * i, 0.8);
  mixInto(s, brass(72, 0.3), 0.39, 0.8);
  mixInto(s, brass(67, 0.14), 0.7, 0.7);
  for (double note : {60.0, 64.0, 67.0, 72.0, 76.0}) mixInto(s, brass(note, 1.1), 0.85, 0.45);
  mixInto(s, chime({84, 88, 91, 96}, 0.06, 0.8, 0.25), 0.85, 0.5);
  reverb(s, 0.3, 0.6);
  return s;
}

// --- menu ---

Signal menuChange() {
  Signal s = tone(Wave::Sine, 0.06, constant(pitch(88)), pluck(0.001, 0.015));
  mixInto(s, tone(Wave::Triangle, 0.05, constant(pitch(100)), pluck(0.001, 0.008)), 0, 0.3);
  return s;
}

Signal menuSelect() {
  Signal s = bell(79, 0.2, 0.06, 2.0, 1.5);
  mixInto(s, bell(86, 0.3, 0.1, 2.0, 1.5), 0.07);
  echo(s, 0.09, 0.25, 0.3, 0.2);
  return s;
}

Signal menuBack() {
  Signal s = bell(81, 0.15, 0.04, 2.0, 1.2);
  mixInto(s, bell(74, 0.2, 0.06, 2.0, 1.2), 0.06);
  return s;
}

Signal exitGame() {
  Signal s = chime({84, 79, 76, 72}, 0.11, 0.7, 0.2);
  mixInto(s, tone(Wave::Sine, 0.9, constant(pitch(48)), swell(0.05, 0.4, 0.9)), 0.33, 0.5);
  reverb(s, 0.3, 0.5);
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
{SoundId::HitPaddle, hitPaddle},
{SoundId::HitBrick, hitBrick},
{SoundId::HitIndBrick, hitIndestructibleBrick},
{SoundId::HitExpl, hitExplosive},
{SoundId::ShootLaser, shootLaser},
{SoundId::HitCatchPaddle, hitCatchPaddle},
{SoundId::ExtraLife, extraLife},
{SoundId::Death, death},
{SoundId::HitWall, hitWall},
{SoundId::LoseBall, loseBall},
{SoundId::ShrinkPad, shrinkPad},
{SoundId::GrowPad, growPad},
{SoundId::FasterBall, fasterBall},
{SoundId::SlowerBall, slowerBall},
{SoundId::GotCatch, gotCatch},
{SoundId::SplitBalls, splitBalls},
{SoundId::DoubleSplitBalls, doubleSplitBalls},
{SoundId::SuperBall, superBall},
{SoundId::DoublePoints, doublePoints},
{SoundId::Protect, protect},
{SoundId::Warp, warp},
{SoundId::GotLaser, gotLaser},
{SoundId::DynaBall, dynaBall},
{SoundId::GoThru, goThrough},
{SoundId::Powerup, powerup},
{SoundId::HitMulti, hitMulti},
{SoundId::FireWork, firework},
{SoundId::FinishedSet, finishedSet},
}};
static_assert(EachInItsPlace(GameRecipes), "one recipe for each sound of play, in the load order");

constexpr std::array<Recipe<MenuSound>, MenuSoundFiles.size()> MenuRecipes = {{
    {SoundChange, menuChange},
    {SoundSelect, menuSelect},
    {SoundExit, exitGame},
    {SoundBack, menuBack},
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
