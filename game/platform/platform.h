// Everything the platform layer keeps: display, input, sound, music and text state, and its devices.
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// Screen size of the back buffer; every picture is drawn onto it.
inline constexpr int ScreenWidth = 640;
inline constexpr int ScreenHeight = 480;

// Pixels are RGB565; value 0 is the transparent colour of every copy.
using Pixel = std::uint16_t;

// ---- Display ----

// One picture of the SurfaceTable.
struct Surface {
  std::vector<Pixel> pixels;  // width x height, rows top to bottom; empty once released
  std::string fileName;       // full path it was loaded from (used to reload it)
  bool inUse = false;
  std::int16_t width = 0;
  std::int16_t height = 0;
};
using SurfaceTable = std::vector<Surface>;

// Three channels (red, green, blue) of 256 intensities 0..65535.
using GammaRamp = std::array<std::array<std::uint16_t, 256>, 3>;

// Raster operation of DrawImageRop: destination AND source.
inline constexpr std::int32_t SRCAND = 0x008800C6;

struct VideoDevice;  // the window and its renderer; absent when headless or without a display

struct Display {
  std::vector<Pixel> backBuffer = std::vector<Pixel>(ScreenWidth * ScreenHeight);
  std::vector<Pixel> shownFrame = std::vector<Pixel>(ScreenWidth * ScreenHeight);  // last flipped frame
  SurfaceTable surfaceTable = SurfaceTable(1);
  GammaRamp displayRamp{};  // identity, set at start-up
  GammaRamp workRamp{};
  bool ropAvailable = true;
  bool paceWithoutWindow = false;  // no window could be opened: FlipScreen waits a frame's time instead
  std::shared_ptr<VideoDevice> video;
};

// ---- Input ----

struct MouseState {
  std::int32_t x = 0;  // relative counts since the previous read
  std::int32_t y = 0;
  std::int32_t wheel = 0;
  std::array<std::uint8_t, 4> buttons{};
};

// One line of a --input script.
struct ScriptEvent {
  enum class Kind { Key, Move, Button };
  std::int32_t tick = 0;
  Kind kind = Kind::Key;
  int code = 0;        // Key: scan code; Button: 0 left, 1 right
  bool down = false;   // Key, Button
  std::int32_t dx = 0; // Move
  std::int32_t dy = 0;
};

// Scripted devices: events are applied to this state at the first read whose clock reaches their tick.
struct ScriptedInput {
  bool active = false;
  std::vector<ScriptEvent> events;  // in file order
  std::size_t next = 0;             // first event not yet applied
  std::array<std::uint8_t, 256> keys{};
  MouseState mouse;                 // movement accumulates until the next mouse read
};

struct Input {
  std::array<std::uint8_t, 256> keyState{};
  std::array<bool, 256> keyPressed{};  // indexed by scan code 1..211
  std::array<bool, 256> keyHeld{};
  bool edgeKeys = false;
  MouseState mouseState;
  ScriptedInput script;
};

// ---- Sound effects ----

struct SoundBuffer;  // the mixer's copy of a loaded sound; absent without an audio device

struct SoundSlot {
  std::shared_ptr<SoundBuffer> buffer;
  std::string state = "empty";  // "empty", "Stopped" or "playing"
  std::string fileName;         // "Sfx/" + name, relative to the program folder
  bool halfGuard = false;
  std::int32_t dataLength = 0;  // bytes of the file's "data" chunk
  bool free = true;
  std::int32_t volume = 0;          // attenuation set by SetSoundVolume, hundredths of a decibel
  std::int32_t bytesPerSecond = 0;  // of the file's own format, to time the play position
  std::int32_t startTick = 0;       // tick of the last restart from position 0
  bool started = false;             // played at least once since loading
};
using SoundTable = std::vector<SoundSlot>;

struct AudioDevice;  // the opened mixer; absent when headless or without a sound card

struct Sound {
  std::shared_ptr<AudioDevice> audio;  // first, so it closes after every buffer is gone
  SoundTable soundTable = SoundTable(1);
  std::deque<std::string> soundLog;  // names of the last 200 sounds played, oldest first
};

// ---- Music ----

struct SongData;  // the mixer's loaded song

struct Music {
  bool performanceReady = false;     // start-up created the player (also true for the silent headless player)
  std::shared_ptr<SongData> songSegment;
  std::string songFile;              // name of the loaded song
  std::int32_t songLength = 0;       // ms, from the file's tempo map
  bool songStarted = false;          // songState: started and not stopped since
  std::int32_t songStartTick = 0;
  std::int32_t masterVolume = 0;     // the rule's value: level x 42 - 3000, hundredths of a decibel
  std::deque<std::string> songLog;   // songs started, oldest first (last 200)
};

// ---- Text ----

struct Glyph {
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;
};

struct Text {
  int gameFontImage = -1;  // "font1.bmp" as loaded by the game start
  int menuFontImage = -1;  // "font1.bmp" as loaded by the front-end set-up
};

// ---- The whole layer ----

// Start-up choices from the command line.
struct PlatformOptions {
  bool headless = false;  // no window and no sound device; the clock is virtual
  bool windowed = false;  // a window instead of full screen
  bool noGamma = false;   // run without a gamma ramp (fades become instant)
};

struct Platform {
  PlatformOptions options;
  Display display;
  Input input;
  Sound sound;
  Music music;
  Text text;
  bool quitRequested = false;  // window closed, SIGINT/SIGTERM, or a headless wait that can never end
  int idleWaitPasses = 0;      // waiting passes since the last frame with no scripted event left
};

struct Game;

// The start-up: display, input, pointer, sound, music; each step's failure is ignored.
void InitPlatform(Game& game);
// Releases sound, music, input and display in that order.
void ShutDownPlatform(Game& game);
// One message-pump pass: window events, Alt+Enter, close and signals (which set quitRequested).
void PumpMessages(Game& game);
// One pass of a waiting loop (pause, lost display): pump, then sleep about a millisecond or advance a virtual
// clock. Returns false when the wait can never end (quit requested, or a headless run whose script has had no
// events left for two passes); quitRequested is then set, the caller leaves its loop and the main loop ends.
bool WaitingLoopPass(Game& game);
