// The SDL_mixer device: wave chunks in one channel per sound slot, and the song.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "platform/platform.h"

namespace {

constexpr int FullVolumeLevel = 100;  // the top of the music option's range plays at full volume

struct SdlChunk final : SoundBuffer {
  Mix_Chunk* chunk = nullptr;
  ~SdlChunk() override {
    if (chunk) Mix_FreeChunk(chunk);
  }
};

struct SdlSong final : SongData {
  Mix_Music* music = nullptr;
  ~SdlSong() override {
    if (music) Mix_FreeMusic(music);
  }
};

int MixerVolume(std::int32_t attenuation) {
  return static_cast<int>(std::lround(MIX_MAX_VOLUME * std::pow(10.0, attenuation / 2000.0)));
}

int DeviceMusicVolume(std::int32_t masterVolume) {
  const std::int32_t fullVolume = FullVolumeLevel * 42 - 3000;
  double gain = std::pow(10.0, (masterVolume - fullVolume) / 2000.0);
  return std::min(MIX_MAX_VOLUME, static_cast<int>(std::lround(MIX_MAX_VOLUME * gain)));
}

class SdlAudio final : public AudioDevice {
 public:
  ~SdlAudio() override {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  const char* Name() const override { return "SDL_mixer"; }

  std::shared_ptr<SoundBuffer> LoadSound(const Bytes& wave) override {
    auto buffer = std::make_shared<SdlChunk>();
    buffer->chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size())), 1);
    if (!buffer->chunk) return nullptr;
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

  std::shared_ptr<SongData> LoadSong(const std::filesystem::path& path) override {
    auto song = std::make_shared<SdlSong>();
    song->music = Mix_LoadMUS(path.string().c_str());
    if (!song->music) return nullptr;
    return song;
  }

  bool PlaySong(SongData& song) override { return Mix_PlayMusic(static_cast<SdlSong&>(song).music, 0) == 0; }
  void HaltSong() override { Mix_HaltMusic(); }
  bool SongPlaying(const Music&, std::int32_t) const override { return Mix_PlayingMusic() != 0; }
  void SetSongVolume(std::int32_t masterVolume) override { Mix_VolumeMusic(DeviceMusicVolume(masterVolume)); }
};

}  // namespace

std::unique_ptr<AudioDevice> OpenAudioDevice(const PlatformOptions& options) {
  if (options.headless) return NoAudioDevice();
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return NoAudioDevice();
  // The SoundFont must be named before the device opens, or MIDI songs play silently without an error.
  Mix_SetSoundFonts(SHARDFALL_SOUNDFONT);
  Mix_Init(MIX_INIT_MID);
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return NoAudioDevice();
  }
  return std::make_unique<SdlAudio>();
}
