// The file dialogs and message boxes of the editor, behind one seam that tests answer.
#pragma once
#include <QMessageBox>
#include <QString>

class QWidget;

inline const QString EditorTitle = QStringLiteral("Shardfall Editor");

class EditorDialogs {
 public:
  virtual ~EditorDialogs() = default;
  // The chosen full path, or an empty text when the designer cancelled.
  virtual QString openFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
  // Asks before replacing an existing file; empty on cancel.
  virtual QString saveFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
  // Shows a message box and returns the button pressed.
  virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                              const QString& text, QMessageBox::StandardButtons buttons) = 0;

  void error(QWidget* parent, const QString& text) {
    message(parent, QMessageBox::Warning, EditorTitle, text, QMessageBox::Ok);
  }
};

// The real dialogs: QFileDialog and QMessageBox.
class QtDialogs : public EditorDialogs {
 public:
  QString openFileName(QWidget* parent, const QString& folder, const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& folder, const QString& filter) override;
  QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons buttons) override;
};
