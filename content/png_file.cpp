// PNG pictures: 8-bit RGB or RGBA, unfiltered rows deflated through zlib.
#include "content/png_file.h"

#include <zlib.h>

namespace {

void PutBigEndian(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

// Each row starts with its filter byte (0: none), then R, G, B and, with alpha, A.
Bytes RawRows(const Bitmap& picture, bool withAlpha) {
  const std::size_t channels = withAlpha ? 4 : 3;
  Bytes raw;
  raw.reserve(static_cast<std::size_t>(picture.height) * (1 + picture.width * channels));
  for (int y = 0; y < picture.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p = picture.at(x, y);
      raw.insert(raw.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
      if (withAlpha) raw.push_back(std::uint8_t(p >> 24));
    }
  }
  return raw;
}

}  // namespace

bool EncodePng(const Bitmap& picture, bool withAlpha, Bytes& out, std::string& problem) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height) {
    problem = "impossible picture size " + std::to_string(picture.width) + " x " + std::to_string(picture.height);
    return false;
  }
  const Bytes raw = RawRows(picture, withAlpha);
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) {
    problem = "cannot compress the picture";
    return false;
  }
  packed.resize(packedSize);
  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.assign(signature, signature + 8);
  Bytes header;
  PutBigEndian(header, static_cast<std::uint32_t>(picture.width));
  PutBigEndian(header, static_cast<std::uint32_t>(picture.height));
  const std::uint8_t colourType = withAlpha ? 6 : 2;  // RGBA or RGB
  header.insert(header.end(), {8, colourType, 0, 0, 0});  // 8 bits, deflate, no filter, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return true;
}

bool WritePngFile(const std::filesystem::path& path, const Bitmap& picture, bool withAlpha, std::string& error) {
  return WriteEncoded(path, error, [&](Bytes& png, std::string& problem) {
    return EncodePng(picture, withAlpha, png, problem);
  });
}
