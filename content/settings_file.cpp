// "settings.ini": plain text, so a player can read and mend it by hand.
#include "content/settings_file.h"

#include <system_error>

#include "content/file_io.h"
#include "content/numbers.h"

namespace {

constexpr std::uintmax_t MaxSettingsBytes = 64 * 1024;
constexpr int ProblemsReported = 3;

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Sets the field `name` from `value`; false with `problem` set when the name is ours but the value is not usable.
bool SetField(Settings& settings, std::string_view name, std::string_view value, std::string& problem) {
  bool fine = true;
  VisitSettingsFields(settings, [&](const char* fieldName, std::int32_t& field, SettingRange range) {
    if (name != fieldName) return;
    std::int32_t read = 0;
    if (ParseWholeNumber(value, read) && range.holds(read)) {
      field = read;
      return;
    }
    fine = false;
    problem = std::string(name) + " = \"" + std::string(value) + "\" is not one of " + std::to_string(range.lo) +
              ".." + std::to_string(range.hi) + (range.step > 1 ? " in steps of " + std::to_string(range.step) : "");
  });
  return fine;
}

}  // namespace

bool DecodeSettings(std::string_view text, Settings& out, std::string& problem) {
  Settings settings;
  int problems = 0, lineNumber = 0;
  problem.clear();
  const auto note = [&](const std::string& what) {
    if (++problems <= ProblemsReported) problem += (problem.empty() ? "" : "; ") + ("line " + std::to_string(lineNumber) + ": " + what);
  };
  while (!text.empty()) {
    ++lineNumber;
    const auto end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
      note("\"" + std::string(line.substr(0, 40)) + "\" is not \"name = value\"");
      continue;
    }
    std::string fieldProblem;
    if (!SetField(settings, Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), fieldProblem))
      note(fieldProblem + ", the default is used");
  }
  if (problems > ProblemsReported) problem += " (and " + std::to_string(problems - ProblemsReported) + " more)";
  out = settings;
  return problems == 0;
}

std::string EncodeSettings(const Settings& settings) {
  std::string text = "# Shardfall settings: one \"name = value\" per line; a value out of range is put back to its default.\n";
  VisitSettingsFields(settings, [&text](const char* name, std::int32_t value, SettingRange) {
    text += std::string(name) + " = " + std::to_string(value) + "\n";
  });
  return text;
}

bool ReadSettingsFile(const std::filesystem::path& path, Settings& out, std::string& problem) {
  Bytes bytes;
  if (!ReadWholeFile(path, bytes, problem, MaxSettingsBytes)) {
    out = Settings{};
    return false;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.find('\0') != std::string_view::npos) {
    out = Settings{};
    problem = FileError(path, "not a text file");
    return false;
  }
  if (DecodeSettings(text, out, problem)) return true;
  problem = FileError(path, problem);
  return false;
}

bool WriteSettingsFile(const std::filesystem::path& path, const Settings& settings, std::string& error) {
  const std::string text = EncodeSettings(settings);
  return WriteFileAtomically(path, Bytes(text.begin(), text.end()), error);
}
