// Whole-file reads and atomic whole-file writes; every content reader and writer goes through these.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// The most a reader takes unless its format says less.
inline constexpr std::uintmax_t MaxFileBytes = 64u << 20;

// "path: problem", the form of every error the content readers and writers report.
inline std::string FileError(const std::filesystem::path& path, std::string_view problem) {
  return path.string() + ": " + std::string(problem);
}

// Reads the whole file; refuses files larger than maxBytes. On failure `error` names the file and the problem.
bool ReadWholeFile(const std::filesystem::path& path, Bytes& out, std::string& error,
                   std::uintmax_t maxBytes = MaxFileBytes);
// Reads the file's first `count` bytes, or all of a shorter file; `error` as for ReadWholeFile.
bool ReadFileStart(const std::filesystem::path& path, Bytes& out, std::string& error, std::uintmax_t count);
// Writes to a temporary file in the same folder, then renames it over `path`, so the old file survives a failure.
// Temporary files of ours that a killed writer left in the folder are removed first.
bool WriteFileAtomically(const std::filesystem::path& path, const Bytes& bytes, std::string& error);
// The same, but never over a file that is there: false with `taken` set when `path` exists (or appeared meanwhile).
bool WriteNewFile(const std::filesystem::path& path, const Bytes& bytes, std::string& error, bool& taken);

// How much of a file a format reads: a longer file is refused, or with `startOnly` cut to its first `bytes`.
struct ReadLimit {
  std::uintmax_t bytes = MaxFileBytes;
  bool startOnly = false;
};

// Every format's reader: the file's bytes, then `decode(bytes, problem)`; `error` names the file and the problem.
template <typename Decode>
bool ReadDecoded(const std::filesystem::path& path, ReadLimit limit, std::string& error, Decode&& decode) {
  Bytes bytes;
  if (!(limit.startOnly ? ReadFileStart(path, bytes, error, limit.bytes)
                        : ReadWholeFile(path, bytes, error, limit.bytes)))
    return false;
  std::string problem;
  if (decode(std::as_const(bytes), problem)) return true;
  error = FileError(path, problem);
  return false;
}

// Every format's writer: `encode(bytes, problem)`, then the bytes written atomically; `error` as for ReadDecoded.
template <typename Encode>
bool WriteEncoded(const std::filesystem::path& path, std::string& error, Encode&& encode) {
  Bytes bytes;
  std::string problem;
  if (encode(bytes, problem)) return WriteFileAtomically(path, bytes, error);
  error = FileError(path, problem);
  return false;
}

// An exclusive lock on a file for as long as it lives, so that programs that read, change and replace the same
// file take turns instead of losing each other's changes. It is taken on ".NAME.lock" beside the file, which
// outlives every replacement of the file itself; where that cannot be made (a folder that cannot be written),
// no lock is held and the write that follows fails on its own.
class FileLock {
 public:
  explicit FileLock(const std::filesystem::path& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
};
