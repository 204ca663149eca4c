// The list of problems the content check finds in the data folders, in a window beside the level.
#pragma once
#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;

class ContentCheckWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ContentCheckWindow(QWidget* parent = nullptr);
  void showProblems(const QStringList& problems);

 private:
  QLabel* summary_ = nullptr;
  QListWidget* problems_ = nullptr;
};
