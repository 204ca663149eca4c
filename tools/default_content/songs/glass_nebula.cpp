// A level song: G major at 124, airy calliope lead, music box and vibraphone over a galloping bass.
#include "tools/default_content/songs/default_songs.h"

using namespace score;

Song GlassNebulaSong() {
  Song song;
  song.fileName = "GlassNebula.mid";
  song.title = "Glass Nebula";
  song.tempo = 124;
  song.keySharps = 1;
  song.minorKey = false;
  song.band = {.lead = 82, .counter = 10, .arpeggio = 11, .pad = 88, .bass = 38};

  song.sections = {
      {.chords = "G | D | Em | C | G | D | C | D",
       .melody = "d5 . g5 . b5 . a5 g5 | a5 . . . f#5 . d5 . | e5 . g5 . b5 . . a5 | g5 . e5 . c5 . e5 . |"
                 "d5 . g5 . b5 . d6 . | c6 . . b5 a5 . f#5 . | e5 . g5 . c6 . e6 . | d6 . . . c6 . a5 .",
       .counter = ""},
      {.chords = "Em | C | G | D | Em | C | Am | D",
       .melody = "b5 . . g5 e5 . b5 . | c6 . . g5 e5 . c6 . | d6 . b5 . g5 . d6 . | f#6 . . . e6 . d6 . |"
                 "e6 . d6 . b5 . g5 . | a5 . g5 . e5 . c6 . | c6 . b5 . a5 . e5 . | f#5 . a5 . d6 . c6 .",
       .counter = ""},
      {.chords = "Cmaj7 | D | Bm | Em | Cmaj7 | D | Am7 | D7",
       .melody = "",
       .counter = "e5 . . . g5 . b5 . | a5 . . . f#5 . d5 . | d5 . . . f#5 . b5 . | g5 . . . e5 . b4 . |"
                  "b5 . . . g5 . e5 . | f#5 . . . a5 . d6 . | c6 . . . a5 . e5 . | f#5 . a5 . c6 . d6 ."},
  };

  song.grooves = {
      {.bass = "R..R..R.R..R..5.",
       .arpeggio = "0123123423413012",
       .drums = {{Kick, "x...x...x...x..."},
                 {Snare, "....x.......x..."},
                 {ClosedHat, "..x...x...x...x."},
                 {Shaker, "oooooooooooooooo"}},
       .fill = {{Kick, "x...x...x...x..."}, {Snare, "....x...x.x.xxxx"}, {OpenHat, "..............x."}}},
      {.bass = "R.......R.......",
       .arpeggio = "0.1.2.3.4.3.2.1.",
       .drums = {{Kick, "x.......x......."}, {ClosedHat, "....x.......x..."}},
       .fill = {}},
  };

  enum { A, B, Bridge };
  enum { Gallop, Drift };
  song.arrangement = {
      {A, Drift, Pad | Arpeggio | Bass},
      {A, Gallop, Lead | Pad | Arpeggio | Bass | Drums},
      {B, Gallop, Everything},
      {Bridge, Drift, Counter | Pad | Arpeggio | Bass | Drums},
      {B, Gallop, Everything},
      {A, Gallop, Everything},
  };
  return song;
}
