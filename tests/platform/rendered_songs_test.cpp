// The shipped songs as the build rendered them: one for every song, played at the synthesizer's loudness.
#include <gtest/gtest.h>

#include <cmath>
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
