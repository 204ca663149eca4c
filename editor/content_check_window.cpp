// The content check's window.
#include "editor/content_check_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

ContentCheckWindow::ContentCheckWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ContentCheck"));
  setWindowTitle(QStringLiteral("Content Check"));
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("contentSummary"));
  problems_ = new QListWidget(this);
  problems_->setObjectName(QStringLiteral("contentProblems"));
  problems_->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(problems_);
  layout->addWidget(buttons);
  resize(640, 320);
}

void ContentCheckWindow::showProblems(const QStringList& problems) {
  summary_->setText(problems.isEmpty() ? QStringLiteral("No problems found: the game can use every file.")
                                       : QStringLiteral("%1 problem(s) found:").arg(problems.size()));
  problems_->clear();
  problems_->addItems(problems);
  problems_->setVisible(!problems.isEmpty());
}
