// Following renamed level sets: the name a set has now, and moving a player's files to it.
#include "content/renamed_sets.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "content/names.h"

namespace {

// Moves `from` to `to` unless `to` exists; a table written meanwhile under the new name is never replaced.
void MoveUnlessTaken(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(from, error))) return;
  // link refuses an existing target; the old name goes only once the new one holds the file.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return;
  }
  if (errno == EEXIST) return;
  // A file system without hard links: only the moment between the test and the move is unguarded.
  if (!std::filesystem::exists(std::filesystem::symlink_status(to, error))) std::filesystem::rename(from, to, error);
}

}  // namespace

std::string_view CurrentLevelSetName(std::string_view fileName) {
  for (const RenamedFile& set : RenamedLevelSets)
    if (set.before == fileName) return set.after;
  return fileName;
}

void CarryOverRenamedLevelSets(const std::filesystem::path& lvlFolder) {
  for (const RenamedFile& set : RenamedLevelSets)
    for (const std::string_view ending : {"sfs", "sfh"})
      MoveUnlessTaken(lvlFolder / ReplaceLastThree(set.before, ending), lvlFolder / ReplaceLastThree(set.after, ending));
}

void FollowRenamedLevelSet(Recording& recording) {
  const std::filesystem::path named = recording.levelSet;
  if (named.parent_path() != "Lvl") return;
  const std::string before = named.filename().string();
  const std::string after(CurrentLevelSetName(before));
  recording.levelSet = (named.parent_path() / after).string();
  for (RecordedFile& file : recording.files)
    if (file.role == "set" && file.name == before) file.name = after;
}
