// Sound effects: the SoundTable, loading wave files, playing with the half-way guard, the volume curve.
#include "platform/sound.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "content/file_io.h"
#include "platform/sdl_devices.h"
#include "shell/game.h"

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

bool ValidSlot(const Game& game, int slot) {
  const SoundTable& table = game.platform.sound.soundTable;
  return slot >= 0 && slot < static_cast<int>(table.size()) && !table[slot].free;
}

int MixerVolume(std::int32_t attenuation) {
  return static_cast<int>(std::lround(MIX_MAX_VOLUME * std::pow(10.0, attenuation / 2000.0)));
}

bool StartOnDevice(Game& game, int slot) {
  SoundSlot& sound = game.platform.sound.soundTable[slot];
  if (!game.platform.sound.audio || !sound.buffer) return true;  // silent machine: the table plays on its own
  if (Mix_AllocateChannels(-1) <= slot) Mix_AllocateChannels(slot + 1);
  Mix_Volume(slot, MixerVolume(sound.volume));
  return Mix_PlayChannel(slot, sound.buffer->chunk, 0) == slot;
}

void LogSound(Game& game, const std::string& fileName) {
  auto& log = game.platform.sound.soundLog;
  log.push_back(std::filesystem::path(fileName).filename().string());
  if (log.size() > SoundLogLength) log.pop_front();
}

}  // namespace

AudioDevice::~AudioDevice() {
  if (!opened) return;
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SoundBuffer::~SoundBuffer() {
  if (chunk) Mix_FreeChunk(chunk);
}

void InitSound(Game& game) {
  ResetSoundTable(game);
  game.state.soundOn = true;
  if (game.platform.options.headless || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  // The SoundFont must be named before the device opens, or MIDI songs play silently without an error.
  Mix_SetSoundFonts(SHARDFALL_SOUNDFONT);
  Mix_Init(MIX_INIT_MID);
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  auto audio = std::make_shared<AudioDevice>();
  audio->opened = true;
  game.platform.sound.audio = std::move(audio);
}

void ReleaseSound(Game& game) {
  for (std::size_t slot = 0; slot < game.platform.sound.soundTable.size(); ++slot)
    FreeSound(game, static_cast<int>(slot));
  game.platform.music.songSegment.reset();  // a song must not outlive the device it plays on
  game.platform.sound.audio.reset();
}

void ResetSoundTable(Game& game) {
  if (game.platform.sound.audio) Mix_HaltChannel(-1);
  game.platform.sound.soundTable = SoundTable(1);
}

int LoadSound(Game& game, const std::string& name, bool halfGuard) {
  SoundTable& table = game.platform.sound.soundTable;
  std::filesystem::path path = game.folders.shipped / "Sfx" / name;
  Bytes bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error, MaxWaveBytes)) return -1;
  std::int32_t bytesPerSecond = WaveBytesPerSecond(bytes);
  if (bytesPerSecond <= 0) return -1;
  std::shared_ptr<SoundBuffer> buffer;
  if (game.platform.sound.audio) {
    buffer = std::make_shared<SoundBuffer>();
    buffer->chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (!buffer->chunk) return -1;
  }
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
  SetSoundVolume(game, slot, static_cast<std::int32_t>(std::nearbyint(game.options.soundVolume)));
  sound.dataLength = WaveDataLength(path);
  return slot;
}

std::int32_t SoundAttenuation(std::int32_t volume) {
  double a = std::pow(2.0, volume / 100.0 * std::log2(4000.0)) - 4000.0;
  return a > 0 ? 0 : static_cast<std::int32_t>(std::nearbyint(a));
}

void SetSoundVolume(Game& game, int slot, std::int32_t volume) {
  if (!ValidSlot(game, slot)) return;
  SoundSlot& sound = game.platform.sound.soundTable[slot];
  sound.volume = SoundAttenuation(volume);
  if (game.platform.sound.audio && sound.buffer && Mix_Playing(slot)) Mix_Volume(slot, MixerVolume(sound.volume));
}

namespace {

std::int64_t BytesPlayed(const Game& game, const SoundSlot& sound) {
  return (static_cast<std::int64_t>(Now(game)) - sound.startTick) * sound.bytesPerSecond / 1000;
}

}  // namespace

bool SoundIsPlaying(const Game& game, int slot) {
  if (!ValidSlot(game, slot)) return false;
  const SoundSlot& sound = game.platform.sound.soundTable[slot];
  return sound.started && BytesPlayed(game, sound) < sound.dataLength;
}

std::int32_t SoundPlayCursor(const Game& game, int slot) {
  // A finished (or never started) sound rests at position 0.
  if (!SoundIsPlaying(game, slot)) return 0;
  return static_cast<std::int32_t>(BytesPlayed(game, game.platform.sound.soundTable[slot]));
}

void PlaySound(Game& game, int slot) {
  if (!game.state.soundOn || !ValidSlot(game, slot)) return;
  SoundSlot& sound = game.platform.sound.soundTable[slot];
  // A guarded sound asked again in its first half simply goes on; anything else starts over.
  // Half of an odd length lies between two bytes: the cursor on the byte below it is still in the first half.
  bool goesOn = sound.halfGuard && SoundIsPlaying(game, slot) && sound.dataLength / 2.0 > SoundPlayCursor(game, slot);
  if (!goesOn) {
    if (!StartOnDevice(game, slot)) {
      game.state.soundOn = false;
      return;
    }
    sound.started = true;
    sound.startTick = Now(game);
  }
  sound.state = "playing";
  LogSound(game, sound.fileName);
}

void FreeSound(Game& game, int slot) {
  SoundTable& table = game.platform.sound.soundTable;
  if (slot < 0 || slot >= static_cast<int>(table.size())) return;
  if (game.platform.sound.audio && table[slot].buffer) Mix_HaltChannel(slot);
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
