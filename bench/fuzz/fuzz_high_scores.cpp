// Fuzzes the high-score reader both ways (keeping a short table's whole entries, and strictly); what it accepts
// must survive writing and reading again, and both ways agree where both accept.
#include <cstdint>

#include "bench/fuzz/fuzz_check.h"
#include "content/high_score_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, data + size);
  std::string problem;
  HighScoreTable kept;
  if (!DecodeHighScores(bytes, kept, problem, ShortTable::KeepWholeEntries)) return 0;
  HighScoreTable again;
  FUZZ_REQUIRE(DecodeHighScores(EncodeHighScores(kept), again, problem));
  FUZZ_REQUIRE(again == kept);
  // A strict read accepts a subset of these files and gives the same table for them.
  HighScoreTable strict;
  if (DecodeHighScores(bytes, strict, problem)) FUZZ_REQUIRE(strict == kept);
  return 0;
}
