// A level song: C minor at 140 in half time, heavy and wide, with celesta glinting over a sweep pad.
#include "tools/default_content/songs/default_songs.h"

using namespace score;

Song StarShardsSong() {
  Song song;
  song.fileName = "StarShards.mid";
  song.title = "Star Shards";
  song.tempo = 140;
  song.keySharps = -3;
  song.minorKey = true;
  song.band = {.lead = 87, .counter = 9, .arpeggio = 8, .pad = 95, .bass = 39};

  song.sections = {
      {.chords = "Cm | Ab | Eb | Bb | Cm | Ab | Fm | G",
       .melody = "c5 . eb5 . g5 . c6 . | c6 . . bb5 ab5 . eb5 . | g5 . bb5 . eb6 . d6 . | d6 . . . bb5 . f5 . |"
                 "g5 . . c6 . . g5 eb5 | ab5 . c6 . eb6 . c6 . | ab5 . g5 . f5 . c5 . | b4 . d5 . g5 . b5 .",
       .counter = ""},
      {.chords = "Ab | Bb | Gm | Cm | Ab | Bb | G | G7",
       .melody = "eb6 . c6 . ab5 . c6 . | d6 . bb5 . f5 . bb5 . | bb5 . . g5 d5 . g5 . | c6 . . . . . g5+ab5 bb5 |"
                 "c6 . eb6 . c6 . ab5 . | bb5 . d6 . f6 . d6 . | d6 . b5 . g5 . d5 . | f5 . . . d5 . b4 .",
       .counter = ""},
      {.chords = "Fm | Cm | Ab | G | Fm | Cm | Db | G",
       .melody = "",
       .counter = "ab5 . . . c6 . . . | g5 . . . eb5 . . . | c6 . . . eb6 . . . | d6 . . . b5 . . . |"
                  "f6 . . . c6 . . . | eb6 . . . g5 . . . | f5 . ab5 . db6 . f6 . | d6 . . . b5 . g5 ."},
  };

  song.grooves = {
      {.bass = "R.....R.R...5.8.",
       .arpeggio = "0.21.32.0.21.34.",
       .drums = {{Kick, "x.........x.x..."},
                 {Snare, "........X......."},
                 {ClosedHat, "x.x.x.x.x.x.x.x."},
                 {Shaker, "oxoxoxoxoxoxoxox"}},
       .fill = {{Kick, "x.........x....."}, {Snare, "........X..o.oxx"}, {HighTom, "....x.x........."}}},
      {.bass = "R...............",
       .arpeggio = "0...1...2...3...",
       .drums = {{Kick, "x..............."}, {Ride, "o...o...o...o..."}},
       .fill = {{Kick, "x..............."}, {Snare, "........o.o.xxXX"}}},
  };

  enum { A, B, Bridge };
  enum { Heavy, Open };
  song.arrangement = {
      {A, Open, Pad | Arpeggio | Bass | Drums},
      {A, Heavy, Lead | Pad | Arpeggio | Bass | Drums},
      {B, Heavy, Everything},
      {Bridge, Open, Counter | Pad | Arpeggio | Bass | Drums},
      {A, Heavy, Everything},
      {B, Heavy, Everything},
  };
  return song;
}
