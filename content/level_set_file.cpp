// Level-set files: the comma-separated field reader, the name line, the count and the level names.
#include "content/level_set_file.h"

#include <limits>

#include "content/names.h"
#include "content/numbers.h"

namespace {

constexpr std::uintmax_t MaxLevelSetBytes = 16u << 20;
constexpr std::string_view HiddenSetFile = "muzac.sfs";
constexpr std::string_view HiddenSetName = "My Favorite Bands";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// A whole number of at most 12 digits, signed or not, with optional blanks around it, as the count line holds it.
bool ParseCount(std::string_view field, std::int64_t& count) {
  while (!field.empty() && IsBlank(field.front())) field.remove_prefix(1);
  while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
  const bool plus = field.starts_with('+');
  if (plus) field.remove_prefix(1);
  const bool minus = field.starts_with('-');
  return !(plus && minus) && field.size() - std::size_t{minus} <= 12 && ParseWholeNumber(field, count);
}

// True when the field reader gives `field` back unchanged as one field.
bool ReadsBackUnchanged(std::string_view field) {
  FieldReader reader(field);
  std::string first, second;
  return reader.next(first) && first == field && !reader.next(second);
}

std::string_view TextOf(const Bytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

bool FieldReader::next(std::string& field) {
  while (pos_ < text_.size() && (IsBlank(text_[pos_]) || IsLineBreak(text_[pos_]))) ++pos_;
  if (pos_ >= text_.size()) return false;
  if (text_[pos_] == '"') {
    auto close = text_.find('"', pos_ + 1);
    if (close == std::string_view::npos) close = text_.size();
    field = std::string(text_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = std::min(close + 1, text_.size());
    // Whatever follows the closing quote up to the delimiter belongs to no field.
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineBreak(text_[pos_])) ++pos_;
  } else {
    auto end = std::min(text_.find_first_of(",\r\n", pos_), text_.size());
    field = std::string(text_.substr(pos_, end - pos_));
    pos_ = end;
  }
  if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
  return true;
}

bool DecodeLevelSet(std::string_view text, LevelSet& out, std::string& problem) {
  FieldReader reader(text);
  LevelSet levelSet;
  std::string countField;
  if (!reader.next(levelSet.levelSetName)) {
    problem = "empty: no level set name";
    return false;
  }
  if (!reader.next(countField)) {
    problem = "no level count after the name";
    return false;
  }
  std::int64_t count = 0;
  if (!ParseCount(countField, count) || count < 0 || count > std::numeric_limits<std::int32_t>::max()) {
    problem = "level count \"" + countField + "\" is not a whole number of 0 or more";
    return false;
  }
  std::string name;
  for (std::int64_t i = 0; i < count; ++i) {
    if (!reader.next(name)) {
      problem = "count says " + std::to_string(count) + " levels but the file lists " + std::to_string(i);
      return false;
    }
    if (!IsPlainFileName(name)) {
      problem = "level " + std::to_string(i + 1) + " \"" + name + "\" is not a plain file name";
      return false;
    }
    levelSet.levelFiles.push_back(name);
  }
  out = std::move(levelSet);
  return true;
}

bool EncodeLevelSet(const LevelSet& levelSet, Bytes& out, std::string& problem) {
  if (const std::string why = LevelSetNameProblem(levelSet.levelSetName); !why.empty()) {
    problem = "level set name \"" + levelSet.levelSetName + "\" cannot be stored: " + why;
    return false;
  }
  for (const auto& level : levelSet.levelFiles) {
    if (!IsPlainFileName(level) || !ReadsBackUnchanged(level)) {
      problem = "level \"" + level + "\" is not a plain file name that reads back unchanged";
      return false;
    }
  }
  std::string text = levelSet.levelSetName + "\r\n " + std::to_string(levelSet.levelFiles.size()) + " \r\n";
  for (const auto& level : levelSet.levelFiles) text += level + "\r\n";
  out.assign(text.begin(), text.end());
  return true;
}

std::string LevelFileNameProblem(std::string_view name) {
  constexpr std::string_view Extension = ".sfl";
  constexpr std::size_t MostBytes = 255;  // what Linux file systems take for one name
  const std::string_view stem = name.ends_with(Extension) ? name.substr(0, name.size() - Extension.size()) : name;
  if (name.size() > MostBytes) return "it is longer than the " + std::to_string(MostBytes) + " bytes a file name may take";
  if (stem.find('.') != std::string_view::npos)
    return "it holds a dot: only the \".sfl\" ending may, or the file is taken for another kind";
  if (!name.ends_with(Extension)) return "it does not end in \".sfl\"";
  if (stem.find(',') != std::string_view::npos) return "it holds a comma, which separates the levels in a set";
  if (stem.empty() || !IsPlainFileName(name) || !ReadsBackUnchanged(name))
    return "a set would not read it back (a folder sign, or a blank or double quote at its start)";
  return "";
}

std::string LevelSetNameProblem(std::string_view name) {
  // Leading blanks of the name are dropped on reading by design; everything else must survive.
  while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
  if (name.empty()) return "it is empty";
  if (name.find(',') != std::string_view::npos) return "it holds a comma, which ends the name in a set file";
  if (!ReadsBackUnchanged(name)) return "a set would not read it back (a line break, or a double quote at its start)";
  return "";
}

bool ReadLevelSetName(const std::filesystem::path& path, std::string& name, std::string& error) {
  // Either separator counts, so a name carried over from the other platform is still recognised.
  auto fileName = FileNameOf(path.string());
  if ((fileName.empty() ? path.string() : fileName) == HiddenSetFile) {
    name = HiddenSetName;
    return true;
  }
  return ReadDecoded(path, {MaxLevelSetBytes}, error, [&name](const Bytes& bytes, std::string& problem) {
    FieldReader reader(TextOf(bytes));
    std::string field;
    if (!reader.next(field)) {
      problem = "empty: no level set name";
      return false;
    }
    name = field;
    return true;
  });
}

bool ReadLevelSetFile(const std::filesystem::path& path, LevelSet& out, std::string& error) {
  return ReadDecoded(path, {MaxLevelSetBytes}, error, [&out](const Bytes& bytes, std::string& problem) {
    return DecodeLevelSet(TextOf(bytes), out, problem);
  });
}

bool WriteLevelSetFile(const std::filesystem::path& path, const LevelSet& levelSet, std::string& error) {
  return WriteEncoded(path, error, [&levelSet](Bytes& bytes, std::string& problem) {
    return EncodeLevelSet(levelSet, bytes, problem);
  });
}
