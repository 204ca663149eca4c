// The loudness of a song as the desktop plays it and as the page plays the build's rendering of it: the RMS level
// over the song's length from its MIDI timing, at full music volume, each clipped as a sound card clips it.
// Usage: shardfall_song_level SONG.mid RENDERED.wav RENDER_GAIN   (the rendering decoded to 32-bit float samples)
// Prints both levels in dBFS; exits 1 when they are more than 1 dB apart.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "content/file_io.h"
#include "platform/fluid_songs.h"
#include "platform/music.h"

namespace {

constexpr int SampleRate = 48000;
constexpr std::int32_t FullMasterVolume = 100 * 42 - 3000;

double Decibels(double sumOfSquares, std::size_t count) { return 10.0 * std::log10(sumOfSquares / count); }

// The desktop's music device: FluidSynth with the song's instruments, 16-bit samples.
double DesktopLevel(const Bytes& midi, std::size_t samples) {
  FluidSongs songs(SampleRate);
  songs.SetGain(SongSynthGain(FullMasterVolume));
  if (!songs.Prepare(MidiInstruments(midi)) || !songs.Play(midi)) return NAN;
  std::vector<std::int16_t> block(2048);
  double sum = 0;
  for (std::size_t done = 0; done < samples; done += block.size()) {
    FluidSongs::Mix(&songs, reinterpret_cast<std::uint8_t*>(block.data()), static_cast<int>(block.size() * 2));
    for (std::size_t i = 0; i < block.size() && done + i < samples; ++i) sum += std::pow(block[i] / 32768.0, 2);
  }
  return Decibels(sum, samples);
}

// The float samples of a wave file (plain or extensible format), interleaved.
bool ReadFloatWave(const Bytes& wave, std::vector<float>& samples) {
  for (std::size_t at = 12; at + 8 <= wave.size();) {
    std::uint32_t size = 0;
    std::memcpy(&size, &wave[at + 4], 4);
    if (std::memcmp(&wave[at], "data", 4) == 0 && size <= wave.size() - at - 8) {
      samples.resize(size / 4);
      std::memcpy(samples.data(), &wave[at + 8], samples.size() * 4);
      return true;
    }
    at += 8 + size + (size & 1);
  }
  return false;
}

// The page: the rendering through the gain the page's sound sets, clipped by the output.
double PageLevel(const std::vector<float>& rendered, double gain, std::size_t samples) {
  double sum = 0;
  for (std::size_t i = 0; i < samples; ++i) {
    const double sample = i < rendered.size() ? std::clamp(rendered[i] * gain, -1.0, 1.0) : 0.0;
    sum += sample * sample;
  }
  return Decibels(sum, samples);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: shardfall_song_level SONG.mid RENDERED.wav RENDER_GAIN\n");
    return 2;
  }
  Bytes midi, wave;
  std::vector<float> rendered;
  std::string error;
  if (!ReadWholeFile(argv[1], midi, error) || !ReadWholeFile(argv[2], wave, error, 1u << 30) ||
      !ReadFloatWave(wave, rendered)) {
    std::fprintf(stderr, "shardfall_song_level: %s\n", error.empty() ? "not a float wave file" : error.c_str());
    return 2;
  }
  const std::size_t samples = static_cast<std::size_t>(MidiLength(midi)) * SampleRate / 1000 * 2;
  const double desktop = DesktopLevel(midi, samples);
  const double page = PageLevel(rendered, SongSynthGain(FullMasterVolume) / std::stod(argv[3]), samples);
  std::printf("%s: desktop %.2f dBFS, page %.2f dBFS\n", argv[1], desktop, page);
  return std::fabs(desktop - page) <= 1.0 ? 0 : 1;
}
