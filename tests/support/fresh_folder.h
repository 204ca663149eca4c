// A folder of its own for each test, so that test runs sharing a machine never meet.
#pragma once
#include <filesystem>
#include <string>

// A new, empty folder in the system's temporary folder, named after the running test (or `stem`) and made
// unique by the system; removed with everything in it at the end.
class FreshFolder {
 public:
  FreshFolder();
  explicit FreshFolder(const std::string& stem);
  ~FreshFolder();
  FreshFolder(const FreshFolder&) = delete;
  FreshFolder& operator=(const FreshFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& relative) const { return path_ / relative; }

 private:
  std::filesystem::path path_;
};
