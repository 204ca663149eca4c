// A level song: F-sharp dorian at 128, a funky octave bass and syncopated crystal plucks.
#include "tools/default_content/songs/default_songs.h"

using namespace score;

Song NeonOrbitSong() {
  Song song;
  song.fileName = "NeonOrbit.mid";
  song.title = "Neon Orbit";
  song.tempo = 128;
  song.keySharps = 3;
  song.minorKey = true;
  song.band = {.lead = 84, .counter = 11, .arpeggio = 98, .pad = 94, .bass = 38};

  song.sections = {
      {.chords = "F#m | B | F#m | B | D | E | F#m | C#7",
       .melody = "f#5 . a5 . c#6 . . b5 | a5 . f#5 . d#5 . f#5 . | - . c#5 . f#5 . a5 . | b5 . a5 . d#5 . . . |"
                 "f#5 . a5 . d6 . c#6 . | b5 . g#5 . e5 . g#5 . | a5 . . f#5 c#5 . f#5 . | f5 . g#5 . b5 . c#6 .",
       .counter = ""},
      {.chords = "D | E | C#m | F#m | D | E | C#m | C#7",
       .melody = "a5 . . . f#5 . d5 . | g#5 . . . e5 . b4 . | c#5 . e5 . g#5 . c#6 . | a5 . . . . . f#5+g#5 a5 |"
                 "b5 . a5 . f#5 . d6 . | c#6 . b5 . g#5 . e6 . | e6 . . c#6 g#5 . e5 . | f5 . g#5 . b5 . f5+f#5 g#5",
       .counter = ""},
      {.chords = "Bm | C#m | D | E | Bm | C#m | D | C#7",
       .melody = "",
       .counter = "f#5 . . . d5 . b4 . | e5 . . . c#5 . g#4 . | a5 . . . f#5 . d5 . | b5 . . . g#5 . e5 . |"
                  "d6 . . . b5 . f#5 . | e6 . . . c#6 . g#5 . | f#6 . e6 . d6 . a5 . | g#5 . . . f5 . . ."},
  };

  song.grooves = {
      {.bass = "R.-8R-8-R.-8R-58",
       .arpeggio = "0-20-31-0-20-31-",
       .drums = {{Kick, "x.....x...x....."},
                 {Snare, "....x.......x..."},
                 {ClosedHat, "x.xxx.xxx.xxx.xx"},
                 {Tambourine, "....x.......x..."}},
       .fill = {{Kick, "x.....x...x....."}, {Snare, "....x..o.oxoxxXX"}, {ClosedHat, "x.x.x.x........."}}},
      {.bass = "R.......R...5...",
       .arpeggio = "0.1.2.3.4.3.2.1.",
       .drums = {{Kick, "x.........x....."}, {Ride, "x.o.x.o.x.o.x.o."}},
       .fill = {}},
  };

  enum { A, B, Bridge };
  enum { Funk, Float };
  song.arrangement = {
      {A, Float, Pad | Arpeggio | Bass | Drums},
      {A, Funk, Lead | Pad | Arpeggio | Bass | Drums},
      {B, Funk, Everything},
      {Bridge, Float, Counter | Pad | Arpeggio | Bass | Drums},
      {A, Funk, Everything},
      {B, Funk, Everything},
  };
  return song;
}
