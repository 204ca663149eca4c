// Sound effects: the SoundTable, loading wave files, playing with the half-way guard, the volume curve.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/platform.h"

struct Game;

// Opens the audio device (unless headless; a missing device leaves the game silent), resets the table,
// soundOn = true.
void InitSound(Game& game);
void ReleaseSound(Game& game);
// Back to a single free slot 0 in state "empty".
void ResetSoundTable(Game& game);
// Slot of the loaded sound (name inside Sfx/); -1 when the file is missing or not a PCM wave file.
int LoadSound(Game& game, const std::string& name, bool halfGuard);
// Restarts the sound from its beginning, once (only while soundOn; a failure switches soundOn off).
void PlaySound(Game& game, int slot);
// Volume 0..100 along the curve 4000^(v/100) - 4000 hundredths of a decibel.
void SetSoundVolume(Game& game, int slot, std::int32_t volume);
void FreeSound(Game& game, int slot);
// Byte length of the first "data" found scanning from byte 5, 0 if none.
std::int32_t WaveDataLength(const std::filesystem::path& path);

// The attenuation of the curve for a volume 0..100, in hundredths of a decibel.
std::int32_t SoundAttenuation(std::int32_t volume);
// True from a restart until its data has played out, timed on the game's clock.
bool SoundIsPlaying(const Game& game, int slot);
// The slot's play cursor in bytes, timed from its last restart on the game's clock; 0 once finished.
std::int32_t SoundPlayCursor(const Game& game, int slot);
