// Recorded games: the text lines of a ".sfr" file, its closing checksum, and the CRC-32 of files.
#include "content/recording_file.h"

#include <zlib.h>

#include <algorithm>
#include "content/std_bridge.h"
#include <cstdio>
#include <string_view>

#include "content/byte_io.h"

namespace {

constexpr std::string_view Magic = "shardfall-recording";
constexpr std::string_view EndWord = "end ";

// Sets the problem and reports failure, so each refusal reads as one line.
bool Refuse(std::string& problem, const std::string& why) {
  problem = why;
  return false;
}

template <typename Number>
std::string NumberText(Number value) {
  char buffer[48];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Whole text only, nothing before or after the number.
template <typename Number>
bool ParseNumber(std::string_view text, Number& out) {
  if (text.empty()) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc{} && end == text.data() + text.size();
}

std::string HexText(std::uint32_t value) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08x", value);
  return buffer;
}

bool ParseHex(std::string_view text, std::uint32_t& out) {
  if (text.size() != 8) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out, 16);
  return error == std::errc{} && end == text.data() + text.size();
}

// "word rest": the first word, and what follows the space after it.
std::string_view FirstWord(std::string_view line, std::string_view& rest) {
  const std::size_t space = line.find(' ');
  rest = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
  return line.substr(0, space);
}

// "x,y" as two numbers of the given type.
template <typename Number>
bool ParsePair(std::string_view text, Number& x, Number& y) {
  const std::size_t comma = text.find(',');
  return comma != std::string_view::npos && ParseNumber(text.substr(0, comma), x) &&
         ParseNumber(text.substr(comma + 1), y);
}

// ---- Writing ----

void AppendOptions(std::string& out, const Options& options) {
  out += "options";
  VisitOptionsFields(options, [&out](const char* name, const auto& field) {
    out += std::string(" ") + name + "=" + NumberText(field);
  });
  out += '\n';
}

void AppendRead(std::string& out, const DeviceRead& before, const DeviceRead& now) {
  out += 'r';
  const std::bitset<256> changed = before.keys ^ now.keys;
  for (std::size_t key = 0; changed.any() && key < changed.size(); ++key)
    if (changed[key]) out += (now.keys[key] ? " +" : " -") + std::to_string(key);
  if (now.mouseX != 0 || now.mouseY != 0) out += " m" + NumberText(now.mouseX) + "," + NumberText(now.mouseY);
  if (now.mouseButtons != before.mouseButtons) out += " b" + NumberText(+now.mouseButtons);
  if (now.mousePresent != before.mousePresent) out += now.mousePresent ? " M1" : " M0";
  if (now.padConnected != before.padConnected) out += now.padConnected ? " P1" : " P0";
  if (now.padButtons != before.padButtons) out += " p" + NumberText(now.padButtons);
  if (now.stickX != before.stickX || now.stickY != before.stickY)
    out += " s" + NumberText(now.stickX) + "," + NumberText(now.stickY);
  out += '\n';
}

void AppendStep(std::string& out, const RecordedStep& step, DeviceRead& lastRead) {
  using Kind = RecordedStep::Kind;
  switch (step.kind) {
    case Kind::Frame: out += "f " + NumberText(step.value) + "\n"; break;
    case Kind::Wait: out += "w " + NumberText(step.value) + "\n"; break;
    case Kind::Quit: out += "q\n"; break;
    case Kind::SpeedFile: out += "s " + NumberText(step.value) + "\n"; break;
    case Kind::BadSpeedFile: out += "s !\n"; break;
    case Kind::Repeat: out += "* " + NumberText(step.value) + "\n"; break;
    case Kind::Read:
      AppendRead(out, lastRead, step.read);
      lastRead = step.read;
      break;
  }
}

// ---- Reading ----

// The lines of the text, each ending in a newline.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  int number() const { return number_; }
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

bool ParseOptions(std::string_view rest, Options& options) {
  bool ok = true;
  VisitOptionsFields(options, [&](const char* name, auto& field) {
    const std::string_view word = FirstWord(rest, rest);
    const std::string prefix = std::string(name) + "=";
    ok = ok && word.substr(0, prefix.size()) == prefix && ParseNumber(word.substr(prefix.size()), field);
  });
  return ok && rest.empty();
}

bool ParseState(std::string_view rest, std::vector<NamedValue>& state) {
  while (!rest.empty()) {
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

bool ParseReadToken(std::string_view token, DeviceRead& read) {
  if (token.size() < 2) return false;
  const char tag = token[0];
  const std::string_view value = token.substr(1);
  int number = 0;
  switch (tag) {
    case '+':
    case '-':
      if (!ParseNumber(value, number) || number < 0 || number > 255) return false;
      read.keys[static_cast<std::size_t>(number)] = tag == '+';
      return true;
    case 'm': return ParsePair(value, read.mouseX, read.mouseY);
    case 'b':
      if (!ParseNumber(value, number) || number < 0 || number > 255) return false;
      read.mouseButtons = static_cast<std::uint8_t>(number);
      return true;
    case 'M':
    case 'P': {
      if (value != "0" && value != "1") return false;
      (tag == 'M' ? read.mousePresent : read.padConnected) = value == "1";
      return true;
    }
    case 'p': return ParseNumber(value, read.padButtons);
    case 's': return ParsePair(value, read.stickX, read.stickY);
    default: return false;
  }
}

bool ParseStep(std::string_view line, DeviceRead& lastRead, RecordedStep& step) {
  using Kind = RecordedStep::Kind;
  std::string_view rest;
  const std::string_view word = FirstWord(line, rest);
  if (word == "f" || word == "w") {
    step.kind = word == "f" ? Kind::Frame : Kind::Wait;
    return ParseNumber(rest, step.value);
  }
  if (word == "*") {
    step.kind = Kind::Repeat;
    return ParseNumber(rest, step.value);
  }
  if (word == "q") {
    step.kind = Kind::Quit;
    return line.size() == 1;
  }
  if (word == "s") {
    step.kind = rest == "!" ? Kind::BadSpeedFile : Kind::SpeedFile;
    return rest == "!" || ParseNumber(rest, step.value);
  }
  if (word != "r" || (line.size() > 1 && rest.empty())) return false;
  DeviceRead read = lastRead;
  read.mouseX = read.mouseY = 0;  // movement counts once
  while (!rest.empty())
    if (!ParseReadToken(FirstWord(rest, rest), read)) return false;
  step.kind = Kind::Read;
  step.read = lastRead = read;
  return true;
}

// The header's lines, in their fixed order; `file` and `song` lines may repeat.
bool ParseHeader(LineReader& lines, Recording& out, std::string& problem) {
  std::string_view line, rest;
  auto expect = [&](std::string_view word) {
    return lines.next(line) && FirstWord(line, rest) == word;
  };
  auto damaged = [&](const std::string& what) {
    return Refuse(problem, "the recording is damaged (line " + std::to_string(lines.number()) + ": " + what + ")");
  };
  if (!expect("set") || rest.empty()) return damaged("expected the level set");
  out.levelSet = std::string(rest);
  if (!expect("seed") || !ParseNumber(rest, out.seed)) return damaged("expected the seed");
  if (!expect("tick") || !ParseNumber(rest, out.tick)) return damaged("expected the start tick");
  if (!expect("options") || !ParseOptions(rest, out.options)) return damaged("expected the options");
  if (!expect("state") || !ParseState(rest, out.state)) return damaged("expected the start state");
  while (lines.next(line)) {
    const std::string_view word = FirstWord(line, rest);
    if (word == "steps" && rest.empty()) return true;
    if (word == "file") {
      RecordedFile file;
      if (!ParseFile(rest, file)) return damaged("expected file ROLE CRC NAME");
      out.files.push_back(std::move(file));
    } else if (word == "song" && !rest.empty()) {
      out.songs.emplace_back(rest);
    } else {
      return damaged("unexpected " + std::string(word));
    }
  }
  return damaged("no steps line");
}

bool ParseSteps(LineReader& lines, std::size_t count, Recording& out, std::string& problem) {
  DeviceRead lastRead;
  std::string_view line;
  for (std::size_t i = 0; i < count; ++i) {
    RecordedStep step;
    if (!lines.next(line) || !ParseStep(line, lastRead, step))
      return Refuse(problem, "the recording is damaged (line " + std::to_string(lines.number()) + ")");
    out.steps.push_back(step);
    if (step.kind == RecordedStep::Kind::Repeat && !RepeatFits(out.steps, out.steps.size() - 1))
      return Refuse(problem, "the recording is damaged (line " + std::to_string(lines.number()) + ")");
  }
  return true;
}

// Magic, format and program; the version comes before the checksum, so a recording from another version is
// named as such even when its lines are read differently.
bool CheckOpening(LineReader& lines, const std::string& program, Recording& out, std::string& problem) {
  std::string_view line, rest;
  if (!lines.next(line) || FirstWord(line, rest) != Magic) return Refuse(problem, "not a Shardfall recording");
  int format = 0;
  if (!ParseNumber(rest, format)) return Refuse(problem, "not a Shardfall recording");
  if (format != RecordingFormat)
    return Refuse(problem, "a recording of format " + std::string(rest) + "; this Shardfall reads format " +
                               std::to_string(RecordingFormat));
  if (!lines.next(line) || FirstWord(line, rest) != "program" || rest.empty())
    return Refuse(problem, "the recording is damaged (line 2: expected the program version)");
  out.program = std::string(rest);
  if (!program.empty() && out.program != program)
    return Refuse(problem, "recorded by Shardfall " + out.program + "; this is Shardfall " + program);
  return true;
}

// The last line, "end COUNT CRC", and the checksum of everything before it.
bool CheckEnd(std::string_view text, std::size_t& count, std::string& problem) {
  const std::string_view cutShort = "the recording is cut short (it has no end line)";
  if (text.empty() || text.back() != '\n') return Refuse(problem, std::string(cutShort));
  const std::size_t start = text.rfind('\n', text.size() - 2) + 1;  // npos + 1 = 0: a one-line file
  std::string_view last = text.substr(start, text.size() - 1 - start), rest;
  if (last.substr(0, EndWord.size()) != EndWord) return Refuse(problem, std::string(cutShort));
  last.remove_prefix(EndWord.size());
  const std::string_view countText = FirstWord(last, rest);
  std::uint32_t checksum = 0;
  if (!ParseNumber(countText, count) || !ParseHex(rest, checksum))
    return Refuse(problem, "the recording is damaged (its end line)");
  if (Crc32(reinterpret_cast<const std::uint8_t*>(text.data()), start) != checksum)
    return Refuse(problem, "the recording is damaged (its checksum does not match)");
  return true;
}

}  // namespace

bool DecodeRecording(const Bytes& bytes, const std::string& program, Recording& out, std::string& problem) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  LineReader lines(text);
  Recording recording;
  std::size_t count = 0;
  if (!CheckOpening(lines, program, recording, problem) || !CheckEnd(text, count, problem) ||
      !ParseHeader(lines, recording, problem) || !ParseSteps(lines, count, recording, problem))
    return false;
  std::string_view line;
  if (!lines.next(line) || line.substr(0, EndWord.size()) != EndWord || lines.next(line))
    return Refuse(problem, "the recording is damaged (its step count does not match)");
  out = std::move(recording);
  return true;
}

Bytes EncodeRecording(const Recording& recording) {
  std::string out;
  out += std::string(Magic) + " " + std::to_string(RecordingFormat) + "\n";
  out += "program " + recording.program + "\n";
  out += "set " + recording.levelSet + "\n";
  out += "seed " + NumberText(recording.seed) + "\n";
  out += "tick " + NumberText(recording.tick) + "\n";
  AppendOptions(out, recording.options);
  out += "state";
  for (const NamedValue& value : recording.state) out += " " + value.name + "=" + value.value;
  out += "\n";
  for (const RecordedFile& file : recording.files)
    out += "file " + file.role + " " + (file.checksum ? HexText(*file.checksum) : "-") + " " + file.name + "\n";
  for (const std::string& song : recording.songs) out += "song " + song + "\n";
  out += "steps\n";
  DeviceRead lastRead;
  for (const RecordedStep& step : recording.steps) AppendStep(out, step, lastRead);
  const std::uint32_t checksum = Crc32(reinterpret_cast<const std::uint8_t*>(out.data()), out.size());
  out += std::string(EndWord) + std::to_string(recording.steps.size()) + " " + HexText(checksum) + "\n";
  return Bytes(out.begin(), out.end());
}

bool ReadRecordingFile(const std::filesystem::path& path, const std::string& program, Recording& out,
                       std::string& error) {
  Bytes bytes;
  if (!ReadWholeFile(path, bytes, error)) return false;
  std::string problem;
  if (!DecodeRecording(bytes, program, out, problem)) {
    error = FileError(path, problem);
    return false;
  }
  return true;
}

bool WriteRecordingFile(const std::filesystem::path& path, const Recording& recording, std::string& error) {
  return WriteFileAtomically(path, EncodeRecording(recording), error);
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

std::optional<std::uint32_t> FileChecksum(const std::filesystem::path& path) {
  Bytes bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, error)) return std::nullopt;
  return Crc32(bytes.data(), bytes.size());
}
