// The shipped level sets that took new file names, so that a player's scores, own copies and recordings
// follow them.
#pragma once
#include <filesystem>
#include <string_view>

#include "content/recording_file.h"

struct RenamedFile {
  std::string_view before;
  std::string_view after;
};

// Numbered so that a listing by file name offers them from the gentlest to the hardest.
inline constexpr RenamedFile RenamedLevelSets[] = {
    {"WarmUp.sfs", "1-WarmUp.sfs"},
    {"Shardfall.sfs", "2-Shardfall.sfs"},
    {"FourWinds.sfs", "3-FourWinds.sfs"},
    {"FaultLines.sfs", "4-FaultLines.sfs"},
};

// The set file's name now: its new name when it was renamed, else the name itself.
std::string_view CurrentLevelSetName(std::string_view fileName);

// In a Lvl folder, the score table (".sfh") and the own copy (".sfs") of each renamed set take the new name,
// unless a file of that name is there already, which is then left as it is (so is the old file).
void CarryOverRenamedLevelSets(const std::filesystem::path& lvlFolder);

// A recording made before its set was renamed names the old file: its set ("Lvl/NAME") and the set's checksum
// line take the new name. A set recorded by its whole path is left alone.
void FollowRenamedLevelSet(Recording& recording);
