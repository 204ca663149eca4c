// General MIDI songs through FluidSynth into SDL_mixer's music hook, with only the song's instruments in memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "content/file_io.h"
#include "platform/music.h"

struct SongSynth;

class FluidSongs {
 public:
  explicit FluidSongs(int sampleRate);
  ~FluidSongs();
  FluidSongs(const FluidSongs&) = delete;
  FluidSongs& operator=(const FluidSongs&) = delete;

  // A synthesizer for the song that is loaded next: the SoundFont reduced to the song's instruments and the keys
  // it plays, their samples read now so that nothing loads while it plays. It replaces the last song's. False when
  // the SoundFont cannot be read.
  bool Prepare(const std::vector<MidiInstrument>& instruments);
  // Lets the last song's synthesizer go (a rendered song is next).
  void Release();
  // Starts the song from its beginning with the channels' controllers reset; false when it is refused.
  bool Play(const Bytes& midi);
  void Halt();
  bool Playing() const;
  // The synthesizer's gain: 0.2 is FluidSynth's own default.
  void SetGain(float gain);

  // SDL_mixer's music hook: renders the playing song into the 16-bit stereo stream; the game's thread changing
  // songs leaves the stream silent rather than waiting.
  static void Mix(void* songs, std::uint8_t* stream, int length);
  // The reduced SoundFonts in memory, over every FluidSongs: one per synthesizer that is ready.
  static std::size_t SoundFontsHeld();

 private:
  void StopPlayer();

  int sampleRate_;
  float gain_ = 0.2f;
  std::mutex lock_;  // held by the game's thread while it changes songs, by the mixer's while it renders
  std::unique_ptr<SongSynth> synth_;
};
