// A level song: G minor at 136 on a broken beat, punchy synth brass over celesta and an atmosphere pad.
#include "tools/default_content/songs/default_songs.h"

using namespace score;

Song CometTrailSong() {
  Song song;
  song.fileName = "CometTrail.mid";
  song.title = "Comet Trail";
  song.tempo = 136;
  song.keySharps = -2;
  song.minorKey = true;
  song.band = {.lead = 62, .counter = 8, .arpeggio = 99, .pad = 91, .bass = 38};

  song.sections = {
      {.chords = "Gm | Eb | Bb | F | Gm | Eb | Cm | D",
       .melody = "g5 . d5 . g5 . bb5 a5 | g5 . . . eb5 . bb4 . | f5 . bb5 . d6 . c6 bb5 | c6 . . . a5 . f5 . |"
                 "g5 . bb5 . d6 . g6 . | f6 . eb6 . bb5 . g5 . | eb6 . d6 . c6 . g5 . | f#5 . a5 . d6 . c6 .",
       .counter = ""},
      {.chords = "Cm | D | Gm | Gm | Eb | F | D | D7",
       .melody = "c6 . eb6 . g6 . eb6 . | d6 . . a5 f#5 . a5 . | bb5 . a5 . g5 . d5 . | g5 . . . - - bb5+c6 d6 |"
                 "eb6 . d6 . bb5 . g5 . | a5 . c6 . f6 . eb6 . | d6 . . . a5 . f#5 . | c6 . a5 . f#5 . d5 .",
       .counter = ""},
      {.chords = "Eb | F | Dm | Gm | Eb | F | Cm | D",
       .melody = "",
       .counter = "bb5 . . . g5 . eb5 . | c6 . . . a5 . f5 . | a5 . . . f5 . d5 . | d6 . . . bb5 . g5 . |"
                  "g6 . . . eb6 . bb5 . | f6 . . . c6 . a5 . | eb6 . . . c6 . g5 . | f#5 . a5 . d6 . f#6 ."},
  };

  song.grooves = {
      {.bass = "R.-R.-R-8.-R.-5-",
       .arpeggio = "0212021202120212",
       .drums = {{Kick, "x.....x.x.....x."},
                 {Snare, "....x.......x..."},
                 {Rim, "..o.......o....."},
                 {ClosedHat, "x.x.x.x.x.x.x.x."}},
       .fill = {{Kick, "x.....x.x......."}, {Snare, "....x...x.oxXxXX"}, {HighTom, "..x...x........."}}},
      {.bass = "R.......R.......",
       .arpeggio = "0.2.1.3.2.4.3.1.",
       .drums = {{Kick, "x.......x......."}, {Ride, "o.o.o.o.o.o.o.o."}},
       .fill = {}},
  };

  enum { A, B, Bridge };
  enum { Broken, Float };
  song.arrangement = {
      {A, Float, Pad | Arpeggio | Bass | Drums},
      {A, Broken, Lead | Pad | Arpeggio | Bass | Drums},
      {B, Broken, Everything},
      {Bridge, Float, Counter | Pad | Arpeggio | Bass},
      {A, Broken, Everything},
      {B, Broken, Everything},
  };
  return song;
}
