// Whole-file reads and atomic whole-file writes; every content reader and writer goes through these.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Reads the whole file; refuses files larger than maxBytes. On failure `error` names the file and the problem.
bool ReadWholeFile(const std::filesystem::path& path, Bytes& out, std::string& error,
                   std::uintmax_t maxBytes = 64u << 20);
// Reads the file's first `count` bytes, or all of a shorter file; `error` as for ReadWholeFile.
bool ReadFileStart(const std::filesystem::path& path, Bytes& out, std::string& error, std::uintmax_t count);
// Writes to a temporary file in the same folder, then renames it over `path`, so the old file survives a failure.
// Temporary files of ours that a killed writer left in the folder are removed first.
bool WriteFileAtomically(const std::filesystem::path& path, const Bytes& bytes, std::string& error);

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
