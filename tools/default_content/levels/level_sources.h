// The level text sources compiled into the tool (one per levels/<set>/<name>.txt) and the sets built from them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "content/level_file.h"
#include "content/level_set_file.h"

struct LevelSource {
  std::string_view folder;    // the set's folder, e.g. "shardfall"
  std::string_view fileName;  // e.g. "sf01_first_light.txt", or "set.txt" with the set's "name:" and "file:"
  std::string_view text;
};

// Sorted by folder, then file name.
const std::vector<LevelSource>& LevelSources();

// A shipped set compiled from its sources: levels[i] is written as levelSet.levelFiles[i].
struct ShippedLevelSet {
  std::string fileName;  // the ".sfs" name in Lvl
  LevelSet levelSet;
  std::vector<Level> levels;
  int clearedWithinMinutes = 0;  // the autopilot clears each level within this much virtual time
};

// Every shipped set, in folder order; empty with `error` naming the source file and line on any fault.
std::vector<ShippedLevelSet> ShippedLevelSets(std::string& error);
