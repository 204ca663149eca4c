// The shipped data tree, the user's folder for saves, and reading, writing and listing across both.
#include "content/data_folders.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "content/file_io.h"

namespace {

bool Writable(const std::filesystem::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

std::filesystem::path FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value == '/' ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace

DataFolders SameFolders(const std::filesystem::path& folder) { return {folder, folder}; }

std::filesystem::path UserDataFolder() {
  if (auto xdg = FromEnvironment("XDG_DATA_HOME"); !xdg.empty()) return xdg / "shardfall";
  if (auto home = FromEnvironment("HOME"); !home.empty()) return home / ".local/share/shardfall";
  return {};
}

std::filesystem::path UserConfigFolder() {
  if (auto xdg = FromEnvironment("XDG_CONFIG_HOME"); !xdg.empty()) return xdg / "shardfall";
  if (auto home = FromEnvironment("HOME"); !home.empty()) return home / ".config/shardfall";
  return {};
}

std::filesystem::path SettingsPath(const DataFolders& folders) {
  const std::filesystem::path config = UserConfigFolder();
  const bool programFolder = folders.user == folders.shipped || config.empty();
  return (programFolder ? folders.user : config) / "settings.ini";
}

DataFolders ChooseDataFolders(const std::filesystem::path& shipped, bool installed) {
  if (!installed && Writable(shipped)) return SameFolders(shipped);
  const std::filesystem::path user = UserDataFolder();
  return {shipped, user.empty() ? shipped : user};
}

std::filesystem::path FindShippedFolder(const std::filesystem::path& executableFolder,
                                        const std::filesystem::path& installedRelative, bool& installed) {
  std::error_code error;
  installed = false;
  if (std::filesystem::is_directory(executableFolder / "Gfx", error)) return executableFolder;
  const std::filesystem::path data = (executableFolder / installedRelative).lexically_normal();
  if (installedRelative.empty() || !std::filesystem::is_directory(data / "Gfx", error)) return {};
  installed = true;
  return data;
}

std::filesystem::path ReadPath(const DataFolders& folders, const std::filesystem::path& relative) {
  std::error_code error;
  if (folders.user != folders.shipped && std::filesystem::exists(folders.user / relative, error))
    return folders.user / relative;
  return folders.shipped / relative;
}

std::filesystem::path SetLevelPath(const DataFolders& folders, const std::filesystem::path& setFile,
                                   const std::string& levelFile) {
  const std::filesystem::path setFolder = setFile.parent_path();
  std::error_code error;
  const bool inDataFolder = std::filesystem::equivalent(setFolder, folders.shipped / "Lvl", error) ||
                            std::filesystem::equivalent(setFolder, folders.user / "Lvl", error);
  if (!inDataFolder && !setFile.empty() && std::filesystem::exists(setFolder / levelFile, error))
    return setFolder / levelFile;
  return ReadPath(folders, std::filesystem::path("Lvl") / levelFile);
}

bool MakeFolderFor(const std::filesystem::path& file, std::string& error) {
  std::error_code failure;
  if (!file.parent_path().empty()) std::filesystem::create_directories(file.parent_path(), failure);
  if (failure) error = FileError(file, "cannot make its folder (" + failure.message() + ")");
  return !failure;
}

bool PrepareWritePath(const DataFolders& folders, const std::filesystem::path& relative,
                      std::filesystem::path& out, std::string& error) {
  out = folders.user / relative;
  return MakeFolderFor(out, error);
}

std::vector<std::filesystem::path> ListFilesEndingWith(const std::filesystem::path& folder,
                                                       const std::string& ending) {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file(error) && name.ends_with(ending)) found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.filename().string() < b.filename().string(); });
  return found;
}

std::vector<std::filesystem::path> ListDataFiles(const DataFolders& folders, const std::string& subFolder,
                                                 const std::string& ending) {
  std::map<std::string, std::filesystem::path> byName;
  for (const auto& path : ListFilesEndingWith(folders.shipped / subFolder, ending))
    byName[path.filename().string()] = path;
  if (folders.user != folders.shipped)
    for (const auto& path : ListFilesEndingWith(folders.user / subFolder, ending))
      byName[path.filename().string()] = path;
  std::vector<std::filesystem::path> found;
  for (auto& [name, path] : byName) found.push_back(std::move(path));
  return found;
}
