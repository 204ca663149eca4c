// The options record and "config.bin" (19 bytes, packed).
#pragma once
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>

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

// The values a field may hold, both ends included; a NaN lies in no range.
template <typename Value>
struct Range {
  Value lo, hi;
  constexpr bool holds(Value value) const { return value >= lo && value <= hi; }
};

// The fields in their file order, each with its name and range: the one list the file, the dumps, the checks
// and the Options screen follow. A visitor that checks values takes the range as a third argument; the others
// take the name and the field alone.
template <typename Record, typename Visit>
constexpr void VisitOptionsFields(Record& options, Visit&& visit) {
  const auto field = [&visit](const char* name, auto& value, auto range) {
    if constexpr (std::is_invocable_v<Visit&, const char*, decltype(value), decltype(range)>) visit(name, value, range);
    else visit(name, value);
  };
  field("startingBalls", options.startingBalls, Range<std::int32_t>{1, 8});
  field("soundVolume", options.soundVolume, Range<float>{0, 100});
  field("musicVolume", options.musicVolume, Range<float>{0, 100});
  field("detailHigh", options.detailHigh, Range<std::uint8_t>{0, 1});
  field("mouseSpeed", options.mouseSpeed, Range<float>{0, 0.2f});
  field("backgroundOn", options.backgroundOn, Range<std::int16_t>{-1, 0});
}

// The range the field list gives the field called `name`.
template <typename Value>
constexpr Range<Value> OptionRange(std::string_view name) {
  Options options;
  Range<Value> found{};
  VisitOptionsFields(options, [&](const char* fieldName, const auto&, auto range) {
    if constexpr (std::is_same_v<decltype(range), Range<Value>>)
      if (name == fieldName) found = range;
  });
  return found;
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

// Puts each field outside its range back to its default, leaving the others as they are; true when any was reset.
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
