// Fuzzes the level-set reader; a set the writer accepts must read back the same.
#include <cstdint>
#include <string_view>

#include "bench/fuzz/fuzz_check.h"
#include "content/level_set_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  LevelSet levelSet;
  std::string problem;
  if (!DecodeLevelSet(text, levelSet, problem)) return 0;
  Bytes written;
  if (!EncodeLevelSet(levelSet, written, problem)) return 0;
  LevelSet again;
  FUZZ_REQUIRE(DecodeLevelSet(std::string_view(reinterpret_cast<const char*>(written.data()), written.size()), again,
                              problem));
  FUZZ_REQUIRE(again.levelFiles == levelSet.levelFiles);
  FUZZ_REQUIRE(again.levelSetName.size() <= levelSet.levelSetName.size());
  return 0;
}
