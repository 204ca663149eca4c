// Saving the picture as shown: PNG through zlib, or BMP.
#include <zlib.h>

#include <cstring>

#include "content/bitmap_file.h"
#include "content/file_io.h"
#include "platform/display.h"

namespace {

void PutBigEndian(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

bool EncodePng(const std::vector<std::uint32_t>& picture, Bytes& png, std::string& error) {
  Bytes raw;
  raw.reserve(static_cast<std::size_t>(ScreenHeight) * (1 + ScreenWidth * 3));
  for (int y = 0; y < ScreenHeight; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < ScreenWidth; ++x) {
      std::uint32_t rgb = picture[static_cast<std::size_t>(y) * ScreenWidth + x];
      raw.insert(raw.end(), {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)});
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) {
    error = "cannot compress the picture";
    return false;
  }
  packed.resize(packedSize);
  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  png.assign(signature, signature + 8);
  Bytes header;
  PutBigEndian(header, ScreenWidth);
  PutBigEndian(header, ScreenHeight);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return true;
}

bool EndsWithBmp(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".bmp";
}

}  // namespace

bool SaveScreenshot(const Platform& platform, const std::filesystem::path& path, std::string& error) {
  std::vector<std::uint32_t> picture = ShownPicture(platform);
  if (EndsWithBmp(path)) {
    Bitmap bitmap{ScreenWidth, ScreenHeight, std::move(picture)};
    return WriteBitmapFile(path, bitmap, error);
  }
  Bytes png;
  return EncodePng(picture, png, error) && WriteFileAtomically(path, png, error);
}
