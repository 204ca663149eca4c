// Recorded games (".sfr"): everything a game read, in the order it read it, and what a replay must find
// unchanged. A text file of lines ending in a checksum; docs/recordings.md describes it.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "content/file_io.h"
#include "content/options_file.h"
#include "content/recorded_steps.h"

inline constexpr int RecordingFormat = 1;

// A file the game's rules depend on: its role ("set", "level", "tileset", "bitmap"), its name as the game asked
// for it, and its CRC-32; no checksum when it could not be read.
struct RecordedFile {
  std::string role;
  std::string name;
  std::optional<std::uint32_t> checksum;
};

// A value of the game's own records, by name, in its text form.
struct NamedValue {
  std::string name;
  std::string value;
};

struct Recording {
  std::string program;             // the version of Shardfall that recorded it
  std::string levelSet;            // the set file as the game had it
  std::uint32_t seed = 0;          // the seed of the game's random numbers
  std::int32_t tick = 0;           // the clock before the first frame
  Options options;
  std::vector<NamedValue> state;   // the mode flags and frame values at the start
  std::vector<RecordedFile> files;
  std::vector<std::string> songs;  // the level songs the game chose among
  std::vector<RecordedStep> steps;
};

// Refuses anything but a whole, undamaged recording; when `program` is not empty, also one made by another
// version. `problem` says what is wrong, without a file name.
bool DecodeRecording(const Bytes& bytes, const std::string& program, Recording& out, std::string& problem);
Bytes EncodeRecording(const Recording& recording);
bool ReadRecordingFile(const std::filesystem::path& path, const std::string& program, Recording& out,
                       std::string& error);
// Written whole or not at all.
bool WriteRecordingFile(const std::filesystem::path& path, const Recording& recording, std::string& error);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);
// The CRC-32 of a whole file; none when it cannot be read.
std::optional<std::uint32_t> FileChecksum(const std::filesystem::path& path);
