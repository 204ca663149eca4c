// The devices of a machine without a window, a sound card or a gamepad: nothing is shown, heard or read.
#include <chrono>
#include <thread>

#include "platform/platform.h"

namespace {

class NoWindow final : public WindowDevice {
 public:
  explicit NoWindow(bool pace) : pace_(pace) {}
  bool Present(const Display&) override {
    if (pace_) std::this_thread::sleep_for(std::chrono::milliseconds(16));
    return false;
  }
  void TakeRamp(const GammaRamp&) override {}
  bool PresentIfStale(const Display&) override { return false; }
  void WaitForRefresh() override { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }
  bool TakenAway() const override { return false; }
  void PumpEvents(bool&) override {}
  KeyStates ReadKeys() override { return {}; }
  bool ReadMouse(MouseState&) override { return false; }
  void CaptureMouse(bool) override {}

 private:
  bool pace_;  // a frame's wait at each flip, as a window's vertical sync would give
};

class NoAudio final : public AudioDevice {
 public:
  const char* Name() const override { return "none"; }
  // Every silent sound shares one empty buffer.
  std::shared_ptr<SoundBuffer> LoadSound(const Bytes&) override { return silence_; }
  bool PlaySound(int, SoundBuffer&, std::int32_t) override { return true; }
  void SetSoundVolume(int, std::int32_t) override {}
  void HaltSound(int) override {}
  void HaltAllSounds() override {}
  std::shared_ptr<SongData> LoadSong(const std::filesystem::path&, Bytes) override { return std::make_shared<SongData>(); }
  bool PlaySong(SongData&) override { return true; }
  void HaltSong() override {}
  // The song plays out its length on the game's clock.
  bool SongPlaying(const Music& music, std::int32_t now) const override {
    return now - music.songStartTick < music.songLength;
  }
  void SetSongVolume(std::int32_t) override {}

 private:
  std::shared_ptr<SoundBuffer> silence_ = std::make_shared<SoundBuffer>();
};

class NoPads final : public PadDevice {
 public:
  PadState ReadPads() override { return {}; }
};

}  // namespace

std::unique_ptr<PadDevice> NoPadDevice() { return std::make_unique<NoPads>(); }

std::unique_ptr<WindowDevice> NoWindowDevice(bool pace) { return std::make_unique<NoWindow>(pace); }

std::unique_ptr<AudioDevice> NoAudioDevice() { return std::make_unique<NoAudio>(); }
