// The one record of a running game that every layer above the platform takes: mode flags, platform, world,
// front end and options.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "content/data_folders.h"
#include "content/settings_file.h"
#include "content/level_set_file.h"
#include "content/options_file.h"
#include "content/recording_file.h"
#include "core/front_end_state.h"
#include "core/game_state.h"
#include "core/generated_run.h"
#include "core/recording_checks.h"
#include "core/helpers.h"
#include "core/world.h"
#include "platform/clock.h"
#include "platform/platform.h"

// What a run had before it watched a table's game, given back to it afterwards.
struct RunBeforeWatch {
  bool clockVirtual = false;
  std::int32_t clockNow = 0;
  Options options;
  GameState state;
  RandomSource random;
  std::string levelSetPath;
  GeneratedSet generated;
  std::string table;           // the score table the game was watched from
  std::filesystem::path file;  // the recording
};

// Games as the frame loop meets them: from a game's first frame to the frame it hands back to the front end,
// recorded (--record, --record-dir) or replayed (--replay).
struct GameRecorder {
  std::filesystem::path nextGameFile;     // --record: the next game is written here, then no more
  std::filesystem::path everyGameFolder;  // --record-dir: every game is written here
  bool replaying = false;
  bool inGame = false;     // between a game's first frame and the end of the frame it hands back in
  bool gameEnded = false;  // the last frame was a game's last
  Recording recording;     // what the game being recorded or replayed started from; its steps are on the tape
  std::string startTime;   // local date and time of the game's start, for --record-dir names
  // Every game is recorded in memory, so that a score it enters into a table keeps its game: the last one's
  // recording stays here until the next game starts.
  Bytes lastGame;
  std::int32_t lastGameScore = 0;
  std::filesystem::path watchFile;       // set by the front end: the game to watch when the front end is left
  std::optional<RunBeforeWatch> watched;  // while a table's game is watched
};

struct Game {
  DataFolders folders;  // the shipped Gfx, Sfx, Mus, Tls, Lvl, Bgd; the user's config.bin, scores and own files
  Clock clock;
  RandomSource random;
  GameState state;
  Platform platform;
  Options options;
  Settings settings;                   // settings.ini: the comforts config.bin has no room for
  std::optional<std::int32_t> runGameSpeed;  // --game-speed: this run's pace, never saved into the settings
  std::filesystem::path settingsFile;  // where they are saved; empty: not saved (a headless run)
  GameWorld world;
  FrontEnd frontEnd;
  LevelSet levelSet;
  std::string levelSetPath;  // empty for a generated set
  GeneratedRun generated;
  std::optional<CalendarDate> today;  // --date: the day the Daily Challenge takes as today
  GameRecorder recorder;
  bool capsulesOff = false;  // --no-capsules: broken bricks drop nothing, for proving levels finishable
  RecordingVerifier verifier = nullptr;  // set at start-up
  CheckThread checks;                    // verifies the games of the score tables meanwhile
};

// The tick count of this game's clock.
inline std::int32_t Now(const Game& game) { return TickCount(game.clock); }
// The pace of the game being played or replayed, in percent of the full pace.
inline std::int32_t PlaySpeed(const Game& game) { return game.recorder.recording.settings.gameSpeed; }
// Esc in play asks before leaving, in the game being played or replayed.
inline bool ConfirmsLeave(const Game& game) { return game.recorder.recording.settings.confirmLeave != 0; }
// A tick of the clock at the game's pace, rounded down.
inline std::int32_t AtPlaySpeed(const Game& game, std::int64_t tick) {
  const std::int64_t scaled = tick * PlaySpeed(game);
  return static_cast<std::int32_t>((scaled >= 0 ? scaled : scaled - (FullGameSpeed - 1)) / FullGameSpeed);
}
// The tick play's timers read: the clock at the game's pace, so a slower game's clocks fall due later.
inline std::int32_t PlayNow(const Game& game) { return AtPlaySpeed(game, Now(game)); }
// The ms play moves this frame: how far the play clock went over the frame's step. Whole numbers whose fractions
// fall to the next frame, so a slower game loses no time; at the full pace, the frame's step itself.
inline std::int32_t PlayStep(const Game& game) {
  return PlayNow(game) - AtPlaySpeed(game, static_cast<std::int64_t>(Now(game)) - game.state.frameStep);
}
// The day the Daily Challenge is played for: --date, else the clock's local date.
inline std::optional<CalendarDate> Today(const Game& game) { return game.today ? game.today : LocalDateToday(); }
// RandomBetween on the game's generator and clock.
inline float RandomBetween(Game& game, float lo, float hi, bool randomSign) {
  return RandomBetween(game.random, Now(game), lo, hi, randomSign);
}

// Called every frame by a mode that leaves: fade the screen and the music out.
inline void RequestFadeOut(Game& game) {
  game.state.fadingOut = true;
  game.state.musicFadingOut = true;
  game.state.fadingIn = false;
}
// True once both fades have landed: screenFade exactly -99 and musicFade exactly 0.
inline bool FadesEnded(const Game& game) {
  return game.state.screenFade == -99.0f && game.state.musicFade == 0.0f;
}
