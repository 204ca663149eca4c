// Songs the build rendered, decoded by libopusfile, scaled and converted to the mixer's rate by SDL.
#include "platform/rendered_songs.h"

#include <SDL.h>
#include <opusfile.h>

#include <algorithm>
#include <array>

namespace {

constexpr int OpusRate = 48000;  // Opus always decodes at 48 kHz
constexpr int FrameBytes = 4;    // 16-bit stereo, as the mixer's stream is
// The renderings were made at this synthesizer gain (the build's SHARDFALL_SONG_RENDER_GAIN).
constexpr float RenderGain = SHARDFALL_SONG_RENDER_GAIN;

}  // namespace

struct RenderedStream {
  OggOpusFile* file = nullptr;
  SDL_AudioStream* converter = nullptr;
  bool atEnd = false;

  ~RenderedStream() {
    SDL_FreeAudioStream(converter);
    if (file) op_free(file);
  }

  // Decodes until the converter holds `bytes` of the mixer's samples or the song ends.
  void Fill(int bytes, float scale) {
    std::array<float, 2 * 960> block;  // 20 ms
    while (!atEnd && SDL_AudioStreamAvailable(converter) < bytes) {
      const int frames = op_read_float_stereo(file, block.data(), static_cast<int>(block.size()));
      if (frames <= 0) {
        atEnd = true;
        SDL_AudioStreamFlush(converter);
        break;
      }
      for (int i = 0; i < 2 * frames; ++i) block[static_cast<std::size_t>(i)] *= scale;
      SDL_AudioStreamPut(converter, block.data(), frames * 2 * static_cast<int>(sizeof(float)));
    }
  }
};

RenderedSongs::RenderedSongs(int sampleRate) : sampleRate_(sampleRate) {}

RenderedSongs::~RenderedSongs() = default;

bool RenderedSongs::Prepare(const std::filesystem::path& rendering) {
  Release();
  auto stream = std::make_unique<RenderedStream>();
  stream->file = op_open_file(rendering.c_str(), nullptr);
  if (!stream->file) return false;
  stream->converter = SDL_NewAudioStream(AUDIO_F32SYS, 2, OpusRate, AUDIO_S16SYS, 2, sampleRate_);
  if (!stream->converter) return false;
  std::lock_guard guard(lock_);
  stream_ = std::move(stream);
  return true;
}

void RenderedSongs::Release() {
  std::unique_ptr<RenderedStream> last;  // freed once the mixer may run again
  std::lock_guard guard(lock_);
  playedFrames_ = -1;
  last = std::move(stream_);
}

bool RenderedSongs::Play() {
  std::lock_guard guard(lock_);
  playedFrames_ = -1;
  if (!stream_ || op_pcm_seek(stream_->file, 0) != 0) return false;
  SDL_AudioStreamClear(stream_->converter);
  stream_->atEnd = false;
  playedFrames_ = 0;
  return true;
}

void RenderedSongs::Halt() {
  std::lock_guard guard(lock_);
  playedFrames_ = -1;
}

std::int64_t RenderedSongs::PlayedMs() const {
  const std::int64_t frames = playedFrames_;
  return frames < 0 ? -1 : frames * 1000 / sampleRate_;
}

void RenderedSongs::SetGain(float gain) { gain_ = gain; }

void RenderedSongs::Mix(void* songs, std::uint8_t* stream, int length) {
  auto& self = *static_cast<RenderedSongs*>(songs);
  std::unique_lock guard(self.lock_, std::try_to_lock);
  if (!guard.owns_lock() || !self.stream_ || self.playedFrames_ < 0) return;
  RenderedStream& song = *self.stream_;
  song.Fill(length, self.gain_ / RenderGain);
  const int got = std::max(SDL_AudioStreamGet(song.converter, stream, length), 0);
  if (got == 0 && song.atEnd) {
    self.playedFrames_ = -1;
    return;
  }
  SDL_memset(stream + got, 0, static_cast<std::size_t>(length - got));
  self.playedFrames_ += got / FrameBytes;
}
