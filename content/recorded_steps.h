// What a recording holds of a game, step by step: the clock's ticks, the devices' reads, quits and the speed file.
#pragma once
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <vector>

// One read of the keyboard, mouse and gamepad, as the game got it.
struct DeviceRead {
  std::bitset<256> keys;                // scan codes held
  bool mousePresent = true;             // false: the read found no mouse
  std::int32_t mouseX = 0, mouseY = 0;  // counts since the previous read
  std::uint8_t mouseButtons = 0;        // bit 0 left, bit 1 right
  bool padConnected = false;
  std::uint16_t padButtons = 0;         // one bit per pad button, in the game's order of them
  std::int16_t stickX = 0, stickY = 0;  // the left stick, -32768 .. 32767
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

// Keeps a step at the end of `steps`, folding a pair of steps that comes again into a Repeat.
void AppendStep(std::vector<RecordedStep>& steps, const RecordedStep& step);
// True when a Repeat at `index` has two steps before it that are no Repeat, and a count of one or more.
bool RepeatFits(const std::vector<RecordedStep>& steps, std::size_t index);
