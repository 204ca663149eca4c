// Dumping content files to JSON and packing JSON back into byte-identical files.
#include "tools/content_tool/content_json.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "content/high_score_file.h"
#include "content/level_file.h"
#include "content/level_set_file.h"
#include "content/numbers.h"
#include "content/options_file.h"
#include "content/tileset_file.h"

namespace {

// Thrown while packing; caught once in PackContentFile and turned into its error.
struct PackError {
  std::string message;
};

// ---- names -----------------------------------------------------------------------------------------------

// Names are bytes the game hands to the file system, which takes them as UTF-8 (as the editor writes them): they
// print as that text. A name whose bytes are not UTF-8 prints as {"latin1": text}, each byte the character of
// its number, so that packing gives the same bytes back.
Json NameToJson(const std::string& name) {
  if (IsUtf8(name)) return name;
  return {{"latin1", BytesToUtf8(name)}};
}

std::string NameFromJson(const Json& value, const std::string& what) {
  if (value.is_string()) return value.get<std::string>();  // the JSON reader has checked it is UTF-8
  std::string bytes;
  if (!value.is_object() || value.size() != 1 || !value.contains("latin1") || !value["latin1"].is_string() ||
      !Utf8ToBytes(value["latin1"].get<std::string>(), bytes))
    throw PackError{what + " must be a text, or {\"latin1\": text} of characters up to U+00FF"};
  return bytes;
}

// ---- numbers ---------------------------------------------------------------------------------------------

template <typename Int>
Int IntFromJson(const Json& value, const std::string& what) {
  using Limits = std::numeric_limits<Int>;
  bool fits = (value.is_number_integer() && !value.is_number_unsigned() && value.get<std::int64_t>() >= Limits::min() &&
               value.get<std::int64_t>() <= Limits::max()) ||
              (value.is_number_unsigned() && value.get<std::uint64_t>() <= static_cast<std::uint64_t>(Limits::max()));
  if (!fits)
    throw PackError{what + " must be a whole number from " + std::to_string(Limits::min()) + " to " +
                    std::to_string(Limits::max())};
  return static_cast<Int>(value.get<std::int64_t>());
}

// The shortest decimal that gives back the same float; NaN and infinities, which JSON cannot hold, as the
// text "0x" + the eight hex digits of their bits.
Json FloatToJson(float value) {
  if (!std::isfinite(value)) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", std::bit_cast<std::uint32_t>(value));
    return text;
  }
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  double shortest = 0;
  ParseWholeNumber(std::string_view(text, static_cast<std::size_t>(end - text)), shortest);
  // Decimal to double to float can round twice; fall back to the float's exact double value then.
  if (std::bit_cast<std::uint32_t>(static_cast<float>(shortest)) != std::bit_cast<std::uint32_t>(value))
    shortest = value;
  return shortest;
}

float FloatFromJson(const Json& value, const std::string& what) {
  if (value.is_number()) return static_cast<float>(value.get<double>());
  if (value.is_string()) {
    const auto& text = value.get_ref<const std::string&>();
    std::uint32_t bits = 0;
    if (text.size() == 10 && text.starts_with("0x") && ParseWholeNumber(std::string_view(text).substr(2), bits, 16))
      return std::bit_cast<float>(bits);
  }
  throw PackError{what + " must be a number (or \"0x\" and eight hex digits of a float's bits)"};
}

const Json& Field(const Json& object, const char* key, const std::string& where) {
  if (!object.is_object() || !object.contains(key)) throw PackError{where + " lacks \"" + key + "\""};
  return object.at(key);
}

const Json& ArrayField(const Json& object, const char* key, const std::string& where) {
  const Json& value = Field(object, key, where);
  if (!value.is_array()) throw PackError{where + ": \"" + key + "\" must be a list"};
  return value;
}

// ---- tilesets --------------------------------------------------------------------------------------------

Json TileSetToJson(const TileSet& tileSet) {
  Json tiles = Json::array();
  for (std::int32_t n = 1; n <= tileSet.tileCount; ++n) {
    Json tile = Json::object();
    VisitTileFields(tileSet.tiles[static_cast<std::size_t>(n)],
                    [&tile](const char* name, const auto& field) { tile[name] = field; });
    tiles.push_back(tile);
  }
  return {{"type", "tileset"}, {"tiles", tiles}};
}

TileSet TileSetFromJson(const Json& json) {
  const Json& tiles = ArrayField(json, "tiles", "tileset");
  TileSet tileSet;
  tileSet.tileCount = static_cast<std::int32_t>(tiles.size());
  tileSet.tiles.resize(tiles.size() + 1);
  for (std::size_t n = 1; n <= tiles.size(); ++n) {
    const Json& j = tiles[n - 1];
    std::string where = "tile " + std::to_string(n);
    VisitTileFields(tileSet.tiles[n], [&](const char* key, auto& field) {
      field = IntFromJson<std::remove_cvref_t<decltype(field)>>(Field(j, key, where), where + " " + key);
    });
  }
  return tileSet;
}

// ---- levels ----------------------------------------------------------------------------------------------

// Each kind of level field in JSON: the sides as a list from bottom to left, names as text, the grid by rows.
Json ToJson(const GuardedSides& sides) {
  Json list = Json::array();
  for (int side = Bottom; side <= Left; ++side) list.push_back(sides[side]);
  return list;
}
Json ToJson(const std::string& name) { return NameToJson(name); }
Json ToJson(const BrickGrid& grid) {
  Json rows = Json::array();
  for (int r = 0; r < GridRows; ++r) {
    Json row = Json::array();
    for (int c = 0; c < GridColumns; ++c) row.push_back(grid[c][r]);
    rows.push_back(row);
  }
  return rows;
}

void FromJson(const Json& json, const std::string& key, GuardedSides& sides) {
  const Json& list = ArrayField(json, key.c_str(), "level");
  if (list.size() != 4) throw PackError{"level: \"" + key + "\" must hold 4 values (bottom, right, top, left)"};
  for (int side = Bottom; side <= Left; ++side) sides[side] = IntFromJson<std::int16_t>(list[side - 1], key + " value");
}
void FromJson(const Json& json, const std::string& key, std::string& name) {
  name = NameFromJson(Field(json, key.c_str(), "level"), key);
}
void FromJson(const Json& json, const std::string& key, BrickGrid& grid) {
  const Json& rows = ArrayField(json, key.c_str(), "level");
  if (rows.size() != GridRows)
    throw PackError{"level: \"" + key + "\" must hold " + std::to_string(GridRows) + " rows"};
  for (int r = 0; r < GridRows; ++r) {
    if (!rows[r].is_array() || rows[r].size() != GridColumns)
      throw PackError{"level: " + key + " row " + std::to_string(r) + " must hold " + std::to_string(GridColumns) +
                      " numbers"};
    for (int c = 0; c < GridColumns; ++c) grid[c][r] = IntFromJson<std::int32_t>(rows[r][c], key + " value");
  }
}

Json LevelToJson(const Level& level) {
  Json json = {{"type", "level"}};
  VisitLevelFields(level, [&json](const char* name, const auto& field) { json[name] = ToJson(field); });
  return json;
}

Level LevelFromJson(const Json& json) {
  Level level;
  VisitLevelFields(level, [&json](const char* name, auto& field) { FromJson(json, name, field); });
  return level;
}

// ---- level sets, scores, options -------------------------------------------------------------------------

Json LevelSetToJson(const LevelSet& levelSet) {
  Json levels = Json::array();
  for (const auto& name : levelSet.levelFiles) levels.push_back(NameToJson(name));
  return {{"type", "levelset"}, {"name", NameToJson(levelSet.levelSetName)}, {"levels", levels}};
}

LevelSet LevelSetFromJson(const Json& json) {
  LevelSet levelSet;
  levelSet.levelSetName = NameFromJson(Field(json, "name", "levelset"), "name");
  for (const Json& level : ArrayField(json, "levels", "levelset"))
    levelSet.levelFiles.push_back(NameFromJson(level, "level name"));
  return levelSet;
}

Json ScoresToJson(const HighScoreTable& table) {
  Json entries = Json::array();
  for (const auto& entry : table) entries.push_back({{"name", NameToJson(entry.name)}, {"score", entry.score}});
  return {{"type", "scores"}, {"entries", entries}};
}

HighScoreTable ScoresFromJson(const Json& json) {
  HighScoreTable table;
  for (const Json& entry : ArrayField(json, "entries", "scores")) {
    std::string where = "entry " + std::to_string(table.size() + 1);
    table.push_back({NameFromJson(Field(entry, "name", where), where + " name"),
                     IntFromJson<std::int32_t>(Field(entry, "score", where), where + " score")});
  }
  return table;
}

// Options follow the one list of their fields; floats keep their exact bits as every float here does.
Json OptionsToJson(const Options& options) {
  Json json = {{"type", "options"}};
  VisitOptionsFields(options, [&json](const char* name, const auto& field) {
    if constexpr (std::is_floating_point_v<std::remove_cvref_t<decltype(field)>>) json[name] = FloatToJson(field);
    else json[name] = field;
  });
  return json;
}

Options OptionsFromJson(const Json& json) {
  Options options;
  VisitOptionsFields(options, [&json](const char* name, auto& field) {
    using Value = std::remove_cvref_t<decltype(field)>;
    const Json& value = Field(json, name, "options");
    if constexpr (std::is_floating_point_v<Value>) field = FloatFromJson(value, name);
    else field = IntFromJson<Value>(value, name);
  });
  return options;
}

}  // namespace

namespace {

bool HoldsOnlyPlainValues(const Json& json) {
  return std::none_of(json.begin(), json.end(), [](const Json& item) { return item.is_structured(); });
}

void FormatInto(const Json& json, const std::string& indent, std::string& out) {
  // Nested records of plain values (a tile, a score entry) also stay on one line.
  bool oneLine = json.is_array() || !indent.empty();
  if (!json.is_structured() || json.empty() || (oneLine && HoldsOnlyPlainValues(json))) {
    out += json.dump();
    return;
  }
  const std::string inner = indent + "  ";
  out += json.is_object() ? "{\n" : "[\n";
  bool first = true;
  for (auto it = json.begin(); it != json.end(); ++it) {
    out += first ? "" : ",\n";
    first = false;
    out += inner;
    if (json.is_object()) out += Json(it.key()).dump() + ": ";
    FormatInto(*it, inner, out);
  }
  out += "\n" + indent + (json.is_object() ? "}" : "]");
}

}  // namespace

std::string FormatJson(const Json& json) {
  std::string out;
  FormatInto(json, "", out);
  return out + "\n";
}

std::string ContentTypeOf(const std::filesystem::path& path) {
  std::string name = path.filename().string();
  if (name == "config.bin") return "options";
  std::string extension = path.extension().string();
  for (auto& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".sft") return "tileset";
  if (extension == ".sfl") return "level";
  if (extension == ".sfs") return "levelset";
  if (extension == ".sfh") return "scores";
  return {};
}

bool DumpContentFile(const std::filesystem::path& path, Json& out, std::string& error) {
  std::string type = ContentTypeOf(path);
  if (type == "tileset") {
    TileSet tileSet;
    if (!ReadTileSetFile(path, tileSet, error)) return false;
    out = TileSetToJson(tileSet);
  } else if (type == "level") {
    Level level;
    if (!ReadLevelFile(path, level, error)) return false;
    out = LevelToJson(level);
  } else if (type == "levelset") {
    LevelSet levelSet;
    if (!ReadLevelSetFile(path, levelSet, error)) return false;
    out = LevelSetToJson(levelSet);
  } else if (type == "scores") {
    HighScoreTable table;
    if (!ReadHighScoreFile(path, table, error)) return false;
    out = ScoresToJson(table);
  } else if (type == "options") {
    Options options;
    if (!ReadOptionsFile(path, options, error)) return false;
    out = OptionsToJson(options);
  } else {
    error = path.string() + ": unknown kind of file (expected .sft, .sfl, .sfs, .sfh or config.bin)";
    return false;
  }
  return true;
}

bool PackContentFile(const Json& description, const std::filesystem::path& path, std::string& error) {
  try {
    const Json& type = Field(description, "type", "the description");
    std::string kind = type.is_string() ? type.get<std::string>() : "";
    if (kind == "tileset") return WriteTileSetFile(path, TileSetFromJson(description), error);
    if (kind == "level") return WriteLevelFile(path, LevelFromJson(description), error);
    if (kind == "levelset") return WriteLevelSetFile(path, LevelSetFromJson(description), error);
    if (kind == "scores") return WriteHighScoreFile(path, ScoresFromJson(description), error);
    if (kind == "options") return WriteOptionsFile(path, OptionsFromJson(description), error);
    throw PackError{"\"type\" must be one of tileset, level, levelset, scores, options"};
  } catch (const PackError& e) {
    error = e.message;
    return false;
  }
}
