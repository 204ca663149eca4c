// Fuzzes the recording reader. What it accepts, once written, must read back and write again to the very same
// bytes, and a replay's walk through its steps must find every one of them.
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
  StepCursor cursor;
  int taken = 0;
  for (; taken < 100000 && cursor.Peek(recording.steps); ++taken) cursor.Pass();
  if (taken < 100000) FUZZ_REQUIRE(cursor.AtEnd(recording.steps) && cursor.LineNumber() == recording.steps.count() + 1);
  return 0;
}
