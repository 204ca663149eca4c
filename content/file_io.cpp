// Whole-file reads and atomic whole-file writes.
#include "content/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string_view>
#include <system_error>

#include "content/byte_io.h"

namespace {

// The size of a regular file. Refusing anything else keeps a FIFO or device from blocking the reader forever.
bool RegularFileSize(const std::filesystem::path& path, std::uintmax_t& size, std::string& error) {
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) {
    error = FileError(path, "file not found");
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    error = FileError(path, "not a regular file");
    return false;
  }
  size = std::filesystem::file_size(path, ec);
  if (ec) {
    error = FileError(path, "cannot read the file size (" + ec.message() + ")");
    return false;
  }
  return true;
}

// The file's first `count` bytes; the file holds at least that many.
bool ReadFirstBytes(const std::filesystem::path& path, std::uintmax_t count, Bytes& out, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = FileError(path, "cannot open for reading");
    return false;
  }
  Bytes bytes(static_cast<std::size_t>(count));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::uintmax_t>(in.gcount()) != count) {
    error = FileError(path, "read failed");
    return false;
  }
  out = std::move(bytes);
  return true;
}

}  // namespace

bool ReadWholeFile(const std::filesystem::path& path, Bytes& out, std::string& error, std::uintmax_t maxBytes) {
  std::uintmax_t size = 0;
  if (!RegularFileSize(path, size, error)) return false;
  if (size > maxBytes) {
    error = FileError(path, "file too large (" + std::to_string(size) + " bytes)");
    return false;
  }
  return ReadFirstBytes(path, size, out, error);
}

bool ReadFileStart(const std::filesystem::path& path, Bytes& out, std::string& error, std::uintmax_t count) {
  std::uintmax_t size = 0;
  if (!RegularFileSize(path, size, error)) return false;
  return ReadFirstBytes(path, std::min(size, count), out, error);
}

namespace {

// A temporary file is ".NAME.tmpPID-N". Its writer locks it as soon as it has made it and holds the lock until
// the file is renamed; one that nobody holds, older than that first instant could ever last, was left by a
// writer that was killed.
constexpr std::string_view TemporaryMark = ".tmp";
constexpr std::time_t AbandonedAfterSeconds = 300;

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
  static std::atomic<unsigned> counter{0};
  auto name = "." + path.filename().string() + std::string(TemporaryMark) + std::to_string(getpid()) + "-" +
              std::to_string(counter++);
  return path.parent_path() / name;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsTemporaryName(std::string_view name) {
  const std::size_t mark = name.rfind(TemporaryMark), dash = name.rfind('-');
  if (!name.starts_with('.') || mark == std::string_view::npos || mark < 2 || dash == std::string_view::npos ||
      dash < mark)
    return false;
  const std::size_t pid = mark + TemporaryMark.size();
  return AllDigits(name.substr(pid, dash - pid)) && AllDigits(name.substr(dash + 1));
}

void RemoveIfAbandoned(const std::filesystem::path& file) {
  const int fd = open(file.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat opened {}, named {};
  const bool abandoned = fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                         std::time(nullptr) - opened.st_mtime >= AbandonedAfterSeconds &&
                         flock(fd, LOCK_EX | LOCK_NB) == 0 && lstat(file.c_str(), &named) == 0 &&
                         named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
  if (abandoned) unlink(file.c_str());
  close(fd);
}

void RemoveAbandonedTemporaries(const std::filesystem::path& folder) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (IsTemporaryName(it->path().filename().native())) RemoveIfAbandoned(it->path());
}

bool WriteAllAndSync(int fd, const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return fsync(fd) == 0;
}

// Writes the bytes to a temporary file beside `path`, then `place`s it there; `placing` says what failed when that
// did not work (errno set).
template <typename Place>
bool WriteThenPlace(const std::filesystem::path& path, const Bytes& bytes, std::string& error, const char* placing,
                    Place place) {
  if (path.filename().empty()) {
    error = FileError(path, "no file name given");
    return false;
  }
  RemoveAbandonedTemporaries(path.parent_path().empty() ? "." : path.parent_path());
  auto temporary = TemporaryBeside(path);
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = FileError(path, std::string("cannot create a file in its folder (") + std::strerror(errno) + ")");
    return false;
  }
  flock(fd, LOCK_EX | LOCK_NB);  // new, so nobody else holds it: says the file is being written
  bool written = WriteAllAndSync(fd, bytes);
  int savedErrno = errno;
  if (close(fd) != 0 && written) {
    written = false;
    savedErrno = errno;
  }
  if (!written) {
    std::remove(temporary.c_str());
    error = FileError(path, std::string("write failed (") + std::strerror(savedErrno) + ")");
    return false;
  }
  if (!place(temporary, path)) {
    error = FileError(path, std::string(placing) + " (" + std::strerror(errno) + ")");
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, const Bytes& bytes, std::string& error) {
  return WriteThenPlace(path, bytes, error, "cannot replace the file",
                        [](const std::filesystem::path& from, const std::filesystem::path& to) {
                          return std::rename(from.c_str(), to.c_str()) == 0;
                        });
}

namespace {

// A rename that never replaces a file.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef RENAME_NOREPLACE
  return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
#else
  // Without the call (the browser's file system, which one program owns), nobody can take the name between the
  // look and the rename.
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(to, error))) {
    errno = EEXIST;
    return false;
  }
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

bool WriteNewFile(const std::filesystem::path& path, const Bytes& bytes, std::string& error, bool& taken) {
  taken = false;
  return WriteThenPlace(path, bytes, error, "cannot put the file in place",
                        [&taken](const std::filesystem::path& from, const std::filesystem::path& to) {
                          // Neither call replaces a file, so of two writers of one name only one succeeds; a
                          // file system without the first may still have hard links.
                          bool placed = RenameNoReplace(from, to);
                          if (!placed && (errno == EINVAL || errno == ENOSYS) && link(from.c_str(), to.c_str()) == 0) {
                            std::remove(from.c_str());
                            placed = true;
                          }
                          taken = !placed && errno == EEXIST;
                          return placed;
                        });
}

FileLock::FileLock(const std::filesystem::path& path) {
  const std::filesystem::path lock = path.parent_path() / ("." + path.filename().string() + ".lock");
  fd_ = open(lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd_ < 0) return;
  while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) close(fd_);
}
