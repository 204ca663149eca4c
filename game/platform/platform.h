// Everything the platform layer keeps: display, input, sound, music and text state, and the devices behind them.
#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "content/file_io.h"
#include "content/recorded_steps.h"

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
  std::int16_t leastWidth = 0;   // a smaller picture is repeated across and down at each load until it is not
  std::int16_t leastHeight = 0;
  bool inUse = false;
  std::int16_t width = 0;
  std::int16_t height = 0;
};
using SurfaceTable = std::vector<Surface>;

// Three channels (red, green, blue) of 256 intensities 0..65535.
using GammaRamp = std::array<std::array<std::uint16_t, 256>, 3>;

// Raster operation of DrawImageRop: destination AND source.
inline constexpr std::int32_t SRCAND = 0x008800C6;

struct Display {
  std::vector<Pixel> backBuffer = std::vector<Pixel>(ScreenWidth * ScreenHeight);
  std::vector<Pixel> shownFrame = std::vector<Pixel>(ScreenWidth * ScreenHeight);  // last flipped frame
  std::array<bool, ScreenHeight> changedRows{};  // rows the last flip changed in shownFrame
  SurfaceTable surfaceTable = SurfaceTable(1);
  GammaRamp displayRamp{};  // identity, set at start-up
  GammaRamp workRamp{};
  bool ropAvailable = true;
};

// ---- Input ----

struct MouseState {
  std::int32_t x = 0;  // relative counts since the previous read
  std::int32_t y = 0;
  std::array<std::uint8_t, 4> buttons{};
};

// The gamepad's buttons, in the order of the bits of PadState::buttons (and of recordings: append only).
enum class PadButton : int { A, B, X, Y, Back, Start, Up, Down, Left, Right, Count };
static_assert(static_cast<int>(PadButton::Count) == RecordedPadButtons, "a recording holds every pad button");

// Every connected gamepad read as one: buttons held by any, the left stick tilted furthest.
struct PadState {
  bool connected = false;
  std::uint16_t buttons = 0;  // bit n: PadButton n held
  std::int16_t stickX = 0;    // -32768 (left) .. 32767 (right)
  std::int16_t stickY = 0;    // -32768 (up) .. 32767 (down)
};

constexpr std::uint16_t PadBit(PadButton button) { return static_cast<std::uint16_t>(1u << static_cast<int>(button)); }
inline bool PadHeld(const PadState& pad, PadButton button) { return (pad.buttons & PadBit(button)) != 0; }

// One line of a --input script.
struct ScriptEvent {
  enum class Kind { Key, Move, Button, Pad, Stick, Focus };
  std::int32_t tick = 0;
  Kind kind = Kind::Key;
  int code = 0;        // Key: scan code; Button: 0 left, 1 right; Pad: PadButton
  bool down = false;   // Key, Button, Pad; Focus: gained
  std::int32_t dx = 0; // Move: counts; Stick: tilt
  std::int32_t dy = 0;
};

// Scripted devices: events are applied to this state at the first read whose clock reaches their tick.
struct ScriptedInput {
  bool active = false;
  std::vector<ScriptEvent> events;  // in file order
  std::size_t next = 0;             // first event not yet applied
  std::array<std::uint8_t, 256> keys{};
  MouseState mouse;                 // movement accumulates until the next mouse read
  PadState pad;                     // connected from the script's first pad or stick event
  bool focused = true;
};

using KeyStates = std::array<std::uint8_t, 256>;  // by scan code; 0x80 = down

// A key or pad button the player chose, read as the one the game knows (`standsFor`); `chosen` 0 for a key or -1
// for a button: none, the one the game knows is then not read at all.
struct Rebinding {
  int chosen;
  int standsFor;
};
struct InputBindings {
  std::vector<Rebinding> keys;        // scan codes; not while a name is typed, where keys type their letters
  std::vector<Rebinding> padButtons;  // PadButton numbers
};

struct Input {
  KeyStates keyState{};  // the keys of the last read, with what the gamepad stands for in the current mode
  std::array<bool, 256> keyPressed{};  // indexed by scan code 1..211
  std::array<bool, 256> keyHeld{};
  bool edgeKeys = false;
  MouseState mouseState;
  bool mousePresent = false;          // the last read found a mouse
  PadState pad;                       // the gamepad at the last read
  bool focused = true;                // the window had the keyboard's focus at the last read
  bool pointerHeld = false;           // the window holds the pointer (relative mouse mode)
  std::uint16_t previousPadButtons = 0;  // its buttons at the read before
  ScriptedInput script;
  InputBindings bindings;  // none: every key and button is read as itself
  DeviceRead unbound;      // the last read of the devices before the bindings, to choose new ones from
};

// ---- Recording and replay ----

// The keys of the one watching a replay, read from the devices (or a script) apart from what the recording hands
// the game: Esc (or the right mouse button) stops the replay, P pauses and resumes it.
struct ReplayViewer {
  bool paused = false;
  bool stopped = false;           // Esc, the window closed or a signal: the replay ends before its recording does
  bool stoppedByKey = false;      // the viewer's stop key (or button) ended it, not the window or a signal
  bool stopHeld = false;          // the keys as at the last look, so that holding one acts once
  bool pauseHeld = false;
  std::int64_t pausedMs = 0;      // time spent paused, which a script's ticks count as well
  std::int64_t clockOffset = 0;   // the viewer's clock minus the replay's (a game watched within a run)
};

// What the game read, in order: the clock's ticks, the devices' reads, quit requests and the speed file. While
// recording, each is kept as it is read; while replaying, each is handed back in the same order instead.
struct Tape {
  enum class Mode { Off, Recording, Replaying };
  Mode mode = Mode::Off;
  StepLines steps;
  StepCursor cursor;        // replaying: the step to hand back next
  std::string divergence;   // replaying: where the game asked for something the recording does not hold there
  DeviceRead lastRead;      // replaying: what a read gives once the game has gone another way
  bool paced = false;       // replaying in a window: the ticks are shown in real time from here
  std::chrono::steady_clock::time_point paceStart;
  std::int32_t paceTick = 0;
  ReplayViewer viewer;
};

// ---- Sound effects ----

// A device's copy of a loaded sound; each audio device keeps its own kind.
struct SoundBuffer {
  virtual ~SoundBuffer() = default;
};

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

struct Sound {
  SoundTable soundTable = SoundTable(1);
  bool muted = false;  // silent while the window is without the focus
  std::deque<std::string> soundLog;  // names of the last 200 sounds played, oldest first
};

// ---- Music ----

// A device's loaded song.
struct SongData {
  virtual ~SongData() = default;
};

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

// ---- Devices ----

// A window's place on the desktop when it is not full screen, and whether it is.
struct WindowPlace {
  int x = -1, y = -1;          // -1: centred
  int width = 0, height = 0;   // 0: the game's own size
  bool fullScreen = true;      // the desktop's own mode, on the display the window is on
  bool operator==(const WindowPlace&) const = default;
};

// The window with its keyboard and mouse. The platform asks it, never which one it is.
class WindowDevice {
 public:
  virtual ~WindowDevice() = default;
  // Puts the last flipped frame on the screen through the display's work ramp: its changed rows, or all of it
  // when the screen no longer shows it as it is; nothing when nothing changed. At most once per display refresh:
  // first waits out what is left of the refresh. True when a frame went to the screen.
  virtual bool Present(const Display& display) = 0;
  // A new work ramp: a frame that is not redrawn takes it at the next waiting pass.
  virtual void TakeRamp(const GammaRamp& ramp) = 0;
  // Shows the last flipped frame again when the screen no longer shows it as it is (a new ramp, a window resized
  // or uncovered); true when it went to the screen.
  virtual bool PresentIfStale(const Display& display) = 0;
  // The sleep of one waiting-loop pass: until the next display refresh.
  virtual void WaitForRefresh() = 0;
  // Minimised or hidden.
  virtual bool TakenAway() const = 0;
  // Window events: Alt+Enter toggles full screen, closing sets quitRequested.
  virtual void PumpEvents(bool& quitRequested) = 0;
  // The keys held now, by scan code.
  virtual KeyStates ReadKeys() = 0;
  // Relative counts and buttons since the last read; false when there is no mouse.
  virtual bool ReadMouse(MouseState& state) = 0;
  // Raw relative counts with the pointer kept inside the window, or the pointer given back.
  virtual void CaptureMouse(bool captured) = 0;
  // The window has the keyboard's focus.
  virtual bool Focused() const { return true; }
  // Full screen or a window, and the picture filling the screen or in whole-pixel steps with its aspect kept.
  virtual void ShowAs(bool, bool) {}
  // Where the window is now; nothing without a window.
  virtual std::optional<WindowPlace> Place() const { return std::nullopt; }
};

// Every gamepad plugged in, found again at each read, so pads come and go at any time.
class PadDevice {
 public:
  virtual ~PadDevice() = default;
  virtual PadState ReadPads() = 0;
};

// The sound card: effects in numbered channels (one per slot) and one song.
class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  virtual const char* Name() const = 0;
  // The device's copy of a wave file; nullptr when the device cannot take it.
  virtual std::shared_ptr<SoundBuffer> LoadSound(const Bytes& wave) = 0;
  // Plays the buffer in the slot's own channel from its start; false when the device refuses.
  virtual bool PlaySound(int slot, SoundBuffer& buffer, std::int32_t attenuation) = 0;
  // Changes the volume of the slot's channel while it plays.
  virtual void SetSoundVolume(int slot, std::int32_t attenuation) = 0;
  virtual void HaltSound(int slot) = 0;
  virtual void HaltAllSounds() = 0;
  // Takes the song file's bytes; nullptr when the device cannot take them.
  virtual std::shared_ptr<SongData> LoadSong(const std::filesystem::path& file, Bytes midi) = 0;
  virtual bool PlaySong(SongData& song) = 0;
  virtual void HaltSong() = 0;
  virtual bool SongPlaying(const Music& music, std::int32_t now) const = 0;
  virtual void SetSongVolume(std::int32_t masterVolume) = 0;
  // Silences everything it plays, which keeps playing and keeping time, or lets it be heard again.
  virtual void Mute(bool) {}
};

// No window: nothing is shown and no key or mouse is read. `pace` waits a frame's time at each present, for a
// machine whose window could not be opened.
std::unique_ptr<WindowDevice> NoWindowDevice(bool pace = false);
// No sound card: sounds and songs load, play and keep time on the game's clock in silence.
std::unique_ptr<AudioDevice> NoAudioDevice();
// No gamepad, ever.
std::unique_ptr<PadDevice> NoPadDevice();

// ---- The whole layer ----

// Start-up choices from the command line.
struct PlatformOptions {
  bool headless = false;  // no window and no sound device; the clock is virtual
  bool windowed = false;  // a window whatever `place` says
  WindowPlace place;      // where the window opens
  bool fill = false;      // the picture fills the screen; else whole-pixel steps with its aspect kept
  bool noGamma = false;   // run without a gamma ramp (fades become instant)
  bool drawNothing = false;  // no picture is drawn or shown: a run that only needs the outcome (a level's proof)
};

// The SDL window (or none when headless or when it cannot be opened, then paced) and mixer (or none).
std::unique_ptr<WindowDevice> OpenWindowDevice(const PlatformOptions& options);
std::unique_ptr<AudioDevice> OpenAudioDevice(const PlatformOptions& options);
// SDL's game controllers (or none when they cannot be started); a start-up takes them unless headless.
std::unique_ptr<PadDevice> OpenPadDevice();
// Lets the device library go once every device is closed.
void CloseDeviceLibrary();

// Each frame's end, for the footprint benchmark: with SHARDFALL_FRAME_STATS=FILE in the environment, FILE gets one
// line "NS SHOWN" per frame at shut-down (CLOCK_REALTIME; SHOWN 1 when it went to the screen, 0 when it was skipped
// as identical to the one shown). Each frame of the main loop and each waiting pass counts.
struct FrameStats {
  std::string file;  // empty: nothing is counted
  std::vector<std::int64_t> frames;  // ns x 2, plus 1 when shown
};

struct Platform {
  PlatformOptions options;
  // The devices come first, so they close after every picture, sound and song is gone.
  std::unique_ptr<WindowDevice> window = NoWindowDevice();
  std::unique_ptr<AudioDevice> audio = NoAudioDevice();
  std::unique_ptr<PadDevice> pads = NoPadDevice();
  Display display;
  Input input;
  Sound sound;
  Music music;
  Text text;
  FrameStats frameStats;
  Tape tape;
  bool quitRequested = false;  // window closed, SIGINT/SIGTERM, or a headless wait that can never end
  int idleWaitPasses = 0;      // waiting passes since the last frame with no scripted event left
};

struct Clock;

// Counts one frame, shown or skipped (when asked for).
void NoteFrame(FrameStats& stats, bool shown);

// The start-up: display, input, sound, music; a device that cannot be opened leaves its part silent or dark.
void InitPlatform(Platform& platform);
// The end of a mode: frees every sound, stops the song (switching musicOn off when there is none) and drops every
// picture's pixels, whose slots stay until the next reset.
void ReleaseModeAssets(Platform& platform, bool& musicOn);
// Releases sound, music, input and display in that order.
void ShutDownPlatform(Platform& platform);
// One message-pump pass: window events, Alt+Enter, close and signals (which request the quit, and stop a
// replay), and a quit the replayed recording holds here.
void PumpMessages(Platform& platform);
// Window events and signals only; true when the window was closed or a signal came.
bool PumpWindowEvents(Platform& platform);
// Sets quitRequested (kept by a recording): the main loop ends after this frame.
void RequestQuit(Platform& platform);
// Full screen or a window, filled or in whole-pixel steps, at once (the Options screens' choice).
void ApplyDisplaySettings(Platform& platform, bool fullScreen, bool fill);
// One pass of a wait that reads nothing (the lost display): pump, then sleep until the next display refresh; the game's
// clock stays. False once a quit is requested.
bool IdlePass(Platform& platform);
// One pass of the pause loop: pump, then the clock's next tick (at the next display refresh, or a virtual step).
// Returns false when the wait can never end (quit requested, or a headless run whose script has had no events
// left for two passes); quitRequested is then set, the caller leaves its loop and the main loop ends.
bool WaitingLoopPass(Platform& platform, Clock& clock);
