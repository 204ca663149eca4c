// Songs the build rendered (Ogg Opus, at the render gain) played into SDL_mixer's music hook at the song volume's
// gain: the synthesizer's sound at a fraction of its memory and work.
#pragma once
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>

struct RenderedStream;

class RenderedSongs {
 public:
  explicit RenderedSongs(int sampleRate);
  ~RenderedSongs();
  RenderedSongs(const RenderedSongs&) = delete;
  RenderedSongs& operator=(const RenderedSongs&) = delete;

  // Opens the rendering for the song that is loaded next, replacing the last one; false when it cannot be read.
  bool Prepare(const std::filesystem::path& rendering);
  // Lets the last rendering go (a song the synthesizer plays is next).
  void Release();
  // Starts the prepared rendering from its beginning; false when there is none.
  bool Play();
  void Halt();
  // Milliseconds of the song sent to the mixer since Play; -1 when it is not playing (halted, or at its end).
  std::int64_t PlayedMs() const;
  // The synthesizer gain the song is heard at, as it would be set on the synthesizer.
  void SetGain(float gain);

  // SDL_mixer's music hook: writes the playing song over the 16-bit stereo stream; the game's thread changing
  // songs leaves the stream as it is rather than waiting.
  static void Mix(void* songs, std::uint8_t* stream, int length);

 private:
  int sampleRate_;
  std::atomic<float> gain_{0.2f};
  std::atomic<std::int64_t> playedFrames_{-1};
  std::mutex lock_;  // held by the game's thread while it changes songs, by the mixer's while it decodes
  std::unique_ptr<RenderedStream> stream_;
};
