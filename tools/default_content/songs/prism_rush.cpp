// A level song: A minor at a racing 150, square lead and saw plucks over a four-on-the-floor beat.
#include "tools/default_content/songs/default_songs.h"

using namespace score;

Song PrismRushSong() {
  Song song;
  song.fileName = "PrismRush.mid";
  song.title = "Prism Rush";
  song.tempo = 150;
  song.keySharps = 0;
  song.minorKey = true;
  song.band = {.lead = 80, .counter = 9, .arpeggio = 81, .pad = 90, .bass = 39};

  song.sections = {
      {.chords = "Am | F | G | Em | Am | F | G | E",
       .melody = "a4 . c5 . e5 . a5+g5 e5 | f5 . . e5 c5 . a4 . | g4 . b4 . d5 . g5+f5 d5 | e5 . . . b4 . e5 . |"
                 "a5 . e5 . c5 . a5 . | c6 . a5 . f5 . c6+b5 a5 | b5 . g5 . d5 . b5 . | g#5 . . . e5 . b4 .",
       .counter = ""},
      {.chords = "F | G | Am | Am | Dm | G | C | E7",
       .melody = "c6 . . a5 . . f5 . | d6 . . b5 . . g5 . | e6 . d6 c6 b5 . a5 . | e5 . . . - - a5+b5 c6+d6 |"
                 "f6 . e6 d6 a5 . d6 . | b5 . . g5 d5 . g5 . | e6 . d6 c6 g5 . e5 . | g#5 . b5 . e6 . d6 .",
       .counter = ""},
      {.chords = "Dm | Am | F | E | Dm | Am | F | E7",
       .melody = "",
       .counter = "a5 . . . f5 . d5 . | e5 . . . c5 . a4 . | c6 . . . a5 . f5 . | g#5 . . . b5 . e6 . |"
                  "d6 . . . a5 . f5 . | c6 . . . e5 . a5 . | a5 . c6 . f6 . c6 . | b5 . g#5 . e5 . d5 ."},
  };

  song.grooves = {
      {.bass = "R.RR.RR.R.RR8.5.",
       .arpeggio = "0121312101213121",
       .drums = {{Kick, "x...x...x...x..."},
                 {Clap, "....x.......x..."},
                 {ClosedHat, "xx.xxx.xxx.xxx.x"},
                 {OpenHat, "..x...x...x...x."}},
       .fill = {{Kick, "x...x...x.x.x..."}, {Snare, "....x...xxxxXXXX"}}},
      {.bass = "R.......5.......",
       .arpeggio = "0.1.2.3.2.1.2.3.",
       .drums = {{Kick, "x.......x......."}, {ClosedHat, "..x...x...x...x."}},
       .fill = {{Kick, "x...x...x...x..."}, {Snare, "x.x.x.x.xxxxXXXX"}}},
  };

  enum { A, B, Breakdown };
  enum { Drive, Lift };
  song.arrangement = {
      {A, Drive, Bass | Drums | Arpeggio},
      {A, Drive, Lead | Pad | Bass | Drums | Arpeggio},
      {B, Drive, Everything},
      {A, Drive, Everything},
      {Breakdown, Lift, Counter | Pad | Arpeggio | Bass | Drums},
      {B, Drive, Everything},
  };
  return song;
}
