// Music: one standard MIDI song at a time, kept looping, with a master volume.
#pragma once
#include <bitset>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "content/media_files.h"  // MaxSongEvents
#include "platform/platform.h"

struct Clock;

// Starts the player (the audio device is already open) at volume level 0.
void InitMusic(Platform& platform);
void ReleaseMusic(Platform& platform);
// Each of these switches musicOn off when it fails: a file that is not a song, or no player or song to use.
// Loads the .mid file as the song.
void LoadSong(Platform& platform, const std::filesystem::path& path, bool& musicOn);
void PlaySong(Platform& platform, const Clock& clock, bool& musicOn);
void StopSong(Platform& platform, bool& musicOn);
// Restarts the song when it is not playing.
void KeepMusicPlaying(Platform& platform, const Clock& clock, bool& musicOn);
// Master volume = level x 42 - 3000 hundredths of a decibel (16-bit); the device hears it shifted so level 100
// is full volume.
void SetMusicVolume(Platform& platform, int level, bool& musicOn);

// FluidSynth's gain for the master volume, as SDL_mixer sets it from its volume (in MixerMaxVolume steps): 1.2 at
// level 100 and above. Every device plays the songs this loud.
inline constexpr int MixerMaxVolume = 128;
float SongSynthGain(std::int32_t masterVolume);

// Where the build put its rendering of a song file's exact bytes: Rendered/NAME.CRC.opus beside it, CRC the bytes'
// CRC-32 in eight lowercase hex digits (cmake/render_songs.sh names them so).
std::filesystem::path RenderedSongPath(const std::filesystem::path& song, const Bytes& midi);

// True while the loaded song is playing (timed on the game's clock when there is no device).
bool SongPlaying(const Platform& platform, const Clock& clock);
// Length in ms of a standard MIDI file from its tempo map; -1 when the file is not one or has too many events.
std::int32_t MidiLength(const Bytes& midi);
std::int32_t MidiFileLength(const std::filesystem::path& path);

// A General MIDI instrument, bank (128 for the drum kits) and program, and the keys a song plays on it.
struct MidiInstrument {
  int bank = 0;
  int program = 0;
  std::bitset<128> keys;
};
// The instruments a standard MIDI file selects or plays notes with, in the order they first appear: channel 10
// plays from the drum bank, controller 0 selects the bank of the others; empty when the file is not one.
std::vector<MidiInstrument> MidiInstruments(const Bytes& midi);
