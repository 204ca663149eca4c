// Recorded games: a game's first and last frames, its recording, and a replay's checks and start.
#include "shell/recording.h"

#include <algorithm>
#include <cctype>
#include "content/std_bridge.h"
#include <ctime>
#include <iostream>
#include <memory>
#include <set>
#include <system_error>
#include <type_traits>
#include <utility>

#include "content/level_file.h"
#include "content/level_set_file.h"
#include "content/names.h"
#include "content/version.h"
#include "core/game.h"
#include "loading/level_loading.h"
#include "platform/tape.h"

namespace {

// ---- The start of a game, as text and back ----

template <typename Field>
std::string FieldText(const Field& field) {
  if constexpr (std::is_same_v<Field, bool>) {
    return field ? "1" : "0";
  } else {
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, field);
    return std::string(buffer, result.ptr);
  }
}

template <typename Field>
bool ParseField(const std::string& text, Field& field) {
  if constexpr (std::is_same_v<Field, bool>) {
    if (text != "0" && text != "1") return false;
    field = text == "1";
    return true;
  } else {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), field);
    return error == std::errc{} && end == text.data() + text.size();
  }
}

std::vector<NamedValue> StateValues(const GameState& state) {
  std::vector<NamedValue> values;
  VisitGameStateFields(state, [&values](const char* name, const auto& field) {
    values.push_back({name, FieldText(field)});
  });
  return values;
}

// Every field the recording names; the others keep their value.
void RestoreState(GameState& state, const std::vector<NamedValue>& values) {
  VisitGameStateFields(state, [&values](const char* name, auto& field) {
    for (const NamedValue& value : values)
      if (value.name == name) ParseField(value.value, field);
  });
}

// ---- The files a game's rules read ----

struct FileList {
  std::vector<RecordedFile> files;
  std::set<std::pair<std::string, std::string>> named;
  void Add(const std::string& role, const std::string& name, const std::filesystem::path& path) {
    if (named.insert({role, name}).second) files.push_back({role, name, FileChecksum(path)});
  }
};

// The set, each of its levels, and each level's tileset with its bitmap (whose size shapes the tileset).
std::vector<RecordedFile> FilesOf(const Game& game) {
  FileList list;
  const std::filesystem::path setPath = game.levelSetPath;
  list.Add("set", setPath.filename().string(), setPath);
  LevelSet set;
  std::string error;
  if (!ReadLevelSetFile(setPath, set, error)) return list.files;
  for (const std::string& levelName : set.levelFiles) {
    const std::filesystem::path levelPath = LevelPath(game, levelName);
    list.Add("level", levelName, levelPath);
    Level level;
    if (!ReadLevelFile(levelPath, level, error) || level.tilesetName.size() < 3) continue;
    list.Add("tileset", level.tilesetName, TilesetPath(game, level.tilesetName));
    const std::string bitmapName = ReplaceLastThree(level.tilesetName, "bmp");
    list.Add("bitmap", bitmapName, TilesetPath(game, bitmapName));
  }
  return list.files;
}

std::vector<std::string> SongNames(const Game& game) {
  std::vector<std::string> names;
  for (const auto& song : LevelSongs(game)) names.push_back(song.filename().string());
  return names;
}

// "Lvl/NAME" for a set in a data folder, found again through the folders of the machine that replays it; any
// other set by its whole path.
std::string RecordedSetName(const Game& game) {
  const std::filesystem::path set = game.levelSetPath;
  for (const std::filesystem::path& folder : {game.folders.shipped, game.folders.user})
    if (set.parent_path() == folder / "Lvl") return (std::filesystem::path("Lvl") / set.filename()).string();
  return set.string();
}

Recording DescribeStart(const Game& game, std::uint32_t seed) {
  Recording recording;
  recording.program = ProgramVersion();
  recording.levelSet = RecordedSetName(game);
  recording.seed = seed;
  recording.tick = Now(game);
  recording.options = game.options;
  recording.state = StateValues(game.state);
  recording.files = FilesOf(game);
  recording.songs = SongNames(game);
  return recording;
}

void RestoreStart(Game& game, const Recording& recording) {
  SeedRandom(game.random, recording.seed);
  game.options = recording.options;
  RestoreState(game.state, recording.state);
  game.clock.now = recording.tick;
}

// ---- Writing ----

std::string LocalTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
  return text;
}

// Letters, digits, '-' and '.' as they are; anything else a file name could trip over becomes '-'.
std::string FileNamePart(std::string text) {
  for (char& c : text)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.') c = '-';
  return text;
}

// DATE_SET_SCORE.sfr in the folder, with _2, _3, ... when two games end within one second.
std::filesystem::path EveryGameFile(const Game& game) {
  const std::string stem = game.recorder.startTime + "_" +
                           FileNamePart(std::filesystem::path(game.levelSetPath).stem().string()) + "_" +
                           std::to_string(game.world.score);
  const std::filesystem::path& folder = game.recorder.everyGameFolder;
  std::filesystem::path file = folder / (stem + ".sfr");
  std::error_code error;
  for (int copy = 2; std::filesystem::exists(file, error); ++copy)
    file = folder / (stem + "_" + std::to_string(copy) + ".sfr");
  return file;
}

void Write(const std::filesystem::path& path, const Recording& recording) {
  std::string error;
  if (!WriteRecordingFile(path, recording, error)) std::cerr << "shardfall: recording: " << error << '\n';
}

void WriteRecording(Game& game) {
  GameRecorder& recorder = game.recorder;
  if (!IsRecording(game.platform)) return;
  Recording recording = recorder.recording;
  recording.steps = StopRecordingTape(game.platform);
  if (!recorder.nextGameFile.empty()) {
    Write(recorder.nextGameFile, recording);
    recorder.nextGameFile.clear();
  }
  if (!recorder.everyGameFolder.empty()) {
    std::error_code error;
    std::filesystem::create_directories(recorder.everyGameFolder, error);
    Write(EveryGameFile(game), recording);
  }
}

bool GameStartsNow(const Game& game) {
  const GameState& s = game.state;
  return !game.recorder.inGame && s.frontEndReady && !s.inFrontEnd && !s.gameLoaded;
}

}  // namespace

void BeginGameIfStarting(Game& game) {
  GameRecorder& recorder = game.recorder;
  recorder.gameEnded = false;
  if (!GameStartsNow(game)) return;
  recorder.inGame = true;
  // Nothing of an earlier game reaches this one, so a replay that starts from nothing meets the same world.
  game.world = GameWorld{};
  if (recorder.replaying) {
    RestoreStart(game, recorder.recording);
    return;
  }
  const auto seed = static_cast<std::uint32_t>(game.random.engine());
  SeedRandom(game.random, seed);
  if (recorder.nextGameFile.empty() && recorder.everyGameFolder.empty()) return;
  recorder.recording = DescribeStart(game, seed);
  recorder.startTime = LocalTimeText();
  StartRecordingTape(game.platform);
}

void EndGameIfOver(Game& game) {
  GameRecorder& recorder = game.recorder;
  if (!recorder.inGame || game.state.frontEndReady) return;
  recorder.inGame = false;
  recorder.gameEnded = true;
  WriteRecording(game);
}

void FinishRecording(Game& game) {
  game.recorder.inGame = false;
  WriteRecording(game);
}

const std::string& ProgramVersion() {
  static const std::string version(ShardfallVersion());
  return version;
}

bool PrepareReplay(const DataFolders& folders, const std::filesystem::path& file, Recording& recording,
                   std::string& error) {
  if (!ReadRecordingFile(file, ProgramVersion(), recording, error)) return false;
  const std::filesystem::path named = recording.levelSet;
  const std::filesystem::path set = named.is_absolute() ? named : ReadPath(folders, named);
  std::error_code missing;
  if (!std::filesystem::is_regular_file(set, missing)) {
    error = file.string() + ": recorded on the level set " + recording.levelSet + ", which is not here";
    return false;
  }
  auto check = std::make_unique<Game>();
  check->folders = folders;
  check->levelSetPath = set.string();
  if (!CheckRecordedFiles(*check, recording, error)) {
    error = file.string() + ": " + error;
    return false;
  }
  recording.levelSet = set.string();
  return true;
}

bool CheckRecordedFiles(const Game& game, const Recording& recording, std::string& error) {
  const std::vector<RecordedFile> here = FilesOf(game);
  for (const RecordedFile& file : recording.files) {
    auto found = std::find_if(here.begin(), here.end(), [&file](const RecordedFile& each) {
      return each.role == file.role && each.name == file.name;
    });
    std::string problem;
    if (found == here.end() || (file.checksum && !found->checksum)) problem = file.name + " is missing";
    else if (found->checksum != file.checksum) problem = file.name + " differs";
    if (!problem.empty()) {
      error = "recorded with other level files: " + problem;
      return false;
    }
  }
  if (SongNames(game) != recording.songs) {
    error = "recorded with other songs in Mus, among which the levels choose theirs";
    return false;
  }
  return true;
}

void StartReplay(Game& game, Recording recording) {
  StartReplayTape(game.platform, game.clock, std::move(recording.steps));
  recording.steps.clear();
  game.levelSetPath = recording.levelSet;
  game.recorder.replaying = true;
  game.recorder.recording = std::move(recording);
  GameState& state = game.state;
  state.frontEndReady = true;
  state.inFrontEnd = false;
  state.gameLoaded = false;
}

std::string ReplayDivergence(const Game& game) { return game.platform.tape.divergence; }
