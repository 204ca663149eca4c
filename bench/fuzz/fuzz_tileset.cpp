// Fuzzes the tileset reader, bounded and unbounded; accepted files must write back to their own bytes.
#include <cstdint>

#include "bench/fuzz/fuzz_check.h"
#include "content/tileset_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, data + size);
  TileSet tileSet;
  std::string problem;
  if (DecodeTileSet(bytes, size % 7, tileSet, problem))
    FUZZ_REQUIRE(tileSet.tiles.size() == static_cast<std::size_t>(tileSet.tileCount) + 1);
  if (!DecodeTileSet(bytes, AllRecords, tileSet, problem)) return 0;
  Bytes written;
  FUZZ_REQUIRE(EncodeTileSet(tileSet, written, problem));
  FUZZ_REQUIRE(written.size() <= bytes.size());
  FUZZ_REQUIRE(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(written.size())) == written);
  return 0;
}
