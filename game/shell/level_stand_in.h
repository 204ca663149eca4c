// TEMPORARY STAND-IN for the level generator (see level_stand_in.cpp).
#pragma once
#include <cstdint>

#include "core/generated_run.h"

MadeLevel StandInLevel(const DataFolders& folders, std::uint64_t seed, int difficulty);
