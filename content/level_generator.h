// Levels made from a seed: a symmetric layout built from a motif, dressed with the bricks a difficulty calls for,
// out of one tileset, with a background and a song that suit them.
//
// The contract, for the game, the content tool and the editor alike:
// - Every 64-bit seed is valid, 0 and 2^64 - 1 included; a 32-bit seed is the same number widened.
// - The same seed, difficulty and choice give the same level, byte for byte, on every machine and in every build:
//   every decision comes from the generator's own whole-number random stream (SeedStream), none from the standard
//   library's distributions, from floating point, or from anything but the arguments.
// - A difficulty outside EasiestDifficulty .. HardestDifficulty, or a tileset with no brick that breaks (no whole
//   Hittable run), gives no level: `error` says why and `level` stays empty. A tileset that lacks a kind the
//   difficulty would use (metal, multi-hit, go-through, dynamite, shooters, animated bricks) gets a level without it.
// - The level keeps the rules a designer's level keeps: a guarded side, bricks only on the playfield and out of
//   the paddles' way, only tiles of the tileset, no breakable brick sealed off, no gap one row high between
//   indestructible bricks. Whether the autopilot clears it in good time is the proof's to say (game/proof).
// - Pure and thread-safe: it reads only its arguments.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "content/level_file.h"
#include "content/tileset_file.h"

inline constexpr int EasiestDifficulty = 1;
inline constexpr int HardestDifficulty = 10;

// What a level may be made of.
struct TileSetChoice {
  std::string tilesetName;               // the ".sft" file name in Tls, written into the level
  TileSet tileSet;                       // its records as the game reads them (cut to the bitmap's cells)
  std::vector<std::string> backgrounds;  // pictures in Bgd the level may name, in a fixed order (sorted)
  std::vector<std::string> songs;        // level songs in Mus that may go with it, in a fixed order (sorted)
};

struct GeneratedLevel {
  Level level;
  std::string songName;  // one of choice.songs that suits the level; empty when there is none
  std::string motif;     // what the layout was built from, as people say it: "diamond rings"
  std::string error;     // why no level was made; empty on success
};

// The background a level names when the choice offers none (the editor's default too).
inline const std::string FallbackBackground = "DefaultBackground.bmp";

GeneratedLevel GenerateLevel(std::uint64_t seed, int difficulty, const TileSetChoice& choice);
