// Fuzzes the recording reader. Its text has more than one spelling of the same steps (a read's tokens come in
// any order), so what it accepts, once written, must read back and write again to the very same bytes.
#include <cstdint>

#include "bench/fuzz/fuzz_check.h"
#include "content/recording_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, data + size);
  Recording recording;
  std::string problem;
  if (!DecodeRecording(bytes, "", recording, problem)) return 0;
  const Bytes written = EncodeRecording(recording);
  Recording again;
  FUZZ_REQUIRE(DecodeRecording(written, "", again, problem));
  FUZZ_REQUIRE(EncodeRecording(again) == written);
  return 0;
}
