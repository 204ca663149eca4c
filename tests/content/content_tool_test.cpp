// shardfall-content: JSON dump and pack give back the same bytes; check reports every broken reference.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <bit>
#include <cstdlib>

#include "content/bitmap_file.h"
#include "content/level_file.h"
#include "content/level_set_file.h"
#include "content/media_files.h"
#include "content/tileset_file.h"
#include "content_test_support.h"
#include "tools/content_tool/content_check.h"
#include "tools/content_tool/content_json.h"

namespace {

Bytes LevelExampleBytes() {
  Bytes bytes{0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF};
  PutText(bytes, "DefaultTileSet.sft", 30);
  PutText(bytes, "Caf\xe9\xff.bmp", 30);
  bytes.resize(LevelFileSize, 0);
  bytes[156] = 3;          // cell (1, 1)
  bytes[68 + 4 * 21] = 9;  // cell (0, 1), never played but kept
  return bytes;
}

Bytes TileSetExampleBytes() {
  Bytes bytes;
  PutI32(bytes, 2);
  for (std::int32_t v : {1, 1, 1, 3, 1, 0, 0, 17, 4, 2, 1, 1, 32, 16}) PutI32(bytes, v);
  return bytes;
}

Bytes ScoresExampleBytes() {
  Bytes bytes;
  PutI32(bytes, 2);
  PutText(bytes, "J\xf6rg", 30);
  PutI32(bytes, 90000);
  PutText(bytes, "", 30);
  PutI32(bytes, 0);
  return bytes;
}

Bytes OptionsBytes(float mouseSpeed) {
  Bytes bytes;
  PutI32(bytes, 3);
  PutI32(bytes, std::bit_cast<std::int32_t>(100.0f));
  PutI32(bytes, std::bit_cast<std::int32_t>(85.0f));
  bytes.push_back(1);
  PutI32(bytes, std::bit_cast<std::int32_t>(mouseSpeed));
  bytes.insert(bytes.end(), {0xFF, 0xFF});
  return bytes;
}

struct ToolRun {
  int status = -1;
  std::string out, err;
};

}  // namespace

class ContentTool : public ScratchFolder {
 protected:
  // Dumps the file and packs the dump into a second file, which must hold the same bytes.
  Json roundTrip(const std::string& name, const Bytes& bytes) {
    Json json;
    std::string error;
    EXPECT_TRUE(DumpContentFile(put(name, bytes), json, error)) << error;
    auto copy = file("copy-" + name);
    EXPECT_TRUE(PackContentFile(Json::parse(json.dump()), copy, error)) << error;
    EXPECT_EQ(bytesOf(copy), bytes) << name;
    return json;
  }

  ToolRun run(const std::string& arguments) {
    std::string command = std::string(SHARDFALL_CONTENT_TOOL) + " " + arguments + " >" + file("out.txt").string() +
                          " 2>" + file("err.txt").string();
    int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, textOf(file("out.txt")), textOf(file("err.txt"))};
  }
};

TEST_F(ContentTool, LevelDumpUsesRowsOfColumnsAndPacksBack) {
  Json json = roundTrip("a.sfl", LevelExampleBytes());
  EXPECT_EQ(json["type"], "level");
  EXPECT_EQ(json["guardedSides"], Json::parse("[-1, 0, 0, -1]"));
  EXPECT_EQ(json["tilesetName"], "DefaultTileSet.sft");
  EXPECT_EQ(json["backgroundName"], Json::parse(R"({"latin1": "Caf\u00e9\u00ff.bmp"})"));
  ASSERT_EQ(json["brickGrid"].size(), 31u);
  ASSERT_EQ(json["brickGrid"][0].size(), 21u);
  EXPECT_EQ(json["brickGrid"][1][1], 3);
  EXPECT_EQ(json["brickGrid"][1][0], 9);
}

TEST_F(ContentTool, EveryOtherFormatPacksBackByteForByte) {
  EXPECT_EQ(roundTrip("t.sft", TileSetExampleBytes())["tiles"][1]["imageY"], 16);
  // Names print as UTF-8, as the file system reads them; bytes that are not UTF-8 print one character a byte.
  EXPECT_EQ(roundTrip("s.sfh", ScoresExampleBytes())["entries"][0]["name"], Json::parse(R"({"latin1": "J\u00f6rg"})"));
  Bytes summer{'N', 'i', 'v', '\r', '\n', ' ', '1', ' ', '\r', '\n', 'n', 'i', 'v', 'e', 'a', 'u', ' ', 0xC3, 0xA9, 't',
               0xC3, 0xA9, '.', 's', 'f', 'l', '\r', '\n'};
  EXPECT_EQ(roundTrip("e.sfs", summer)["levels"][0], "niveau \u00e9t\u00e9.sfl");
  Bytes set{'C', 'l', 'a', 's', 's', 'i', 'c', '\r', '\n', ' ', '1', ' ', '\r', '\n', 'a', '.', 's', 'f', 'l', '\r', '\n'};
  EXPECT_EQ(roundTrip("c.sfs", set)["levels"], Json::parse(R"(["a.sfl"])"));
  EXPECT_EQ(roundTrip("config.bin", OptionsBytes(std::bit_cast<float>(0x3DC710CBu))).dump(),
            R"({"type":"options","startingBalls":3,"soundVolume":100.0,"musicVolume":85.0,"detailHigh":1,)"
            R"("mouseSpeed":0.0972,"backgroundOn":-1})");
}

TEST_F(ContentTool, OddFloatsSurviveTheTripThroughText) {
  for (std::uint32_t bits : {0x00000001u, 0x80000000u, 0x7F7FFFFFu, 0x3DCCCCCDu, 0x7FC00001u, 0xFF800000u}) {
    SCOPED_TRACE(bits);
    roundTrip("config.bin", OptionsBytes(std::bit_cast<float>(bits)));
  }
}

TEST(NameText, EightBitNamesMapToTheFirst256Characters) {
  std::string bytes;
  for (int c = 1; c < 256; ++c) bytes += static_cast<char>(c);
  std::string back;
  ASSERT_TRUE(Utf8ToBytes(BytesToUtf8(bytes), back));
  EXPECT_EQ(back, bytes);
  EXPECT_EQ(BytesToUtf8("\xe9"), "\xc3\xa9");
  EXPECT_FALSE(Utf8ToBytes("\xe2\x82\xac", back));  // U+20AC has no byte
  EXPECT_FALSE(Utf8ToBytes("\xc3", back));
  EXPECT_FALSE(Utf8ToBytes("\xc1\x81", back));  // overlong form of 'A'
}

TEST(NameText, Utf8IsRecognisedOnlyWhenWellFormed) {
  const std::pair<std::string, bool> cases[] = {
      {"plain", true},       {"\xc3\xa9t\xc3\xa9", true}, {"\xe2\x82\xac", true}, {"\xf0\x9f\x8e\xae", true},
      {"\xe9t\xe9", false}, {"\xc3", false},              {"\xc1\x81", false},     {"\xe0\x80\xaf", false},
      {"\xed\xa0\x80", false} /* surrogate */,            {"\xf4\x90\x80\x80", false} /* past U+10FFFF */,
      {"\xc3\x28", false},    {"\xdf\xbf", true} /* U+07FF */, {"\xe0\x9f\xbf", false} /* U+07FF overlong */,
      {"\xf8\x90\x80\x80", false} /* no such lead byte */,
  };
  for (const auto& [text, utf8] : cases) EXPECT_EQ(IsUtf8(text), utf8) << text;
}

TEST_F(ContentTool, PackRefusesInvalidDescriptionsAndWritesNothing) {
  const std::vector<std::string> cases{
      R"({"tiles":[]})",
      R"({"type":"picture"})",
      R"({"type":"tileset","tiles":[{"kind":1}]})",
      R"({"type":"tileset","tiles":[{"kind":1.5,"frameCount":1,"frameNumber":1,"hitCount":1,"hitStage":1,"imageX":0,"imageY":0}]})",
      R"({"type":"scores","entries":[{"name":{"latin1":"\u20ac"},"score":1}]})",
      R"({"type":"scores","entries":[{"name":"a","score":2147483648}]})",
      R"({"type":"levelset","name":"A","levels":["../up.sfl"]})",
      R"({"type":"options","startingBalls":3,"soundVolume":"loud","musicVolume":1,"detailHigh":1,"mouseSpeed":0,"backgroundOn":0})",
      R"({"type":"options","startingBalls":3,"soundVolume":1,"musicVolume":1,"detailHigh":256,"mouseSpeed":0,"backgroundOn":0})"};
  for (const auto& text : cases) {
    std::string error;
    EXPECT_FALSE(PackContentFile(Json::parse(text), file("out.bin"), error)) << text;
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(file("out.bin"))) << text;
  }
  Json level;
  std::string error;
  ASSERT_TRUE(DumpContentFile(put("a.sfl", LevelExampleBytes()), level, error));
  level["guardedSides"][0] = 40000;
  EXPECT_FALSE(PackContentFile(level, file("b.sfl"), error));
  level["guardedSides"][0] = -1;
  level["brickGrid"].erase(30);
  EXPECT_FALSE(PackContentFile(level, file("b.sfl"), error));
}

TEST_F(ContentTool, CommandLineDumpsPacksAndReportsErrors) {
  put("a.sfl", LevelExampleBytes());
  ToolRun dump = run("dump " + file("a.sfl").string());
  ASSERT_EQ(dump.status, 0) << dump.err;
  put("a.json", dump.out);
  ToolRun pack = run("pack " + file("a.json").string() + " " + file("b.sfl").string());
  ASSERT_EQ(pack.status, 0) << pack.err;
  EXPECT_EQ(bytesOf(file("b.sfl")), LevelExampleBytes());

  put("short.sfl", Bytes(100, 0));
  ToolRun damaged = run("dump " + file("short.sfl").string());
  EXPECT_EQ(damaged.status, 1);
  EXPECT_TRUE(damaged.out.empty());
  EXPECT_NE(damaged.err.find("short.sfl"), std::string::npos);
  EXPECT_NE(damaged.err.find(std::to_string(LevelFileSize)), std::string::npos);

  put("bad.json", "{ not json");
  EXPECT_EQ(run("pack " + file("bad.json").string() + " " + file("c.sfl").string()).status, 1);
  EXPECT_EQ(run("dump " + file("a.json").string()).status, 1);
  EXPECT_EQ(run("frobnicate").status, 2);
  EXPECT_EQ(run("dump").status, 2);
  ToolRun help = run("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* command : {"dump", "pack", "check", "build-default", "level-to-text", "level-from-text"})
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
}

class DataTreeCheck : public ContentTool {
 protected:
  // A consistent tree: the built game pictures and sounds, one 64 x 32 tileset with 4 tiles, a background, one
  // level, one set.
  void SetUp() override {
    ContentTool::SetUp();
    for (const char* folder : {"Gfx", "Sfx"})
      std::filesystem::copy(std::filesystem::path(SHARDFALL_PROGRAM_FOLDER) / folder, dir / folder);
    for (const char* folder : {"Mus", "Tls", "Lvl", "Bgd"}) std::filesystem::create_directory(dir / folder);
    std::string error;
    ASSERT_TRUE(WriteBitmapFile(dir / "Tls/T.bmp", Bitmap{64, 32, std::vector<std::uint32_t>(64 * 32)}, error));
    ASSERT_TRUE(WriteBitmapFile(dir / "Bgd/B.bmp", Bitmap{10, 10, std::vector<std::uint32_t>(100)}, error));
    TileSet tiles{4, std::vector<TileDef>(5, TileDef{1, 1, 1, 1, 1, 0, 0})};
    ASSERT_TRUE(WriteTileSetFile(dir / "Tls/T.sft", tiles, error));
    level.guardedSides[Bottom] = -1;
    level.tilesetName = "T.sft";
    level.backgroundName = "B.bmp";
    level.brickGrid[20][30] = 4;
    ASSERT_TRUE(WriteLevelFile(dir / "Lvl/a.sfl", level, error));
    ASSERT_TRUE(WriteLevelSetFile(dir / "Lvl/s.sfs", LevelSet{"Set", {"a.sfl"}, 0}, error));
  }
  std::vector<std::string> problemsWith(const std::string& text) {
    std::vector<std::string> found;
    for (const auto& problem : CheckDataTree(dir))
      if (problem.find(text) != std::string::npos) found.push_back(problem);
    return found;
  }
  Level level;
};

TEST_F(DataTreeCheck, ConsistentTreePasses) {
  EXPECT_EQ(CheckDataTree(dir), std::vector<std::string>{});
  EXPECT_EQ(run("check " + dir.string()).status, 0);
}

TEST_F(DataTreeCheck, ReportsMissingLevelsTilesetsAndBackgrounds) {
  std::string error;
  ASSERT_TRUE(WriteLevelSetFile(dir / "Lvl/s.sfs", LevelSet{"Set", {"a.sfl", "gone.sfl"}, 0}, error));
  level.tilesetName = "Nope.sft";
  level.backgroundName = "Nope.bmp";
  ASSERT_TRUE(WriteLevelFile(dir / "Lvl/b.sfl", level, error));
  std::filesystem::remove(dir / "Mus");
  EXPECT_EQ(problemsWith("gone.sfl").size(), 1u);
  EXPECT_EQ(problemsWith("Nope.sft").size(), 1u);
  EXPECT_EQ(problemsWith("Nope.bmp").size(), 1u);
  EXPECT_EQ(problemsWith("Mus").size(), 1u);
  ToolRun check = run("check " + dir.string());
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(std::count(check.out.begin(), check.out.end(), '\n'), 4);
}

TEST_F(DataTreeCheck, ReportsTilesOutsideTheTilesetAndOddBitmapSizes) {
  level.brickGrid[3][4] = 5;
  level.brickGrid[1][1] = -1;
  level.brickGrid[0][0] = 77;  // never played, so not a problem
  std::string error;
  ASSERT_TRUE(WriteLevelFile(dir / "Lvl/a.sfl", level, error));
  ASSERT_TRUE(WriteBitmapFile(dir / "Tls/T.bmp", Bitmap{40, 16, std::vector<std::uint32_t>(40 * 16)}, error));
  EXPECT_EQ(problemsWith("brick (3, 4) uses tile 5").size(), 1u);
  EXPECT_EQ(problemsWith("brick (1, 1) uses tile -1").size(), 1u);
  EXPECT_EQ(problemsWith("not a multiple of 32 x 16").size(), 1u);
  // Only one cell remains, so tile 4 at (20, 30) is out of reach too.
  EXPECT_EQ(problemsWith("brick (20, 30)").size(), 1u);
  EXPECT_EQ(problemsWith("tile 77").size(), 0u);  // not "77": the scratch folder holds the process id
}

TEST_F(DataTreeCheck, ReportsDamagedFiles) {
  put("Lvl/x.sfl", Bytes(5, 0));
  put("Lvl/x.sfh", Bytes{9, 0, 0, 0});
  put("Lvl/x.sfs", "Name\r\n 2 \r\na.sfl\r\n");
  put("config.bin", Bytes(19, 0));
  EXPECT_EQ(problemsWith("x.sfl").size(), 1u);
  EXPECT_EQ(problemsWith("x.sfh").size(), 1u);
  EXPECT_EQ(problemsWith("x.sfs").size(), 1u);
  EXPECT_EQ(problemsWith("config.bin").size(), 1u);
}

TEST_F(DataTreeCheck, ReportsUnusablePicturesSoundsAndSongs) {
  std::filesystem::remove(dir / "Gfx/ball.bmp");
  put("Gfx/Paddle.bmp", Header(32, 16, 24, 54));  // pixel rows missing
  Bytes oneBit = Header(32, 16, 1, 62);
  oneBit.resize(62 + 4 * 16, 0);
  put("Gfx/trail.bmp", oneBit);
  Bytes runLength = Header(32, 16, 8, 54 + 1024, 256, 1);
  runLength.resize(54 + 1024 + 40, 0);
  put("Bgd/B.bmp", runLength);
  put("Sfx/HitWall.wav", std::string("RIFF\x04\0\0\0WAVE", 12));
  put("Mus/Song.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x09\0\x90\x40", 25));
  // A song of one event more than any song has: a note switched on and off by running status, then its end.
  Bytes longSong = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 0x60, 'M', 'T', 'r', 'k'};
  const std::uint32_t trackLength = 3 * MaxSongEvents + 5;
  for (int shift : {24, 16, 8, 0}) longSong.push_back(static_cast<std::uint8_t>(trackLength >> shift));
  longSong.insert(longSong.end(), {0, 0x90, 0x40, 100});
  for (std::size_t i = 1; i < MaxSongEvents; ++i) longSong.insert(longSong.end(), {0, 0x40, std::uint8_t(i % 2 * 100)});
  longSong.insert(longSong.end(), {0, 0xFF, 0x2F, 0});
  put("Mus/Long.mid", longSong);
  EXPECT_EQ(problemsWith("ball.bmp: file not found").size(), 1u);
  EXPECT_EQ(problemsWith("Paddle.bmp: damaged picture").size(), 1u);
  EXPECT_EQ(problemsWith("trail.bmp: unsupported format").size(), 1u);
  EXPECT_EQ(problemsWith("\"B.bmp\": unsupported format").size(), 1u);
  EXPECT_EQ(problemsWith("HitWall.wav: damaged sound").size(), 1u);
  EXPECT_EQ(problemsWith("Song.mid: damaged song").size(), 1u);
  EXPECT_EQ(problemsWith("Long.mid: damaged song: more than 500000 events").size(), 1u);
  EXPECT_EQ(CheckDataTree(dir).size(), 7u);
}

TEST_F(DataTreeCheck, ReportsImpossibleTileRecordsAndBytesAfterThem) {
  TileSet tiles{4, std::vector<TileDef>(5, TileDef{1, 1, 1, 1, 1, 0, 0})};
  tiles.tiles[2] = TileDef{99, 1, 1, 1, 1, 32, 0};
  tiles.tiles[3] = TileDef{1, 1, 1, 2, 3, 0, 16};
  tiles.tiles[1] = TileDef{0, 0, 0, 0, 0, 64, 16};  // unassigned, but its picture lies off the bitmap
  Bytes bytes;
  std::string problem;
  ASSERT_TRUE(EncodeTileSet(tiles, bytes, problem));
  bytes.insert(bytes.end(), {1, 2, 3});
  put("Tls/T.sft", bytes);
  EXPECT_EQ(problemsWith("tile 2: kind 99").size(), 1u);
  EXPECT_EQ(problemsWith("tile 3: hit stage 3 of 2").size(), 1u);
  EXPECT_EQ(problemsWith("tile 1: its picture at (64, 16) lies outside").size(), 1u);
  EXPECT_EQ(problemsWith("3 bytes follow its 4 tile records").size(), 1u);
  EXPECT_EQ(CheckDataTree(dir).size(), 4u);
}

// A later damage stage must carry on the brick before it; one whose brick is gone is reported once, at itself.
TEST_F(DataTreeCheck, ReportsHitStagesThatCarryOnNoBrick) {
  const TileDef plain{1, 1, 1, 1, 1, 0, 0};
  auto stage = [](int s, int of, int frame = 1, int frames = 1) { return TileDef{1, frames, frame, of, s, 0, 0}; };
  struct Case {
    const char* name;
    std::vector<TileDef> tiles;  // tiles 1 .. 3; tile 4 stays plain
    std::vector<std::string> reported;
  };
  const std::vector<Case> cases{
      {"whole brick", {stage(1, 3), stage(2, 3), stage(3, 3)}, {}},
      {"stage 1 set back to one hit", {plain, stage(2, 3), stage(3, 3)}, {"tile 2: hit stage 2 of 3 carries on no brick"}},
      {"another hit count before it", {stage(1, 2), stage(2, 3), plain}, {"tile 2: hit stage 2 of 3"}},
      {"first tile", {stage(2, 2), plain, plain}, {"tile 1: hit stage 2 of 2"}},
      {"after an animated stage 1", {stage(1, 2, 1, 2), stage(1, 2, 2, 2), stage(2, 2)}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TileSet tiles{4, {TileDef{}, c.tiles[0], c.tiles[1], c.tiles[2], plain}};
    std::string error;
    ASSERT_TRUE(WriteTileSetFile(dir / "Tls/T.sft", tiles, error));
    const std::vector<std::string> found = problemsWith("carries on no brick");
    ASSERT_EQ(found.size(), c.reported.size());
    for (std::size_t i = 0; i < found.size(); ++i) EXPECT_NE(found[i].find(c.reported[i]), std::string::npos) << found[i];
  }
}

// Levels on a tileset of every trap: 1 plain, 2 metal, 3 no kind, 4 a two-hit brick whose second stage is not
// there, 5 dynamite, 6 frame 1 of an animation of three frames that runs past the sixth and last tile.
class LevelRulesCheck : public DataTreeCheck {
 protected:
  void SetUp() override {
    DataTreeCheck::SetUp();
    std::string error;
    ASSERT_TRUE(WriteBitmapFile(dir / "Tls/T.bmp", Bitmap{64, 48, std::vector<std::uint32_t>(64 * 48)}, error));
    TileSet tiles{6, {{}, {1, 1, 1, 1, 1, 0, 0}, {2, 1, 1, 1, 1, 0, 16}, {0, 1, 1, 1, 1, 0, 32},
                      {1, 1, 1, 2, 1, 32, 0}, {4, 1, 1, 1, 1, 32, 16}, {1, 3, 1, 1, 1, 32, 32}}};
    ASSERT_TRUE(WriteTileSetFile(dir / "Tls/T.sft", tiles, error));
    level.brickGrid[20][30] = 0;
  }
  std::vector<std::string> problemsOf(const std::string& name, const Level& playfield) {
    std::string error;
    EXPECT_TRUE(WriteLevelFile(dir / "Lvl" / name, playfield, error)) << error;
    return problemsWith(name + ": ");
  }
  // A ring of metal around (column, row).
  static void WallIn(Level& playfield, int column, int row) {
    for (int c = column - 1; c <= column + 1; ++c)
      for (int r = row - 1; r <= row + 1; ++r) playfield.brickGrid[c][r] = 2;
  }
};

TEST_F(LevelRulesCheck, ReportsLevelsThatCannotBeFinished) {
  Level oddSide = level;
  oddSide.brickGrid[5][5] = 1;
  oddSide.guardedSides[Top] = 5;
  EXPECT_EQ(problemsOf("side.sfl", oddSide).size(), 1u);
  EXPECT_EQ(problemsWith("the top side's flag is 5").size(), 1u);

  Level metalOnly = level;
  metalOnly.brickGrid[5][5] = 2;
  EXPECT_EQ(problemsOf("metal.sfl", metalOnly),
            std::vector<std::string>{(dir / "Lvl/metal.sfl").string() + ": nothing to break"});

  Level kindless = level;
  kindless.brickGrid[5][5] = 1;
  kindless.brickGrid[6][5] = 3;
  EXPECT_EQ(problemsOf("kindless.sfl", kindless).size(), 1u);
  EXPECT_EQ(problemsWith("brick (6, 5) uses tile 3 of kind 0").size(), 1u);

  Level sealed = level;
  WallIn(sealed, 5, 5);
  sealed.brickGrid[5][5] = 1;
  WallIn(sealed, 10, 5);
  sealed.brickGrid[10][5] = 1;
  sealed.brickGrid[12][12] = 1;
  EXPECT_EQ(problemsOf("sealed.sfl", sealed).size(), 1u);
  EXPECT_EQ(problemsWith("2 breakable bricks are sealed off").size(), 1u);
  EXPECT_EQ(problemsWith("first at (5, 5)").size(), 1u);

  Level runs = level;
  runs.brickGrid[5][5] = runs.brickGrid[6][5] = 4;
  runs.brickGrid[7][5] = 6;
  EXPECT_EQ(problemsOf("runs.sfl", runs).size(), 2u);
  EXPECT_EQ(problemsWith("brick (5, 5) uses tile 4 takes 2 hits, but tile 5 is not its stage 2").size(), 1u);
  EXPECT_EQ(problemsWith("brick (7, 5) uses tile 6 is frame 1 of 3, but its animation runs to tile 8").size(), 1u);
}

TEST_F(LevelRulesCheck, ExplosionsOpenWallsAndOnlyTheHomeEdgeStartsTheBall) {
  Level blasted = level;
  WallIn(blasted, 5, 5);
  blasted.brickGrid[5][5] = 1;
  blasted.brickGrid[5][7] = 5;  // dynamite below the wall blows its lower side away
  EXPECT_EQ(problemsOf("blasted.sfl", blasted), std::vector<std::string>{});

  Level boxedIn = level;  // the ball starts at the bottom: a metal floor under every column shuts it out
  for (int c = 1; c <= 20; ++c) boxedIn.brickGrid[c][28] = 2;
  boxedIn.brickGrid[5][5] = 1;
  EXPECT_EQ(problemsOf("floor.sfl", boxedIn).size(), 1u);
  boxedIn.guardedSides[Bottom] = 0;
  boxedIn.guardedSides[Top] = -1;
  EXPECT_EQ(problemsOf("floor.sfl", boxedIn), std::vector<std::string>{});
}

TEST_F(DataTreeCheck, ReportsAScoreTableThatIsAFolder) {
  std::filesystem::create_directory(dir / "Lvl/s.sfh");
  EXPECT_EQ(problemsWith("s.sfh: not a regular file").size(), 1u);
}

TEST_F(DataTreeCheck, TheUsersFilesHideTheShippedOnesOfTheSameName) {
  const std::filesystem::path user = dir / "user";
  std::filesystem::create_directories(user / "Lvl");
  std::string error;
  Level metalOnly = level;  // the user's copy of a.sfl has nothing to break, and b.sfl uses the shipped tileset
  metalOnly.brickGrid[20][30] = 0;
  ASSERT_TRUE(WriteLevelFile(user / "Lvl/a.sfl", metalOnly, error));
  ASSERT_TRUE(WriteLevelFile(user / "Lvl/b.sfl", level, error));
  put("Lvl/x.sfl", Bytes(5, 0));
  std::filesystem::copy_file(dir / "Lvl/x.sfl", user / "Lvl/x.sfl");
  const auto problems = CheckDataTree(DataFolders{dir, user});
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0], (user / "Lvl/a.sfl").string() + ": nothing to break");
  EXPECT_NE(problems[1].find((user / "Lvl/x.sfl").string()), std::string::npos);
  EXPECT_EQ(CheckDataTree(dir).size(), 1u) << "the shipped tree alone holds only the damaged x.sfl";
}

TEST(DefaultDataTree, PassesEveryCheck) {
  EXPECT_EQ(CheckDataTree(SHARDFALL_PROGRAM_FOLDER), std::vector<std::string>{});
}
