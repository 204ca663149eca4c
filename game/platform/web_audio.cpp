// The browser's sound (Web Audio, through web/devices.js): wave files decoded by the browser, one channel per
// sound slot, and the songs as the build rendered them from the shipped MIDI files with the same SoundFont.
#include <emscripten.h>

#include <cmath>

#include "platform/music.h"
#include "platform/platform.h"

namespace {

// The page's side of the sound card: web/devices.js.
EM_JS(int, WebHasAudio, (), { return Module.devices && Module.devices.hasAudio() ? 1 : 0; });
EM_JS(int, WebLoadSound, (const std::uint8_t* bytes, int size), { return Module.devices.loadSound(bytes, size); });
EM_JS(void, WebDropSound, (int sound), { Module.devices.dropSound(sound); });
EM_JS(void, WebPlaySound, (int slot, int sound, double gain), { Module.devices.playSound(slot, sound, gain); });
EM_JS(void, WebSetSoundGain, (int slot, double gain), { Module.devices.setSoundGain(slot, gain); });
EM_JS(void, WebHaltSound, (int slot), { Module.devices.haltSound(slot); });
EM_JS(int, WebLoadSong, (const std::uint8_t* bytes, int size), { return Module.devices.loadSong(bytes, size); });
EM_JS(void, WebDropSong, (int song), { Module.devices.dropSong(song); });
EM_JS(void, WebPlaySong, (int song), { Module.devices.playSong(song); });
EM_JS(void, WebHaltSong, (), { Module.devices.haltSong(); });
EM_JS(double, WebSongMs, (), { return Module.devices.songMs(); });
EM_JS(void, WebSetSongGain, (double gain), { Module.devices.setSongGain(gain); });

// The songs were rendered at this synthesizer gain (the build's SHARDFALL_SONG_RENDER_GAIN).
constexpr double RenderGain = SHARDFALL_SONG_RENDER_GAIN;

struct WebSound final : SoundBuffer {
  explicit WebSound(int id) : id(id) {}
  ~WebSound() override { WebDropSound(id); }
  int id;
};

struct WebSong final : SongData {
  explicit WebSong(int id) : id(id) {}
  ~WebSong() override { WebDropSong(id); }
  int id;
};

// An attenuation in hundredths of a decibel as a linear gain.
double Gain(std::int32_t attenuation) { return std::pow(10.0, attenuation / 2000.0); }

class WebAudio final : public AudioDevice {
 public:
  const char* Name() const override { return "Web Audio"; }

  std::shared_ptr<SoundBuffer> LoadSound(const Bytes& wave) override {
    const int id = WebLoadSound(wave.data(), static_cast<int>(wave.size()));
    return id > 0 ? std::make_shared<WebSound>(id) : nullptr;
  }

  bool PlaySound(int slot, SoundBuffer& buffer, std::int32_t attenuation) override {
    WebPlaySound(slot, static_cast<WebSound&>(buffer).id, Gain(attenuation));
    return true;
  }

  void SetSoundVolume(int slot, std::int32_t attenuation) override { WebSetSoundGain(slot, Gain(attenuation)); }
  void HaltSound(int slot) override { WebHaltSound(slot); }
  void HaltAllSounds() override { WebHaltSound(-1); }

  // A song the build did not render (one of the player's own) plays as silence that keeps its time.
  std::shared_ptr<SongData> LoadSong(const std::filesystem::path&, Bytes midi) override {
    return std::make_shared<WebSong>(WebLoadSong(midi.data(), static_cast<int>(midi.size())));
  }

  bool PlaySong(SongData& song) override {
    WebPlaySong(static_cast<WebSong&>(song).id);
    return true;
  }

  void HaltSong() override { WebHaltSong(); }

  // The rendering carries the synthesizer's release tail: the song is over at its length from the MIDI timing, as
  // the desktop's player is, and the next start cuts the tail off as the desktop's does.
  bool SongPlaying(const Music& music, std::int32_t) const override { return WebSongMs() < music.songLength; }

  void SetSongVolume(std::int32_t masterVolume) override { WebSetSongGain(SongSynthGain(masterVolume) / RenderGain); }
};

}  // namespace

std::unique_ptr<AudioDevice> OpenAudioDevice(const PlatformOptions& options) {
  if (options.headless || !WebHasAudio()) return NoAudioDevice();
  return std::make_unique<WebAudio>();
}
