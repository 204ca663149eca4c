// Windows bitmap files: header checks, 8/24/32-bit uncompressed reading and 24-bit writing.
#include "content/bitmap_file.h"


#include "content/byte_io.h"

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::int32_t MaxSide = 1 << 15;
constexpr std::uint32_t Uncompressed = 0;

struct BitmapHeader {
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative for top-down rows
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  bool topDown() const { return height < 0; }
  std::int32_t rows() const { return height < 0 ? -height : height; }
  std::uint64_t stride() const { return (std::uint64_t{static_cast<std::uint32_t>(width)} * bitsPerPixel + 31) / 32 * 4; }
};

bool ParseHeader(const Bytes& bytes, BitmapHeader& header, std::string& problem) {
  ByteReader reader(bytes);
  std::string magic = reader.text(2);
  reader.u32();  // file size, often wrong in the wild; the real size is checked instead
  reader.u32();  // reserved
  header.pixelOffset = reader.u32();
  header.infoSize = reader.u32();
  header.width = reader.i32();
  header.height = reader.i32();
  reader.u16();  // planes
  header.bitsPerPixel = reader.u16();
  header.compression = reader.u32();
  for (int i = 0; i < 3; ++i) reader.u32();  // image size, resolution
  header.coloursUsed = reader.u32();
  if (!reader.ok()) {
    problem = "too short for a bitmap header (" + std::to_string(bytes.size()) + " bytes)";
    return false;
  }
  if (magic != "BM") {
    problem = "not a bitmap (no \"BM\" signature)";
    return false;
  }
  if (header.infoSize < InfoHeaderSize) {
    problem = "unsupported bitmap header of " + std::to_string(header.infoSize) + " bytes";
    return false;
  }
  if (header.width <= 0 || header.width > MaxSide || header.height == 0 || header.height > MaxSide ||
      header.height < -MaxSide) {
    problem = "impossible bitmap size " + std::to_string(header.width) + " x " + std::to_string(header.height);
    return false;
  }
  return true;
}

bool ReadPalette(const Bytes& bytes, const BitmapHeader& header, std::vector<std::uint32_t>& palette,
                 std::string& problem) {
  std::uint64_t count = header.coloursUsed == 0 ? 256 : header.coloursUsed;
  std::uint64_t start = FileHeaderSize + std::uint64_t{header.infoSize};
  if (count > 256 || start + 4 * count > bytes.size()) {
    problem = "damaged colour table";
    return false;
  }
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint8_t* p = bytes.data() + start + 4 * i;
    palette.push_back(std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0]);
  }
  return true;
}

bool ReadPixels(const Bytes& bytes, const BitmapHeader& header, const std::vector<std::uint32_t>& palette,
                Bitmap& bitmap, std::string& problem) {
  const std::size_t bytesPerPixel = header.bitsPerPixel / 8;
  for (std::int32_t row = 0; row < header.rows(); ++row) {
    std::int32_t y = header.topDown() ? row : header.rows() - 1 - row;
    const std::uint8_t* p = bytes.data() + header.pixelOffset + header.stride() * static_cast<std::uint64_t>(row);
    for (std::int32_t x = 0; x < header.width; ++x, p += bytesPerPixel) {
      if (bytesPerPixel == 1) {
        if (*p >= palette.size()) {
          problem = "pixel colour " + std::to_string(*p) + " lies outside the colour table";
          return false;
        }
        bitmap.at(x, y) = palette[*p];
      } else {
        bitmap.at(x, y) = std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
      }
    }
  }
  return true;
}

}  // namespace

bool DecodeBitmap(const Bytes& bytes, Bitmap& out, std::string& problem) {
  BitmapHeader header;
  if (!ParseHeader(bytes, header, problem)) return false;
  bool supported = header.compression == Uncompressed &&
                   (header.bitsPerPixel == 8 || header.bitsPerPixel == 24 || header.bitsPerPixel == 32);
  if (!supported) {
    problem = "unsupported bitmap: " + std::to_string(header.bitsPerPixel) + " bits per pixel, compression " +
              std::to_string(header.compression);
    return false;
  }
  if (header.pixelOffset + header.stride() * static_cast<std::uint64_t>(header.rows()) > bytes.size()) {
    problem = "truncated: the pixel rows run past the end of the file";
    return false;
  }
  std::vector<std::uint32_t> palette;
  if (header.bitsPerPixel == 8 && !ReadPalette(bytes, header, palette, problem)) return false;
  Bitmap bitmap;
  bitmap.width = header.width;
  bitmap.height = header.rows();
  bitmap.pixels.assign(static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height), 0);
  if (!ReadPixels(bytes, header, palette, bitmap, problem)) return false;
  out = std::move(bitmap);
  return true;
}

bool EncodeBitmap(const Bitmap& bitmap, Bytes& out, std::string& problem) {
  if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.width > MaxSide || bitmap.height > MaxSide ||
      bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
    problem = "bitmap of " + std::to_string(bitmap.width) + " x " + std::to_string(bitmap.height) +
              " does not match its " + std::to_string(bitmap.pixels.size()) + " pixels";
    return false;
  }
  const std::uint32_t stride = (static_cast<std::uint32_t>(bitmap.width) * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(bitmap.height);
  const std::uint32_t pixelOffset = FileHeaderSize + InfoHeaderSize;
  Bytes bytes;
  bytes.reserve(pixelOffset + pixelBytes);
  ByteWriter writer(bytes);
  writer.fixedText("BM", 2);
  writer.u32(pixelOffset + pixelBytes);
  writer.u32(0);
  writer.u32(pixelOffset);
  writer.u32(InfoHeaderSize);
  writer.i32(bitmap.width);
  writer.i32(bitmap.height);
  writer.u16(1);
  writer.u16(24);
  writer.u32(Uncompressed);
  writer.u32(pixelBytes);
  writer.i32(2835);  // 72 dpi
  writer.i32(2835);
  writer.u32(0);
  writer.u32(0);
  for (int y = bitmap.height - 1; y >= 0; --y) {
    for (int x = 0; x < bitmap.width; ++x) {
      std::uint32_t colour = bitmap.at(x, y);
      writer.u8(static_cast<std::uint8_t>(colour));
      writer.u8(static_cast<std::uint8_t>(colour >> 8));
      writer.u8(static_cast<std::uint8_t>(colour >> 16));
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(bitmap.width) * 3; pad < stride; ++pad) writer.u8(0);
  }
  out = std::move(bytes);
  return true;
}

bool ReadBitmapSize(const std::filesystem::path& path, int& width, int& height, std::string& error) {
  const ReadLimit headers{.bytes = FileHeaderSize + InfoHeaderSize, .startOnly = true};
  return ReadDecoded(path, headers, error, [&](const Bytes& bytes, std::string& problem) {
    BitmapHeader header;
    if (!ParseHeader(bytes, header, problem)) return false;
    width = header.width;
    height = header.rows();
    return true;
  });
}

bool ReadBitmapFile(const std::filesystem::path& path, Bitmap& out, std::string& error) {
  return ReadDecoded(path, {}, error,
                     [&out](const Bytes& bytes, std::string& problem) { return DecodeBitmap(bytes, out, problem); });
}

bool WriteBitmapFile(const std::filesystem::path& path, const Bitmap& bitmap, std::string& error) {
  return WriteEncoded(path, error,
                      [&bitmap](Bytes& bytes, std::string& problem) { return EncodeBitmap(bitmap, bytes, problem); });
}
