// The options record and "config.bin" (19 bytes, packed).
#pragma once
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "content/file_io.h"
#include "content/std_bridge.h"

constexpr int OptionsFileSize = 19;

struct Options {
  std::int32_t startingBalls = 3;
  float soundVolume = 100.0f;
  float musicVolume = 85.0f;
  std::uint8_t detailHigh = 1;
  float mouseSpeed = std::bit_cast<float>(0x3DC710CBu);  // 0.0972
  std::int16_t backgroundOn = -1;
};

// The fields in their file order, each with its name: the one list the file, the dumps and the checks follow.
template <typename Record, typename Visit>
constexpr void VisitOptionsFields(Record& options, Visit&& visit) {
  visit("startingBalls", options.startingBalls);
  visit("soundVolume", options.soundVolume);
  visit("musicVolume", options.musicVolume);
  visit("detailHigh", options.detailHigh);
  visit("mouseSpeed", options.mouseSpeed);
  visit("backgroundOn", options.backgroundOn);
}

constexpr int OptionsFieldBytes() {
  Options options;
  int bytes = 0;
  VisitOptionsFields(options, [&bytes](const char*, const auto& field) { bytes += sizeof field; });
  return bytes;
}
static_assert(OptionsFieldBytes() == OptionsFileSize, "the fields fill the file exactly");

// The sound volume as the whole level 0..100 the sound layer takes.
inline std::int32_t SoundVolumeLevel(const Options& options) {
  return static_cast<std::int32_t>(std::nearbyint(options.soundVolume));
}

// Puts each field outside its range (balls 1..8, volumes 0..100, detail 0/1, speed 0..0.2, -1/0) back to its
// default, leaving the others as they are; true when any was reset.
bool ResetOutOfRangeOptions(Options& options);
// True when every field lies in its range.
bool OptionsInRange(const Options& options);
// Reads the first 19 bytes as they are (no range check); a longer file keeps them, a shorter one is refused.
// `out` changes only on success.
bool ReadOptionsFile(const std::filesystem::path& path, Options& out, std::string& error);
bool WriteOptionsFile(const std::filesystem::path& path, const Options& options, std::string& error);

// The file rules on bytes in memory; `problem` says what is wrong, without a file name.
bool DecodeOptions(const Bytes& bytes, Options& out, std::string& problem);
Bytes EncodeOptions(const Options& options);
