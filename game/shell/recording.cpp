// Recorded games: a game's first and last frames, its recording, and a replay's checks and start.
#include "shell/recording.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <iostream>
#include <memory>
#include <set>
#include <system_error>
#include <utility>

#include <unistd.h>

#include "content/level_file.h"
#include "content/level_set_file.h"
#include "content/names.h"
#include "content/numbers.h"
#include "content/renamed_sets.h"
#include "content/text_fields.h"
#include "content/version.h"
#include "core/game.h"
#include "loading/level_loading.h"
#include "platform/tape.h"

namespace {

// ---- The start of a game, as text and back ----

std::vector<NamedValue> StateValues(const GameState& state) {
  std::vector<NamedValue> values;
  VisitGameStateFields(state, [&values](const char* name, const auto& field) {
    values.push_back({name, NumberText(field)});
  });
  return values;
}

// The numbers of the state at a game's start that the game itself keeps within bounds; any other number is
// bounded by its type.
struct StateBound {
  const char* name;
  double low, high;
};
constexpr StateBound StateBounds[] = {
    {"lastTick", 0, MaxStartTick},
    {"frameStep", 0, 50},
    {"screenFade", -100, 0},
    {"musicFade", 0, 100},
    // Generous: the pointer may stand off the screen for a frame, but never far.
    {"pointerX", -ScreenWidth, 2 * ScreenWidth},
    {"pointerY", -ScreenHeight, 2 * ScreenHeight},
};

template <typename Field>
bool WithinBounds(const char* name, const Field& field) {
  for (const StateBound& bound : StateBounds)
    if (std::string_view(name) == bound.name)
      return static_cast<double>(field) >= bound.low && static_cast<double>(field) <= bound.high;  // NaN: false
  return true;
}

// Every value names a field of the state, reads as its type and lies within its bounds; `error` names the first
// that does not.
bool CheckStartState(const std::vector<NamedValue>& values, std::string& error) {
  for (const NamedValue& value : values) {
    bool known = false, fits = false;
    GameState state;
    VisitGameStateFields(state, [&](const char* name, auto& field) {
      if (value.name != name) return;
      known = true;
      fits = ParseWholeNumber(value.value, field) && WithinBounds(name, field);
    });
    if (!fits) {
      error = "the recording is damaged (its start state's " + value.name +
              (known ? " is out of range)" : " is unknown)");
      return false;
    }
  }
  return true;
}

// Every field the recording names (checked by CheckStartState); the others keep their value.
void RestoreState(GameState& state, const std::vector<NamedValue>& values) {
  VisitGameStateFields(state, [&values](const char* name, auto& field) {
    for (const NamedValue& value : values)
      if (value.name == name) ParseWholeNumber(value.value, field);
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

// A generated set's levels are made, not read: what the game read of files are the tilesets its levels asked for.
std::vector<RecordedFile> GeneratedFiles(const Game& game) {
  FileList list;
  for (const PlayedLevel& level : game.generated.levels) {
    if (!IsPlainFileName(level.tilesetName) || level.tilesetName.size() < 3) continue;
    list.Add("tileset", level.tilesetName, TilesetPath(game, level.tilesetName));
    const std::string bitmapName = ReplaceLastThree(level.tilesetName, "bmp");
    list.Add("bitmap", bitmapName, TilesetPath(game, bitmapName));
  }
  return list.files;
}

// The files of the recording as the game would read them now.
std::vector<RecordedFile> FilesHere(const Game& game, const Recording& recording) {
  if (!recording.generated) return FilesOf(game);
  FileList list;
  for (const RecordedFile& file : recording.files)
    if ((file.role == "tileset" || file.role == "bitmap") && IsPlainFileName(file.name))
      list.Add(file.role, file.name, TilesetPath(game, file.name));
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
  if (game.generated.set.kind != GeneratedKind::None) return GeneratedSetName(game.generated.set);
  const std::filesystem::path set = game.levelSetPath;
  for (const std::filesystem::path& folder : {game.folders.shipped, game.folders.user})
    if (set.parent_path() == folder / "Lvl") return (std::filesystem::path("Lvl") / set.filename()).string();
  return set.string();
}

Recording DescribeStart(const Game& game, std::uint32_t seed) {
  Recording recording;
  recording.program = ProgramVersion();
  recording.levelSet = RecordedSetName(game);
  if (game.generated.set.kind != GeneratedKind::None) recording.generated = game.generated.set;
  recording.seed = seed;
  recording.tick = Now(game);
  recording.options = game.options;
  recording.settings = {game.runGameSpeed.value_or(game.settings.gameSpeed), game.settings.confirmLeave};
  recording.state = StateValues(game.state);
  if (!recording.generated) recording.files = FilesOf(game);
  recording.songs = SongNames(game);
  return recording;
}

void RestoreStart(Game& game, const Recording& recording) {
  SeedRandom(game.random, recording.seed);
  game.generated.set = recording.generated.value_or(GeneratedSet{});
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

// DATE_SET_SCORE, the name of a recording in a --record-dir folder.
std::string EveryGameStem(const Game& game) {
  const GeneratedSet& generated = game.generated.set;
  const std::string set = generated.kind == GeneratedKind::None
                              ? std::filesystem::path(game.levelSetPath).stem().string()
                              : std::filesystem::path(GeneratedTableName(generated)).stem().string();
  return game.recorder.startTime + "_" + FileNamePart(set) + "_" + std::to_string(game.world.score);
}

// STEM.sfr in the folder, or STEM_2.sfr, STEM_3.sfr, ... when the name is taken, even by a game writing at the
// same moment: never over another file.
bool WriteUnderFreeName(const std::filesystem::path& folder, const std::string& stem, const Bytes& bytes,
                        std::filesystem::path& written, std::string& error) {
  constexpr int MaxCopies = 10000;
  for (int copy = 1; copy <= MaxCopies; ++copy) {
    written = folder / (stem + (copy == 1 ? "" : "_" + std::to_string(copy)) + ".sfr");
    bool taken = false;
    if (WriteNewFile(written, bytes, error, taken)) return true;
    if (!taken) return false;
  }
  return false;
}

// A recording that could not go where it was asked to goes to the user's folder; the message says where.
void SaveInUserFolder(const Game& game, const std::string& stem, const Bytes& bytes, const std::string& failure) {
  std::filesystem::path saved;
  std::string error;
  std::cerr << "shardfall: recording: " << failure;
  if (PrepareWritePath(game.folders, stem, saved, error) &&
      WriteUnderFreeName(saved.parent_path(), stem, bytes, saved, error))
    std::cerr << "; saved as " << saved.string() << " instead\n";
  else
    std::cerr << "; it could not be saved in the user's folder either (" << error << ")\n";
}

// A file of some size can be made in the folder, and is removed again: no missing right, no full disk.
bool CanWriteIn(const std::filesystem::path& folder, std::string& why) {
  constexpr std::size_t ProbeBytes = 64 * 1024;
  const std::filesystem::path probe = folder / (".shardfall-probe-" + std::to_string(getpid()));
  std::string error;
  bool taken = false;
  if (!WriteNewFile(probe, Bytes(ProbeBytes, 0), error, taken)) {
    why = error.substr(std::min(error.size(), probe.string().size() + 2));  // without the probe's name
    return false;
  }
  std::error_code removed;
  std::filesystem::remove(probe, removed);
  return true;
}


std::string EndText(const RecordedEnd& end) {
  return "tick " + std::to_string(end.tick) + ", level " + std::to_string(end.level) + ", score " +
         std::to_string(end.score) + (end.over ? ", the game over" : ", the game still running");
}

void WriteRecording(Game& game) {
  GameRecorder& recorder = game.recorder;
  if (!IsRecording(game.platform)) return;
  Recording& recording = recorder.recording;
  recording.reached = GameEndNow(game);
  if (recording.generated) recording.files = GeneratedFiles(game);
  recording.steps = StopRecordingTape(game.platform);
  recorder.lastGame = EncodeRecording(recording);
  recorder.lastGameScore = game.world.score;
  const Bytes& bytes = recorder.lastGame;
  recording.steps = {};
  std::string error;
  if (!recorder.nextGameFile.empty()) {
    const std::filesystem::path file = recorder.nextGameFile;
    recorder.nextGameFile.clear();
    if (!WriteFileAtomically(file, bytes, error)) SaveInUserFolder(game, file.stem().string(), bytes, error);
  }
  if (!recorder.everyGameFolder.empty()) {
    std::filesystem::path written;
    std::error_code made;
    std::filesystem::create_directories(recorder.everyGameFolder, made);
    if (!WriteUnderFreeName(recorder.everyGameFolder, EveryGameStem(game), bytes, written, error))
      SaveInUserFolder(game, EveryGameStem(game), bytes, error);
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
  game.generated.levels.clear();
  recorder.lastGame = {};
  if (recorder.replaying) {
    RestoreStart(game, recorder.recording);
    return;
  }
  const auto seed = static_cast<std::uint32_t>(game.random.engine());
  SeedRandom(game.random, seed);
  if (game.generated.set.kind == GeneratedKind::Endless) game.generated.set = EndlessSet(seed);
  // Every game is recorded, at least in memory, for the score table.
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

RecordedEnd GameEndNow(const Game& game) {
  return {Now(game), game.levelSet.currentLevel, game.world.score, game.recorder.gameEnded};
}

const std::string& ProgramVersion() {
  static const std::string version(ShardfallVersion());
  return version;
}

bool PrepareReplay(const DataFolders& folders, const std::filesystem::path& file, Recording& recording,
                   std::string& error) {
  if (!ReadRecordingFile(file, ProgramVersion(), recording, error)) return false;
  FollowRenamedLevelSet(recording);
  if (!CheckStartState(recording.state, error)) {
    error = file.string() + ": " + error;
    return false;
  }
  auto check = std::make_unique<Game>();
  check->folders = folders;
  if (!recording.generated) {
    const std::filesystem::path named = recording.levelSet;
    const std::filesystem::path set = named.is_absolute() ? named : ReadPath(folders, named);
    std::error_code missing;
    if (!std::filesystem::is_regular_file(set, missing)) {
      error = file.string() + ": recorded on the level set " + recording.levelSet + ", which is not here";
      return false;
    }
    check->levelSetPath = set.string();
  }
  if (!CheckRecordedFiles(*check, recording, error)) {
    error = file.string() + ": " + error;
    return false;
  }
  recording.levelSet = check->levelSetPath;
  return true;
}

bool CheckRecordedFiles(const Game& game, const Recording& recording, std::string& error) {
  const std::vector<RecordedFile> here = FilesHere(game, recording);
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
  recording.steps = {};
  game.levelSetPath = recording.levelSet;
  game.generated.set = recording.generated.value_or(GeneratedSet{});
  game.recorder.replaying = true;
  game.recorder.recording = std::move(recording);
  GameState& state = game.state;
  state.frontEndReady = true;
  state.inFrontEnd = false;
  state.gameLoaded = false;
}

std::string ReplayEndProblem(const Game& game) {
  const std::string& divergence = game.platform.tape.divergence;
  if (!divergence.empty()) return divergence;
  const std::optional<RecordedEnd>& recorded = game.recorder.recording.reached;
  if (!ReplayPlayedThrough(game.platform) || !recorded || GameEndNow(game) == *recorded) return "";
  return "the replay ended elsewhere than the recording: at " + EndText(GameEndNow(game)) +
         ", where the recording ends at " + EndText(*recorded);
}

bool CheckRecordingTargets(const std::filesystem::path& file, const std::filesystem::path& folder,
                           std::string& error) {
  namespace fs = std::filesystem;
  std::error_code failure;
  auto refuse = [&error](const std::string& option, const fs::path& path, const std::string& why) {
    error = option + " " + path.string() + ": " + why;
    return false;
  };
  if (!file.empty()) {
    const fs::path parent = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const fs::file_status status = fs::status(file, failure);
    if (fs::is_directory(status)) return refuse("--record", file, "is a folder");
    if (fs::exists(status) && !fs::is_regular_file(status)) return refuse("--record", file, "is not a regular file");
    if (!fs::is_directory(parent, failure)) return refuse("--record", file, "there is no folder " + parent.string());
    std::string why;
    if (!CanWriteIn(parent, why)) return refuse("--record", file, why);
  }
  if (!folder.empty()) {
    std::string why;
    fs::create_directories(folder, failure);
    if (!fs::is_directory(folder, failure))
      return refuse("--record-dir", folder, "is not a folder and cannot be made one");
    if (!CanWriteIn(folder, why)) return refuse("--record-dir", folder, why);
  }
  return true;
}
