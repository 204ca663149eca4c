// Fuzzes the high-score reader; an accepted table must survive writing and reading again.
#include <cstdint>

#include "bench/fuzz/fuzz_check.h"
#include "content/high_score_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, data + size);
  HighScoreTable table;
  std::string problem;
  if (!DecodeHighScores(bytes, table, problem)) return 0;
  HighScoreTable again;
  FUZZ_REQUIRE(DecodeHighScores(EncodeHighScores(table), again, problem));
  FUZZ_REQUIRE(again == table);
  return 0;
}
