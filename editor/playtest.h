// Playtesting: the level goes into a one-level set in a temporary folder, and the game is started on that set.
#pragma once
#include <QString>
#include <QStringList>

#include "content/level_file.h"

// Starts another program without waiting for it; tests record the command instead.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  virtual bool start(const QString& program, const QStringList& arguments, QString& error) = 0;
};

class DetachedStarter : public ProgramStarter {
 public:
  bool start(const QString& program, const QStringList& arguments, QString& error) override;
};

// How the game is started: its program and the options that come before the playtest's own.
struct GameCommand {
  QString program;
  QStringList leadingArguments;  // "--root DIR" when the editor was given one
};

inline const QString PlaytestSetName = QStringLiteral("playtest.sfs");
inline const QString PlaytestLevelName = QStringLiteral("playtest.sfl");

// Writes `folder`/playtest.sfl and a set `folder`/playtest.sfs that plays it; returns the set's path.
QString WritePlaytestFiles(const QString& folder, const Level& level, QString& error);
// "--windowed --play SET" after the leading options.
QStringList PlaytestArguments(const GameCommand& game, const QString& setPath);
