// Writes the default sound effects into the "Sfx" folder.
#include <system_error>

#include "content/file_io.h"
#include "tools/default_content/build_default.h"
#include "tools/default_content/sounds/game_sounds.h"

bool BuildDefaultSounds(const std::filesystem::path& root, std::string& error) {
  const std::filesystem::path folder = root / "Sfx";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  for (const SoundRecipe& recipe : GameSoundRecipes()) {
    synth::Signal sound = recipe.make();
    synth::Finish(sound);
    if (!WriteFileAtomically(folder / recipe.fileName, synth::EncodeWave(sound), error)) return false;
  }
  return true;
}
