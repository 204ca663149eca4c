// Recorded games (".sfr"): everything a game read, in the order it read it, and what a replay must find
// unchanged. A text file of lines ending in a checksum; docs/recordings.md describes it.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "content/file_io.h"
#include "content/generated_sets.h"
#include "content/options_file.h"
#include "content/recorded_steps.h"
#include "content/settings_file.h"

// The newest format; a reader also takes format 1, which has no `reached` line, 2, which has no `generated`
// line, and 3, which has no `settings` line. A recording is written in the oldest format that holds it.
inline constexpr int RecordingFormat = 4;
// A recording holds at most a day of play, and at most one frame or pause pass per millisecond of it.
inline constexpr std::int64_t MaxPlayMs = 24 * 60 * 60 * 1000;
inline constexpr std::int64_t MaxPlayPasses = MaxPlayMs;
// The clock at the start leaves room for a day of play, and a day more for the game's timers, below 2^31 ms.
inline constexpr std::int32_t MaxStartTick = INT32_MAX - 2 * MaxPlayMs;

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

// The settings that shape a game's course: its replay plays by them, whatever the viewer's are.
struct RecordedSettings {
  std::int32_t gameSpeed = FullGameSpeed;  // percent
  std::int32_t confirmLeave = 0;           // 1: Esc asks before leaving
  bool operator==(const RecordedSettings&) const = default;
};

template <typename Record, typename Visit>
void VisitRecordedSettings(Record& settings, Visit&& visit) {
  visit("gameSpeed", settings.gameSpeed);
  visit("confirmLeave", settings.confirmLeave);
}

// Where a game was after its last frame; its replay must get there too.
struct RecordedEnd {
  std::int32_t tick = 0;   // the clock
  std::int32_t level = 0;  // the level of the set (1-based; 0 before the first)
  std::int32_t score = 0;
  bool over = false;       // the game had handed back to the menus (else the program stopped first)
  bool operator==(const RecordedEnd&) const = default;
};

struct Recording {
  std::string program;             // the version of Shardfall that recorded it
  std::string levelSet;            // the set file as the game had it; a generated set's name
  std::optional<GeneratedSet> generated;  // Endless or a Daily Challenge: its levels follow from this (format 3)
  std::uint32_t seed = 0;          // the seed of the game's random numbers
  std::int32_t tick = 0;           // the clock before the first frame
  Options options;
  RecordedSettings settings;       // a `settings` line (format 4) when any differs from its default
  std::vector<NamedValue> state;   // the mode flags and frame values at the start
  std::vector<RecordedFile> files;
  std::vector<std::string> songs;  // the level songs the game chose among
  std::optional<RecordedEnd> reached;  // none in format 1
  StepLines steps;
};

// Refuses anything but a whole, undamaged recording whose every number lies in its bounds (the options as in
// config.bin, at most MaxPlayMs of play); when `program` is not empty, also one made by another version.
// `problem` says what is wrong, without a file name. Memory: about twice the size of the file, at most.
bool DecodeRecording(const Bytes& bytes, const std::string& program, Recording& out, std::string& problem);
Bytes EncodeRecording(const Recording& recording);
// True for a recording whole to its end line whose checksum does not match what it holds: changed since it was
// written, rather than cut short.
bool RecordingChangedSinceSealed(const Bytes& bytes);
bool ReadRecordingFile(const std::filesystem::path& path, const std::string& program, Recording& out,
                       std::string& error);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);
// The CRC-32 in eight lowercase hex digits, as recordings and the names made from them write it.
std::string Crc32Text(const std::uint8_t* data, std::size_t size);
// The CRC-32 of a whole file; none when it cannot be read.
std::optional<std::uint32_t> FileChecksum(const std::filesystem::path& path);
