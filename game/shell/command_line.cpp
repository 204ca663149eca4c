// The game's command line: one table of options, which both the parser and the --help text follow.
#include "shell/command_line.h"

#include <iomanip>
#include <span>
#include <sstream>
#include <utility>

#include "content/numbers.h"
#include "content/settings_file.h"

namespace {

// Sets the error and reports failure, so each refusal reads as one line.
bool Refuse(std::string& error, const std::string& why) {
  error = why;
  return false;
}

bool ParseScreenshot(const std::string& text, Screenshot& out) {
  std::size_t colon = text.find(':');
  if (colon == std::string::npos || colon + 1 == text.size()) return false;
  out.file = text.substr(colon + 1);
  return ParseWholeNumber(text.substr(0, colon), out.tick) && out.tick >= 0;
}

struct OptionDef {
  const char* name;
  const char* argument;  // nullptr for a switch
  const char* help;      // further lines go under the first
  bool (*apply)(CommandLine& line, const std::string& value, std::string& error);
};

constexpr OptionDef Options[] = {
    {"--root", "DIR",
     "program folder with Gfx, Sfx, Mus, Tls, Lvl, Bgd and config.bin\n(default: beside the executable, or where it was installed)",
     [](CommandLine& line, const std::string& value, std::string&) { line.root = value; return true; }},
    {"--windowed", nullptr, "a window instead of full screen (Alt+Enter toggles)",
     [](CommandLine& line, const std::string&, std::string&) { line.platform.windowed = true; return true; }},
    {"--settings", "FILE",
     "the settings file to read and save (default: the player's settings.ini;\na headless run keeps the defaults without one)",
     [](CommandLine& line, const std::string& value, std::string&) { line.settingsFile = value; return true; }},
    {"--game-speed", "PERCENT", "the pace of the games this run starts, 50 to 100 in steps of 10\n(default: the settings' Game Speed)",
     [](CommandLine& line, const std::string& value, std::string& error) {
       std::int32_t speed = 0;
       if (!ParseWholeNumber(value, speed) || !GameSpeedRange.holds(speed))
         return Refuse(error, "--game-speed needs 50, 60, 70, 80, 90 or 100");
       line.gameSpeed = speed;
       return true;
     }},
    {"--headless", nullptr, "no window, no sound device; a virtual clock that starts at 0",
     [](CommandLine& line, const std::string&, std::string&) { line.platform.headless = true; return true; }},
    {"--frames", "N", "stop after N frames",
     [](CommandLine& line, const std::string& value, std::string& error) {
       return (ParseWholeNumber(value, line.frames) && line.frames >= 0) ||
              Refuse(error, "--frames needs a whole number >= 0");
     }},
    {"--step", "MS", "virtual milliseconds per frame and per waiting pass (default 16)",
     [](CommandLine& line, const std::string& value, std::string& error) {
       return (ParseWholeNumber(value, line.step) && line.step >= 1) || Refuse(error, "--step needs a whole number >= 1");
     }},
    {"--seed", "N", "seed of the random numbers, for reproducible runs",
     [](CommandLine& line, const std::string& value, std::string& error) {
       std::uint32_t seed = 0;
       if (!ParseWholeNumber(value, seed)) return Refuse(error, "--seed needs a whole number");
       line.seed = seed;
       return true;
     }},
    {"--input", "FILE",
     "scripted input, one event a line:\n"
     "  TICK key NAME down|up   (NAME: DIK_RETURN, DIK_P, ... or a scan code)\n"
     "  TICK move DX DY         (relative mouse counts for the next read)\n"
     "  TICK button left|right down|up\n"
     "  TICK pad BUTTON down|up (a b x y back start up down left right)\n"
     "  TICK stick X Y          (the gamepad's left stick, -32768..32767)\n"
     "  TICK focus lost|gained  (another window takes the keyboard, gives it back)\n"
     "'#' starts a comment; an event acts at the first read at or after TICK",
     [](CommandLine& line, const std::string& value, std::string&) { line.input = value; return true; }},
    {"--dump-state", "FILE", "write the game's state as JSON at exit",
     [](CommandLine& line, const std::string& value, std::string&) { line.dumpState = value; return true; }},
    {"--screenshot", "TICK:FILE",
     "save the picture as shown at the first frame at or after TICK\n(PNG, or BMP when FILE ends in .bmp); may be "
     "repeated",
     [](CommandLine& line, const std::string& value, std::string& error) {
       Screenshot shot;
       if (!ParseScreenshot(value, shot)) return Refuse(error, "--screenshot needs TICK:FILE");
       line.screenshots.push_back(shot);
       return true;
     }},
    {"--no-gamma", nullptr, "run without a gamma ramp (fades are instant)",
     [](CommandLine& line, const std::string&, std::string&) { line.platform.noGamma = true; return true; }},
    {"--play", "SETFILE", "start a game on the level set at once; \"endless\" and \"daily\" start\nEndless and the Daily Challenge",
     [](CommandLine& line, const std::string& value, std::string&) { line.playSetFile = value; return true; }},
    {"--until-game-ends", nullptr, "stop after the frame in which the first game goes back to the menus",
     [](CommandLine& line, const std::string&, std::string&) { line.untilGameEnds = true; return true; }},
    {"--no-capsules", nullptr, "broken bricks drop no capsules (for proving levels finishable)",
     [](CommandLine& line, const std::string&, std::string&) { line.noCapsules = true; return true; }},
    {"--record", "FILE", "record the next game into FILE (a recording, .sfr)",
     [](CommandLine& line, const std::string& value, std::string& error) {
       line.recordFile = value;
       return !value.empty() || Refuse(error, "--record needs a file name");
     }},
    {"--record-dir", "DIR", "record every game into DIR, each file named by date, level set and score",
     [](CommandLine& line, const std::string& value, std::string& error) {
       line.recordFolder = value;
       return !value.empty() || Refuse(error, "--record-dir needs a folder name");
     }},
    {"--replay", "FILE",
     "play a recorded game back (in a window, or headless with --dump-state);\nits seed, steps and input come from "
     "FILE, and it stops where the recording ends;\nEsc stops it, P pauses and resumes it (with --input, the "
     "script's\nkeys do, on the replay's clock plus the time paused)",
     [](CommandLine& line, const std::string& value, std::string& error) {
       line.replayFile = value;
       return !value.empty() || Refuse(error, "--replay needs a file name");
     }},
    {"--verify", "FILE",
     "replay a recorded game headless and say whether it gets where it\nclaims: its score and level (exit status 0 "
     "when it does, 1 when\nit does not, 2 when it cannot be read)",
     [](CommandLine& line, const std::string& value, std::string& error) {
       line.verifyFile = value;
       return !value.empty() || Refuse(error, "--verify needs a file name");
     }},
    {"--date", "YYYY-MM-DD", "the day the Daily Challenge takes as today (default: the clock's)",
     [](CommandLine& line, const std::string& value, std::string& error) {
       line.today = ParseDate(value);
       return line.today.has_value() || Refuse(error, "--date needs a date YYYY-MM-DD");
     }},
    {"--help", nullptr, "this text",
     [](CommandLine& line, const std::string&, std::string&) { line.help = true; return true; }},
    {"--version", nullptr, "print the version",
     [](CommandLine& line, const std::string&, std::string&) { line.version = true; return true; }},
};

constexpr int HelpColumn = 25;  // where every option's text starts

// Refuses `option` beside the first of `others` given (each: whether it was given, its name).
bool RefuseAnyGiven(std::span<const std::pair<bool, const char*>> others, const char* option, std::string& error) {
  for (const auto& [given, name] : others)
    if (given) return Refuse(error, std::string(option) + " does not go with " + name);
  return true;
}

// A replay reads nothing but its recording (a script presses only the viewer's keys), and records nothing of its
// own.
bool CheckReplayAlone(const CommandLine& line, std::string& error) {
  if (line.replayFile.empty()) return true;
  const std::pair<bool, const char*> others[] = {{!line.playSetFile.empty(), "--play"},
                                                 {!line.recordFile.empty(), "--record"},
                                                 {!line.recordFolder.empty(), "--record-dir"},
                                                 {line.seed.has_value(), "--seed"},
                                                 {line.gameSpeed.has_value(), "--game-speed"},
                                                 {line.noCapsules, "--no-capsules"}};
  return RefuseAnyGiven(others, "--replay", error);
}

// A verification replays its recording headless and reads nothing else.
bool CheckVerifyAlone(const CommandLine& line, std::string& error) {
  if (line.verifyFile.empty()) return true;
  const std::pair<bool, const char*> others[] = {{!line.playSetFile.empty(), "--play"},
                                                 {!line.replayFile.empty(), "--replay"},
                                                 {!line.recordFile.empty(), "--record"},
                                                 {!line.recordFolder.empty(), "--record-dir"},
                                                 {!line.input.empty(), "--input"},
                                                 {!line.dumpState.empty(), "--dump-state"},
                                                 {line.seed.has_value(), "--seed"},
                                                 {line.gameSpeed.has_value(), "--game-speed"},
                                                 {line.noCapsules, "--no-capsules"}};
  return RefuseAnyGiven(others, "--verify", error);
}

// A recording does not hold the switch, so its replay would drop capsules the game did not.
bool CheckRecordingKeepsCapsules(const CommandLine& line, std::string& error) {
  if (!line.noCapsules || (line.recordFile.empty() && line.recordFolder.empty())) return true;
  return Refuse(error, "--no-capsules does not go with --record or --record-dir");
}

const OptionDef* Find(const std::string& name) {
  for (const OptionDef& option : Options)
    if (name == option.name) return &option;
  return nullptr;
}

}  // namespace

std::string UsageText() {
  std::ostringstream text;
  text << "usage: shardfall [options]\n";
  for (const OptionDef& option : Options) {
    std::string head = std::string("  ") + option.name + (option.argument ? std::string(" ") + option.argument : "");
    std::istringstream help(option.help);
    std::string line;
    for (bool first = true; std::getline(help, line); first = false)
      text << std::left << std::setw(HelpColumn) << (first ? head : "") << line << '\n';
  }
  return text.str();
}

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const OptionDef* option = Find(args[i]);
    if (!option) return Refuse(error, "unknown option " + args[i]);
    std::string value;
    if (option->argument) {
      if (i + 1 >= args.size()) return Refuse(error, args[i] + " needs a value");
      value = args[++i];
    }
    if (!option->apply(out, value, error)) return false;
  }
  return CheckReplayAlone(out, error) && CheckVerifyAlone(out, error) && CheckRecordingKeepsCapsules(out, error);
}
