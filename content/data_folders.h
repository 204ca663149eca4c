// Where the data lives: the shipped tree (read-only once installed) and the user's folder that saves go to.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

struct DataFolders {
  std::filesystem::path shipped;  // Gfx, Sfx, Mus, Tls, Lvl, Bgd as built or installed
  std::filesystem::path user;     // config.bin, score tables and the designer's files; may equal shipped
};

// Both folders the same: a program folder that is written in place (a build folder, --root).
DataFolders SameFolders(const std::filesystem::path& folder);

// $XDG_DATA_HOME/shardfall, else $HOME/.local/share/shardfall; empty when neither variable is set.
std::filesystem::path UserDataFolder();

// $XDG_CONFIG_HOME/shardfall, else $HOME/.config/shardfall; empty when neither variable is set.
std::filesystem::path UserConfigFolder();

// "settings.ini": in the program folder when saves go there (a build, --root), else in the user's
// configuration folder, else beside the user's saves.
std::filesystem::path SettingsPath(const DataFolders& folders);

// The data of an installed program, or of a folder that cannot be written, is kept apart from the user's
// saves; any other program folder holds both, as it always has.
DataFolders ChooseDataFolders(const std::filesystem::path& shipped, bool installed);

// The program's data folder: the executable's own folder when it holds the data (a build), else the folder
// at `installedRelative` from it (an install); `installed` says which. Empty when neither holds "Gfx".
std::filesystem::path FindShippedFolder(const std::filesystem::path& executableFolder,
                                        const std::filesystem::path& installedRelative, bool& installed);

// The file to read: the user's copy when there is one, else the shipped one. `relative` is like "Lvl/a.sfl".
std::filesystem::path ReadPath(const DataFolders& folders, const std::filesystem::path& relative);

// The level `levelFile` of the level set at `setFile`. A set in either folder's Lvl reads its levels as any data
// file is read, so a user's copy of a shipped level plays in the shipped sets too; a set kept anywhere else (the
// editor's playtest) reads a level beside it first.
std::filesystem::path SetLevelPath(const DataFolders& folders, const std::filesystem::path& setFile,
                                   const std::string& levelFile);

// Makes the folder that is to hold `file`, with any folders above it. False with `error` naming the file and
// saying why not, as the system says it ("Permission denied").
bool MakeFolderFor(const std::filesystem::path& file, std::string& error);

// The file to write, in the user's folder; creates its sub-folder. False with `error` set when that fails.
bool PrepareWritePath(const DataFolders& folders, const std::filesystem::path& relative,
                      std::filesystem::path& out, std::string& error);

// The regular files of a sub-folder of both trees whose names end with `ending`, sorted by name; where both
// hold a name, the user's copy is listed and the shipped one is not.
std::vector<std::filesystem::path> ListDataFiles(const DataFolders& folders, const std::string& subFolder,
                                                 const std::string& ending);

// Lists a single folder the same way.
std::vector<std::filesystem::path> ListFilesEndingWith(const std::filesystem::path& folder,
                                                       const std::string& ending);
