// The SDL_mixer device: wave chunks in one channel per sound slot, and the song as the build rendered it, or
// through FluidSynth when there is no rendering of it.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/fluid_songs.h"
#include "platform/music.h"
#include "platform/platform.h"
#include "platform/rendered_songs.h"

namespace {

struct SdlChunk final : SoundBuffer {
  Mix_Chunk* chunk = nullptr;
  ~SdlChunk() override {
    if (chunk) Mix_FreeChunk(chunk);
  }
};

struct SdlSong final : SongData {
  Bytes midi;
  bool rendered = false;
};

void Silence(void*, Uint8* stream, int length) { std::memset(stream, 0, static_cast<std::size_t>(length)); }

int MixerVolume(std::int32_t attenuation) {
  return static_cast<int>(std::lround(MIX_MAX_VOLUME * std::pow(10.0, attenuation / 2000.0)));
}

static_assert(MIX_MAX_VOLUME == MixerMaxVolume, "the song gain counts in the mixer's volume steps");

class SdlAudio final : public AudioDevice {
 public:
  explicit SdlAudio(int sampleRate)
      : songs_(std::make_unique<FluidSongs>(sampleRate)), rendered_(std::make_unique<RenderedSongs>(sampleRate)) {
    Mix_HookMusic(MixSong, this);
  }
  ~SdlAudio() override {
    Mix_HookMusic(nullptr, nullptr);
    songs_.reset();
    rendered_.reset();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  const char* Name() const override { return "SDL_mixer"; }

  std::shared_ptr<SoundBuffer> LoadSound(const Bytes& wave) override {
    auto buffer = std::make_shared<SdlChunk>();
    buffer->chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size())), 1);
    if (!buffer->chunk) return nullptr;
    // SDL_mixer keeps its converter's whole working buffer, several times the converted sound: give back the rest.
    if (void* exact = SDL_realloc(buffer->chunk->abuf, buffer->chunk->alen))
      buffer->chunk->abuf = static_cast<Uint8*>(exact);
    return buffer;
  }

  bool PlaySound(int slot, SoundBuffer& buffer, std::int32_t attenuation) override {
    if (Mix_AllocateChannels(-1) <= slot) Mix_AllocateChannels(slot + 1);
    Mix_Volume(slot, MixerVolume(attenuation));
    return Mix_PlayChannel(slot, static_cast<SdlChunk&>(buffer).chunk, 0) == slot;
  }

  void SetSoundVolume(int slot, std::int32_t attenuation) override {
    if (Mix_Playing(slot)) Mix_Volume(slot, MixerVolume(attenuation));
  }

  void HaltSound(int slot) override { Mix_HaltChannel(slot); }
  void HaltAllSounds() override { Mix_HaltChannel(-1); }

  // The song's rendering is opened, or its instruments loaded, now, so nothing loads while it plays; only one of
  // the two is kept.
  std::shared_ptr<SongData> LoadSong(const std::filesystem::path& file, Bytes midi) override {
    auto song = std::make_shared<SdlSong>();
    song->rendered = rendered_->Prepare(RenderedSongPath(file, midi));
    if (song->rendered)
      songs_->Release();
    else if (!songs_->Prepare(MidiInstruments(midi)))
      return nullptr;
    song->midi = std::move(midi);
    return song;
  }

  bool PlaySong(SongData& data) override {
    auto& song = static_cast<SdlSong&>(data);
    HaltSong();
    return song.rendered ? rendered_->Play() : songs_->Play(song.midi);
  }
  void HaltSong() override {
    songs_->Halt();
    rendered_->Halt();
  }
  // A rendering carries the synthesizer's release tail: the song is over at its length from the MIDI timing, as
  // the synthesizer's player is, and the next start cuts the tail off as the synthesizer's does.
  bool SongPlaying(const Music& music, std::int32_t) const override {
    const std::int64_t played = rendered_->PlayedMs();
    return songs_->Playing() || (played >= 0 && played < music.songLength);
  }
  void SetSongVolume(std::int32_t masterVolume) override {
    songs_->SetGain(SongSynthGain(masterVolume));
    rendered_->SetGain(SongSynthGain(masterVolume));
  }

  // After everything is mixed, so the sounds and the song go on in time and are heard again where they are.
  void Mute(bool muted) override { Mix_SetPostMix(muted ? Silence : nullptr, nullptr); }

 private:
  static void MixSong(void* device, Uint8* stream, int length) {
    auto& self = *static_cast<SdlAudio*>(device);
    FluidSongs::Mix(self.songs_.get(), stream, length);
    RenderedSongs::Mix(self.rendered_.get(), stream, length);
  }

  std::unique_ptr<FluidSongs> songs_;
  std::unique_ptr<RenderedSongs> rendered_;
};

}  // namespace

std::unique_ptr<AudioDevice> OpenAudioDevice(const PlatformOptions& options) {
  if (options.headless) return NoAudioDevice();
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return NoAudioDevice();
  // 16-bit stereo at the renderings' rate, as the song hook writes it; SDL converts it for a device that differs.
  if (Mix_OpenAudioDevice(48000, AUDIO_S16SYS, 2, 1024, nullptr, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return NoAudioDevice();
  }
  int sampleRate = 48000, channels = 2;
  Uint16 format = AUDIO_S16SYS;
  Mix_QuerySpec(&sampleRate, &format, &channels);
  return std::make_unique<SdlAudio>(sampleRate);
}
