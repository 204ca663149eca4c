// The shipped songs as the build rendered them: one for every song, played at the synthesizer's loudness.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "content/file_io.h"
#include "platform/fluid_songs.h"
#include "platform/music.h"
#include "platform/platform.h"
#include "platform/rendered_songs.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

constexpr int Rate = 48000;
const fs::path ShippedSongs = fs::path(SHARDFALL_DEFAULT_TREE) / "Mus";

Bytes ReadSong(const fs::path& path) {
  Bytes bytes;
  std::string error;
  EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
  return bytes;
}

// `seconds` of a hook's 16-bit stereo output.
template <typename Songs>
std::vector<std::int16_t> Record(Songs& songs, double seconds) {
  std::vector<std::int16_t> out(static_cast<std::size_t>(seconds * Rate) * 2);
  for (std::size_t at = 0; at < out.size(); at += 2048)
    Songs::Mix(&songs, reinterpret_cast<std::uint8_t*>(out.data() + at),
               static_cast<int>(std::min<std::size_t>(2048, out.size() - at) * 2));
  return out;
}

double Loudness(const std::vector<std::int16_t>& samples) {
  double sum = 0;
  for (const std::int16_t s : samples) sum += static_cast<double>(s) * s;
  return 10 * std::log10(sum / static_cast<double>(samples.size()));
}

}  // namespace

TEST(RenderedSongs, EveryShippedSongHasTheRenderingOfItsOwnBytes) {
  int songs = 0;
  for (const auto& entry : fs::directory_iterator(ShippedSongs))
    if (entry.path().extension() == ".mid") {
      ++songs;
      EXPECT_TRUE(fs::exists(RenderedSongPath(entry.path(), ReadSong(entry.path())))) << entry.path();
    }
  EXPECT_GT(songs, 0);
  // One changed byte is another song, which the synthesizer plays.
  Bytes changed = ReadSong(ShippedSongs / "SFSong1.mid");
  changed.back() ^= 1;
  EXPECT_FALSE(fs::exists(RenderedSongPath(ShippedSongs / "SFSong1.mid", changed)));
}

// The menu song's rendering at a song volume's gain is as loud as the synthesizer playing it at that gain, and
// keeps the time it has played until it is halted.
TEST(RenderedSongs, SoundAsTheSynthesizerAtTheSameGainAndKeepTime) {
  const Bytes midi = ReadSong(ShippedSongs / "SFSong1.mid");
  RenderedSongs rendered(Rate);
  ASSERT_TRUE(rendered.Prepare(RenderedSongPath(ShippedSongs / "SFSong1.mid", midi)));
  FluidSongs synthesized(Rate);
  ASSERT_TRUE(synthesized.Prepare(MidiInstruments(midi)));
  for (const float gain : {0.3f, 0.9f}) {
    rendered.SetGain(gain);
    synthesized.SetGain(gain);
    ASSERT_TRUE(rendered.Play());
    ASSERT_TRUE(synthesized.Play(midi));
    const double heard = Loudness(Record(rendered, 4.0)), made = Loudness(Record(synthesized, 4.0));
    EXPECT_NEAR(heard, made, 1.0) << "gain " << gain;
    EXPECT_EQ(rendered.PlayedMs(), 4000);
  }
  rendered.Halt();
  EXPECT_EQ(rendered.PlayedMs(), -1);
  std::vector<std::int16_t> quiet(2048, 7);
  RenderedSongs::Mix(&rendered, reinterpret_cast<std::uint8_t*>(quiet.data()), 4096);
  EXPECT_EQ(quiet, std::vector<std::int16_t>(2048, 7)) << "a halted song writes nothing";
}

// A rendering played to its end has played at least the song's length, then stops by itself.
TEST(RenderedSongs, ARenderingEndsByItself) {
  const Bytes midi = ReadSong(ShippedSongs / "PrismRush.mid");
  RenderedSongs rendered(Rate);
  ASSERT_TRUE(rendered.Prepare(RenderedSongPath(ShippedSongs / "PrismRush.mid", midi)));
  ASSERT_TRUE(rendered.Play());
  std::vector<std::int16_t> block(4096);
  std::int64_t last = 0;
  while (rendered.PlayedMs() >= 0) {
    last = rendered.PlayedMs();
    RenderedSongs::Mix(&rendered, reinterpret_cast<std::uint8_t*>(block.data()), 8192);
  }
  EXPECT_GE(last, MidiLength(midi));
}

TEST(RenderedSongs, AMissingOrDamagedRenderingIsRefused) {
  RenderedSongs rendered(Rate);
  EXPECT_FALSE(rendered.Prepare(ShippedSongs / "Rendered" / "none.opus"));
  EXPECT_FALSE(rendered.Prepare(ShippedSongs / "SFSong1.mid"));
  EXPECT_FALSE(rendered.Play());
}

// The sound card plays a song's rendering when there is one of its bytes, and synthesizes it otherwise; only one
// of the two is held.
TEST(RenderedSongs, TheDevicePlaysTheRenderingInsteadOfSynthesizing) {
  std::unique_ptr<AudioDevice> audio = OpenAudioDevice({});
  if (std::string(audio->Name()) != "SDL_mixer") GTEST_SKIP() << "no SDL audio driver";
  const Bytes midi = ReadSong(ShippedSongs / "SFSong1.mid");
  Music music;
  music.songLength = MidiLength(midi);
  FreshFolder elsewhere;  // the same song where no rendering lies beside it
  const std::size_t fonts = FluidSongs::SoundFontsHeld();
  std::shared_ptr<SongData> song = audio->LoadSong(elsewhere / "SFSong1.mid", midi);
  ASSERT_TRUE(song && audio->PlaySong(*song));
  EXPECT_EQ(FluidSongs::SoundFontsHeld(), fonts + 1);
  EXPECT_TRUE(audio->SongPlaying(music, 0));
  song = audio->LoadSong(ShippedSongs / "SFSong1.mid", midi);
  ASSERT_TRUE(song && audio->PlaySong(*song));
  EXPECT_EQ(FluidSongs::SoundFontsHeld(), fonts);
  EXPECT_TRUE(audio->SongPlaying(music, 0));
  audio->HaltSong();
  EXPECT_FALSE(audio->SongPlaying(music, 0));
}

// What the sound card is given carries the song, synthesized or rendered: SDL's disk driver keeps it in a file.
TEST(RenderedSongs, TheDeviceMixesEitherKindOfSongIntoItsOutput) {
  const Bytes midi = ReadSong(ShippedSongs / "SFSong1.mid");
  FreshFolder folder;
  const std::string driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
  for (const bool rendered : {false, true}) {
    const fs::path output = folder / "output.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    {
      std::unique_ptr<AudioDevice> audio = OpenAudioDevice({});
      ASSERT_EQ(std::string(audio->Name()), "SDL_mixer");
      std::shared_ptr<SongData> song = audio->LoadSong((rendered ? ShippedSongs : folder.path()) / "SFSong1.mid", midi);
      ASSERT_TRUE(song && audio->PlaySong(*song));
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    std::vector<std::int16_t> samples(fs::file_size(output) / 2);
    std::FILE* file = std::fopen(output.c_str(), "rb");
    ASSERT_TRUE(file);
    EXPECT_EQ(std::fread(samples.data(), 2, samples.size(), file), samples.size());
    std::fclose(file);
    int peak = 0;
    for (const std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 1000) << (rendered ? "rendered" : "synthesized");
  }
  if (driver.empty()) unsetenv("SDL_AUDIODRIVER"); else setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
  unsetenv("SDL_DISKAUDIOFILE");
}
