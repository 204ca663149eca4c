// Usability of pictures, RIFF/WAVE sounds and standard MIDI songs, judged as the game's readers judge them.
#include "tools/content_tool/media_check.h"

#include <cstring>
#include <string>
#include <string_view>

#include "content/bitmap_file.h"
#include "content/media_files.h"

namespace {

bool HasTag(const Bytes& bytes, std::size_t at, std::string_view tag) {
  return at + tag.size() <= bytes.size() && std::memcmp(&bytes[at], tag.data(), tag.size()) == 0;
}

std::uint32_t Little32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint32_t Big(const Bytes& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
  return value;
}

// Reads one MIDI track's events up to its end, as the game does to time a song.
class TrackWalk {
 public:
  // `events` counts the track's events on from what it holds.
  TrackWalk(const Bytes& bytes, std::size_t at, std::size_t end, std::size_t& events)
      : bytes_(bytes), at_(at), end_(end), events_(events) {}

  std::string problem() {
    std::uint32_t status = 0;
    while (ok_ && at_ < end_) {
      if (++events_ > MaxSongEvents) return "more than " + std::to_string(MaxSongEvents) + " events";
      quantity();  // delta time
      const std::uint32_t first = byte();
      if (first == 0xFF) {
        const std::uint32_t type = byte();
        skip(quantity());
        if (type == 0x2F) break;  // end of track
      } else if (first == 0xF0 || first == 0xF7) {
        skip(quantity());
      } else {
        if (first & 0x80) status = first;
        else if (status == 0) return "a track event without a status byte";
        else --at_;
        const std::uint32_t kind = status & 0xF0;
        skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2);
      }
    }
    return ok_ ? "" : "a track event runs past the end of its track";
  }

 private:
  std::uint32_t byte() {
    if (at_ < end_) return bytes_[at_++];
    ok_ = false;
    return 0;
  }
  std::uint32_t quantity() {  // variable length, at most four bytes
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t b = byte();
      value = value << 7 | (b & 0x7F);
      if (!(b & 0x80)) return value;
    }
    ok_ = false;
    return 0;
  }
  void skip(std::uint32_t count) {
    if (count > end_ - at_) ok_ = false;
    at_ = ok_ ? at_ + count : end_;
  }

  const Bytes& bytes_;
  std::size_t at_, end_;
  std::size_t& events_;
  bool ok_ = true;
};

}  // namespace

std::string PictureProblem(const Bytes& bytes, int& width, int& height) {
  Bitmap bitmap;
  std::string problem;
  if (DecodeBitmap(bytes, bitmap, problem)) {
    width = bitmap.width;
    height = bitmap.height;
    return "";
  }
  // The reader words every well-formed kind it does not read as "unsupported ...".
  if (problem.rfind("unsupported", 0) == 0) return "unsupported format (" + problem + ")";
  return "damaged picture: " + problem;
}

std::string SoundProblem(const Bytes& bytes) {
  if (!HasTag(bytes, 0, "RIFF") || !HasTag(bytes, 8, "WAVE")) return "damaged sound: not a RIFF/WAVE file";
  bool format = false, data = false;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::uint64_t size = Little32(bytes, at + 4);
    if (at + 8 + size > bytes.size()) return "damaged sound: a chunk runs past the end of the file";
    if (HasTag(bytes, at, "fmt ")) {
      if (size < 16 || Little32(bytes, at + 16) == 0) return "damaged sound: impossible \"fmt \" chunk";
      format = true;
    }
    data = data || HasTag(bytes, at, "data");
    at += 8 + size + (size & 1);
  }
  if (!format) return "damaged sound: no \"fmt \" chunk";
  return data ? "" : "damaged sound: no \"data\" chunk";
}

std::string SongProblem(const Bytes& bytes) {
  if (bytes.size() < 14 || !HasTag(bytes, 0, "MThd")) return "damaged song: not a standard MIDI file";
  const std::uint64_t headerLength = Big(bytes, 4, 4);
  if (headerLength < 6 || headerLength > bytes.size() - 8) return "damaged song: impossible header length";
  if (Big(bytes, 12, 2) == 0) return "damaged song: no time division";
  int tracks = 0;
  std::size_t events = 0;
  for (std::size_t at = 8 + headerLength; at + 8 <= bytes.size();) {
    const std::uint64_t length = Big(bytes, at + 4, 4);
    if (length > bytes.size() - at - 8) return "damaged song: a chunk runs past the end of the file";
    if (HasTag(bytes, at, "MTrk")) {
      if (std::string problem = TrackWalk(bytes, at + 8, at + 8 + length, events).problem(); !problem.empty())
        return "damaged song: " + problem;
      ++tracks;
    }
    at += 8 + length;
  }
  return tracks > 0 ? "" : "damaged song: no track";
}
