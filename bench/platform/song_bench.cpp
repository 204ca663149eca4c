// Memory for a song: the peak while a large standard MIDI file is read, handed to the audio device and started
// (SDL's dummy driver stands in for a sound card), beside the size of the file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/music.h"
#include "platform/platform.h"

namespace {

void PutBig(Bytes& out, std::uint32_t value, int count) {
  for (int i = count - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// One track of `events` events: notes switched on and off by running status, three bytes an event, as dense as
// a song's channel events come, then the end of the track. Written in place, so that making it costs no more
// than the song itself.
Bytes DenseSong(std::size_t events) {
  Bytes midi = {'M', 'T', 'h', 'd'};
  PutBig(midi, 6, 4);
  PutBig(midi, 0, 2);
  PutBig(midi, 1, 2);
  PutBig(midi, 96, 2);
  const std::uint32_t trackLength = static_cast<std::uint32_t>(3 * events + 2);
  midi.reserve(midi.size() + 8 + trackLength);
  midi.insert(midi.end(), {'M', 'T', 'r', 'k'});
  PutBig(midi, trackLength, 4);
  midi.insert(midi.end(), {0x00, 0x90, 60, 100});
  for (std::size_t i = 2; i < events; ++i) midi.insert(midi.end(), {0x00, 60, static_cast<std::uint8_t>(i % 2 * 100)});
  midi.insert(midi.end(), {0x00, 0xFF, 0x2F, 0x00});
  return midi;
}

// As LoadSong and PlaySong take a song, from its bytes on.
void BM_LargeSongPeakMemory(benchmark::State& state) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 0);
  const Bytes midi = DenseSong(static_cast<std::size_t>(state.range(0)));
  Platform platform;
  platform.audio = OpenAudioDevice({});
  bool accepted = false;
  for (auto _ : state) {
    const bool timed = MidiLength(midi) >= 0;
    std::shared_ptr<SongData> song = timed ? platform.audio->LoadSong("dense.mid", midi) : nullptr;
    accepted = song && platform.audio->PlaySong(*song);
    // The synthesizer's player reads the song as it renders its first buffers.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    platform.audio->HaltSong();
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["song_MB"] = static_cast<double>(midi.size()) / (1 << 20);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.counters["accepted"] = accepted;
  state.SetLabel(platform.audio->Name());
}
// The longest song the game takes, then 60 MB of events; the peak is the process's, so the larger comes second.
BENCHMARK(BM_LargeSongPeakMemory)->Arg(MaxSongEvents)->Arg(20'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
