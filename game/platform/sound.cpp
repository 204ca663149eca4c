// Sound effects: the SoundTable, loading wave files, playing with the half-way guard, the volume curve.
#include "platform/sound.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/clock.h"

namespace {

constexpr std::size_t SoundLogLength = 200;
constexpr std::uintmax_t MaxWaveBytes = 64u << 20;

std::uint32_t LittleEndian32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Bytes per second of a RIFF/WAVE file's "fmt " chunk; 0 when the file is not a wave file.
std::int32_t WaveBytesPerSecond(const Bytes& bytes) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(&bytes[8], "WAVE", 4) != 0)
    return 0;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    std::uint32_t size = LittleEndian32(bytes, at + 4);
    if (std::memcmp(&bytes[at], "fmt ", 4) == 0) {
      if (size < 16 || at + 8 + 16 > bytes.size()) return 0;
      return static_cast<std::int32_t>(std::min<std::uint32_t>(LittleEndian32(bytes, at + 16), INT32_MAX));
    }
    at += 8 + static_cast<std::size_t>(size) + (size & 1);
  }
  return 0;
}

bool ValidSlot(const Platform& platform, int slot) {
  const SoundTable& table = platform.sound.soundTable;
  return slot >= 0 && slot < static_cast<int>(table.size()) && !table[slot].free;
}

void LogSound(Sound& sound, const std::string& fileName) {
  auto& log = sound.soundLog;
  log.push_back(std::filesystem::path(fileName).filename().string());
  if (log.size() > SoundLogLength) log.pop_front();
}

std::int64_t BytesPlayed(const Clock& clock, const SoundSlot& sound) {
  return (static_cast<std::int64_t>(TickCount(clock)) - sound.startTick) * sound.bytesPerSecond / 1000;
}

}  // namespace

void InitSound(Platform& platform) {
  ResetSoundTable(platform);
  platform.audio = OpenAudioDevice(platform.options);
}

void ReleaseSound(Platform& platform) {
  for (std::size_t slot = 0; slot < platform.sound.soundTable.size(); ++slot)
    FreeSound(platform, static_cast<int>(slot));
  platform.music.songSegment.reset();  // a song must not outlive the device it plays on
  platform.audio = NoAudioDevice();
}

void ResetSoundTable(Platform& platform) {
  platform.audio->HaltAllSounds();
  platform.sound.soundTable = SoundTable(1);
}

int LoadSound(Platform& platform, const std::filesystem::path& sfxFolder, const std::string& name, bool halfGuard,
              std::int32_t volume) {
  SoundTable& table = platform.sound.soundTable;
  std::filesystem::path path = sfxFolder / name;
  Bytes bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error, MaxWaveBytes)) return -1;
  std::int32_t bytesPerSecond = WaveBytesPerSecond(bytes);
  if (bytesPerSecond <= 0) return -1;
  std::shared_ptr<SoundBuffer> buffer = platform.audio->LoadSound(bytes);
  if (!buffer) return -1;
  auto freeSlot = std::find_if(table.begin(), table.end(), [](const SoundSlot& s) { return s.free; });
  int slot = static_cast<int>(freeSlot - table.begin());
  if (freeSlot == table.end()) table.emplace_back();
  SoundSlot& sound = table[slot];
  sound = SoundSlot{};
  sound.free = false;
  sound.fileName = "Sfx/" + name;
  sound.state = "Stopped";
  sound.halfGuard = halfGuard;
  sound.buffer = std::move(buffer);
  sound.bytesPerSecond = bytesPerSecond;
  SetSoundVolume(platform, slot, volume);
  sound.dataLength = WaveDataLength(path);
  return slot;
}

std::int32_t SoundAttenuation(std::int32_t volume) {
  double a = std::pow(2.0, volume / 100.0 * std::log2(4000.0)) - 4000.0;
  return a > 0 ? 0 : static_cast<std::int32_t>(std::nearbyint(a));
}

void SetSoundVolume(Platform& platform, int slot, std::int32_t volume) {
  if (!ValidSlot(platform, slot)) return;
  SoundSlot& sound = platform.sound.soundTable[slot];
  sound.volume = SoundAttenuation(volume);
  if (sound.buffer) platform.audio->SetSoundVolume(slot, sound.volume);
}

bool SoundIsPlaying(const Platform& platform, const Clock& clock, int slot) {
  if (!ValidSlot(platform, slot)) return false;
  const SoundSlot& sound = platform.sound.soundTable[slot];
  return sound.started && BytesPlayed(clock, sound) < sound.dataLength;
}

std::int32_t SoundPlayCursor(const Platform& platform, const Clock& clock, int slot) {
  // A finished (or never started) sound rests at position 0.
  if (!SoundIsPlaying(platform, clock, slot)) return 0;
  return static_cast<std::int32_t>(BytesPlayed(clock, platform.sound.soundTable[slot]));
}

void PlaySound(Platform& platform, const Clock& clock, int slot, bool& soundOn) {
  if (!soundOn || !ValidSlot(platform, slot)) return;
  SoundSlot& sound = platform.sound.soundTable[slot];
  // A guarded sound asked again in its first half simply goes on; anything else starts over.
  // Half of an odd length lies between two bytes: the cursor on the byte below it is still in the first half.
  bool goesOn = sound.halfGuard && SoundIsPlaying(platform, clock, slot) &&
                sound.dataLength / 2.0 > SoundPlayCursor(platform, clock, slot);
  if (!goesOn) {
    bool started = !sound.buffer || platform.audio->PlaySound(slot, *sound.buffer, sound.volume);
    if (!started) {
      soundOn = false;
      return;
    }
    sound.started = true;
    sound.startTick = TickCount(clock);
  }
  sound.state = "playing";
  LogSound(platform.sound, sound.fileName);
}

void FreeSound(Platform& platform, int slot) {
  SoundTable& table = platform.sound.soundTable;
  if (slot < 0 || slot >= static_cast<int>(table.size())) return;
  if (table[slot].buffer) platform.audio->HaltSound(slot);
  table[slot] = SoundSlot{};
}

std::int32_t WaveDataLength(const std::filesystem::path& path) {
  Bytes bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error, MaxWaveBytes)) return 0;
  // Byte by byte from the fifth byte, not along the chunk list: a "data" inside another chunk counts.
  for (std::size_t at = 4; at + 8 <= bytes.size(); ++at)
    if (std::memcmp(&bytes[at], "data", 4) == 0) return static_cast<std::int32_t>(LittleEndian32(bytes, at + 4));
  return 0;
}
