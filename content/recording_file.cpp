// Recorded games: the text lines of a ".sfr" file, its closing checksum, and the CRC-32 of files.
#include "content/recording_file.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "content/numbers.h"
#include "content/text_fields.h"

namespace {

constexpr std::string_view Magic = "shardfall-recording";
constexpr std::string_view EndWord = "end ";
// Far more than a game has, and few enough that the header's memory stays small whatever the file says.
constexpr std::size_t MaxStateValues = 256;
constexpr std::size_t MaxHeaderFiles = 65536;

// Sets the problem and reports failure, so each refusal reads as one line.
bool Refuse(std::string& problem, const std::string& why) {
  problem = why;
  return false;
}

std::string HexText(std::uint32_t value) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08x", value);
  return buffer;
}

bool ParseHex(std::string_view text, std::uint32_t& out) { return text.size() == 8 && ParseWholeNumber(text, out, 16); }

// ---- Writing ----

void AppendOptions(std::string& out, const Options& options) {
  out += "options";
  VisitOptionsFields(options, [&out](const char* name, const auto& field) {
    out += std::string(" ") + name + "=" + NumberText(field);
  });
  out += '\n';
}

template <typename End, typename Visit>
void VisitEndFields(End& end, Visit&& visit) {
  visit("tick", end.tick);
  visit("level", end.level);
  visit("score", end.score);
  visit("over", end.over);
}

// ---- Reading ----

// The lines of the text, each ending in a newline.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  int number() const { return number_; }
  std::size_t position() const { return pos_; }
  bool next(std::string_view& line) {
    const std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) return false;
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    ++number_;
    return true;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

// "NAME=VALUE ..." in the order `visitFields` gives the fields, and nothing more.
template <typename Record, typename VisitFields>
bool ParseNamedFields(std::string_view rest, Record& record, VisitFields&& visitFields) {
  bool ok = true;
  visitFields(record, [&](const char* name, auto& field) {
    const std::string_view word = FirstWord(rest, rest);
    const std::string prefix = std::string(name) + "=";
    ok = ok && word.substr(0, prefix.size()) == prefix && ParseWholeNumber(word.substr(prefix.size()), field);
  });
  return ok && rest.empty();
}

bool ParseOptions(std::string_view rest, Options& options) {
  auto visit = [](Options& record, auto&& each) { VisitOptionsFields(record, each); };
  return ParseNamedFields(rest, options, visit) && OptionsInRange(options);
}

// Written only when some setting differs from its default, so its absence is the one way to say "defaults".
bool ParseSettings(std::string_view rest, RecordedSettings& settings) {
  auto visit = [](RecordedSettings& record, auto&& each) { VisitRecordedSettings(record, each); };
  return ParseNamedFields(rest, settings, visit) && GameSpeedRange.holds(settings.gameSpeed) &&
         (settings.confirmLeave == 0 || settings.confirmLeave == 1) && settings != RecordedSettings{};
}

bool ParseReached(std::string_view rest, RecordedEnd& end) {
  auto visit = [](RecordedEnd& record, auto&& each) { VisitEndFields(record, each); };
  return ParseNamedFields(rest, end, visit) && end.tick >= 0 && end.level >= 0;
}

bool ParseState(std::string_view rest, std::vector<NamedValue>& state) {
  while (!rest.empty()) {
    if (state.size() == MaxStateValues) return false;
    const std::string_view word = FirstWord(rest, rest);
    const std::size_t equals = word.find('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == word.size()) return false;
    state.push_back({std::string(word.substr(0, equals)), std::string(word.substr(equals + 1))});
  }
  return true;
}

bool ParseFile(std::string_view rest, RecordedFile& file) {
  file.role = std::string(FirstWord(rest, rest));
  const std::string_view checksum = FirstWord(rest, rest);
  file.name = std::string(rest);
  if (file.role.empty() || file.name.empty()) return false;
  if (checksum == "-") return true;
  std::uint32_t value = 0;
  if (!ParseHex(checksum, value)) return false;
  file.checksum = value;
  return true;
}

// "endless SEED" (64 bits) or "daily YYYY-MM-DD".
bool ParseGenerated(std::string_view rest, GeneratedSet& set) {
  const std::string_view kind = FirstWord(rest, rest);
  if (kind == "endless") {
    set.kind = GeneratedKind::Endless;
    return ParseWholeNumber(rest, set.seed);
  }
  const std::optional<CalendarDate> date = ParseDate(rest);
  if (kind != "daily" || !date) return false;
  set = DailySet(*date);
  return true;
}

std::string GeneratedText(const GeneratedSet& set) {
  if (set.kind == GeneratedKind::Daily) return "daily " + DateText(set.date);
  return "endless " + NumberText(set.seed);
}

// The header's lines, in their fixed order; `file` and `song` lines may repeat; format 2 closes with `reached`.
bool ParseHeader(LineReader& lines, int format, Recording& out, std::string& problem) {
  std::string_view line, rest;
  auto expect = [&](std::string_view word) {
    return lines.next(line) && FirstWord(line, rest) == word;
  };
  auto damaged = [&](const std::string& what) {
    return Refuse(problem, "the recording is damaged (line " + std::to_string(lines.number()) + ": " + what + ")");
  };
  if (!expect("set") || rest.empty()) return damaged("expected the level set");
  out.levelSet = std::string(rest);
  if (!lines.next(line)) return damaged("expected the seed");
  if (FirstWord(line, rest) == "generated" && format >= 3) {
    if (!ParseGenerated(rest, out.generated.emplace())) return damaged("expected generated endless SEED or daily DATE");
    if (!lines.next(line)) return damaged("expected the seed");
  }
  if (FirstWord(line, rest) != "seed" || !ParseWholeNumber(rest, out.seed)) return damaged("expected the seed");
  if (!expect("tick") || !ParseWholeNumber(rest, out.tick) || out.tick < 0 || out.tick > MaxStartTick)
    return damaged("expected the start tick, 0 .. " + std::to_string(MaxStartTick));
  if (!expect("options") || !ParseOptions(rest, out.options)) return damaged("expected the options, each in its range");
  if (!lines.next(line)) return damaged("expected the start state");
  if (FirstWord(line, rest) == "settings" && format >= 4) {
    if (!ParseSettings(rest, out.settings))
      return damaged("expected settings gameSpeed=50..100 confirmLeave=0|1, not both their defaults");
    if (!lines.next(line)) return damaged("expected the start state");
  }
  if (FirstWord(line, rest) != "state" || !ParseState(rest, out.state)) return damaged("expected the start state");
  while (lines.next(line)) {
    const std::string_view word = FirstWord(line, rest);
    if (word == "steps" && rest.empty() && (format == 1 || out.reached)) return true;
    if ((word == "file" || word == "song") && out.files.size() + out.songs.size() == MaxHeaderFiles)
      return damaged("more than " + std::to_string(MaxHeaderFiles) + " files and songs");
    if (word == "file" && !out.reached) {
      RecordedFile file;
      if (!ParseFile(rest, file)) return damaged("expected file ROLE CRC NAME");
      out.files.push_back(std::move(file));
    } else if (word == "song" && !rest.empty() && !out.reached) {
      out.songs.emplace_back(rest);
    } else if (word == "reached" && format >= 2 && !out.reached) {
      if (!ParseReached(rest, out.reached.emplace()))
        return damaged("expected reached tick=T level=L score=S over=0|1");
    } else {
      return damaged("unexpected " + std::string(word));
    }
  }
  return damaged("no steps line");
}

// What the steps add up to as a replay plays them; a repeat counts its pair again.
struct PlayTotals {
  std::int64_t ms = 0;
  std::int64_t passes = 0;  // frames and pause passes
  // Each sum stops just past its bound, so no product of a step and its repeat count adds up past 2^63.
  void Add(const RecordedStep& step, std::int64_t times) {
    if (step.kind != RecordedStep::Kind::Frame && step.kind != RecordedStep::Kind::Wait) return;
    ms = std::min(ms + step.value * times, MaxPlayMs + 1);
    passes = std::min(passes + times, MaxPlayPasses + 1);
  }
};

// Every step line checked, as a replay would meet them; the play they add up to stays within a day.
bool CheckSteps(LineReader& lines, std::size_t count, std::string& problem) {
  DeviceRead lastRead;
  RecordedStep pair[2];
  int stepsBeforeRepeat = 0;  // steps since the start or the last repeat, up to two
  PlayTotals totals;
  std::string_view line;
  for (std::size_t i = 0; i < count; ++i) {
    RecordedStep step;
    if (!lines.next(line) || !ParseStepLine(line, lastRead, step) ||
        (step.kind == RecordedStep::Kind::Repeat && stepsBeforeRepeat < 2))
      return Refuse(problem, "the recording is damaged (line " + std::to_string(lines.number()) + ")");
    if (step.kind == RecordedStep::Kind::Repeat) {
      for (const RecordedStep& repeated : pair) totals.Add(repeated, step.value);
      stepsBeforeRepeat = 0;
    } else {
      totals.Add(step, 1);
      pair[0] = pair[1];
      pair[1] = step;
      stepsBeforeRepeat = std::min(stepsBeforeRepeat + 1, 2);
    }
    if (totals.ms > MaxPlayMs || totals.passes > MaxPlayPasses)
      return Refuse(problem, "the recording holds more than 24 hours of play (line " +
                                 std::to_string(lines.number()) + ")");
  }
  return true;
}

// Magic, format and program; the version comes before the checksum, so a recording from another version is
// named as such even when its lines are read differently.
bool CheckOpening(LineReader& lines, const std::string& program, int& format, Recording& out,
                  std::string& problem) {
  std::string_view line, rest;
  if (!lines.next(line) || FirstWord(line, rest) != Magic) return Refuse(problem, "not a Shardfall recording");
  if (!ParseWholeNumber(rest, format)) return Refuse(problem, "not a Shardfall recording");
  if (format < 1 || format > RecordingFormat)
    return Refuse(problem, "a recording of format " + std::string(rest) + "; this Shardfall reads formats 1 to " +
                               std::to_string(RecordingFormat));
  if (!lines.next(line) || FirstWord(line, rest) != "program" || rest.empty())
    return Refuse(problem, "the recording is damaged (line 2: expected the program version)");
  out.program = std::string(rest);
  if (!program.empty() && out.program != program)
    return Refuse(problem, "recorded by Shardfall " + out.program + "; this is Shardfall " + program);
  return true;
}

constexpr std::string_view ChecksumMismatch = "the recording is damaged (its checksum does not match)";

// The last line, "end COUNT CRC", where it starts, and the checksum of everything before it.
bool CheckEnd(std::string_view text, std::size_t& count, std::size_t& start, std::string& problem) {
  const std::string_view cutShort = "the recording is cut short (it has no end line)";
  if (text.empty() || text.back() != '\n') return Refuse(problem, std::string(cutShort));
  start = text.rfind('\n', text.size() - 2) + 1;  // npos + 1 = 0: a one-line file
  std::string_view last = text.substr(start, text.size() - 1 - start), rest;
  if (last.substr(0, EndWord.size()) != EndWord) return Refuse(problem, std::string(cutShort));
  last.remove_prefix(EndWord.size());
  const std::string_view countText = FirstWord(last, rest);
  std::uint32_t checksum = 0;
  if (!ParseWholeNumber(countText, count) || !ParseHex(rest, checksum))
    return Refuse(problem, "the recording is damaged (its end line)");
  if (Crc32(reinterpret_cast<const std::uint8_t*>(text.data()), start) != checksum)
    return Refuse(problem, std::string(ChecksumMismatch));
  return true;
}

}  // namespace

bool RecordingChangedSinceSealed(const Bytes& bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::size_t count = 0, start = 0;
  std::string problem;
  return !CheckEnd(text, count, start, problem) && problem == ChecksumMismatch;
}

bool DecodeRecording(const Bytes& bytes, const std::string& program, Recording& out, std::string& problem) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  LineReader lines(text);
  Recording recording;
  int format = 0;
  std::size_t count = 0, endStart = 0;
  if (!CheckOpening(lines, program, format, recording, problem) || !CheckEnd(text, count, endStart, problem) ||
      !ParseHeader(lines, format, recording, problem))
    return false;
  const std::size_t stepsStart = lines.position();
  if (!CheckSteps(lines, count, problem)) return false;
  if (lines.position() != endStart) return Refuse(problem, "the recording is damaged (its step count does not match)");
  recording.steps = StepLines(std::string(text.substr(stepsStart, endStart - stepsStart)), count);
  out = std::move(recording);
  return true;
}

Bytes EncodeRecording(const Recording& recording) {
  std::string out;
  const bool settings = recording.settings != RecordedSettings{};
  const int format = settings ? 4 : recording.generated ? 3 : recording.reached ? 2 : 1;
  out += std::string(Magic) + " " + std::to_string(format) + "\n";
  out += "program " + recording.program + "\n";
  out += "set " + recording.levelSet + "\n";
  if (recording.generated) out += "generated " + GeneratedText(*recording.generated) + "\n";
  out += "seed " + NumberText(recording.seed) + "\n";
  out += "tick " + NumberText(recording.tick) + "\n";
  AppendOptions(out, recording.options);
  if (settings) {
    out += "settings";
    VisitRecordedSettings(recording.settings, [&out](const char* name, auto value) {
      out += std::string(" ") + name + "=" + NumberText(value);
    });
    out += "\n";
  }
  out += "state";
  for (const NamedValue& value : recording.state) out += " " + value.name + "=" + value.value;
  out += "\n";
  for (const RecordedFile& file : recording.files)
    out += "file " + file.role + " " + (file.checksum ? HexText(*file.checksum) : "-") + " " + file.name + "\n";
  for (const std::string& song : recording.songs) out += "song " + song + "\n";
  if (recording.reached) {
    out += "reached";
    VisitEndFields(*recording.reached, [&out](const char* name, auto value) {
      out += std::string(" ") + name + "=" + NumberText(value);
    });
    out += "\n";
  }
  out += "steps\n";
  out += recording.steps.text();
  const std::uint32_t checksum = Crc32(reinterpret_cast<const std::uint8_t*>(out.data()), out.size());
  out += std::string(EndWord) + std::to_string(recording.steps.count()) + " " + HexText(checksum) + "\n";
  return Bytes(out.begin(), out.end());
}

bool ReadRecordingFile(const std::filesystem::path& path, const std::string& program, Recording& out,
                       std::string& error) {
  return ReadDecoded(path, {}, error, [&](const Bytes& bytes, std::string& problem) {
    return DecodeRecording(bytes, program, out, problem);
  });
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  while (size > 0) {
    const uInt chunk = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
    crc = crc32(crc, data, chunk);
    data += chunk;
    size -= chunk;
  }
  return static_cast<std::uint32_t>(crc);
}

std::string Crc32Text(const std::uint8_t* data, std::size_t size) { return HexText(Crc32(data, size)); }

std::optional<std::uint32_t> FileChecksum(const std::filesystem::path& path) {
  Bytes bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) return std::nullopt;
  return Crc32(bytes.data(), bytes.size());
}
