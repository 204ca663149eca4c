// Songs load only their instruments: the SoundFont reduced to the zones a song's keys reach, and the same sound.
#include <gtest/gtest.h>

#include <fluidsynth.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "platform/fluid_songs.h"
#include "platform/soundfont_subset.h"
#include "test_support.h"

namespace {

// A zone over keys low..high reaching `target` (an instrument from a preset, a sample from an instrument), or a
// global zone when target is -1.
struct Zone {
  int low, high, target;
};
struct Preset {
  int bank, program;
  std::vector<Zone> zones;
};

// Little-endian; a field wider than four bytes is zeros above them.
void Put(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(i < 4 ? static_cast<std::uint8_t>(value >> (8 * i)) : 0);
}
void PutChunk(Bytes& out, const char* id, const Bytes& content) {
  out.insert(out.end(), id, id + 4);
  Put(out, static_cast<std::uint32_t>(content.size()), 4);
  out.insert(out.end(), content.begin(), content.end());
}
void PutName(Bytes& out, std::size_t length) { out.insert(out.end(), length, 'x'); }

// Bags and generators of a list of zones: key range first, the target last, as the format orders them.
void PutZones(const std::vector<Zone>& zones, std::uint16_t targetGenerator, Bytes& bags, Bytes& generators,
              int& bagCount, int& generatorCount) {
  for (const Zone& zone : zones) {
    Put(bags, static_cast<std::uint32_t>(generatorCount), 2);
    Put(bags, 0, 2);
    ++bagCount;
    Put(generators, 43, 2);
    generators.push_back(static_cast<std::uint8_t>(zone.low));
    generators.push_back(static_cast<std::uint8_t>(zone.high));
    ++generatorCount;
    if (zone.target < 0) continue;
    Put(generators, targetGenerator, 2);
    Put(generators, static_cast<std::uint32_t>(zone.target), 2);
    ++generatorCount;
  }
}

// A SoundFont 2 file: its presets, its instruments (as lists of zones) and `samples` samples of 32 frames.
Bytes SoundFontOf(const std::vector<Preset>& presets, const std::vector<std::vector<Zone>>& instruments, int samples) {
  Bytes phdr, pbag, pgen, inst, ibag, igen, shdr, smpl;
  int bags = 0, generators = 0;
  for (const Preset& preset : presets) {
    PutName(phdr, 20);
    Put(phdr, static_cast<std::uint32_t>(preset.program), 2);
    Put(phdr, static_cast<std::uint32_t>(preset.bank), 2);
    Put(phdr, static_cast<std::uint32_t>(bags), 2);
    Put(phdr, 0, 12);
    PutZones(preset.zones, 41, pbag, pgen, bags, generators);
  }
  PutName(phdr, 24), Put(phdr, static_cast<std::uint32_t>(bags), 2), Put(phdr, 0, 12);
  Put(pbag, static_cast<std::uint32_t>(generators), 2), Put(pbag, 0, 2), Put(pgen, 0, 4);
  bags = generators = 0;
  for (const std::vector<Zone>& zones : instruments) {
    PutName(inst, 20);
    Put(inst, static_cast<std::uint32_t>(bags), 2);
    PutZones(zones, 53, ibag, igen, bags, generators);
  }
  PutName(inst, 20), Put(inst, static_cast<std::uint32_t>(bags), 2);
  Put(ibag, static_cast<std::uint32_t>(generators), 2), Put(ibag, 0, 2), Put(igen, 0, 4);
  for (int s = 0; s <= samples; ++s) {
    PutName(shdr, 20);
    const std::uint32_t start = static_cast<std::uint32_t>(s) * 80;
    for (std::uint32_t value : {start, start + 32, start + 8, start + 24, 44100u}) Put(shdr, value, 4);
    Put(shdr, 60, 1), Put(shdr, 0, 1), Put(shdr, 0, 2), Put(shdr, s < samples ? 1 : 0, 2);
  }
  for (int s = 0; s < samples; ++s) {
    for (int frame = 0; frame < 32; ++frame) Put(smpl, static_cast<std::uint32_t>(s * 1000 + frame * 20), 2);
    Put(smpl, 0, 96);  // 46 frames of silence after each sample, as the format asks
  }
  Bytes info{'I', 'N', 'F', 'O'}, sdta{'s', 'd', 't', 'a'}, pdta{'p', 'd', 't', 'a'}, riff{'s', 'f', 'b', 'k'};
  PutChunk(info, "ifil", {2, 0, 1, 0});
  PutChunk(sdta, "smpl", smpl);
  Bytes pmod(10, 0), imod(10, 0);
  for (auto [id, list] : {std::pair{"phdr", &phdr}, {"pbag", &pbag}, {"pmod", &pmod}, {"pgen", &pgen},
                          {"inst", &inst}, {"ibag", &ibag}, {"imod", &imod}, {"igen", &igen}, {"shdr", &shdr}})
    PutChunk(pdta, id, *list);
  for (const Bytes* list : {&info, &sdta, &pdta}) PutChunk(riff, "LIST", *list);
  Bytes file;
  PutChunk(file, "RIFF", riff);
  return file;
}

// Presets (bank, program), and for each instrument the samples of its zones (-1 for a global zone), as a file
// holds them.
struct Contents {
  std::vector<std::pair<int, int>> presets;
  std::vector<int> presetInstruments;
  std::vector<std::vector<int>> instruments;
};

Contents ContentsOf(const Bytes& file) {
  std::map<std::string, Bytes> lists;
  const char list[] = "pdta";
  const std::size_t pdta = std::search(file.begin(), file.end(), list, list + 4) - file.begin();
  for (std::size_t at = pdta + 4; at + 8 <= file.size();) {
    std::uint32_t length = file[at + 4] | file[at + 5] << 8 | file[at + 6] << 16;
    lists[std::string(&file[at], &file[at] + 4)] = Bytes(&file[at + 8], &file[at + 8] + length);
    at += 8 + length;
  }
  auto u16 = [](const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; };
  Contents contents;
  for (std::size_t p = 0; p + 38 < lists["phdr"].size(); p += 38)
    contents.presets.push_back({u16(lists["phdr"], p + 22), u16(lists["phdr"], p + 20)});
  for (std::size_t g = 0; g + 4 < lists["pgen"].size(); g += 4)
    if (u16(lists["pgen"], g) == 41) contents.presetInstruments.push_back(u16(lists["pgen"], g + 2));
  const Bytes &inst = lists["inst"], &ibag = lists["ibag"], &igen = lists["igen"];
  for (std::size_t i = 0; i + 22 < inst.size(); i += 22) {
    std::vector<int> zones;
    for (int zone = u16(inst, i + 20); zone < u16(inst, i + 42); ++zone) {
      int sample = -1;
      for (int g = u16(ibag, zone * 4); g < u16(ibag, zone * 4 + 4); ++g)
        if (u16(igen, g * 4) == 53) sample = u16(igen, g * 4 + 2);
      zones.push_back(sample);
    }
    contents.instruments.push_back(zones);
  }
  return contents;
}

MidiInstrument Wanted(int bank, int program, std::initializer_list<int> keys) {
  MidiInstrument instrument{bank, program, {}};
  for (int key : keys) instrument.keys.set(key);
  return instrument;
}

class SoundFontSubsetTest : public ::testing::Test {
 protected:
  TempRoot root;
  std::filesystem::path file = root.path() / "test.sf2";
  // Piano 0:0 over instrument 0 (a global zone, keys 0-59 on sample 0, 60-127 on sample 1), program 5 over
  // instrument 1 (sample 2), and the kit 128:0 over instrument 2 (a zone for key 36 and one for key 38).
  void SetUp() override {
    WriteBytes(file, SoundFontOf({{0, 0, {{0, 127, 0}}}, {0, 5, {{0, 127, 1}}}, {128, 0, {{0, 127, 2}}}},
                                 {{{0, 127, -1}, {0, 59, 0}, {60, 127, 1}}, {{0, 127, 2}}, {{36, 36, 3}, {38, 38, 4}}},
                                 5));
  }
  Bytes Whole(const SoundFontSubset& subset) {
    Bytes bytes(subset.Size());
    std::ifstream original(subset.original, std::ios::binary);
    EXPECT_TRUE(subset.Read(original, 0, bytes.data(), bytes.size()));
    return bytes;
  }
};

TEST_F(SoundFontSubsetTest, KeepsTheSongsPresetsAndOnlyTheZonesItsKeysReach) {
  SoundFontSubset subset;
  std::string error;
  ASSERT_TRUE(MakeSoundFontSubset(file, {Wanted(0, 0, {64, 70}), Wanted(128, 0, {38})}, subset, error)) << error;
  const Contents contents = ContentsOf(Whole(subset));
  EXPECT_EQ(contents.presets, (std::vector<std::pair<int, int>>{{0, 0}, {128, 0}}));
  EXPECT_EQ(contents.presetInstruments, (std::vector<int>{0, 1}));  // renumbered
  EXPECT_EQ(contents.instruments, (std::vector<std::vector<int>>{{-1, 1}, {4}}));
  // The sample data is the original's, read in place.
  const Bytes original = [&] {
    Bytes bytes;
    ReadWholeFile(file, bytes, error);
    return bytes;
  }();
  const Bytes reduced = Whole(subset);
  EXPECT_TRUE(std::equal(reduced.begin() + static_cast<std::ptrdiff_t>(subset.head.size()),
                         reduced.begin() + static_cast<std::ptrdiff_t>(subset.head.size() + subset.dataLength),
                         original.begin() + static_cast<std::ptrdiff_t>(subset.dataOffset)));
}

TEST_F(SoundFontSubsetTest, MissingInstrumentsFallBackAsFluidSynthDoes) {
  SoundFontSubset subset;
  std::string error;
  ASSERT_TRUE(MakeSoundFontSubset(file, {Wanted(3, 5, {60}), Wanted(0, 9, {60}), Wanted(128, 7, {36})}, subset, error));
  EXPECT_EQ(ContentsOf(Whole(subset)).presets, (std::vector<std::pair<int, int>>{{0, 0}, {0, 5}, {128, 0}}));
}

TEST_F(SoundFontSubsetTest, RefusesDamagedFiles) {
  Bytes bytes;
  std::string error;
  ReadWholeFile(file, bytes, error);
  SoundFontSubset subset;
  for (std::size_t cut : {std::size_t{11}, std::size_t{200}, bytes.size() - 30}) {
    WriteBytes(file, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
    EXPECT_FALSE(MakeSoundFontSubset(file, {Wanted(0, 0, {60})}, subset, error)) << cut;
  }
  EXPECT_FALSE(MakeSoundFontSubset(root.path() / "missing.sf2", {}, subset, error));

  // No sample list at all, and a last preset zone whose generators start past the generator list.
  const auto find = [](Bytes& in, const char* id) { return std::search(in.begin(), in.end(), id, id + 4); };
  Bytes noSamples = bytes, pastTheEnd = bytes;
  find(noSamples, "sdta")[3] = 'X';
  ++*(find(pastTheEnd, "pmod") - 4);  // the terminal bag's first generator, one further
  for (const Bytes& damaged : {noSamples, pastTheEnd}) {
    WriteBytes(file, damaged);
    error.clear();
    EXPECT_FALSE(MakeSoundFontSubset(file, {}, subset, error));
    EXPECT_NE(error.find("damaged SoundFont"), std::string::npos) << error;
  }
}

// The system's General MIDI SoundFont renders a song from its reduced form sample for sample as from the whole.
TEST(FluidSongs, PlayASongAsTheWholeSoundFontWould) {
  const Bytes midi = MidiOf({0, 0xC0, 48, 0, 0x90, 60, 100, 0, 0x90, 67, 90,        // strings, two keys
                             0, 0xC1, 33, 0, 0x91, 36, 110,                         // bass
                             0, 0x99, 38, 120, 96, 0x80, 60, 0, 96, 0x99, 42, 100});  // a snare, then a hi-hat
  FluidSongs songs(44100);
  ASSERT_TRUE(songs.Prepare(MidiInstruments(midi)));
  ASSERT_TRUE(songs.Play(midi));
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid_settings_setint(settings, "synth.lock-memory", 0);
  fluid_settings_setint(settings, "synth.polyphony", 128);
  fluid_settings_setint(settings, "player.reset-synth", 0);
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_synth_t* synth = new_fluid_synth(settings);
  ASSERT_NE(fluid_synth_sfload(synth, SHARDFALL_SOUNDFONT, 0), FLUID_FAILED);
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add_mem(player, midi.data(), midi.size());
  fluid_player_play(player);
  std::vector<std::int16_t> reduced(2048), whole(2048);
  int sounding = 0, differing = 0;
  for (int block = 0; block < 60; ++block) {  // 1.4 s
    std::fill(reduced.begin(), reduced.end(), 0);
    FluidSongs::Mix(&songs, reinterpret_cast<std::uint8_t*>(reduced.data()), 4096);
    fluid_synth_write_s16(synth, 1024, whole.data(), 0, 2, whole.data(), 1, 2);
    for (std::size_t i = 0; i < whole.size(); ++i) sounding += whole[i] != 0, differing += reduced[i] != whole[i];
  }
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  EXPECT_GT(sounding, 100000);
  EXPECT_EQ(differing, 0);
}

// Each level's song replaces the last one's SoundFont in memory; none is left once the songs are gone.
TEST(FluidSongs, KeepOneSoundFontAtATime) {
  const Bytes midi = MidiOf({0, 0xC0, 48, 0, 0x90, 60, 100, 96, 0x80, 60, 0});
  const std::size_t before = FluidSongs::SoundFontsHeld();
  {
    FluidSongs songs(44100);
    for (int song = 0; song < 3; ++song) ASSERT_TRUE(songs.Prepare(MidiInstruments(midi)));
    EXPECT_EQ(FluidSongs::SoundFontsHeld(), before + 1);
  }
  EXPECT_EQ(FluidSongs::SoundFontsHeld(), before);
}

// A song that leaves a channel silent at its end (expression 0) sounds again when it starts over.
TEST(FluidSongs, ASongStartsOverWithItsControllersReset) {
  const Bytes midi = MidiOf({0, 0xC0, 48, 0, 0x90, 60, 100, 96, 0xB0, 11, 0});
  FluidSongs songs(44100);
  ASSERT_TRUE(songs.Prepare(MidiInstruments(midi)));
  std::vector<std::int16_t> block(2048);
  auto loudest = [&](int blocks) {
    int peak = 0;
    for (int i = 0; i < blocks; ++i) {
      std::fill(block.begin(), block.end(), 0);
      FluidSongs::Mix(&songs, reinterpret_cast<std::uint8_t*>(block.data()), 4096);
      for (const std::int16_t sample : block) peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
  };
  for (int start = 0; start < 2; ++start) {
    ASSERT_TRUE(songs.Play(midi));
    EXPECT_GT(loudest(8), 1000) << "start " << start;  // 0.2 s, before the expression falls
    loudest(30);
  }
}

}  // namespace
