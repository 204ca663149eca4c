// Builds the default Gfx and Bgd folders once per test run and reads pictures from them.
#include "tests/defaults_pictures/picture_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tools/default_content/build_default.h"

namespace picture_files {

namespace {
bool built = false;
}  // namespace

const std::filesystem::path& BuiltRoot() {
  static const std::filesystem::path root = [] {
    built = true;
    const auto path = std::filesystem::temp_directory_path() / ("shardfall_pictures_" + std::to_string(getpid()));
    std::filesystem::remove_all(path);
    std::string error;
    if (!BuildDefaultPictures(path, error) || !BuildDefaultBackgrounds(path, error))
      ADD_FAILURE() << "building the pictures failed: " << error;
    return path;
  }();
  return root;
}

Bitmap Load(const std::string& name, const std::string& folder) {
  Bitmap bitmap;
  std::string error;
  EXPECT_TRUE(ReadBitmapFile(BuiltRoot() / folder / name, bitmap, error)) << error;
  return bitmap;
}

int InkIn(const Bitmap& b, int x, int y, int w, int h) {
  int count = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) count += IsInk(b.at(i, j)) ? 1 : 0;
  return count;
}

// Removes the built folder when the run ends.
class CleanUp : public ::testing::Environment {
 public:
  void TearDown() override {
    if (built) std::filesystem::remove_all(BuiltRoot());
  }
};
const auto* const TestCleanUp = ::testing::AddGlobalTestEnvironment(new CleanUp);

}  // namespace picture_files
