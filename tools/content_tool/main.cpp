// shardfall-content: dumps, packs and checks content files; builds the default data tree.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "content/file_io.h"
#include "content/level_file.h"
#include "content/options_file.h"
#include "content/version.h"
#include "tools/content_tool/content_check.h"
#include "tools/content_tool/content_json.h"
#include "tools/content_tool/proving/proof_commands.h"
#include "tools/default_content/build_default.h"
#include "tools/default_content/icons/build_icons.h"
#include "tools/default_content/level_text.h"

namespace {

constexpr const char* Usage = R"(Usage: shardfall-content COMMAND ARGUMENTS

Commands:
  dump FILE              Print FILE as JSON. The kind follows from the name: ".sft" tileset,
                         ".sfl" level, ".sfs" level set, ".sfh" high scores, "config.bin" options.
  pack JSON OUT          Write OUT as the JSON file JSON describes (its "type" says the kind).
                         Packing what dump printed gives back the same bytes. Names print as
                         UTF-8, as the file system (and so the game) reads them; a name whose
                         bytes are not UTF-8 prints as {"latin1": text}, a character per byte.
  check DIR              Check the data tree under DIR (Gfx, Sfx, Mus, Tls, Lvl, Bgd): the game's
                         pictures, sounds and songs are there and usable (a picture of a kind the
                         game does not read is an "unsupported format"); level sets name existing
                         levels; tileset files hold plausible records and nothing after them, and
                         their bitmaps measure a multiple of 32 x 16; levels name an existing
                         tileset and background, guard a side with flags of 0 or -1, use only
                         tiles of their tileset that have a kind, leave something to break, seal
                         no breakable brick off from the ball behind indestructible ones, and use
                         multi-hit and animated bricks whose other tiles are in the tileset; score
                         tables and "config.bin" are readable files. Prints one line per problem
                         and exits with 1 when there is any.
  build-default DIR      Write the default data tree (pictures, sounds, songs, tilesets,
                         backgrounds, levels) under DIR.
  build-icons DIR        Write the game's and the editor's desktop icons under DIR in the
                         layout of an icon theme: NxN/apps/NAME.png and scalable/apps/NAME.svg.
  level-to-text FILE     Print the level FILE (".sfl") in the designers' text form.
  level-from-text TEXT OUT
                         Write the level file OUT from the text form in TEXT.
  generate --seed N --count K --difficulty D [--tileset T] [--root DATA] DIR
                         Write K generated levels of difficulty D (1 to 10) and their level set
                         into DIR, each one played by the autopilot first: the first from seed
                         N (0 to 18446744073709551615) or the next seed whose level passes,
                         each later one from the seed after the last. T is a tileset file
                         name in Tls ("NeonTileSet.sft"); without it each level takes one of
                         the shipped tilesets by its seed. Prints a line per level: its file,
                         seed, proof time, motif, tileset, background and song.
  prove [--root DATA] LEVEL.sfl|SET.sfs
                         Play the level, or each level of the set, headless with the autopilot,
                         capsules off, and print whether it was finished and in what time of
                         play, or why not: no guarded side, nothing to break, bricks sealed
                         off, no progress (the ball loops), every ball lost, or over ten
                         minutes (under twenty seconds counts as not finished too). Exits
                         with 1 when a level was not finished.
  --help                 Show this text.
  --version              Print the version.

JSON forms:
  {"type":"tileset","tiles":[{"kind":K,"frameCount":F,"frameNumber":N,"hitCount":H,
                              "hitStage":S,"imageX":X,"imageY":Y},...]}     tiles 1..N in order
  {"type":"level","guardedSides":[bottom,right,top,left],"tilesetName":"...",
   "backgroundName":"...","brickGrid":[[...21 numbers...],...31 rows...]}  brickGrid[row][column]
  {"type":"levelset","name":"...","levels":["....sfl",...]}
  {"type":"scores","entries":[{"name":"...","score":S},...]}
  {"type":"options",OPTIONS}
Names are 8-bit text: bytes 0x80-0xFF appear as the characters U+0080-U+00FF. Floats are printed
so that pack restores the same 32-bit value; NaN and infinities appear as "0x" and their 8 hex
digits of bits.

DATA is a data folder (Gfx, Tls, Bgd, Mus, Lvl); without --root, the one the game uses.

Errors go to standard error; the exit status is 0 on success, 1 on a failed check or command,
2 on wrong usage.
)";

// The usage text with the options' JSON fields, from the one list the file and the dumps follow.
std::string UsageText() {
  std::string fields;
  int count = 0;
  Options options;
  VisitOptionsFields(options, [&](const char* name, const auto&) {
    fields += std::string(count == 0 ? "" : count == 3 ? ",\n   " : ",") + "\"" + name + "\":N";
    ++count;
  });
  std::string text = Usage;
  return text.replace(text.find("OPTIONS"), 7, fields);
}

int Fail(const std::string& error) {
  std::cerr << "shardfall-content: " << error << "\n";
  return 1;
}

int WrongUsage(const std::string& problem) {
  std::cerr << "shardfall-content: " << problem << "\nTry 'shardfall-content --help'.\n";
  return 2;
}

int Dump(const std::string& file) {
  Json json;
  std::string error;
  if (!DumpContentFile(file, json, error)) return Fail(error);
  std::cout << FormatJson(json);
  return 0;
}

int Pack(const std::string& jsonFile, const std::string& out) {
  Bytes bytes;
  std::string error;
  if (!ReadWholeFile(jsonFile, bytes, error)) return Fail(error);
  Json json = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (json.is_discarded()) return Fail(jsonFile + ": not valid JSON");
  if (!PackContentFile(json, out, error)) return Fail(jsonFile + ": " + error);
  return 0;
}

int Check(const std::string& dir) {
  auto problems = CheckDataTree(dir);
  for (const auto& problem : problems) std::cout << problem << "\n";
  return problems.empty() ? 0 : 1;
}

int BuildDefault(const std::string& dir) {
  std::string error;
  if (!BuildDefaultTree(dir, error)) return Fail(error);
  return 0;
}

int BuildIconsCommand(const std::string& dir) {
  std::string error;
  if (!BuildIcons(dir, error)) return Fail(error);
  return 0;
}

int LevelToTextCommand(const std::string& file) {
  Level level;
  std::string error;
  if (!ReadLevelFile(file, level, error)) return Fail(error);
  std::cout << LevelToText(level);
  return 0;
}

int LevelFromTextCommand(const std::string& textFile, const std::string& out) {
  Bytes bytes;
  std::string error;
  if (!ReadWholeFile(textFile, bytes, error)) return Fail(error);
  Level level;
  std::string text(bytes.begin(), bytes.end());
  if (!LevelFromText(text, level, error)) return Fail(textFile + ": " + error);
  if (!WriteLevelFile(out, level, error)) return Fail(error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return WrongUsage("no command given");
  const std::string& command = args[0];
  auto expect = [&](std::size_t count) { return args.size() == count + 1; };
  if (command == "--help" || command == "-h") {
    std::cout << UsageText();
    return 0;
  }
  if (command == "--version") {
    std::cout << "shardfall-content " << ShardfallVersion() << "\n";
    return 0;
  }
  if (command == "dump" && expect(1)) return Dump(args[1]);
  if (command == "pack" && expect(2)) return Pack(args[1], args[2]);
  if (command == "check" && expect(1)) return Check(args[1]);
  if (command == "build-default" && expect(1)) return BuildDefault(args[1]);
  if (command == "build-icons" && expect(1)) return BuildIconsCommand(args[1]);
  if (command == "level-to-text" && expect(1)) return LevelToTextCommand(args[1]);
  if (command == "level-from-text" && expect(2)) return LevelFromTextCommand(args[1], args[2]);
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "generate") return GenerateCommand(rest);
  if (command == "prove") return ProveCommand(rest);
  return WrongUsage("unknown command or wrong number of arguments: " + command);
}
