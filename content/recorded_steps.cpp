// Steps of a recording as text lines: writing and reading one, folding repeated pairs, and walking them again.
#include "content/recorded_steps.h"

#include "content/numbers.h"
#include "content/text_fields.h"

namespace {

using Kind = RecordedStep::Kind;

bool IsRepeat(const RecordedStep& step) { return step.kind == Kind::Repeat; }

// ---- Writing ----

void AppendRead(std::string& out, const DeviceRead& before, const DeviceRead& now) {
  out += 'r';
  const std::bitset<256> changed = before.keys ^ now.keys;
  for (std::size_t key = 0; changed.any() && key < changed.size(); ++key)
    if (changed[key]) out += (now.keys[key] ? " +" : " -") + std::to_string(key);
  if (now.mouseX != 0 || now.mouseY != 0) out += " m" + NumberText(now.mouseX) + "," + NumberText(now.mouseY);
  if (now.mouseButtons != before.mouseButtons) out += " b" + NumberText(+now.mouseButtons);
  if (now.mousePresent != before.mousePresent) out += now.mousePresent ? " M1" : " M0";
  if (now.padConnected != before.padConnected) out += now.padConnected ? " P1" : " P0";
  if (now.focused != before.focused) out += now.focused ? " F1" : " F0";
  if (now.padButtons != before.padButtons) out += " p" + NumberText(now.padButtons);
  if (now.stickX != before.stickX || now.stickY != before.stickY)
    out += " s" + NumberText(now.stickX) + "," + NumberText(now.stickY);
  out += '\n';
}

void AppendLine(std::string& out, const RecordedStep& step, DeviceRead& lastRead) {
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

template <typename Number>
bool ParseWithin(std::string_view text, Number& out, long long low, long long high) {
  return ParseWholeNumber(text, out) && out >= low && out <= high;
}

bool ParseReadToken(std::string_view token, DeviceRead& read) {
  if (token.size() < 2) return false;
  const char tag = token[0];
  const std::string_view value = token.substr(1);
  int number = 0;
  auto mouseCount = [](std::int32_t count) { return count >= -MaxMouseCount && count <= MaxMouseCount; };
  switch (tag) {
    case '+':
    case '-':
      if (!ParseWithin(value, number, 0, 255)) return false;
      read.keys[static_cast<std::size_t>(number)] = tag == '+';
      return true;
    case 'm': return ParsePair(value, read.mouseX, read.mouseY) && mouseCount(read.mouseX) && mouseCount(read.mouseY);
    case 'b': return ParseWithin(value, read.mouseButtons, 0, 3);
    case 'M':
    case 'P':
    case 'F': {
      if (value != "0" && value != "1") return false;
      (tag == 'M' ? read.mousePresent : tag == 'P' ? read.padConnected : read.focused) = value == "1";
      return true;
    }
    case 'p': return ParseWithin(value, read.padButtons, 0, (1 << RecordedPadButtons) - 1);
    case 's': return ParsePair(value, read.stickX, read.stickY);
    default: return false;
  }
}

}  // namespace

bool ParseStepLine(std::string_view line, DeviceRead& lastRead, RecordedStep& step) {
  std::string_view rest;
  const std::string_view word = FirstWord(line, rest);
  step = RecordedStep{};
  if (word == "f" || word == "w") {
    step.kind = word == "f" ? Kind::Frame : Kind::Wait;
    return ParseWithin(rest, step.value, 0, INT32_MAX);  // the clock never goes back
  }
  if (word == "*") {
    step.kind = Kind::Repeat;
    return ParseWithin(rest, step.value, 1, INT32_MAX);
  }
  if (word == "q") {
    step.kind = Kind::Quit;
    return line.size() == 1;
  }
  if (word == "s") {
    step.kind = rest == "!" ? Kind::BadSpeedFile : Kind::SpeedFile;
    return rest == "!" || ParseWholeNumber(rest, step.value);
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

void StepLines::Append(const RecordedStep& step) {
  last_.push_back({step, text_.size()});
  AppendLine(text_, step, lastRead_);
  ++count_;
  const std::size_t n = last_.size();
  auto same = [this](std::size_t a, std::size_t b) { return last_[a].step == last_[b].step; };
  if (n >= 5 && IsRepeat(last_[n - 3].step) && last_[n - 3].step.value < INT32_MAX && same(n - 5, n - 2) &&
      same(n - 4, n - 1))
    FoldFrom(n - 3, last_[n - 3].step.value + 1);
  else if (n >= 4 && same(n - 4, n - 2) && same(n - 3, n - 1) && !IsRepeat(last_[n - 4].step) &&
           !IsRepeat(last_[n - 3].step))
    FoldFrom(n - 2, 1);
  else if (n > 5)
    last_.erase(last_.begin());  // folding looks back five steps at most
}

void StepLines::FoldFrom(std::size_t index, std::int32_t count) {
  const std::size_t offset = last_[index].offset;
  count_ -= last_.size() - index;
  text_.resize(offset);
  last_.resize(index);
  last_.push_back({{Kind::Repeat, count, {}}, offset});
  AppendLine(text_, last_.back().step, lastRead_);
  ++count_;
}

const RecordedStep* StepCursor::Peek(const StepLines& lines) {
  if (unfoldLeft_ > 0) return &pair_[unfoldLeft_ % 2 == 0 ? 0 : 1];
  if (ready_) return &step_;
  const std::string& text = lines.text();
  const std::size_t end = text.find('\n', offset_);
  if (end == std::string::npos) return nullptr;
  if (!ParseStepLine(std::string_view(text).substr(offset_, end - offset_), lastRead_, step_)) {
    offset_ = text.size();  // lines that were checked never get here
    return nullptr;
  }
  next_ = end + 1;
  if (IsRepeat(step_)) {
    unfoldLeft_ = 2 * static_cast<std::int64_t>(step_.value);
    offset_ = next_;
    ++line_;
    return Peek(lines);
  }
  ready_ = true;
  return &step_;
}

void StepCursor::Pass() {
  if (unfoldLeft_ > 0) {
    --unfoldLeft_;
    return;
  }
  pair_[0] = pair_[1];
  pair_[1] = step_;
  ready_ = false;
  offset_ = next_;
  ++line_;
}
