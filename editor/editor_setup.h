// What the editor starts on: its data folders (like the game's) and the game beside it for playtests.
#pragma once
#include <QString>
#include <filesystem>

#include "content/data_folders.h"
#include "editor/playtest.h"

// --root DIR when given; else the program's folder when it holds the data (a build), else where an install put
// it (`installedRelative` from the program); then the user's folder for saves as the game chooses it. False with
// `error` when --root names no folder.
bool LocateEditorData(const QString& root, const QString& programFolder,
                      const std::filesystem::path& installedRelative, DataFolders& out, QString& error);
// The game beside the editor, told the same --root when the editor was given one.
GameCommand GameBesideEditor(const QString& programFolder, const QString& root);
// shardfall-content beside the editor (a build), else on the PATH (an install puts it with the other commands),
// told the same --root when the editor was given one: it finds the data folders as the game does.
GameCommand ContentToolFor(const QString& programFolder, const QString& root);
