// Sound effects: the SoundTable, loading wave files, playing with the half-way guard, the volume curve.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/platform.h"

struct Clock;

// Opens the audio device (none when headless; a missing device leaves the game silent) and resets the table.
void InitSound(Platform& platform);
void ReleaseSound(Platform& platform);
// Back to a single free slot 0 in state "empty".
void ResetSoundTable(Platform& platform);
// Slot of the sound `name` of the folder `sfxFolder`, at the volume 0..100; -1 when the file is missing or not
// a PCM wave file.
int LoadSound(Platform& platform, const std::filesystem::path& sfxFolder, const std::string& name, bool halfGuard,
              std::int32_t volume);
// Restarts the sound from its beginning, once (only while soundOn; a failure switches soundOn off).
void PlaySound(Platform& platform, const Clock& clock, int slot, bool& soundOn);
// Volume 0..100 along the curve 4000^(v/100) - 4000 hundredths of a decibel.
void SetSoundVolume(Platform& platform, int slot, std::int32_t volume);
void FreeSound(Platform& platform, int slot);
// Byte length of the first "data" found scanning from byte 5, 0 if none.
std::int32_t WaveDataLength(const std::filesystem::path& path);

// The attenuation of the curve for a volume 0..100, in hundredths of a decibel.
std::int32_t SoundAttenuation(std::int32_t volume);
// True from a restart until its data has played out, timed on the game's clock.
bool SoundIsPlaying(const Platform& platform, const Clock& clock, int slot);
// The slot's play cursor in bytes, timed from its last restart on the game's clock; 0 once finished.
std::int32_t SoundPlayCursor(const Platform& platform, const Clock& clock, int slot);
