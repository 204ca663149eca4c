// Music: one standard MIDI song at a time, kept looping, with a master volume.
#include "platform/music.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "content/file_io.h"
#include "content/recording_file.h"  // Crc32Text
#include "platform/clock.h"

namespace {

constexpr std::size_t SongLogLength = 200;
constexpr int FullVolumeLevel = 100;  // the top of the music option's range plays at full volume

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

// What the game needs of a standard MIDI file: its timing and its channel events.
struct MidiEvent {
  std::uint64_t tick = 0;
  std::uint8_t status = 0;
  std::uint8_t data[2] = {};
};

struct MidiFile {
  std::uint32_t division = 0;
  std::map<std::uint64_t, std::uint32_t> tempos;  // microseconds per quarter, by tick
  bool keepEvents = true;                         // false when only the timing is wanted
  std::vector<MidiEvent> events;                  // every track's channel events, by tick
  std::uint64_t endTick = 0;                      // the tick of the last event of any track
  std::size_t eventCount = 0;                     // of every kind, in every track
};

// Walks one track: its tempo changes, its channel events, and the tick of its last event.
bool ReadTrack(MidiReader reader, MidiFile& file) {
  std::uint64_t tick = 0;
  std::uint32_t status = 0;
  while (reader.ok && reader.at < reader.end) {
    if (++file.eventCount > MaxSongEvents) return false;
    tick += reader.Quantity();
    std::uint32_t first = reader.Byte();
    if (first == 0xFF) {
      std::uint32_t type = reader.Byte(), length = reader.Quantity();
      if (type == 0x51 && length == 3 && reader.end - reader.at >= 3)
        file.tempos[tick] = BigEndian(reader.bytes, reader.at, 3);
      reader.Skip(length);
      if (type == 0x2F) break;
    } else if (first == 0xF0 || first == 0xF7) {
      reader.Skip(reader.Quantity());
    } else {
      if (first & 0x80) status = first;
      else if (status == 0) return false;  // running status with nothing to run on
      else --reader.at;
      std::uint32_t kind = status & 0xF0;
      MidiEvent event{tick, static_cast<std::uint8_t>(status), {}};
      const int dataBytes = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
      for (int i = 0; i < dataBytes; ++i) event.data[i] = static_cast<std::uint8_t>(reader.Byte());
      if (file.keepEvents) file.events.push_back(event);
    }
  }
  file.endTick = std::max(file.endTick, tick);
  return reader.ok;
}

// False when the bytes are not a standard MIDI file with at least one track.
bool ReadMidi(const Bytes& bytes, MidiFile& file) {
  if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) return false;
  std::uint32_t headerLength = BigEndian(bytes, 4, 4);
  if (headerLength < 6 || headerLength > bytes.size() - 8) return false;
  file.division = BigEndian(bytes, 12, 2);
  int tracks = 0;
  for (std::size_t at = 8 + headerLength; at + 8 <= bytes.size();) {
    std::uint32_t length = BigEndian(bytes, at + 4, 4);
    if (length > bytes.size() - at - 8) return false;
    if (std::memcmp(&bytes[at], "MTrk", 4) == 0) {
      if (!ReadTrack(MidiReader{bytes, at + 8, at + 8 + length}, file)) return false;
      ++tracks;
    }
    at += 8 + length;
  }
  std::stable_sort(file.events.begin(), file.events.end(),
                   [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
  return tracks > 0;
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

bool PlayerHasSong(const Platform& platform) {
  return platform.music.performanceReady && platform.music.songSegment;
}

void LogSong(Music& music) {
  music.songLog.push_back(music.songFile);
  if (music.songLog.size() > SongLogLength) music.songLog.pop_front();
}

void SetMasterVolume(Platform& platform, int level) {
  std::uint8_t byteLevel = static_cast<std::uint8_t>(std::clamp(level, 0, 255));
  platform.music.masterVolume = static_cast<std::int16_t>(byteLevel * 42 - 3000);
  platform.audio->SetSongVolume(platform.music.masterVolume);
}

}  // namespace

std::int32_t MidiLength(const Bytes& midi) {
  MidiFile file;
  file.keepEvents = false;
  if (!ReadMidi(midi, file)) return -1;
  double ms = TicksToMs(file.endTick, file.division, file.tempos);
  if (ms < 0 || ms > INT32_MAX) return -1;
  return static_cast<std::int32_t>(std::ceil(ms));
}

std::int32_t MidiFileLength(const std::filesystem::path& path) {
  Bytes bytes;
  std::string error;
  return ReadWholeFile(path, bytes, error) ? MidiLength(bytes) : -1;
}

std::vector<MidiInstrument> MidiInstruments(const Bytes& midi) {
  constexpr int DrumChannel = 9, DrumBank = 128;
  MidiFile file;
  if (!ReadMidi(midi, file)) return {};
  struct Selection {
    int bank = 0, program = 0;
  };
  std::array<Selection, 16> channels{};
  channels[DrumChannel].bank = DrumBank;
  std::vector<MidiInstrument> instruments;
  auto use = [&instruments](Selection selection) -> MidiInstrument& {
    for (MidiInstrument& known : instruments)
      if (known.bank == selection.bank && known.program == selection.program) return known;
    return instruments.emplace_back(MidiInstrument{selection.bank, selection.program, {}});
  };
  for (const MidiEvent& event : file.events) {
    const int channel = event.status & 0x0F, kind = event.status & 0xF0;
    Selection& current = channels[channel];
    if (kind == 0xB0 && event.data[0] == 0 && channel != DrumChannel) current.bank = event.data[1];
    if (kind == 0xC0) use(current = {current.bank, event.data[0]});
    if (kind == 0x90 && event.data[1] > 0) use(current).keys.set(event.data[0] & 0x7F);
  }
  return instruments;
}

float SongSynthGain(std::int32_t masterVolume) {
  const std::int32_t fullVolume = FullVolumeLevel * 42 - 3000;
  const double gain = std::pow(10.0, (masterVolume - fullVolume) / 2000.0);
  const long steps = std::min<long>(MixerMaxVolume, std::lround(MixerMaxVolume * gain));
  return static_cast<float>(steps * 1.2 / MixerMaxVolume);
}

void InitMusic(Platform& platform) {
  platform.music.performanceReady = true;  // without a device the player keeps time on the game's clock
  SetMasterVolume(platform, 0);
}

void ReleaseMusic(Platform& platform) {
  Music& music = platform.music;
  if (!music.performanceReady) return;
  platform.audio->HaltSong();
  music.songSegment.reset();
  music.songStarted = false;
  music.performanceReady = false;
}

void LoadSong(Platform& platform, const std::filesystem::path& path, bool& musicOn) {
  Music& music = platform.music;
  Bytes midi;
  std::string error;
  std::int32_t length = music.performanceReady && ReadWholeFile(path, midi, error) ? MidiLength(midi) : -1;
  std::shared_ptr<SongData> song = length < 0 ? nullptr : platform.audio->LoadSong(path, std::move(midi));
  if (!song) return void(musicOn = false);
  music.songSegment = std::move(song);
  music.songFile = path.filename().string();
  music.songLength = length;
  music.songStarted = false;
}

std::filesystem::path RenderedSongPath(const std::filesystem::path& song, const Bytes& midi) {
  const std::string crc = Crc32Text(midi.data(), midi.size());
  return song.parent_path() / "Rendered" / (song.stem().string() + "." + crc + ".opus");
}

void PlaySong(Platform& platform, const Clock& clock, bool& musicOn) {
  Music& music = platform.music;
  if (!PlayerHasSong(platform) || !platform.audio->PlaySong(*music.songSegment)) return void(musicOn = false);
  music.songStarted = true;
  music.songStartTick = TickCount(clock);
  LogSong(music);
}

void StopSong(Platform& platform, bool& musicOn) {
  if (!PlayerHasSong(platform)) return void(musicOn = false);
  platform.audio->HaltSong();
  platform.music.songStarted = false;
}

bool SongPlaying(const Platform& platform, const Clock& clock) {
  const Music& music = platform.music;
  return music.songStarted && platform.audio->SongPlaying(music, TickCount(clock));
}

void KeepMusicPlaying(Platform& platform, const Clock& clock, bool& musicOn) {
  if (!PlayerHasSong(platform)) return void(musicOn = false);
  if (!SongPlaying(platform, clock)) PlaySong(platform, clock, musicOn);
}

void SetMusicVolume(Platform& platform, int level, bool& musicOn) {
  if (!platform.music.performanceReady) return void(musicOn = false);
  SetMasterVolume(platform, level);
}
