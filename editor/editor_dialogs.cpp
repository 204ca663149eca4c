// The real file dialogs and message boxes.
#include "editor/editor_dialogs.h"

#include <QFileDialog>

QString QtDialogs::openFileName(QWidget* parent, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& folder, const QString& filter) {
  return QFileDialog::getSaveFileName(parent, QString(), folder, filter);
}

QMessageBox::StandardButton QtDialogs::message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                               const QString& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}
