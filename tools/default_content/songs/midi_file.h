// Standard MIDI file (format 1) writer: timed events per track, encoded with delta times.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct MidiEvent {
  std::uint32_t tick = 0;
  std::vector<std::uint8_t> bytes;  // a channel message, or 0xFF type length data for a meta event
};

struct MidiTrack {
  std::string name;
  std::vector<MidiEvent> events;

  void noteOn(std::uint32_t tick, int channel, int note, int velocity);
  void noteOff(std::uint32_t tick, int channel, int note);
  void program(std::uint32_t tick, int channel, int program);
  void controller(std::uint32_t tick, int channel, int number, int value);
  void meta(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data);
};

// Every track ends with its end-of-track event at `endTick`, so a player that restarts at the end
// keeps the bar grid. Events at one tick keep their order, except that note-offs go first so a
// repeated note is not cut by its own release.
std::vector<std::uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
                                         std::uint32_t endTick);
