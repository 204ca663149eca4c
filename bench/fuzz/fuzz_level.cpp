// Fuzzes the level reader; an accepted file must write back to exactly its own bytes.
#include <cstdint>

#include "bench/fuzz/fuzz_check.h"
#include "content/level_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, data + size);
  Level level;
  std::string problem;
  if (!DecodeLevel(bytes, level, problem)) return 0;
  Bytes written;
  FUZZ_REQUIRE(EncodeLevel(level, written, problem));
  FUZZ_REQUIRE(written == bytes);
  return 0;
}
