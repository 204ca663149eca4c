// Fresh temporary folders for tests, made by mkdtemp so that no two runs can be given the same one.
#include "fresh_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// "Suite.Test" of the running test, with the slashes of parameterised names made harmless.
std::string RunningTestName() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  if (!test) return "shardfall";
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  std::replace(name.begin(), name.end(), '/', '_');
  return name;
}

}  // namespace

FreshFolder::FreshFolder() : FreshFolder(RunningTestName()) {}

FreshFolder::FreshFolder(const std::string& stem) {
  const std::string pattern = (std::filesystem::temp_directory_path() / (stem + "-XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!::mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder like " + pattern);
  path_ = name.data();
}

FreshFolder::~FreshFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
