// Independent readers for the tests: RIFF/WAVE sound files and standard MIDI files, checked strictly.
#include "tests/defaults_audio/audio_readers.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

FileBytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return FileBytes(std::istreambuf_iterator<char>(in), {});
}

namespace {

std::uint32_t Little(const FileBytes& b, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

std::uint32_t Big(const FileBytes& b, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = 0; i < width; ++i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

bool TagAt(const FileBytes& b, std::size_t at, const char* tag) {
  return at + 4 <= b.size() && std::memcmp(b.data() + at, tag, 4) == 0;
}

}  // namespace

bool ParseWave(const FileBytes& b, WaveSound& out, std::string& problem) {
  if (!TagAt(b, 0, "RIFF") || !TagAt(b, 8, "WAVE")) return problem = "no RIFF/WAVE header", false;
  if (Little(b, 4, 4) + 8 != b.size()) return problem = "RIFF length does not match the file", false;
  bool haveFormat = false, haveData = false;
  std::size_t at = 12;
  while (at + 8 <= b.size()) {
    const std::uint32_t length = Little(b, at + 4, 4);
    const std::size_t body = at + 8;
    if (body + length > b.size()) return problem = "chunk runs past the end", false;
    if (TagAt(b, at, "fmt ")) {
      if (length < 16) return problem = "short fmt chunk", false;
      out.formatTag = static_cast<int>(Little(b, body, 2));
      out.channels = static_cast<int>(Little(b, body + 2, 2));
      out.sampleRate = static_cast<int>(Little(b, body + 4, 4));
      const std::uint32_t byteRate = Little(b, body + 8, 4);
      const std::uint32_t blockAlign = Little(b, body + 12, 2);
      out.bitsPerSample = static_cast<int>(Little(b, body + 14, 2));
      if (blockAlign != static_cast<std::uint32_t>(out.channels * out.bitsPerSample / 8) ||
          byteRate != blockAlign * static_cast<std::uint32_t>(out.sampleRate)) {
        return problem = "inconsistent byte rate or block alignment", false;
      }
      haveFormat = true;
    } else if (TagAt(b, at, "data")) {
      if (!haveFormat || out.bitsPerSample != 16 || out.channels < 1) return problem = "data before a 16-bit fmt", false;
      out.dataBytes = length;
      const std::size_t frame = static_cast<std::size_t>(out.channels) * 2;
      if (length % frame != 0) return problem = "data is not whole frames", false;
      for (std::size_t i = 0; i < length; i += frame) {
        out.samples.push_back(static_cast<std::int16_t>(Little(b, body + i, 2)) / 32768.0);
      }
      haveData = true;
    }
    at = body + length + (length & 1);
  }
  if (at != b.size()) return problem = "trailing bytes after the last chunk", false;
  if (!haveData) return problem = "no data chunk", false;
  return true;
}

std::uint32_t ScannedDataLength(const FileBytes& b) {
  for (std::size_t p = 4; p + 8 <= b.size(); ++p) {
    if (TagAt(b, p, "data")) return Little(b, p + 4, 4);
  }
  return 0;
}

double LoudestWindowRms(const WaveSound& s) {
  const auto window = static_cast<std::size_t>(s.sampleRate / 20);
  double sum = 0.0, best = 0.0;
  for (std::size_t i = 0; i < s.samples.size(); ++i) {
    sum += s.samples[i] * s.samples[i];
    if (i >= window) sum -= s.samples[i - window] * s.samples[i - window];
    best = std::max(best, sum);
  }
  return std::sqrt(best / static_cast<double>(std::min(window, s.samples.size())));
}

std::uint32_t MidiSong::endTick() const {
  return trackEnds.empty() ? 0 : *std::max_element(trackEnds.begin(), trackEnds.end());
}

double MidiSong::secondsAt(std::uint32_t tick) const {
  double seconds = 0.0;
  std::uint32_t from = 0, micros = 500000;  // 120 beats a minute until told otherwise
  for (const auto& [at, value] : tempos) {
    if (at >= tick) break;
    seconds += static_cast<double>(at - from) * micros / division / 1e6;
    from = at;
    micros = value;
  }
  return seconds + static_cast<double>(tick - from) * micros / division / 1e6;
}

namespace {

bool ReadVariable(const FileBytes& b, std::size_t& at, std::size_t end, std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= end) return false;
    const std::uint8_t byte = b[at++];
    value = (value << 7) | (byte & 0x7F);
    if (!(byte & 0x80)) return true;
  }
  return false;  // longer than four bytes
}

int DataBytesOf(std::uint8_t status) {
  switch (status & 0xF0) {
    case 0xC0:
    case 0xD0: return 1;
    default: return 2;
  }
}

bool ParseTrack(const FileBytes& b, std::size_t at, std::size_t end, int index, MidiSong& out, std::string& problem) {
  std::uint32_t tick = 0;
  std::uint8_t running = 0;
  std::map<std::pair<int, int>, std::vector<std::pair<std::uint32_t, int>>> sounding;  // (channel, key) -> ons
  while (at < end) {
    std::uint32_t delta = 0;
    if (!ReadVariable(b, at, end, delta)) return problem = "bad delta time", false;
    tick += delta;
    if (at >= end) return problem = "event cut off", false;
    std::uint8_t status = b[at];
    if (status == 0xFF) {
      if (at + 2 > end) return problem = "meta event cut off", false;
      const std::uint8_t type = b[at + 1];
      at += 2;
      std::uint32_t length = 0;
      if (!ReadVariable(b, at, end, length) || at + length > end) return problem = "meta event runs past the track", false;
      if (type == 0x51 && length == 3) out.tempos.emplace_back(tick, Big(b, at, 3));
      if (type == 0x58 && length == 4) out.beatsPerBar = b[at];
      if (type == 0x59 && length == 2) {
        out.keySharps = static_cast<std::int8_t>(b[at]);
        out.keyMinor = b[at + 1];
      }
      at += length;
      if (type == 0x2F) {
        if (length != 0 || at != end) return problem = "end-of-track is not the last event", false;
        out.trackEnds.push_back(tick);
        for (const auto& [key, ons] : sounding) {
          if (!ons.empty()) out.hangingNotes = true;
        }
        return true;
      }
      continue;
    }
    if (status == 0xF0 || status == 0xF7) return problem = "unexpected system exclusive", false;
    if (status & 0x80) {
      running = status;
      ++at;
    } else if (running == 0) {
      return problem = "data byte without a status", false;
    }
    const int count = DataBytesOf(running);
    if (at + static_cast<std::size_t>(count) > end) return problem = "channel event cut off", false;
    for (int i = 0; i < count; ++i) {
      if (b[at + static_cast<std::size_t>(i)] & 0x80) return problem = "data byte above 127", false;
    }
    const int channel = running & 0x0F, kind = running & 0xF0;
    const int key = b[at], value = count > 1 ? b[at + 1] : 0;
    if (kind == 0xC0) out.programs[static_cast<std::size_t>(channel)] = key;
    if (kind == 0x90 && value > 0) {
      sounding[{channel, key}].emplace_back(tick, value);
    } else if (kind == 0x80 || kind == 0x90) {
      auto& ons = sounding[{channel, key}];
      if (ons.empty()) return problem = "note released that was not playing", false;
      out.notes.push_back({index, channel, key, ons.front().second, ons.front().first, tick});
      ons.erase(ons.begin());
    }
    at += static_cast<std::size_t>(count);
  }
  return problem = "track without end-of-track", false;
}

}  // namespace

bool ParseMidi(const FileBytes& b, MidiSong& out, std::string& problem) {
  if (!TagAt(b, 0, "MThd") || b.size() < 14 || Big(b, 4, 4) != 6) return problem = "no MThd header of length 6", false;
  out.format = static_cast<int>(Big(b, 8, 2));
  out.declaredTracks = static_cast<int>(Big(b, 10, 2));
  out.division = static_cast<int>(Big(b, 12, 2));
  out.programs.assign(16, -1);
  if (out.division <= 0 || out.division >= 0x8000) return problem = "division is not ticks per quarter", false;
  std::size_t at = 14;
  int index = 0;
  while (at < b.size()) {
    if (!TagAt(b, at, "MTrk") || at + 8 > b.size()) return problem = "expected an MTrk chunk", false;
    const std::size_t end = at + 8 + Big(b, at + 4, 4);
    if (end > b.size()) return problem = "track runs past the end of the file", false;
    if (!ParseTrack(b, at + 8, end, index++, out, problem)) return false;
    at = end;
  }
  if (index != out.declaredTracks) return problem = "track count differs from the header", false;
  return true;
}
