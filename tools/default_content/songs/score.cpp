// Song sheets: chords, melodies, bass, arpeggio and drum patterns as text, and their expansion to MIDI.
#include "tools/default_content/songs/score.h"

#include <cctype>
#include <map>
#include <sstream>
#include <stdexcept>

namespace score {
namespace {

constexpr int StepTicks = TicksPerQuarter / 4;  // one sixteenth
constexpr int BarSteps = 16;

enum Channel { LeadChannel = 0, CounterChannel = 1, ArpeggioChannel = 2, PadChannel = 3, BassChannel = 4,
               DrumChannel = 9 };

struct Chord {
  int root = 0;             // pitch class
  std::vector<int> tones;   // semitones above the root, ascending, starting with 0
};

// One bar of sixteenth steps: each slot starts a note (its text), holds ("."), or rests ("-").
using Grid = std::vector<std::string>;

struct Span {
  int start;   // step within the grid
  int length;  // in steps
  std::string what;
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
  throw std::invalid_argument(where + ": " + what);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

int PitchClass(char letter) {
  static const std::map<char, int> classes = {{'c', 0}, {'d', 2}, {'e', 4}, {'f', 5}, {'g', 7}, {'a', 9}, {'b', 11}};
  const auto it = classes.find(static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
  return it == classes.end() ? -1 : it->second;
}

Chord ParseChord(const std::string& name, const std::string& where) {
  static const std::map<std::string, std::vector<int>> qualities = {
      {"", {0, 4, 7}},         {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},  {"m7", {0, 3, 7, 10}},
      {"maj7", {0, 4, 7, 11}}, {"sus2", {0, 2, 7}},     {"sus4", {0, 5, 7}},   {"dim", {0, 3, 6}},
  };
  if (name.empty() || !std::isupper(static_cast<unsigned char>(name[0])) || PitchClass(name[0]) < 0) {
    fail(where, "bad chord '" + name + "'");
  }
  int root = PitchClass(name[0]);
  std::size_t used = 1;
  if (used < name.size() && (name[used] == '#' || name[used] == 'b')) root += name[used++] == '#' ? 1 : -1;
  const auto quality = qualities.find(name.substr(used));
  if (quality == qualities.end()) fail(where, "bad chord '" + name + "'");
  return {(root + 12) % 12, quality->second};
}

// The chord sounding at each sixteenth step of the section.
std::vector<Chord> ChordSteps(const std::string& chords, const std::string& where) {
  std::vector<Chord> steps;
  for (const std::string& bar : Split(chords, '|')) {
    const std::vector<std::string> names = Words(bar);
    if (names.empty() || names.size() > 2 || BarSteps % names.size() != 0) fail(where, "a bar needs one or two chords");
    for (const std::string& name : names) {
      const Chord chord = ParseChord(name, where);
      steps.insert(steps.end(), BarSteps / names.size(), chord);
    }
  }
  return steps;
}

// Eighth-note melody text to a sixteenth grid.
Grid MelodyGrid(const std::string& melody, const std::string& where) {
  Grid grid;
  int bar = 1;
  for (const std::string& barText : Split(melody, '|')) {
    const std::vector<std::string> steps = Words(barText);
    if (steps.size() != 8) fail(where, "melody bar " + std::to_string(bar) + " has " + std::to_string(steps.size()) +
                                           " eighths, not 8");
    for (const std::string& step : steps) {
      const auto plus = step.find('+');
      if (plus != std::string::npos) {
        grid.push_back(step.substr(0, plus));
        grid.push_back(step.substr(plus + 1));
      } else {
        grid.push_back(step);
        grid.push_back(step == "-" ? "-" : ".");
      }
    }
    ++bar;
  }
  return grid;
}

Grid PatternGrid(const std::string& pattern, const std::string& where) {
  if (pattern.size() != BarSteps) fail(where, "pattern '" + pattern + "' is not 16 steps");
  Grid grid;
  for (char c : pattern) grid.emplace_back(1, c);
  return grid;
}

std::vector<Span> Spans(const Grid& grid) {
  std::vector<Span> out;
  bool sounding = false;
  for (int i = 0; i < static_cast<int>(grid.size()); ++i) {
    const std::string& slot = grid[static_cast<std::size_t>(i)];
    if (slot == ".") {
      if (sounding) ++out.back().length;
    } else if (slot == "-") {
      sounding = false;
    } else {
      out.push_back({i, 1, slot});
      sounding = true;
    }
  }
  return out;
}

int PlaceInRange(int pitchClassValue, int lowest) { return lowest + ((pitchClassValue - lowest) % 12 + 12) % 12; }

int ChordTone(const Chord& chord, int index, int lowest) {
  const int n = static_cast<int>(chord.tones.size());
  return PlaceInRange(chord.root, lowest) + chord.tones[static_cast<std::size_t>(index % n)] + 12 * (index / n);
}

int BassNote(const Chord& chord, char symbol, const std::string& where) {
  const int root = PlaceInRange(chord.root, 33);  // A1 .. G#2
  const auto tone = [&](std::size_t i, int fallback) { return i < chord.tones.size() ? chord.tones[i] : fallback; };
  switch (symbol) {
    case 'R': return root;
    case '3': return root + tone(1, 4);
    case '5': return root + tone(2, 7);
    case '7': return root + tone(3, 10);
    case '8': return root + 12;
  }
  fail(where, std::string("bad bass step '") + symbol + "'");
}

int DrumVelocity(char hit) { return hit == 'X' ? 118 : hit == 'x' ? 96 : hit == 'o' ? 62 : 0; }

class Renderer {
 public:
  explicit Renderer(const Song& song) : song_(song) {}

  std::vector<std::uint8_t> render() {
    setUpTracks();
    std::uint32_t bar = 0;
    for (std::size_t i = 0; i < song_.arrangement.size(); ++i) {
      bar += playEntry(song_.arrangement[i], bar, song_.fileName + " part " + std::to_string(i + 1));
    }
    return EncodeMidiFile(tracks_, TicksPerQuarter, bar * BarSteps * StepTicks);
  }

 private:
  void setUpTracks() {
    const auto micros = static_cast<std::uint32_t>(60'000'000 / song_.tempo);
    MidiTrack conductor{song_.title, {}};
    conductor.meta(0, 0x51, {static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                             static_cast<std::uint8_t>(micros)});
    conductor.meta(0, 0x58, {4, 2, 24, 8});
    conductor.meta(0, 0x59, {static_cast<std::uint8_t>(static_cast<std::int8_t>(song_.keySharps)),
                             static_cast<std::uint8_t>(song_.minorKey ? 1 : 0)});
    tracks_.push_back(conductor);
    // name, channel, program, volume, pan, reverb, chorus
    addVoice("Lead", LeadChannel, song_.band.lead, 100, 64, 50, 20);
    addVoice("Counter", CounterChannel, song_.band.counter, 78, 88, 80, 30);
    addVoice("Arpeggio", ArpeggioChannel, song_.band.arpeggio, 76, 40, 70, 40);
    addVoice("Pad", PadChannel, song_.band.pad, 82, 64, 90, 60);
    addVoice("Bass", BassChannel, song_.band.bass, 104, 64, 10, 0);
    addVoice("Drums", DrumChannel, 0, 100, 64, 30, 0);
  }

  void addVoice(const std::string& name, int channel, int program, int volume, int pan, int reverb, int chorus) {
    MidiTrack t{name, {}};
    t.program(0, channel, program);
    t.controller(0, channel, 7, volume);
    t.controller(0, channel, 10, pan);
    t.controller(0, channel, 91, reverb);
    t.controller(0, channel, 93, chorus);
    tracks_.push_back(t);
  }

  MidiTrack& track(int channel) {
    const std::size_t index = channel == DrumChannel ? 6 : static_cast<std::size_t>(channel) + 1;
    return tracks_[index];
  }

  void note(int channel, std::uint32_t startStep, double lengthSteps, int key, int velocity) {
    const auto on = startStep * StepTicks;
    const auto off = on + static_cast<std::uint32_t>(lengthSteps * StepTicks);
    track(channel).noteOn(on, channel, key, velocity);
    track(channel).noteOff(off, channel, key);
  }

  // Plays one arrangement entry from `bar`; returns its length in bars.
  std::uint32_t playEntry(const Play& play, std::uint32_t bar, const std::string& where) {
    if (play.section < 0 || play.section >= static_cast<int>(song_.sections.size())) fail(where, "no such section");
    if (play.groove < 0 || play.groove >= static_cast<int>(song_.grooves.size())) fail(where, "no such groove");
    const Section& section = song_.sections[static_cast<std::size_t>(play.section)];
    const Groove& groove = song_.grooves[static_cast<std::size_t>(play.groove)];
    const std::vector<Chord> chords = ChordSteps(section.chords, where);
    const auto bars = static_cast<std::uint32_t>(chords.size() / BarSteps);
    const std::uint32_t start = bar * BarSteps;

    if (play.layers & Lead) playMelody(section.melody, bars, start, LeadChannel, 0, 0, where);
    if (play.layers & Counter) {
      if (!section.counter.empty()) playMelody(section.counter, bars, start, CounterChannel, 0, -14, where);
      else playMelody(section.melody, bars, start, CounterChannel, 12, -26, where);
    }
    if (play.layers & Pad) playPad(chords, start);
    if (play.layers & Arpeggio) playArpeggio(groove.arpeggio, chords, start, where);
    if (play.layers & Bass) playBass(groove.bass, chords, start, where);
    if (play.layers & Drums) playDrums(groove, bars, start, where);
    return bars;
  }

  void playMelody(const std::string& melody, std::uint32_t bars, std::uint32_t start, int channel, int transpose,
                  int velocityOffset, const std::string& where) {
    if (melody.empty()) return;
    const Grid grid = MelodyGrid(melody, where);
    if (grid.size() != bars * BarSteps) fail(where, "melody and chords differ in length");
    for (const Span& s : Spans(grid)) {
      const int accent = s.start % BarSteps == 0 ? 104 : s.start % 4 == 0 ? 98 : 88;
      int key = 0;
      try {
        key = NoteNumber(s.what);
      } catch (const std::invalid_argument& e) {
        fail(where, e.what());
      }
      note(channel, start + static_cast<std::uint32_t>(s.start), s.length - 0.1, key + transpose, accent + velocityOffset);
    }
  }

  void playPad(const std::vector<Chord>& chords, std::uint32_t start) {
    std::size_t from = 0;
    for (std::size_t i = 1; i <= chords.size(); ++i) {
      const bool changes = i == chords.size() || chords[i].root != chords[from].root ||
                           chords[i].tones != chords[from].tones || i % BarSteps == 0;
      if (!changes) continue;
      for (int k = 0; k < static_cast<int>(chords[from].tones.size()); ++k) {
        note(PadChannel, start + static_cast<std::uint32_t>(from), static_cast<double>(i - from) - 0.05,
             ChordTone(chords[from], k, 53), 58);
      }
      from = i;
    }
  }

  void playArpeggio(const std::string& pattern, const std::vector<Chord>& chords, std::uint32_t start,
                    const std::string& where) {
    const Grid grid = PatternGrid(pattern, where);
    for (std::size_t bar = 0; bar < chords.size() / BarSteps; ++bar) {
      for (const Span& s : Spans(grid)) {
        if (!std::isdigit(static_cast<unsigned char>(s.what[0]))) fail(where, "bad arpeggio step '" + s.what + "'");
        const std::size_t step = bar * BarSteps + static_cast<std::size_t>(s.start);
        note(ArpeggioChannel, start + static_cast<std::uint32_t>(step), s.length - 0.3,
             ChordTone(chords[step], s.what[0] - '0', 64), s.start % 4 == 0 ? 80 : 68);
      }
    }
  }

  void playBass(const std::string& pattern, const std::vector<Chord>& chords, std::uint32_t start,
                const std::string& where) {
    const Grid grid = PatternGrid(pattern, where);
    for (std::size_t bar = 0; bar < chords.size() / BarSteps; ++bar) {
      for (const Span& s : Spans(grid)) {
        const std::size_t step = bar * BarSteps + static_cast<std::size_t>(s.start);
        note(BassChannel, start + static_cast<std::uint32_t>(step), s.length - 0.2,
             BassNote(chords[step], s.what[0], where), s.start % 4 == 0 ? 108 : 92);
      }
    }
  }

  void playDrums(const Groove& groove, std::uint32_t bars, std::uint32_t start, const std::string& where) {
    note(DrumChannel, start, 1, Crash, 110);
    for (std::uint32_t bar = 0; bar < bars; ++bar) {
      const bool last = bar + 1 == bars;
      const auto& lines = last && !groove.fill.empty() ? groove.fill : groove.drums;
      for (const DrumLine& line : lines) {
        if (line.hits.empty() || line.hits.size() % BarSteps != 0) fail(where, "drum line is not whole bars");
        const std::size_t lineBars = line.hits.size() / BarSteps;
        const std::size_t offset = (bar % lineBars) * BarSteps;
        for (std::size_t step = 0; step < BarSteps; ++step) {
          const int velocity = DrumVelocity(line.hits[offset + step]);
          if (velocity > 0) note(DrumChannel, start + bar * BarSteps + static_cast<std::uint32_t>(step), 0.5, line.drum,
                                 velocity);
        }
      }
    }
  }

  const Song& song_;
  std::vector<MidiTrack> tracks_;
};

}  // namespace

int NoteNumber(const std::string& name) {
  const int letter = name.empty() ? -1 : PitchClass(name[0]);
  std::size_t used = 1;
  int shift = 0;
  // A 'b' after the letter is a flat only when something (the octave) follows it.
  while (used < name.size() && (name[used] == '#' || (name[used] == 'b' && used + 1 < name.size()))) {
    shift += name[used++] == '#' ? 1 : -1;
  }
  if (letter < 0 || used + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[used]))) {
    throw std::invalid_argument("bad note '" + name + "'");
  }
  return (name[used] - '0' + 1) * 12 + letter + shift;
}

std::vector<std::uint8_t> RenderSong(const Song& song) {
  if (song.tempo <= 0) fail(song.fileName, "tempo must be positive");
  return Renderer(song).render();
}

}  // namespace score
