// Music: one standard MIDI song at a time, kept looping, with a master volume and fades.
#include "platform/music.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "content/file_io.h"
#include "platform/sdl_devices.h"
#include "shell/game.h"

namespace {

constexpr std::size_t SongLogLength = 200;
constexpr float FadeInRate = 0.03f;   // level per ms
constexpr float FadeOutRate = 0.08f;
constexpr int FullVolumeLevel = 100;  // the top of the option's range plays at full volume

// ---- reading a standard MIDI file's timing ----

struct MidiReader {
  const Bytes& bytes;
  std::size_t at;
  std::size_t end;
  bool ok = true;

  std::uint32_t Byte() {
    if (at < end) return bytes[at++];
    ok = false;
    return 0;
  }
  std::uint32_t Quantity() {  // variable-length, at most four bytes
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint32_t b = Byte();
      value = value << 7 | (b & 0x7F);
      if (!(b & 0x80)) return value;
    }
    ok = false;
    return 0;
  }
  void Skip(std::uint32_t count) {
    if (count <= end - at) {
      at += count;
    } else {
      ok = false;
      at = end;
    }
  }
};

std::uint32_t BigEndian(const Bytes& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
  return value;
}

// Walks one track: notes the tempo changes by tick and returns the tick of its last event.
bool ReadTrack(MidiReader reader, std::map<std::uint64_t, std::uint32_t>& tempos, std::uint64_t& endTick) {
  std::uint64_t tick = 0;
  std::uint32_t status = 0;
  while (reader.ok && reader.at < reader.end) {
    tick += reader.Quantity();
    std::uint32_t first = reader.Byte();
    if (first == 0xFF) {
      std::uint32_t type = reader.Byte(), length = reader.Quantity();
      if (type == 0x51 && length == 3 && reader.end - reader.at >= 3)
        tempos[tick] = BigEndian(reader.bytes, reader.at, 3);
      reader.Skip(length);
      if (type == 0x2F) break;
    } else if (first == 0xF0 || first == 0xF7) {
      reader.Skip(reader.Quantity());
    } else {
      if (first & 0x80) status = first;
      else if (status == 0) return false;  // running status with nothing to run on
      else --reader.at;
      std::uint32_t kind = status & 0xF0;
      reader.Skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2);
    }
  }
  endTick = std::max(endTick, tick);
  return reader.ok;
}

double TicksToMs(std::uint64_t ticks, std::uint32_t division, const std::map<std::uint64_t, std::uint32_t>& tempos) {
  if (division & 0x8000) {  // SMPTE frames x ticks per frame
    int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
    double ticksPerSecond = static_cast<double>(framesPerSecond) * (division & 0xFF);
    return ticksPerSecond > 0 ? ticks * 1000.0 / ticksPerSecond : -1;
  }
  if (division == 0) return -1;
  double ms = 0;
  std::uint64_t from = 0;
  std::uint32_t microsPerQuarter = 500000;
  for (auto [tick, tempo] : tempos) {
    if (tick >= ticks) break;
    ms += (tick - from) * microsPerQuarter / 1000.0 / division;
    from = tick;
    microsPerQuarter = tempo;
  }
  return ms + (ticks - from) * microsPerQuarter / 1000.0 / division;
}

// ---- the player ----

bool Fail(Game& game) {
  game.state.musicOn = false;
  return false;
}

bool PlayerHasSong(Game& game) {
  return game.platform.music.performanceReady && game.platform.music.songSegment ? true : Fail(game);
}

bool DeviceOpen(const Game& game) { return game.platform.sound.audio != nullptr; }

void LogSong(Game& game) {
  auto& log = game.platform.music.songLog;
  log.push_back(game.platform.music.songFile);
  if (log.size() > SongLogLength) log.pop_front();
}

int DeviceMusicVolume(std::int32_t masterVolume) {
  const std::int32_t fullVolume = FullVolumeLevel * 42 - 3000;
  double gain = std::pow(10.0, (masterVolume - fullVolume) / 2000.0);
  return std::min(MIX_MAX_VOLUME, static_cast<int>(std::lround(MIX_MAX_VOLUME * gain)));
}

}  // namespace

SongData::~SongData() {
  if (music) Mix_FreeMusic(music);
}

std::int32_t MidiFileLength(const std::filesystem::path& path) {
  Bytes bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error) || bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) return -1;
  std::uint32_t headerLength = BigEndian(bytes, 4, 4);
  if (headerLength < 6 || headerLength > bytes.size() - 8) return -1;
  std::uint32_t division = BigEndian(bytes, 12, 2);
  std::map<std::uint64_t, std::uint32_t> tempos;
  std::uint64_t endTick = 0;
  int tracks = 0;
  for (std::size_t at = 8 + headerLength; at + 8 <= bytes.size();) {
    std::uint32_t length = BigEndian(bytes, at + 4, 4);
    if (length > bytes.size() - at - 8) return -1;
    if (std::memcmp(&bytes[at], "MTrk", 4) == 0) {
      if (!ReadTrack(MidiReader{bytes, at + 8, at + 8 + length}, tempos, endTick)) return -1;
      ++tracks;
    }
    at += 8 + length;
  }
  double ms = TicksToMs(endTick, division, tempos);
  if (tracks == 0 || ms < 0 || ms > INT32_MAX) return -1;
  return static_cast<std::int32_t>(std::ceil(ms));
}

void InitMusic(Game& game) {
  game.platform.music.performanceReady = true;  // without a device the player keeps time on the game's clock
  SetMusicVolume(game, 0);
}

void ReleaseMusic(Game& game) {
  Music& music = game.platform.music;
  if (!music.performanceReady) return;
  if (DeviceOpen(game)) Mix_HaltMusic();
  music.songSegment.reset();
  music.songStarted = false;
  music.performanceReady = false;
}

void LoadSong(Game& game, const std::filesystem::path& path) {
  Music& music = game.platform.music;
  if (!music.performanceReady) return void(Fail(game));
  std::int32_t length = MidiFileLength(path);
  if (length < 0) return void(Fail(game));
  auto song = std::make_shared<SongData>();
  if (DeviceOpen(game)) {
    song->music = Mix_LoadMUS(path.string().c_str());
    if (!song->music) return void(Fail(game));
  }
  music.songSegment = std::move(song);
  music.songFile = path.filename().string();
  music.songLength = length;
  music.songStarted = false;
}

void PlaySong(Game& game) {
  if (!PlayerHasSong(game)) return;
  Music& music = game.platform.music;
  if (DeviceOpen(game) && Mix_PlayMusic(music.songSegment->music, 0) != 0) return void(Fail(game));
  music.songStarted = true;
  music.songStartTick = Now(game);
  LogSong(game);
}

void StopSong(Game& game) {
  if (!PlayerHasSong(game)) return;
  if (DeviceOpen(game)) Mix_HaltMusic();
  game.platform.music.songStarted = false;
}

bool SongPlaying(const Game& game) {
  const Music& music = game.platform.music;
  if (!music.songStarted) return false;
  if (DeviceOpen(game)) return Mix_PlayingMusic() != 0;
  return Now(game) - music.songStartTick < music.songLength;
}

void KeepMusicPlaying(Game& game) {
  if (PlayerHasSong(game) && !SongPlaying(game)) PlaySong(game);
}

void SetMusicVolume(Game& game, int level) {
  Music& music = game.platform.music;
  if (!music.performanceReady) return void(Fail(game));
  std::uint8_t byteLevel = static_cast<std::uint8_t>(std::clamp(level, 0, 255));
  music.masterVolume = static_cast<std::int16_t>(byteLevel * 42 - 3000);
  if (DeviceOpen(game)) Mix_VolumeMusic(DeviceMusicVolume(music.masterVolume));
}

void MusicFadeInStep(Game& game) {
  GameState& s = game.state;
  s.musicFade += FadeInRate * static_cast<float>(s.frameStep);
  if (s.musicFade >= game.options.musicVolume) {
    s.musicFade = game.options.musicVolume;
    s.musicFadingIn = false;
  }
  SetMusicVolume(game, static_cast<int>(std::nearbyint(s.musicFade)));
}

void MusicFadeOutStep(Game& game) {
  GameState& s = game.state;
  s.musicFade -= FadeOutRate * static_cast<float>(s.frameStep);
  if (s.musicFade < 0) {
    s.musicFade = 0;
    s.musicFadingOut = false;
  }
  SetMusicVolume(game, static_cast<int>(std::nearbyint(s.musicFade)));
}
