// "config.bin": the six options packed into 19 bytes.
#include "content/options_file.h"

#include <cmath>

#include "content/byte_io.h"

bool ResetOutOfRangeOptions(Options& options) {
  const Options defaults;
  bool reset = false;
  auto keepWithin = [&reset](auto& field, auto fallback, bool inRange) {
    if (inRange) return;
    field = fallback;
    reset = true;
  };
  auto within = [](float value, float lo, float hi) { return value >= lo && value <= hi; };  // false for NaN
  keepWithin(options.startingBalls, defaults.startingBalls, options.startingBalls >= 1 && options.startingBalls <= 8);
  keepWithin(options.soundVolume, defaults.soundVolume, within(options.soundVolume, 0, 100));
  keepWithin(options.musicVolume, defaults.musicVolume, within(options.musicVolume, 0, 100));
  keepWithin(options.detailHigh, defaults.detailHigh, options.detailHigh <= 1);
  keepWithin(options.mouseSpeed, defaults.mouseSpeed, within(options.mouseSpeed, 0, 0.2f));
  keepWithin(options.backgroundOn, defaults.backgroundOn, options.backgroundOn == -1 || options.backgroundOn == 0);
  return reset;
}

bool OptionsInRange(const Options& options) {
  Options checked = options;
  return !ResetOutOfRangeOptions(checked);
}

bool DecodeOptions(const Bytes& bytes, Options& out, std::string& problem) {
  if (bytes.size() < OptionsFileSize) {
    problem = "an options file holds " + std::to_string(OptionsFileSize) + " bytes, this one " +
              std::to_string(bytes.size());
    return false;
  }
  // Bytes after the nineteenth are none of ours; the options before them are kept.
  ByteReader reader(bytes);
  Options options;
  VisitOptionsFields(options, [&reader](const char*, auto& field) { reader.read(field); });
  out = options;
  return true;
}

Bytes EncodeOptions(const Options& options) {
  Bytes bytes;
  ByteWriter writer(bytes);
  VisitOptionsFields(options, [&writer](const char*, const auto& field) { writer.write(field); });
  return bytes;
}

bool ReadOptionsFile(const std::filesystem::path& path, Options& out, std::string& error) {
  Bytes bytes;
  if (!ReadFileStart(path, bytes, error, OptionsFileSize)) return false;
  std::string problem;
  if (!DecodeOptions(bytes, out, problem)) {
    error = FileError(path, problem);
    return false;
  }
  return true;
}

bool WriteOptionsFile(const std::filesystem::path& path, const Options& options, std::string& error) {
  return WriteFileAtomically(path, EncodeOptions(options), error);
}
