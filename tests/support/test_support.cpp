// Scratch folders, default-tree copies, test files made on the spot, and a headless game.
#include "test_support.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "content/bitmap_file.h"
#include "proof/level_maker.h"
#include "shell/start_up.h"

namespace fs = std::filesystem;

TempRoot::TempRoot() {
  for (const char* folder : {"Gfx", "Sfx", "Mus"}) fs::create_directories(path() / folder);
}

void CopyDefaultTreeInto(const fs::path& root) {
  for (const char* folder : {"Gfx", "Sfx", "Mus", "Tls", "Lvl", "Bgd"})
    fs::copy(fs::path(SHARDFALL_DEFAULT_TREE) / folder, root / folder, fs::copy_options::recursive);
}

std::unique_ptr<Game> MakeHeadlessGame(const fs::path& root) {
  auto game = std::make_unique<Game>();
  StartSettings settings;
  settings.folders = SameFolders(root);
  settings.platform.headless = true;
  settings.levelMaker = MakeProvenLevel;
  std::string error;
  StartUp(*game, settings, error);
  return game;
}

TestWindow& UseTestWindowAndPads(Game& game) {
  auto window = std::make_unique<TestWindow>();
  TestWindow& held = *window;
  game.platform.window = std::move(window);
  game.platform.pads = OpenPadDevice();
  game.platform.input.script.active = false;
  return held;
}

void WriteTestBitmap(const fs::path& path, int width, int height,
                     const std::function<std::uint32_t(int, int)>& colourAt) {
  Bitmap bitmap{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.at(x, y) = colourAt(x, y);
  std::string error;
  if (!WriteBitmapFile(path, bitmap, error)) throw std::runtime_error(error);
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

namespace {

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t v, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutBig(std::vector<std::uint8_t>& out, std::uint32_t v, int count) {
  for (int i = count - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutText(std::vector<std::uint8_t>& out, const char* text) { out.insert(out.end(), text, text + 4); }

constexpr std::uint32_t MidiDivision = 96;  // ticks a quarter

}  // namespace

void WriteTestWave(const fs::path& path, std::uint32_t rate, std::uint32_t dataBytes) {
  std::vector<std::uint8_t> out;
  PutText(out, "RIFF");
  PutLittle(out, 36 + dataBytes, 4);
  PutText(out, "WAVE");
  PutText(out, "fmt ");
  PutLittle(out, 16, 4);
  PutLittle(out, 1, 2);     // PCM
  PutLittle(out, 1, 2);     // mono
  PutLittle(out, rate, 4);  // samples per second
  PutLittle(out, rate, 4);  // bytes per second
  PutLittle(out, 1, 2);     // block align
  PutLittle(out, 8, 2);     // bits per sample
  PutText(out, "data");
  PutLittle(out, dataBytes, 4);
  for (std::uint32_t i = 0; i < dataBytes; ++i) out.push_back(static_cast<std::uint8_t>(128 + (i % 16 < 8 ? 20 : -20)));
  WriteBytes(path, out);
}

std::vector<std::uint8_t> MidiOf(std::vector<std::uint8_t> events) {
  events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});  // end of track
  std::vector<std::uint8_t> midi = {'M', 'T', 'h', 'd'};
  PutBig(midi, 6, 4);
  PutBig(midi, 0, 2);
  PutBig(midi, 1, 2);
  PutBig(midi, MidiDivision, 2);
  PutText(midi, "MTrk");
  PutBig(midi, static_cast<std::uint32_t>(events.size()), 4);
  midi.insert(midi.end(), events.begin(), events.end());
  return midi;
}

void WriteTestMidi(const fs::path& path, int quarters, std::uint32_t microsPerQuarter) {
  std::vector<std::uint8_t> track = {0x00, 0xFF, 0x51, 0x03};
  PutBig(track, microsPerQuarter, 3);
  track.insert(track.end(), {0x00, 0x90, 60, 100});  // note on at 0
  std::uint32_t delta = static_cast<std::uint32_t>(quarters) * MidiDivision;
  std::vector<std::uint8_t> quantity;  // variable-length delta
  for (std::uint32_t v = delta;; v >>= 7) {
    quantity.insert(quantity.begin(), static_cast<std::uint8_t>((v & 0x7F) | (quantity.empty() ? 0 : 0x80)));
    if (v < 0x80) break;
  }
  track.insert(track.end(), quantity.begin(), quantity.end());
  track.insert(track.end(), {60, 0});  // note off by running status (velocity 0)
  WriteBytes(path, MidiOf(track));
}

std::string ClicksScript(int clickPeriod, int until) {
  std::ostringstream out;
  for (int tick = clickPeriod; tick < until; tick += clickPeriod)
    out << tick << " button left down\n" << tick + 40 << " button left up\n";
  return out.str();
}

std::string AutopilotScript(int chordTick, int clickPeriod, int until) {
  std::ostringstream out;
  // The chord toggles on every frame in which both keys are down, so it is held for one frame only.
  out << chordTick << " key DIK_A down\n" << chordTick << " key DIK_I down\n";
  out << chordTick + 1 << " key DIK_A up\n" << chordTick + 1 << " key DIK_I up\n";
  return out.str() + ClicksScript(clickPeriod, until);
}
