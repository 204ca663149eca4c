// Fuzzes the options reader; accepted files must write back to exactly their first 19 bytes.
#include <cstdint>

#include "bench/fuzz/fuzz_check.h"
#include "content/options_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, data + size);
  Options options;
  std::string problem;
  if (!DecodeOptions(bytes, options, problem)) return 0;
  FUZZ_REQUIRE(EncodeOptions(options) == Bytes(bytes.begin(), bytes.begin() + OptionsFileSize));
  // Resetting what lies out of range leaves options that are all in range.
  ResetOutOfRangeOptions(options);
  FUZZ_REQUIRE(OptionsInRange(options));
  return 0;
}
