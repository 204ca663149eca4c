// Little-endian field reading with bounds checks, and writing, for the binary content formats.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "content/file_io.h"

// Reads fields front to back; once a read would pass the end, every read fails and `ok()` stays false.
class ByteReader {
 public:
  explicit ByteReader(const Bytes& bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  std::size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }

  std::uint32_t u32() { return static_cast<std::uint32_t>(unsignedLe(4)); }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  std::int16_t i16() { return static_cast<std::int16_t>(static_cast<std::uint16_t>(unsignedLe(2))); }
  std::uint16_t u16() { return static_cast<std::uint16_t>(unsignedLe(2)); }
  std::uint8_t u8() { return static_cast<std::uint8_t>(unsignedLe(1)); }
  float f32() {
    std::uint32_t bits = u32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // One field of the type it is stored as.
  void read(std::int32_t& out) { out = i32(); }
  void read(std::int16_t& out) { out = i16(); }
  void read(std::uint8_t& out) { out = u8(); }
  void read(float& out) { out = f32(); }
  std::string text(std::size_t length) {
    if (!take(length)) return {};
    return std::string(reinterpret_cast<const char*>(bytes_.data()) + pos_ - length, length);
  }

 private:
  bool take(std::size_t count) {
    if (!ok_ || bytes_.size() - pos_ < count) {
      ok_ = false;
      return false;
    }
    pos_ += count;
    return true;
  }
  std::uint64_t unsignedLe(std::size_t count) {
    if (!take(count)) return 0;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{bytes_[pos_ - count + i]} << (8 * i);
    return value;
  }

  const Bytes& bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  explicit ByteWriter(Bytes& bytes) : bytes_(bytes) {}
  void u32(std::uint32_t value) { unsignedLe(value, 4); }
  void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
  void i16(std::int16_t value) { unsignedLe(static_cast<std::uint16_t>(value), 2); }
  void u16(std::uint16_t value) { unsignedLe(value, 2); }
  void u8(std::uint8_t value) { bytes_.push_back(value); }
  void f32(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    u32(bits);
  }
  void write(std::int32_t value) { i32(value); }
  void write(std::int16_t value) { i16(value); }
  void write(std::uint8_t value) { u8(value); }
  void write(float value) { f32(value); }
  // Cut to `length` bytes or padded on the right with spaces.
  void fixedText(std::string_view text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) bytes_.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ');
  }

 private:
  void unsignedLe(std::uint64_t value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  Bytes& bytes_;
};
