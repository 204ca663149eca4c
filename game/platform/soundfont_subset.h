// A SoundFont reduced to a song's instruments: the same sample data, only the zones the song's keys reach.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "content/file_io.h"
#include "platform/music.h"

// The reduced file as three parts: `head` (the RIFF header and the INFO list), the original's sample data list
// read in place, and `tail` (the new preset and instrument lists).
struct SoundFontSubset {
  std::filesystem::path original;
  Bytes head;
  std::uint64_t dataOffset = 0;  // where the sample data list (LIST sdta, with its header) starts in the original
  std::uint64_t dataLength = 0;
  Bytes tail;
  std::vector<MidiInstrument> presets;  // the presets kept, as the SoundFont numbers them (keys unused)

  std::uint64_t Size() const { return head.size() + dataLength + tail.size(); }
  // Copies `count` bytes from `offset` of the reduced file, the sample data from the open original; false past
  // the end or when the original cannot be read.
  bool Read(std::ifstream& originalFile, std::uint64_t offset, std::uint8_t* out, std::uint64_t count) const;
};

// The instruments and, of each, only the zones one of its keys reaches. An instrument the SoundFont lacks is
// replaced as FluidSynth replaces it: drums by kit 0, others by the program of bank 0, then by program 0.
// False when the file is not a SoundFont 2 file.
bool MakeSoundFontSubset(const std::filesystem::path& soundFont, const std::vector<MidiInstrument>& instruments,
                         SoundFontSubset& subset, std::string& error);
