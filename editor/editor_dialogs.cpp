// The real file dialogs and message boxes, and the questions every save asks.
#include "editor/editor_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QRegularExpression>
#include <QUrl>
#include <memory>

QString WithFilterExtension(const QString& path, const QString& filter) {
  static const QRegularExpression pattern(QStringLiteral("\\*(\\.\\w+)"));
  const QRegularExpressionMatch match = pattern.match(filter);
  // A name with another ending ("v1.2") gets it too: the game lists files by their ending alone.
  if (!match.hasMatch() || path.isEmpty() || path.endsWith(match.captured(1))) return path;
  return path + match.captured(1);
}

QString EditorDialogs::chooseSaveFile(QWidget* parent, const QString& start, const QString& filter) {
  return WithFilterExtension(saveFileName(parent, start, filter), filter);
}

bool EditorDialogs::mayReplace(QWidget* parent, const QString& path) {
  if (!QFileInfo::exists(path)) return true;
  return askYesNo(parent, EditorTitle, QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path));
}

void ShowFolders(QFileDialog& dialog, const QStringList& folders) {
  // Qt's dialog remembers its places and history between runs; a run on another data tree shows only its own.
  QList<QUrl> places{QUrl::fromLocalFile(QDir::homePath()), QUrl(QStringLiteral("file:"))};
  QStringList shown;
  for (const QString& folder : folders) {
    if (!QFileInfo(folder).isDir()) continue;
    if (shown.isEmpty()) dialog.setDirectory(folder);
    shown << folder;
    places << QUrl::fromLocalFile(folder);
  }
  dialog.setSidebarUrls(places);
  dialog.setHistory(shown);
}

namespace {

QStringList RunOpenDialog(QWidget* parent, const QStringList& folders, const QString& filter,
                          QFileDialog::FileMode mode) {
  QFileDialog dialog(parent, QString(), QString(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(mode);
  ShowFolders(dialog, folders);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

}  // namespace

QString QtDialogs::openFileName(QWidget* parent, const QStringList& folders, const QString& filter) {
  const QStringList chosen = RunOpenDialog(parent, folders, filter, QFileDialog::ExistingFile);
  return chosen.isEmpty() ? QString() : chosen.first();
}

QStringList QtDialogs::openFileNames(QWidget* parent, const QStringList& folders, const QString& filter) {
  return RunOpenDialog(parent, folders, filter, QFileDialog::ExistingFiles);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& start, const QString& filter) {
  QFileDialog dialog(parent, QString(), QString(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const bool folder = QFileInfo(start).isDir();
  ShowFolders(dialog, {folder ? start : QFileInfo(start).absolutePath()});
  if (!folder) dialog.selectFile(QFileInfo(start).fileName());
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QMessageBox::StandardButton QtDialogs::message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                               const QString& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtDialogs::askText(QWidget* parent, const QString& title, const QString& label, const QString& suggested) {
  return QInputDialog::getText(parent, title, label, QLineEdit::Normal, suggested);
}

QDialog* PreviewDialog(QWidget* parent, const QString& title, const QString& text, const QImage& picture,
                       const QStringList& details, const QString& accept) {
  auto* dialog = new QDialog(parent);
  dialog->setWindowTitle(title);
  dialog->setMinimumWidth(picture.width() * 3 / 2);
  auto* layout = new QVBoxLayout(dialog);
  auto* label = new QLabel(text, dialog);
  label->setWordWrap(true);
  layout->addWidget(label);
  auto* shown = new QLabel(dialog);
  shown->setPixmap(QPixmap::fromImage(picture));
  layout->addWidget(shown, 0, Qt::AlignHCenter);
  if (!details.isEmpty()) {
    auto* list = new QListWidget(dialog);
    list->addItems(details);
    list->setWordWrap(true);
    list->setMaximumHeight(120);
    layout->addWidget(list);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(accept);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
  return dialog;
}

bool QtDialogs::preview(QWidget* parent, const QString& title, const QString& text, const QImage& picture,
                        const QStringList& details, const QString& accept) {
  const std::unique_ptr<QDialog> dialog(PreviewDialog(parent, title, text, picture, details, accept));
  return dialog->exec() == QDialog::Accepted;
}
