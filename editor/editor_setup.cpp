// Finding the editor's data and its game.
#include "editor/editor_setup.h"

#include <QFileInfo>
#include <QStandardPaths>

bool LocateEditorData(const QString& root, const QString& programFolder,
                      const std::filesystem::path& installedRelative, DataFolders& out, QString& error) {
  bool installed = false;
  std::filesystem::path shipped = root.toStdString();
  if (root.isEmpty()) {
    shipped = FindShippedFolder(programFolder.toStdString(), installedRelative, installed);
    // A program folder without the game's pictures still holds the designer's files, as it always has.
    if (shipped.empty()) shipped = programFolder.toStdString();
  } else if (!QFileInfo(root).isDir()) {
    error = root + QStringLiteral(": not a folder (--root DIR names the folder holding Tls, Lvl and Bgd)");
    return false;
  }
  out = ChooseDataFolders(shipped, installed);
  return true;
}

GameCommand GameBesideEditor(const QString& programFolder, const QString& root) {
  GameCommand game{programFolder + QStringLiteral("/shardfall"), {}};
  if (!root.isEmpty()) game.leadingArguments = {QStringLiteral("--root"), root};
  return game;
}

GameCommand ContentToolFor(const QString& programFolder, const QString& root) {
  const QString name = QStringLiteral("shardfall-content");
  GameCommand tool = GameBesideEditor(programFolder, root);
  tool.program = programFolder + QLatin1Char('/') + name;
  if (!QFileInfo(tool.program).isExecutable()) tool.program = QStandardPaths::findExecutable(name);
  if (tool.program.isEmpty()) tool.program = name;  // starting it then says it was not found
  return tool;
}
