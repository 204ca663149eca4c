// Writing the playtest set and starting the game.
#include "editor/playtest.h"

#include <QProcess>
#include <string>

#include "content/level_set_file.h"

bool DetachedStarter::start(const QString& program, const QStringList& arguments, QString& error) {
  if (QProcess::startDetached(program, arguments)) return true;
  error = QStringLiteral("%1: the game could not be started").arg(program);
  return false;
}

QString WritePlaytestFiles(const QString& folder, const Level& level, QString& error) {
  const std::string levelPath = (folder + QLatin1Char('/') + PlaytestLevelName).toStdString();
  const QString setPath = folder + QLatin1Char('/') + PlaytestSetName;
  LevelSet set;
  set.levelSetName = "Playtest";
  set.levelFiles = {PlaytestLevelName.toStdString()};
  std::string why;
  if (!WriteLevelFile(levelPath, level, why) || !WriteLevelSetFile(setPath.toStdString(), set, why)) {
    error = QString::fromStdString(why);
    return {};
  }
  return setPath;
}

QStringList PlaytestArguments(const GameCommand& game, const QString& setPath) {
  return game.leadingArguments + QStringList{QStringLiteral("--windowed"), QStringLiteral("--play"), setPath};
}
