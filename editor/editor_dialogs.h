// The file dialogs and message boxes of the editor, behind one seam that tests answer.
#pragma once
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QImage;
class QWidget;

inline const QString EditorTitle = QStringLiteral("Shardfall Editor");

class EditorDialogs {
 public:
  virtual ~EditorDialogs() = default;
  // The chosen full path, or an empty text when the designer cancelled. The dialog opens in the first of
  // `folders` and offers the others beside it.
  virtual QString openFileName(QWidget* parent, const QStringList& folders, const QString& filter) = 0;
  // Several files at once; an empty list on cancel.
  virtual QStringList openFileNames(QWidget* parent, const QStringList& folders, const QString& filter) = 0;
  // A name to save under, starting in (or at) `start`; empty on cancel. It does not ask about replacing a
  // file: the caller asks about the file it will really write (see chooseSaveFile and mayReplace).
  virtual QString saveFileName(QWidget* parent, const QString& start, const QString& filter) = 0;
  // Shows a message box and returns the button pressed.
  virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                              const QString& text, QMessageBox::StandardButtons buttons) = 0;
  // A line of text typed by the designer, offered as `suggested`; empty on cancel.
  virtual QString askText(QWidget* parent, const QString& title, const QString& label, const QString& suggested) = 0;

  // Shows `picture` with `text` above and `details` listed below it, with `accept` and Cancel: true on `accept`.
  virtual bool preview(QWidget* parent, const QString& title, const QString& text, const QImage& picture,
                       const QStringList& details, const QString& accept) = 0;

  void error(QWidget* parent, const QString& text) {
    message(parent, QMessageBox::Warning, EditorTitle, text, QMessageBox::Ok);
  }
  // An information box; nothing for an empty text.
  void inform(QWidget* parent, const QString& text) {
    if (!text.isEmpty()) message(parent, QMessageBox::Information, EditorTitle, text, QMessageBox::Ok);
  }
  bool askYesNo(QWidget* parent, const QString& title, const QString& text) {
    return message(parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
  }
  // The save dialog's answer with the filter's extension added when the name has none.
  QString chooseSaveFile(QWidget* parent, const QString& start, const QString& filter);
  // True when `path` does not exist yet or the designer agrees to replace it.
  bool mayReplace(QWidget* parent, const QString& path);
};

// "name.sfl" for "name" (or "name v1.2") under the filter "Levels (*.sfl)"; "name.sfl" stays as it is.
QString WithFilterExtension(const QString& path, const QString& filter);

class QFileDialog;
// Opens `dialog` in the first of `folders` that exists and offers those folders, beside home and the computer,
// as its places and history, and nothing left from earlier runs.
void ShowFolders(QFileDialog& dialog, const QStringList& folders);

// The real dialogs: QFileDialog and QMessageBox.
class QtDialogs : public EditorDialogs {
 public:
  QString openFileName(QWidget* parent, const QStringList& folders, const QString& filter) override;
  QStringList openFileNames(QWidget* parent, const QStringList& folders, const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& start, const QString& filter) override;
  QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons buttons) override;
  QString askText(QWidget* parent, const QString& title, const QString& label, const QString& suggested) override;
  bool preview(QWidget* parent, const QString& title, const QString& text, const QImage& picture,
               const QStringList& details, const QString& accept) override;
};

class QDialog;
// The dialog QtDialogs::preview runs, built apart so that it can be looked at without running it.
QDialog* PreviewDialog(QWidget* parent, const QString& title, const QString& text, const QImage& picture,
                       const QStringList& details, const QString& accept);
