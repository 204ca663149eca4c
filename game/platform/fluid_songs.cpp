// General MIDI songs through FluidSynth into SDL_mixer's music hook, with only the song's instruments in memory.
#include "platform/fluid_songs.h"

#include <fluidsynth.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "platform/soundfont_subset.h"

namespace {

constexpr int MidiChannels = 16;
constexpr int ResetAllControllers = 121;

// FluidSynth opens a SoundFont by name, also later to read samples, and its file callbacks carry nothing of
// ours: the reduced SoundFonts are found by the names they are registered under.
class SubsetFiles {
 public:
  static std::string Register(std::shared_ptr<const SoundFontSubset> subset) {
    std::lock_guard guard(lock_);
    std::string name = "shardfall-song-" + std::to_string(++count_) + ".sf2";
    files_[name] = std::move(subset);
    return name;
  }
  static void Forget(const std::string& name) {
    std::lock_guard guard(lock_);
    files_.erase(name);
  }
  static std::size_t Count() {
    std::lock_guard guard(lock_);
    return files_.size();
  }
  static std::shared_ptr<const SoundFontSubset> Find(const char* name) {
    std::lock_guard guard(lock_);
    auto found = files_.find(name);
    return found == files_.end() ? nullptr : found->second;
  }

 private:
  static inline std::mutex lock_;
  static inline std::map<std::string, std::shared_ptr<const SoundFontSubset>> files_;
  static inline int count_ = 0;
};

struct OpenSubset {
  std::shared_ptr<const SoundFontSubset> subset;
  std::ifstream original;
  std::uint64_t position = 0;
};

OpenSubset& Opened(void* handle) { return *static_cast<OpenSubset*>(handle); }

void* OpenSubsetFile(const char* name) {
  std::shared_ptr<const SoundFontSubset> subset = SubsetFiles::Find(name);
  if (!subset) return nullptr;
  auto* file = new OpenSubset{subset, std::ifstream(subset->original, std::ios::binary), 0};
  if (file->original) return file;
  delete file;
  return nullptr;
}

int ReadSubsetFile(void* buffer, fluid_long_long_t count, void* handle) {
  OpenSubset& file = Opened(handle);
  if (count < 0 || !file.subset->Read(file.original, file.position, static_cast<std::uint8_t*>(buffer),
                                      static_cast<std::uint64_t>(count)))
    return FLUID_FAILED;
  file.position += static_cast<std::uint64_t>(count);
  return FLUID_OK;
}

int SeekSubsetFile(void* handle, fluid_long_long_t offset, int origin) {
  OpenSubset& file = Opened(handle);
  const auto size = static_cast<fluid_long_long_t>(file.subset->Size());
  const fluid_long_long_t base =
      origin == SEEK_SET ? 0 : origin == SEEK_CUR ? static_cast<fluid_long_long_t>(file.position) : size;
  if (base + offset < 0 || base + offset > size) return FLUID_FAILED;
  file.position = static_cast<std::uint64_t>(base + offset);
  return FLUID_OK;
}

fluid_long_long_t TellSubsetFile(void* handle) { return static_cast<fluid_long_long_t>(Opened(handle).position); }

int CloseSubsetFile(void* handle) {
  delete &Opened(handle);
  return FLUID_OK;
}

}  // namespace

// One song's synthesizer with its reduced SoundFont, and the player while the song plays.
struct SongSynth {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;
  std::string fontName;

  ~SongSynth() {
    if (player) delete_fluid_player(player);
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
    if (!fontName.empty()) SubsetFiles::Forget(fontName);
  }

  bool Start(int sampleRate, float gain, std::shared_ptr<const SoundFontSubset> subset) {
    settings = new_fluid_settings();
    if (!settings) return false;
    fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
    // Samples load when an instrument is pinned, not the whole sample data with the SoundFont.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    // Half FluidSynth's default: the songs' long release tails run up to 200 voices, and what the quietest of
    // them add is 40 dB below the music, at a quarter of the synthesizer's work.
    fluid_settings_setint(settings, "synth.polyphony", 128);
    // A reset would select the default instruments, which the reduced SoundFont does not hold; Play resets the
    // controllers instead and the song selects its own instruments.
    fluid_settings_setint(settings, "player.reset-synth", 0);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    synth = new_fluid_synth(settings);
    fluid_sfloader_t* loader = synth ? new_fluid_defsfloader(settings) : nullptr;
    if (!loader) return false;
    fluid_sfloader_set_callbacks(loader, OpenSubsetFile, ReadSubsetFile, SeekSubsetFile, TellSubsetFile,
                                 CloseSubsetFile);
    fluid_synth_add_sfloader(synth, loader);
    fontName = SubsetFiles::Register(subset);
    const int font = fluid_synth_sfload(synth, fontName.c_str(), 0);
    if (font == FLUID_FAILED) return false;
    for (const MidiInstrument& preset : subset->presets)
      if (fluid_synth_pin_preset(synth, font, preset.bank, preset.program) != FLUID_OK) return false;
    fluid_synth_set_gain(synth, gain);
    return true;
  }
};

FluidSongs::FluidSongs(int sampleRate) : sampleRate_(sampleRate) {}

FluidSongs::~FluidSongs() {
  std::lock_guard guard(lock_);
  synth_.reset();
}

void FluidSongs::Release() {
  std::lock_guard guard(lock_);
  synth_.reset();
}

bool FluidSongs::Prepare(const std::vector<MidiInstrument>& instruments) {
  Release();  // the last song's synthesizer goes first, so the two never take memory together
  auto subset = std::make_shared<SoundFontSubset>();
  std::string error;
  if (!MakeSoundFontSubset(SHARDFALL_SOUNDFONT, instruments, *subset, error)) return false;
  auto synth = std::make_unique<SongSynth>();
  if (!synth->Start(sampleRate_, gain_, std::move(subset))) return false;
  std::lock_guard guard(lock_);
  synth_ = std::move(synth);
  return true;
}

bool FluidSongs::Play(const Bytes& midi) {
  std::lock_guard guard(lock_);
  if (!synth_) return false;
  StopPlayer();
  fluid_synth_t* synth = synth_->synth;
  for (int channel = 0; channel < MidiChannels; ++channel) fluid_synth_cc(synth, channel, ResetAllControllers, 0);
  fluid_player_t*& player = synth_->player;
  player = new_fluid_player(synth);
  if (player && fluid_player_add_mem(player, midi.data(), midi.size()) == FLUID_OK &&
      fluid_player_play(player) == FLUID_OK)
    return true;
  StopPlayer();
  return false;
}

std::size_t FluidSongs::SoundFontsHeld() { return SubsetFiles::Count(); }

void FluidSongs::Halt() {
  std::lock_guard guard(lock_);
  StopPlayer();
}

bool FluidSongs::Playing() const {
  return synth_ && synth_->player && fluid_player_get_status(synth_->player) == FLUID_PLAYER_PLAYING;
}

void FluidSongs::SetGain(float gain) {
  gain_ = gain;
  if (synth_) fluid_synth_set_gain(synth_->synth, gain);
}

void FluidSongs::StopPlayer() {
  if (!synth_ || !synth_->player) return;
  fluid_player_stop(synth_->player);
  delete_fluid_player(synth_->player);
  synth_->player = nullptr;
  fluid_synth_all_sounds_off(synth_->synth, -1);
}

void FluidSongs::Mix(void* songs, std::uint8_t* stream, int length) {
  auto& self = *static_cast<FluidSongs*>(songs);
  std::unique_lock guard(self.lock_, std::try_to_lock);
  if (!guard.owns_lock() || !self.synth_ || !self.synth_->player) return;
  fluid_synth_write_s16(self.synth_->synth, length / 4, stream, 0, 2, stream, 1, 2);
}
