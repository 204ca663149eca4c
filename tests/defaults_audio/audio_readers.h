// Independent readers for the tests: RIFF/WAVE sound files and standard MIDI files, checked strictly.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using FileBytes = std::vector<std::uint8_t>;

FileBytes ReadBytes(const std::filesystem::path& path);

struct WaveSound {
  int formatTag = 0, channels = 0, sampleRate = 0, bitsPerSample = 0;
  std::vector<double> samples;  // first channel, -1 .. 1
  std::uint32_t dataBytes = 0;
  double seconds() const { return sampleRate ? static_cast<double>(samples.size()) / sampleRate : 0.0; }
};

// Walks the RIFF chunk list; returns false with `problem` set when the structure is broken.
bool ParseWave(const FileBytes& bytes, WaveSound& out, std::string& problem);

// Byte-wise scan for the first "data" after the first four bytes, read as the chunk length; 0 when absent.
std::uint32_t ScannedDataLength(const FileBytes& bytes);

// Loudest 50 ms stretch, as RMS.
double LoudestWindowRms(const WaveSound& sound);

struct MidiNote {
  int track, channel, key, velocity;
  std::uint32_t on, off;  // ticks
};

struct MidiSong {
  int format = 0, division = 0;
  int declaredTracks = 0;
  std::vector<std::uint32_t> trackEnds;  // tick of each track's end-of-track event
  std::vector<MidiNote> notes;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> tempos;  // tick, microseconds per quarter
  std::vector<int> programs;                                     // program change per channel, -1 none
  int beatsPerBar = 4;
  int keySharps = 0, keyMinor = 0;
  bool hangingNotes = false;  // a note-on never released before its track ended

  std::uint32_t endTick() const;
  double secondsAt(std::uint32_t tick) const;
};

bool ParseMidi(const FileBytes& bytes, MidiSong& out, std::string& problem);
