// Fuzzes the bitmap reader; an accepted bitmap must survive writing and reading again.
#include <cstdint>

#include "bench/fuzz/fuzz_check.h"
#include "content/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, data + size);
  Bitmap bitmap;
  std::string problem;
  if (!DecodeBitmap(bytes, bitmap, problem)) return 0;
  FUZZ_REQUIRE(bitmap.pixels.size() == static_cast<std::size_t>(bitmap.width) * bitmap.height);
  Bytes written;
  FUZZ_REQUIRE(EncodeBitmap(bitmap, written, problem));
  Bitmap again;
  FUZZ_REQUIRE(DecodeBitmap(written, again, problem));
  FUZZ_REQUIRE(again.width == bitmap.width && again.height == bitmap.height && again.pixels == bitmap.pixels);
  return 0;
}
