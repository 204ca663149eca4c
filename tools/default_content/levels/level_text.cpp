// The designers' text form of a level: header lines, a legend, a 20 x 30 character map and explicit cells.
//
//   # comment
//   tileset: DefaultTileSet.sft
//   background: DefaultBackground.bmp
//   sides: bottom left            (any of bottom right top left, or none)
//   legend: e=48 f=49             (adds to, or overrides, the fixed legend of a shipped tileset)
//   map:
//   ....................          (30 lines of 20 characters; '.' is an empty cell)
//   cell: 0 4 = 17                (a cell the map cannot show: column 0, row 0, or a '?' in the map)
#include "tools/default_content/level_text.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <type_traits>
#include <vector>

#include "content/names.h"
#include "content/numbers.h"
#include "tools/default_content/tilesets/default_tilesets.h"

namespace {

constexpr int PlayColumns = GridColumns - 1;
constexpr int PlayRows = GridRows - 1;
constexpr char EmptyChar = '.';
constexpr char ExplicitChar = '?';
constexpr std::array<const char*, 5> SideWords = {"", "bottom", "right", "top", "left"};
// Characters handed out to tiles that have none in the tileset's fixed legend, most readable first.
constexpr std::string_view SparePool =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-|^<>*%&@$!~;:,_/\\()[]{}'\"`";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < s.size()) {
    const auto start = s.find_first_not_of(" \t", pos);
    if (start == std::string_view::npos) break;
    const auto end = std::min(s.find_first_of(" \t", start), s.size());
    words.push_back(s.substr(start, end - start));
    pos = end;
  }
  return words;
}

bool IsLegendChar(char c) { return c > ' ' && c < 127 && c != EmptyChar && c != ExplicitChar; }

// ---- the fields ----

// The text follows the level's field list: each name has a line keyed by the field's name less its "Name"
// ending ("tileset: ..."), the sides a "sides:" line, and the grid its legend, map and cell lines. The names
// come first, then the sides, then the grid, as the designers' files have them.
enum class TextPart { Name, Sides, Grid };

template <typename Field>
constexpr TextPart PartOf() {
  using Value = std::remove_cvref_t<Field>;
  if constexpr (std::is_same_v<Value, std::string>) return TextPart::Name;
  else if constexpr (std::is_same_v<Value, GuardedSides>) return TextPart::Sides;
  else {
    static_assert(std::is_same_v<Value, BrickGrid>, "a level field the text cannot show");
    return TextPart::Grid;
  }
}

// Calls visit(field, value) for each field of the part, in the field list's order.
template <TextPart Part, typename Record, typename Visit>
constexpr void VisitPart(Record& level, Visit&& visit) {
  VisitLevelFields(level, [&visit](const char* field, auto& value) {
    if constexpr (PartOf<decltype(value)>() == Part) visit(std::string_view(field), value);
  });
}

constexpr bool EveryNameEndsInName() {
  Level level;
  bool named = true;
  VisitPart<TextPart::Name>(level, [&named](std::string_view field, const std::string&) {
    named = named && field.ends_with("Name");
  });
  return named;
}
static_assert(EveryNameEndsInName(), "a name's key is its field's name less \"Name\"");

std::string NameKey(std::string_view field) { return std::string(field.substr(0, field.size() - 4)); }
constexpr std::string_view SidesKey = "sides";

// The header keys in the order a text holds them, for messages.
std::vector<std::string> HeaderKeys() {
  const Level level;
  std::vector<std::string> keys;
  VisitPart<TextPart::Name>(level, [&keys](std::string_view field, const std::string&) { keys.push_back(NameKey(field)); });
  VisitPart<TextPart::Sides>(level, [&keys](std::string_view, const GuardedSides&) { keys.emplace_back(SidesKey); });
  return keys;
}

// ---- writing ----

// One character per tile number used in the playfield; tiles left without one are written as cell lines.
std::map<std::int32_t, char> ChooseCharacters(const BrickGrid& grid, const std::string& tilesetName) {
  std::set<std::int32_t> used;
  for (int c = 1; c <= PlayColumns; ++c)
    for (int r = 1; r <= PlayRows; ++r)
      if (grid[c][r] != 0) used.insert(grid[c][r]);
  std::map<std::int32_t, char> chosen;
  std::set<char> taken;
  if (const auto* fixed = FixedLegendOf(tilesetName))
    for (const auto& [ch, tile] : *fixed)
      if (used.count(tile) && IsLegendChar(ch)) chosen[tile] = ch, taken.insert(ch);
  std::size_t next = 0;
  for (std::int32_t tile : used) {
    if (chosen.count(tile)) continue;
    while (next < SparePool.size() && taken.count(SparePool[next])) ++next;
    if (next == SparePool.size()) break;
    chosen[tile] = SparePool[next];
    taken.insert(SparePool[next]);
  }
  return chosen;
}

std::string SidesLine(const GuardedSides& sides) {
  std::string line = std::string(SidesKey) + ":";
  for (int side = Bottom; side <= Left; ++side)
    if (sides[side] != 0) line += std::string(" ") + SideWords[side];
  return line.ends_with(":") ? line + " none" : line;
}

std::string LegendLines(const std::map<std::int32_t, char>& chosen) {
  std::string out;
  int onLine = 0;
  for (const auto& [tile, ch] : chosen) {
    if (onLine == 0) out += "legend:";
    out += std::string(" ") + ch + "=" + std::to_string(tile);
    if (++onLine == 10) out += "\n", onLine = 0;
  }
  if (onLine != 0) out += "\n";
  return out;
}

// The legend, the map and the cell lines of the cells the map cannot show.
std::string GridLines(const BrickGrid& grid, const std::string& tilesetName) {
  const std::map<std::int32_t, char> chosen = ChooseCharacters(grid, tilesetName);
  std::string out = LegendLines(chosen);
  out += "map:\n";
  std::string cells;
  for (int r = 0; r <= PlayRows; ++r) {
    for (int c = 0; c <= PlayColumns; ++c) {
      const std::int32_t tile = grid[c][r];
      const bool inField = c >= 1 && r >= 1;
      const auto found = chosen.find(tile);
      if (inField && tile == 0) out += EmptyChar;
      else if (inField && found != chosen.end()) out += found->second;
      else {
        if (inField) out += ExplicitChar;
        if (inField || tile != 0)
          cells += "cell: " + std::to_string(c) + " " + std::to_string(r) + " = " + std::to_string(tile) + "\n";
      }
    }
    if (r >= 1) out += "\n";
  }
  return out + cells;
}

}  // namespace

std::string LevelToText(const Level& level) {
  std::string out;
  VisitPart<TextPart::Name>(level, [&out](std::string_view field, const std::string& name) {
    out += NameKey(field) + ": " + name + "\n";
  });
  VisitPart<TextPart::Sides>(level, [&out](std::string_view, const GuardedSides& sides) { out += SidesLine(sides) + "\n"; });
  VisitPart<TextPart::Grid>(level, [&](std::string_view, const BrickGrid& grid) { out += GridLines(grid, level.tilesetName); });
  return out;
}

namespace {

// ---- reading ----

struct MapRow {
  int lineNumber;
  std::string_view text;
};

struct Parsed {
  Level level;                               // the names and sides as read; the grid is filled at the end
  std::set<std::string, std::less<>> given;  // the keys of the name and sides lines met
  std::map<char, std::int32_t> legend;
  std::map<std::pair<int, int>, std::pair<int, std::int32_t>> cells;  // (column, row) -> (line, tile)
  std::vector<MapRow> map;
  int mapLine = 0;
};

std::string At(int line, const std::string& message) { return "line " + std::to_string(line) + ": " + message; }

bool ParseSides(std::string_view value, GuardedSides& sides, std::string& problem) {
  sides = {};
  const auto words = Words(value);
  if (words.size() == 1 && words[0] == "none") return true;
  if (words.empty()) {
    problem = "name the guarded sides (bottom, right, top, left) or write none";
    return false;
  }
  for (std::string_view word : words) {
    int side = Bottom;
    while (side <= Left && word != SideWords[side]) ++side;
    if (side > Left) {
      problem = "unknown side '" + std::string(word) + "' (use bottom, right, top, left or none)";
      return false;
    }
    if (sides[side] != 0) {
      problem = "side '" + std::string(word) + "' is named twice";
      return false;
    }
    sides[side] = -1;
  }
  return true;
}

bool ParseLegend(std::string_view value, std::map<char, std::int32_t>& legend, std::string& problem) {
  for (std::string_view entry : Words(value)) {
    std::int32_t tile = 0;
    if (entry.size() < 3 || entry[1] != '=' || !ParseWholeNumber(entry.substr(2), tile) || !IsLegendChar(entry[0])) {
      problem = "legend entry '" + std::string(entry) + "' is not of the form x=12 (x not '.' or '?')";
      return false;
    }
    legend[entry[0]] = tile;
  }
  return true;
}

bool ParseCell(std::string_view value, int line, Parsed& parsed, std::string& problem) {
  const auto words = Words(value);
  std::int32_t column = 0, row = 0, tile = 0;
  if (words.size() != 4 || words[2] != "=" || !ParseWholeNumber(words[0], column) ||
      !ParseWholeNumber(words[1], row) || !ParseWholeNumber(words[3], tile)) {
    problem = "a cell line reads: cell: COLUMN ROW = TILE";
    return false;
  }
  if (column < 0 || column > PlayColumns || row < 0 || row > PlayRows) {
    problem = "cell " + std::to_string(column) + " " + std::to_string(row) + " is outside columns 0-20, rows 0-30";
    return false;
  }
  if (!parsed.cells.emplace(std::pair{column, row}, std::pair{line, tile}).second) {
    problem = "cell " + std::to_string(column) + " " + std::to_string(row) + " is given twice";
    return false;
  }
  return true;
}

// A level file stores plain names of at most 30 characters; anything else would be cut or refused on writing.
bool CheckName(std::string_view name, std::string& problem) {
  if (IsPlainFileName(name) && name.size() <= FixedTextLength) return true;
  problem = "'" + std::string(name) + "' is not a plain file name of at most 30 characters";
  return false;
}

bool SetOnce(Parsed& parsed, std::string_view key, std::string& problem) {
  if (parsed.given.emplace(key).second) return true;
  problem = "'" + std::string(key) + "' is given twice";
  return false;
}

// A name or sides line, into the field its key names.
bool ParseFieldLine(std::string_view key, std::string_view value, Parsed& parsed, std::string& problem) {
  bool ok = false;
  VisitPart<TextPart::Name>(parsed.level, [&](std::string_view field, std::string& name) {
    if (key != NameKey(field)) return;
    ok = CheckName(value, problem) && SetOnce(parsed, key, problem);
    if (ok) name = value;
  });
  VisitPart<TextPart::Sides>(parsed.level, [&](std::string_view, GuardedSides& sides) {
    if (key != SidesKey) return;
    GuardedSides read{};
    ok = ParseSides(value, read, problem) && SetOnce(parsed, key, problem);
    if (ok) sides = read;
  });
  return ok;
}

bool ParseHeaderLine(std::string_view line, int lineNumber, Parsed& parsed, std::string& problem) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) {
    std::string keys;
    for (const std::string& key : HeaderKeys()) keys += key + ", ";
    problem = "expected 'key: value' (keys: " + keys + "legend, map, cell)";
    return false;
  }
  const std::string_view key = Trim(line.substr(0, colon));
  const std::string_view value = Trim(line.substr(colon + 1));
  const std::vector<std::string> keys = HeaderKeys();
  if (std::find(keys.begin(), keys.end(), key) != keys.end()) return ParseFieldLine(key, value, parsed, problem);
  if (key == "legend") return ParseLegend(value, parsed.legend, problem);
  if (key == "cell") return ParseCell(value, lineNumber, parsed, problem);
  if (key == "map") {
    if (parsed.mapLine != 0) problem = "'map' is given twice";
    else if (!value.empty()) problem = "the map starts on the line after 'map:'";
    parsed.mapLine = lineNumber;
    return problem.empty();
  }
  problem = "unknown key '" + std::string(key) + "'";
  return false;
}

bool ParseLines(std::string_view text, Parsed& parsed, std::string& error) {
  int lineNumber = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto end = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const bool inMap = parsed.mapLine != 0 && parsed.map.size() < PlayRows;
    if (inMap) {
      if (line.size() != PlayColumns) {
        error = At(lineNumber, "map row " + std::to_string(parsed.map.size() + 1) + " has " +
                                   std::to_string(line.size()) + " characters; every row has 20");
        return false;
      }
      parsed.map.push_back({lineNumber, line});
      continue;
    }
    if (Trim(line).empty() || Trim(line).front() == '#') continue;
    std::string problem;
    if (!ParseHeaderLine(line, lineNumber, parsed, problem)) {
      error = At(lineNumber, problem);
      return false;
    }
  }
  return true;
}

bool CheckComplete(const Parsed& parsed, std::string& error) {
  for (const std::string& key : HeaderKeys())
    if (!parsed.given.count(key)) {
      error = "no '" + key + ":' line";
      return false;
    }
  if (parsed.mapLine == 0) error = "no 'map:' line";
  else if (parsed.map.size() != PlayRows)
    error = At(parsed.mapLine, "the map has " + std::to_string(parsed.map.size()) + " rows; it needs 30");
  return error.empty();
}

bool FillGrid(const Parsed& parsed, BrickGrid& grid, std::string& error) {
  std::map<char, std::int32_t> legend;
  if (const auto* fixed = FixedLegendOf(parsed.level.tilesetName)) legend = *fixed;
  for (const auto& [ch, tile] : parsed.legend) legend[ch] = tile;
  for (int r = 1; r <= PlayRows; ++r) {
    const MapRow& row = parsed.map[r - 1];
    for (int c = 1; c <= PlayColumns; ++c) {
      const char ch = row.text[c - 1];
      const std::string where = "character '" + std::string(1, ch) + "' in column " + std::to_string(c);
      const bool explicitCell = parsed.cells.count({c, r}) != 0;
      if (ch == ExplicitChar && !explicitCell) error = At(row.lineNumber, where + " has no cell line");
      else if (ch != ExplicitChar && explicitCell) error = At(parsed.cells.at({c, r}).first,
                                                              "this cell's map character is not '?'");
      else if (ch == EmptyChar) grid[c][r] = 0;
      else if (ch != ExplicitChar && !legend.count(ch)) error = At(row.lineNumber, where + " is not in the legend");
      else if (ch != ExplicitChar) grid[c][r] = legend.at(ch);
      if (!error.empty()) return false;
    }
  }
  for (const auto& [cell, lineAndTile] : parsed.cells) grid[cell.first][cell.second] = lineAndTile.second;
  return true;
}

}  // namespace

bool LevelFromText(std::string_view text, Level& out, std::string& error) {
  Parsed parsed;
  if (!ParseLines(text, parsed, error) || !CheckComplete(parsed, error)) return false;
  Level level = parsed.level;
  bool filled = true;
  VisitPart<TextPart::Grid>(level, [&](std::string_view, BrickGrid& grid) { filled = FillGrid(parsed, grid, error); });
  if (!filled) return false;
  out = std::move(level);
  return true;
}
