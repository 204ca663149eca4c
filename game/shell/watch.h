// Watching a score table's game from the High Scores screen: its recording replayed within the run, which then
// goes back to the table as it was.
#pragma once

struct Game;

// Before a frame: the front end has been left to watch a game (recorder.watchFile); its replay starts here. A
// recording that cannot be replayed sends the run back to the table with a note saying why.
void BeginWatchIfAsked(Game& game);
// After a frame: a watched game whose replay is over (played through, or stopped by the viewer) gives the run back
// what it had and returns to the table, with a note saying whether the game verified.
void EndWatchIfOver(Game& game);
