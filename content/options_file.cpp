// "config.bin": the six options packed into 19 bytes.
#include "content/options_file.h"

#include <cmath>

#include "content/byte_io.h"

bool OptionsInRange(const Options& options) {
  auto within = [](float value, float lo, float hi) { return value >= lo && value <= hi; };  // false for NaN
  return options.startingBalls >= 1 && options.startingBalls <= 8 && within(options.soundVolume, 0, 100) &&
         within(options.musicVolume, 0, 100) && options.detailHigh <= 1 && within(options.mouseSpeed, 0, 0.2f) &&
         (options.backgroundOn == -1 || options.backgroundOn == 0);
}

bool DecodeOptions(const Bytes& bytes, Options& out, std::string& problem) {
  if (bytes.size() != OptionsFileSize) {
    problem = "an options file holds " + std::to_string(OptionsFileSize) + " bytes, this one " +
              std::to_string(bytes.size());
    return false;
  }
  ByteReader reader(bytes);
  Options options;
  options.startingBalls = reader.i32();
  options.soundVolume = reader.f32();
  options.musicVolume = reader.f32();
  options.detailHigh = reader.u8();
  options.mouseSpeed = reader.f32();
  options.backgroundOn = reader.i16();
  out = options;
  return true;
}

Bytes EncodeOptions(const Options& options) {
  Bytes bytes;
  ByteWriter writer(bytes);
  writer.i32(options.startingBalls);
  writer.f32(options.soundVolume);
  writer.f32(options.musicVolume);
  writer.u8(options.detailHigh);
  writer.f32(options.mouseSpeed);
  writer.i16(options.backgroundOn);
  return bytes;
}

bool ReadOptionsFile(const std::filesystem::path& path, Options& out, std::string& error) {
  Bytes bytes;
  if (!ReadWholeFile(path, bytes, error, OptionsFileSize)) return false;
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
