// Standard MIDI file (format 1) writer: timed events per track, encoded with delta times.
#include "tools/default_content/songs/midi_file.h"

#include <algorithm>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutBigEndian(Bytes& out, std::uint32_t value, int width) {
  for (int i = width - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutVariableLength(Bytes& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

bool IsNoteOff(const MidiEvent& e) { return (e.bytes[0] & 0xF0) == 0x80; }

Bytes EncodeTrack(const MidiTrack& track, std::uint32_t endTick) {
  std::vector<MidiEvent> events = track.events;
  std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
    if (a.tick != b.tick) return a.tick < b.tick;
    return IsNoteOff(a) && !IsNoteOff(b);
  });
  Bytes body;
  std::uint32_t now = 0;
  auto put = [&](std::uint32_t tick, const Bytes& bytes) {
    PutVariableLength(body, tick - now);
    now = tick;
    body.insert(body.end(), bytes.begin(), bytes.end());
  };
  if (!track.name.empty()) {
    Bytes name = {0xFF, 0x03, static_cast<std::uint8_t>(track.name.size())};
    name.insert(name.end(), track.name.begin(), track.name.end());
    put(0, name);
  }
  for (const MidiEvent& e : events) put(std::min(e.tick, endTick), e.bytes);
  put(std::max(endTick, now), {0xFF, 0x2F, 0x00});

  Bytes chunk = {'M', 'T', 'r', 'k'};
  PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::uint8_t DataByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }
std::uint8_t Status(int kind, int channel) { return static_cast<std::uint8_t>(kind | (channel & 0x0F)); }

}  // namespace

void MidiTrack::noteOn(std::uint32_t tick, int channel, int note, int velocity) {
  events.push_back({tick, {Status(0x90, channel), DataByte(note), DataByte(std::max(velocity, 1))}});
}

void MidiTrack::noteOff(std::uint32_t tick, int channel, int note) {
  events.push_back({tick, {Status(0x80, channel), DataByte(note), 64}});
}

void MidiTrack::program(std::uint32_t tick, int channel, int number) {
  events.push_back({tick, {Status(0xC0, channel), DataByte(number)}});
}

void MidiTrack::controller(std::uint32_t tick, int channel, int number, int value) {
  events.push_back({tick, {Status(0xB0, channel), DataByte(number), DataByte(value)}});
}

void MidiTrack::meta(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data) {
  MidiEvent e{tick, {0xFF, type, static_cast<std::uint8_t>(data.size())}};
  e.bytes.insert(e.bytes.end(), data.begin(), data.end());
  events.push_back(std::move(e));
}

std::vector<std::uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
                                         std::uint32_t endTick) {
  Bytes out = {'M', 'T', 'h', 'd'};
  PutBigEndian(out, 6, 4);
  PutBigEndian(out, 1, 2);  // format 1: simultaneous tracks
  PutBigEndian(out, static_cast<std::uint32_t>(tracks.size()), 2);
  PutBigEndian(out, static_cast<std::uint32_t>(ticksPerQuarter), 2);
  for (const MidiTrack& track : tracks) {
    const Bytes chunk = EncodeTrack(track, endTick);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}
