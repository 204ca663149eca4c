// Sound effects (being built).
#include "platform/sound.h"

#include "shell/game.h"

void InitSound(Game&) {}
void ReleaseSound(Game&) {}
void ResetSoundTable(Game& game) { game.platform.sound.soundTable = SoundTable(1); }
int LoadSound(Game&, const std::string&, bool) { return -1; }
void PlaySound(Game&, int) {}
void SetSoundVolume(Game&, int, std::int32_t) {}
void FreeSound(Game&, int) {}
std::int32_t WaveDataLength(const std::filesystem::path&) { return 0; }
std::int32_t SoundAttenuation(std::int32_t) { return 0; }
std::int32_t SoundPlayCursor(const Game&, int) { return 0; }
