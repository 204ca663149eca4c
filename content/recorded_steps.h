// What a recording holds of a game, step by step (the clock's ticks, the devices' reads, quits and the speed file),
// kept as the lines of the recording's text: the recorder appends to them and a replay walks them, so a recording
// in memory costs what its file does.
#pragma once
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The gamepad buttons a read can hold: bits 0 .. RecordedPadButtons - 1.
inline constexpr int RecordedPadButtons = 10;
// Mouse counts of one read, either way; beyond, a float would no longer hold them exactly.
inline constexpr std::int32_t MaxMouseCount = 1 << 24;

// One read of the keyboard, mouse and gamepad, as the game got it.
struct DeviceRead {
  std::bitset<256> keys;                // scan codes held
  bool mousePresent = true;             // false: the read found no mouse
  std::int32_t mouseX = 0, mouseY = 0;  // counts since the previous read
  std::uint8_t mouseButtons = 0;        // bit 0 left, bit 1 right
  bool padConnected = false;
  std::uint16_t padButtons = 0;         // one bit per pad button, in the game's order of them
  std::int16_t stickX = 0, stickY = 0;  // the left stick, -32768 .. 32767
  bool focused = true;                  // the window has the keyboard (false: another window took it)
  bool operator==(const DeviceRead&) const = default;
};

// One thing the game read.
struct RecordedStep {
  enum class Kind : std::uint8_t {
    Frame,         // a frame began: the clock moved `value` ms
    Wait,          // a pass of the pause loop began: the clock moved `value` ms
    Read,          // the devices gave `read`
    Quit,          // the run was asked to stop (window closed, signal, nothing left to wait for)
    SpeedFile,     // the speed file was read: the frame step it fixes is `value` (0 or less: measured)
    BadSpeedFile,  // the speed file was there and held no whole number
    Repeat,        // the two steps before it, `value` more times (a pause is thousands of the same two steps)
  };
  Kind kind = Kind::Frame;
  std::int32_t value = 0;
  DeviceRead read;
  bool operator==(const RecordedStep&) const = default;
};

// One step line (without its newline) after the read before it; false when it is not a step or holds a value out
// of its bounds. A read's line says what changed since `lastRead`, which it then becomes.
bool ParseStepLine(std::string_view line, DeviceRead& lastRead, RecordedStep& step);

// The steps as lines, each ending in a newline.
class StepLines {
 public:
  StepLines() = default;
  // Lines already checked by ParseStepLine (and a repeat only after two steps that are none), for walking.
  StepLines(std::string checkedText, std::size_t count) : text_(std::move(checkedText)), count_(count) {}
  // Keeps a step at the end, folding a pair of steps that comes again into a repeat line: [X, Y, X, Y] becomes
  // [X, Y, * 1], and [X, Y, * k, X, Y] becomes [X, Y, * k+1].
  void Append(const RecordedStep& step);
  const std::string& text() const { return text_; }
  std::size_t count() const { return count_; }

 private:
  // The steps from `index` on become one repeat line of `count`.
  void FoldFrom(std::size_t index, std::int32_t count);
  struct Kept {
    RecordedStep step;
    std::size_t offset;  // where its line starts
  };
  std::string text_;
  std::size_t count_ = 0;
  std::vector<Kept> last_;  // the last few steps, as far back as folding looks
  DeviceRead lastRead_;
};

// A walk through StepLines in the order the game read them: a repeat line hands back the two steps before it
// again, as many times as it says.
class StepCursor {
 public:
  // The next step, without taking it; nullptr after the last.
  const RecordedStep* Peek(const StepLines& lines);
  // Takes the step Peek gave.
  void Pass();
  bool AtEnd(const StepLines& lines) const { return unfoldLeft_ == 0 && !ready_ && offset_ >= lines.text().size(); }
  // The line (1-based, among the step lines) the next step comes from.
  std::size_t LineNumber() const { return unfoldLeft_ > 0 ? line_ : line_ + 1; }

 private:
  std::size_t offset_ = 0;  // the line after the step in hand
  std::size_t next_ = 0;    // the line after that
  std::size_t line_ = 0;    // lines passed
  bool ready_ = false;      // `step_` holds the line at offset_
  RecordedStep step_;
  RecordedStep pair_[2];    // the last two steps passed, which a repeat hands back
  std::int64_t unfoldLeft_ = 0;
  DeviceRead lastRead_;
};
