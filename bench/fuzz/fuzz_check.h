// What every fuzz target asserts: a crash-free reader, and a writer that gives back what the reader accepted.
#pragma once
#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(condition)                                          \
  do {                                                                   \
    if (!(condition)) {                                                  \
      std::fprintf(stderr, "fuzz check failed: %s\n", #condition);       \
      std::abort();                                                      \
    }                                                                    \
  } while (0)
