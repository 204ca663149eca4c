// The menu theme: E minor, unhurried but bright, a saw lead over celesta and crystal arpeggios.
#include "tools/default_content/songs/default_songs.h"

using namespace score;

Song MenuThemeSong() {
  Song song;
  song.fileName = "SFSong1.mid";
  song.title = "Shardfall";
  song.tempo = 116;
  song.keySharps = 1;
  song.minorKey = true;
  song.band = {.lead = 81, .counter = 8, .arpeggio = 98, .pad = 89, .bass = 38};

  song.sections = {
      {.chords = "Em | C | G | D | Em | C | Am | B7",
       .melody = "b4 . e5 . g5 . f#5 e5 | g5 . . . e5 . c5 . | d5 . g5 . b5 . a5 g5 | a5 . . . f#5 . - . |"
                 "b4 . e5 . g5 . b5 . | c6 . b5 . g5 . e5 . | a5 . g5 . e5 . c5 . | d#5 . . . f#5 . b4 .",
       .counter = ""},
      {.chords = "C | D | Bm | Em | Am | D | G | B7",
       .melody = "g5 . e5 . g5 . c6 . | a5 . . f#5 a5 . d6 . | b5 . a5 . f#5 . d5 . | e5 . . . . . - - |"
                 "c6 . b5 . a5 . e5 . | f#5 . a5 . d6 . c6 . | b5 . . a5 g5 . d5 . | f#5 . d#5 . b4 . - .",
       .counter = ""},
      {.chords = "Am | Em | C | G | Am | Em | C | D",
       .melody = "",
       .counter = "e5 . . . a5 . . . | g5 . . . b5 . . . | c6 . . . g5 . . . | d6 . . . b5 . . . |"
                  "c6 . . . e6 . . . | b5 . . . g5 . . . | e5 . g5 . c6 . e6 . | f#6 . . . . . - ."},
  };

  song.grooves = {
      {.bass = "R..R..5.R..8..5.",
       .arpeggio = "0123210301232103",
       .drums = {{Kick, "x.......x.x....."},
                 {Snare, "....x.......x..."},
                 {ClosedHat, "x.x.x.x.x.x.x..."},
                 {OpenHat, "..............x."}},
       .fill = {{Kick, "x.......x......."},
                {Snare, "....x.......oxXX"},
                {HighTom, "........x.x....."},
                {ClosedHat, "x.x.x.x........."}}},
      {.bass = "R...............",
       .arpeggio = "0.1.2.3.4.3.2.1.",
       .drums = {{Kick, "x..............."}, {Ride, "o.o.o.o.o.o.o.o."}},
       .fill = {}},
  };

  enum { A, B, Breakdown };
  enum { Main, Calm };
  song.arrangement = {
      {A, Main, Pad | Arpeggio | Bass},
      {A, Main, Everything & ~Counter},
      {B, Main, Everything},
      {Breakdown, Calm, Counter | Pad | Arpeggio | Bass | Drums},
      {A, Main, Everything},
      {B, Main, Everything},
  };
  return song;
}
