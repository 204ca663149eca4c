// Writes the default songs into the "Mus" folder.
#include <stdexcept>
#include <system_error>

#include "content/file_io.h"
#include "tools/default_content/build_default.h"
#include "tools/default_content/songs/default_songs.h"

std::vector<score::Song> DefaultSongs() {
  return {MenuThemeSong(), PrismRushSong(), NeonOrbitSong(), StarShardsSong(), GlassNebulaSong(),
          CometTrailSong()};
}

bool BuildDefaultSongs(const std::filesystem::path& root, std::string& error) {
  const std::filesystem::path folder = root / "Mus";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  for (const score::Song& song : DefaultSongs()) {
    Bytes bytes;
    try {
      bytes = score::RenderSong(song);
    } catch (const std::invalid_argument& e) {
      error = e.what();
      return false;
    }
    if (!WriteFileAtomically(folder / song.fileName, bytes, error)) return false;
  }
  return true;
}
