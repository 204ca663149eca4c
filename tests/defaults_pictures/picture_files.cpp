// Builds the default Gfx and Bgd folders once per test run and reads pictures from them.
#include "tests/defaults_pictures/picture_files.h"

#include <gtest/gtest.h>

#include "fresh_folder.h"
#include "tools/default_content/build_default.h"

namespace picture_files {

namespace {
FreshFolder* built = nullptr;
}  // namespace

const std::filesystem::path& BuiltRoot() {
  if (!built) {
    built = new FreshFolder("shardfall-pictures");
    std::string error;
    if (!BuildDefaultPictures(built->path(), error) || !BuildDefaultBackgrounds(built->path(), error))
      ADD_FAILURE() << "building the pictures failed: " << error;
  }
  return built->path();
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
    delete built;
    built = nullptr;
  }
};
const auto* const TestCleanUp = ::testing::AddGlobalTestEnvironment(new CleanUp);

}  // namespace picture_files
