// Proof before play: a level is offered only once the game itself has played it headless with the autopilot,
// without capsules, from a fixed seed, and cleared it in good time. And generated levels that come with their
// proof.
//
// The contract, for the game (which may prove the next level on a thread of its own while one is played), the
// content tool and the editor alike:
// - Each proof runs on a Game of its own: no window, no sound, nothing drawn, a virtual clock, the data folders'
//   pictures, tileset and background read as a game reads them. Nothing is shared between proofs, so any number
//   may run at once on their own threads; nothing is written anywhere.
// - The same level, data and settings give the same verdict and time on every run.
// - GenerateProvenLevel tries seed, seed + 1, ... (wrapping after 2^64 - 1 to 0) and returns the first level
//   that passes, with that seed: GenerateLevel of that seed and difficulty on the returned tileset gives the same
//   level. It gives up, with `error` set, after ProofSettings::attempts seeds, or at once when no tileset can be
//   used or the difficulty is out of range.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "content/data_folders.h"
#include "content/level_file.h"
#include "content/level_generator.h"

enum class ProofVerdict {
  Cleared,     // the autopilot cleared it within the bounds
  Unplayable,  // its tileset or background cannot be read, no side is guarded, or nothing is left to break
  Sealed,      // breakable bricks are shut away from every ball path (found before play)
  NoProgress,  // no brick was hit for ProofSettings::stallMs: the ball loops
  BallsLost,   // the autopilot lost every ball
  TooSlow,     // not cleared within ProofSettings::longestMs
  TooQuick,    // cleared in under ProofSettings::shortestMs
  Stopped,     // asked to stop from outside, or the process was interrupted
};

struct ProofSettings {
  std::uint32_t seed = 1;              // the game's random numbers (the autopilot's aim, debris)
  std::int32_t shortestMs = 20'000;    // virtual play time a level must at least take
  std::int32_t longestMs = 600'000;    // and at most
  std::int32_t stallMs = 180'000;      // without a brick hit for this long, the ball is taken to loop
  int attempts = 64;                   // seeds GenerateProvenLevel tries before it gives up
  const std::atomic<bool>* stop = nullptr;  // set from any thread: the proof ends at its next frame, Stopped
};

struct LevelProof {
  ProofVerdict verdict = ProofVerdict::Unplayable;
  std::int32_t playMs = 0;  // virtual time from the level's start to its clearing, or until the proof gave up
  std::string reason;       // for people: "cleared in 2:31", "3 breakable bricks are sealed off, the first at ..."
  bool passed() const { return verdict == ProofVerdict::Cleared; }
};

// Plays `level` as the only level of a set, its files read from `folders` as the game reads them.
LevelProof ProveLevel(const Level& level, const DataFolders& folders, const ProofSettings& settings = {});

// "2:31.4": a proof's time as people read it.
std::string ProofTimeText(std::int32_t ms);

struct ProvenLevel {
  Level level;
  std::string tilesetName;
  std::string songName;     // the song that suits it (GeneratedLevel::songName)
  std::string motif;
  std::uint64_t seed = 0;   // the seed that passed
  std::int32_t proofMs = 0;  // its proof's virtual play time
  int attempts = 0;         // seeds tried, the one that passed included
  std::string error;        // why there is no level; empty on success
};

// What a generated level may be made of, from the data folders: the tileset `tilesetName` (user's copy first, as
// the game reads it), or with an empty name one of the shipped tilesets chosen by `seed`, so that a seed means
// the same level for every player; the backgrounds and level songs there are.
bool ChooseTileSet(std::uint64_t seed, const DataFolders& folders, const std::string& tilesetName,
                   TileSetChoice& choice, std::string& error);

ProvenLevel GenerateProvenLevel(std::uint64_t seed, int difficulty, const DataFolders& folders,
                                const std::string& tilesetName = {}, const ProofSettings& settings = {});
