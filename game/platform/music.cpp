// Music (being built).
#include "platform/music.h"

#include "shell/game.h"

void InitMusic(Game&) {}
void ReleaseMusic(Game&) {}
void LoadSong(Game&, const std::filesystem::path&) {}
void PlaySong(Game&) {}
void StopSong(Game&) {}
void KeepMusicPlaying(Game&) {}
void SetMusicVolume(Game&, int) {}
void MusicFadeInStep(Game&) {}
void MusicFadeOutStep(Game&) {}
bool SongPlaying(const Game&) { return false; }
std::int32_t MidiFileLength(const std::filesystem::path&) { return -1; }
