// "config.bin": the six options packed into 19 bytes.
#include "content/options_file.h"

#include <cmath>

#include "content/byte_io.h"

namespace {

// The field of `options` the field list calls `name`.
template <typename Value>
const Value& FieldNamed(const Options& options, std::string_view name) {
  const Value* found = nullptr;
  VisitOptionsFields(options, [&](const char* fieldName, const auto& field) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, Value>)
      if (name == fieldName) found = &field;
  });
  return *found;
}

}  // namespace

bool ResetOutOfRangeOptions(Options& options) {
  const Options defaults;
  bool reset = false;
  VisitOptionsFields(options, [&](const char* name, auto& field, auto range) {
    if (range.holds(field)) return;
    field = FieldNamed<std::remove_cvref_t<decltype(field)>>(defaults, name);
    reset = true;
  });
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
  return ReadDecoded(path, {.bytes = OptionsFileSize, .startOnly = true}, error,
                     [&out](const Bytes& bytes, std::string& problem) { return DecodeOptions(bytes, out, problem); });
}

bool WriteOptionsFile(const std::filesystem::path& path, const Options& options, std::string& error) {
  return WriteFileAtomically(path, EncodeOptions(options), error);
}
