// Recorded games: where a game begins and ends in the frame loop, writing its recording, and a replay's checks
// and start.
#pragma once
#include <filesystem>
#include <string>

#include "content/data_folders.h"
#include "content/recording_file.h"

struct Game;

// Before a frame's clock: a game whose first frame this is begins with a fresh world and a seed of its own (drawn
// from the run's random numbers, or the recorded one when replaying); its recording starts when one is asked for.
void BeginGameIfStarting(Game& game);
// After a frame: a game that handed back to the front end in it is over, and its recording is written.
void EndGameIfOver(Game& game);
// The loop has ended: a game still running is written as far as it went.
void FinishRecording(Game& game);

// Where the game is: the clock, the level, the score, and whether it has handed back to the menus.
RecordedEnd GameEndNow(const Game& game);
// The version of Shardfall a recording names; a replay needs the same.
const std::string& ProgramVersion();
// Reads a recording made by this version and finds its level set, files and songs unchanged in the folders (its
// levelSet then names the set's file there); `error` names the file and says why it cannot be replayed.
bool PrepareReplay(const DataFolders& folders, const std::filesystem::path& file, Recording& recording,
                   std::string& error);
// The level files, tilesets and songs the recording names, found unchanged where this game reads them (its
// levelSetPath and folders set); `error` names the first that is not.
bool CheckRecordedFiles(const Game& game, const Recording& recording, std::string& error);
// The game the recording holds starts on the next frame, and every tick and read comes from the recording.
void StartReplay(Game& game, Recording recording);
// How the replay ended elsewhere than its recording: it went another way, or it played every step and reached
// another tick, level, score or state of its game than the recording holds (format 2). Empty when it did not,
// and when it stopped before its end (the viewer, a frame limit).
std::string ReplayEndProblem(const Game& game);
// Before any game: the --record file (when not empty) can be written in its folder, and it is no folder; the
// --record-dir folder (when not empty) exists or can be made, and can be written. `error` says which and why.
bool CheckRecordingTargets(const std::filesystem::path& file, const std::filesystem::path& folder,
                           std::string& error);
