// Song sheets: chords, melodies, bass, arpeggio and drum patterns as text, and their expansion to MIDI.
//
// Notation (all in 4/4):
// - chords: one bar per '|'; a bar may hold two chords, each taking half: "Am | F | Dsus4 D | E7".
//   Names are a root (A..G, '#' or 'b') and a quality: "", m, 7, m7, maj7, sus2, sus4, dim.
// - melodies: eighth-note steps separated by spaces, '|' between bars (checked to hold 8 steps):
//   a note such as c5, f#4 or bb5; "." holds the previous note; "-" rests; "e5+f5" plays two sixteenths.
// - bass and arpeggio patterns: one bar of 16 sixteenth steps, repeated over every bar.
//   Bass: R root, 3 third, 5 fifth, 7 seventh, 8 root an octave up, '.' hold, '-' rest.
//   Arpeggio: a digit picks a chord tone counted upward from the root (0 root, 1 next tone, ...).
// - drum lines: 16 steps per bar, any number of bars; X loud, x normal, o soft, anything else silent.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/default_content/songs/midi_file.h"

namespace score {

// General MIDI percussion keys (channel 10).
enum Drum : int {
  Kick = 36, Rim = 37, Snare = 38, Clap = 39, ClosedHat = 42, LowTom = 45, PedalHat = 44, OpenHat = 46,
  MidTom = 47, HighTom = 50, Crash = 49, Ride = 51, Tambourine = 54, Shaker = 70,
};

struct DrumLine {
  Drum drum = Kick;
  std::string hits;
};

struct Section {
  std::string chords;
  std::string melody;   // empty: the lead rests
  std::string counter;  // empty: the counter voice doubles the melody an octave up when asked to
};

struct Groove {
  std::string bass;
  std::string arpeggio;
  std::vector<DrumLine> drums;
  std::vector<DrumLine> fill;  // replaces `drums` in the last bar of a section; empty: no fill
};

enum Layer : unsigned {
  Lead = 1, Counter = 2, Arpeggio = 4, Pad = 8, Bass = 16, Drums = 32,
  Everything = 63,
};

struct Play {
  int section = 0;
  int groove = 0;
  unsigned layers = Everything;
};

// General MIDI programs (0-based) of the five melodic voices.
struct Band {
  int lead = 0, counter = 0, arpeggio = 0, pad = 0, bass = 0;
};

struct Song {
  std::string fileName;
  std::string title;
  int tempo = 120;       // beats per minute
  int keySharps = 0;     // key signature: sharps (> 0) or flats (< 0)
  bool minorKey = false;
  Band band;
  std::vector<Section> sections;
  std::vector<Groove> grooves;
  std::vector<Play> arrangement;  // played in order; the last bar leads back into the first
};

constexpr int TicksPerQuarter = 480;

// Expands the sheet into a format 1 MIDI file. Throws std::invalid_argument naming the song and the
// place when the notation is malformed.
std::vector<std::uint8_t> RenderSong(const Song& song);

// The MIDI key of a note name such as "c4" (60), "f#5" or "bb3".
int NoteNumber(const std::string& name);

}  // namespace score
