// Proving a level: the content tool plays it with the autopilot in a process of its own, so a level that never
// ends cannot hold up the editor, and its verdict is shown in a window beside the level.
#pragma once
#include <QDialog>
#include <QProcess>

#include "editor/playtest.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class ProveLevelWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ProveLevelWindow(QWidget* parent = nullptr);
  ~ProveLevelWindow() override;
  // Runs "`tool` prove OPTIONS `levelPath`" with the tool's leading options; a proof under way is stopped first.
  void prove(const GameCommand& tool, const QString& levelPath);
  QString verdict() const;

 signals:
  void proofEnded();

 private:
  void stop();
  void showEnd(int exitCode, QProcess::ExitStatus status);
  void showFailure(QProcess::ProcessError error);

  QLabel* verdict_ = nullptr;
  QPlainTextEdit* output_ = nullptr;
  QPushButton* stop_ = nullptr;
  QProcess* process_ = nullptr;
};
