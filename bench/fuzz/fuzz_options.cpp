// Fuzzes the options reader; accepted files must write back to exactly their own bytes.
#include <cstdint>

#include "bench/fuzz/fuzz_check.h"
#include "content/options_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, data + size);
  Options options;
  std::string problem;
  if (!DecodeOptions(bytes, options, problem)) return 0;
  OptionsInRange(options);
  FUZZ_REQUIRE(EncodeOptions(options) == bytes);
  return 0;
}
