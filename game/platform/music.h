// Music: one standard MIDI song at a time, kept looping, with a master volume and fades.
#pragma once
#include <cstdint>
#include <filesystem>

#include "platform/platform.h"

struct Game;

// Starts the player (the SoundFont is set before the device opens); SetMusicVolume(0).
void InitMusic(Game& game);
void ReleaseMusic(Game& game);
// Loads the .mid file as the song; a failure sets musicOn false.
void LoadSong(Game& game, const std::filesystem::path& path);
void PlaySong(Game& game);
void StopSong(Game& game);
// Restarts the song when it is not playing.
void KeepMusicPlaying(Game& game);
// Master volume = level x 42 - 3000 hundredths of a decibel (16-bit); the device hears it shifted so level 100
// is full volume.
void SetMusicVolume(Game& game, int level);
void MusicFadeInStep(Game& game);
void MusicFadeOutStep(Game& game);

// True while the loaded song is playing (timed on the game's clock when there is no device).
bool SongPlaying(const Game& game);
// Length in ms of a standard MIDI file from its tempo map; -1 when the file is not one.
std::int32_t MidiFileLength(const std::filesystem::path& path);
