// The game's maker of generated levels (Endless, the Daily Challenge): a level of the seed and difficulty,
// proven finishable before it is offered.
#pragma once
#include <cstdint>

#include "core/generated_run.h"

MadeLevel MakeProvenLevel(const DataFolders& folders, std::uint64_t seed, int difficulty, const std::atomic<bool>* stop);
