// The game's maker of generated levels: GenerateProvenLevel on a tileset the seed chooses.
#include "proof/level_maker.h"

#include "proof/level_proof.h"

MadeLevel MakeProvenLevel(const DataFolders& folders, std::uint64_t seed, int difficulty, const std::atomic<bool>* stop) {
  ProofSettings settings;
  settings.stop = stop;
  ProvenLevel proven = GenerateProvenLevel(seed, difficulty, folders, {}, settings);
  return {std::move(proven.level), proven.seed, difficulty, std::move(proven.error), std::move(proven.songName)};
}
