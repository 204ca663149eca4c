// Scratch folders and byte helpers shared by the content tests.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "content/file_io.h"
#include "fresh_folder.h"

// A fresh folder per test, removed afterwards.
class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::make_unique<FreshFolder>();
    dir = folder_->path();
  }
  void TearDown() override { folder_.reset(); }

  std::filesystem::path file(const std::string& name) const { return dir / name; }
  std::filesystem::path put(const std::string& name, const Bytes& bytes) const {
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<std::streamsize>(bytes.size()));
    return dir / name;
  }
  std::filesystem::path put(const std::string& name, const std::string& text) const {
    return put(name, Bytes(text.begin(), text.end()));
  }
  static Bytes bytesOf(const std::filesystem::path& path) {
    Bytes bytes;
    std::string error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    return bytes;
  }
  static std::string textOf(const std::filesystem::path& path) {
    Bytes bytes = bytesOf(path);
    return std::string(bytes.begin(), bytes.end());
  }

  std::filesystem::path dir;

 private:
  std::unique_ptr<FreshFolder> folder_;
};

inline void PutI32(Bytes& bytes, std::int32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
}

inline void PutText(Bytes& bytes, const std::string& text, std::size_t width) {
  std::string padded = text;
  padded.resize(width, ' ');
  bytes.insert(bytes.end(), padded.begin(), padded.end());
}

// A minimal header for hand-made bitmaps.
inline Bytes Header(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t pixelOffset,
                    std::uint32_t colours = 0, std::uint32_t compression = 0) {
  Bytes b{'B', 'M'};
  PutI32(b, 0);
  PutI32(b, 0);
  PutI32(b, static_cast<std::int32_t>(pixelOffset));
  PutI32(b, 40);
  PutI32(b, width);
  PutI32(b, height);
  b.push_back(1), b.push_back(0), b.push_back(static_cast<std::uint8_t>(bits)), b.push_back(0);
  PutI32(b, static_cast<std::int32_t>(compression));
  for (int i = 0; i < 3; ++i) PutI32(b, 0);
  PutI32(b, static_cast<std::int32_t>(colours));
  PutI32(b, 0);
  return b;
}
