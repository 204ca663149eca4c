// The proof's window: the tool's verdict line, everything it printed, and a button that stops it.
#include "editor/prove_level_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// "LEVEL.sfl: finished, cleared in 2:31.4" or "LEVEL.sfl: not finished: REASON", as the tool prints a verdict.
QString VerdictIn(const QString& printed, int exitCode) {
  const QStringList lines = printed.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  const QString last = lines.isEmpty() ? QString() : lines.last();
  const QString finished = QStringLiteral(": finished, "), notFinished = QStringLiteral(": not finished: ");
  if (exitCode == 0 && last.contains(finished)) return QStringLiteral("Finished: ") + last.section(finished, 1);
  if (exitCode == 1 && last.contains(notFinished)) return QStringLiteral("Not finished: ") + last.section(notFinished, 1);
  return {};
}

}  // namespace

ProveLevelWindow::ProveLevelWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProveLevel"));
  setWindowTitle(QStringLiteral("Prove Level"));
  verdict_ = new QLabel(this);
  verdict_->setObjectName(QStringLiteral("proofVerdict"));
  verdict_->setWordWrap(true);
  output_ = new QPlainTextEdit(this);
  output_->setObjectName(QStringLiteral("proofOutput"));
  output_->setReadOnly(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  stop_ = buttons->addButton(QStringLiteral("&Stop"), QDialogButtonBox::ActionRole);
  stop_->setObjectName(QStringLiteral("proofStop"));
  connect(stop_, &QPushButton::clicked, this, &ProveLevelWindow::stop);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(verdict_);
  layout->addWidget(output_);
  layout->addWidget(buttons);
  resize(560, 240);
}

// A proof still running when the window goes is stopped with it.
ProveLevelWindow::~ProveLevelWindow() { stop(); }

void ProveLevelWindow::prove(const GameCommand& tool, const QString& levelPath) {
  stop();
  process_ = new QProcess(this);
  connect(process_, &QProcess::finished, this, &ProveLevelWindow::showEnd);
  connect(process_, &QProcess::errorOccurred, this, &ProveLevelWindow::showFailure);
  verdict_->setText(QStringLiteral("Proving: the autopilot plays the level without capsules\u2026"));
  output_->clear();
  stop_->setEnabled(true);
  process_->start(tool.program, QStringList{QStringLiteral("prove")} + tool.leadingArguments + QStringList{levelPath});
}

QString ProveLevelWindow::verdict() const { return verdict_->text(); }

void ProveLevelWindow::stop() {
  if (!process_) return;
  QProcess* process = process_;
  process_ = nullptr;  // its signals from here on are no longer the window's
  process->disconnect(this);
  process->kill();
  process->waitForFinished(1000);
  process->deleteLater();
  stop_->setEnabled(false);
  verdict_->setText(QStringLiteral("Stopped: no verdict."));
}

void ProveLevelWindow::showEnd(int exitCode, QProcess::ExitStatus status) {
  const QString printed = QString::fromLocal8Bit(process_->readAllStandardOutput());
  const QString complaints = QString::fromLocal8Bit(process_->readAllStandardError()).trimmed();
  output_->setPlainText(printed + complaints);
  const QString verdict = status == QProcess::NormalExit ? VerdictIn(printed, exitCode) : QString();
  verdict_->setText(!verdict.isEmpty() ? verdict
                    : status != QProcess::NormalExit
                        ? QStringLiteral("No verdict: the proof ended without one.")
                        : QStringLiteral("No verdict: ") + (complaints.isEmpty() ? QStringLiteral("the tool gave none.")
                                                                                 : complaints.section(QLatin1Char('\n'), 0, 0)));
  stop_->setEnabled(false);
  process_->deleteLater();
  process_ = nullptr;
  emit proofEnded();
}

void ProveLevelWindow::showFailure(QProcess::ProcessError error) {
  if (error != QProcess::FailedToStart) return;  // the others end in showEnd
  verdict_->setText(QStringLiteral("No verdict: %1 could not be started (%2).")
                        .arg(process_->program(), process_->errorString()));
  stop_->setEnabled(false);
  process_->deleteLater();
  process_ = nullptr;
  emit proofEnded();
}
