// Saving the picture as shown: PNG, or BMP.
#include <cctype>

#include "content/bitmap_file.h"
#include "content/png_file.h"
#include "platform/display.h"

namespace {

bool EndsWithBmp(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".bmp";
}

}  // namespace

bool SaveScreenshot(const Platform& platform, const std::filesystem::path& path, std::string& error) {
  const Bitmap picture{ScreenWidth, ScreenHeight, ShownPicture(platform)};
  return EndsWithBmp(path) ? WriteBitmapFile(path, picture, error) : WritePngFile(path, picture, false, error);
}
