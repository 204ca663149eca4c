// Test helpers for the editor: scripted dialogs, a throw-away program folder and mouse events.
#pragma once
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "editor/editor_dialogs.h"

// Answers file dialogs and message boxes from queues and records every message shown.
class ScriptedDialogs : public EditorDialogs {
 public:
  struct Shown {
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
  };

  QStringList openAnswers;  // "" answers with a cancel
  QStringList saveAnswers;
  QList<QMessageBox::StandardButton> buttonAnswers;  // when empty, every box answers with Ok
  QList<Shown> shown;
  QStringList openFilters;
  QStringList saveFilters;

  QString openFileName(QWidget* parent, const QString& folder, const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& folder, const QString& filter) override;
  QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons buttons) override;
  QStringList texts() const;
};

// A temporary program folder with empty Tls, Lvl and Bgd folders.
class FixtureRoot {
 public:
  FixtureRoot();
  QString path() const { return dir_.path(); }
  QString tls(const QString& name) const { return path() + "/Tls/" + name; }
  QString lvl(const QString& name) const { return path() + "/Lvl/" + name; }
  QString bgd(const QString& name) const { return path() + "/Bgd/" + name; }

 private:
  QTemporaryDir dir_;
};

// The colour of pixel (x, y) of a fixture picture: different for every pixel of a picture up to 256 x 256.
QRgb FixturePixel(int x, int y);
// Writes a bitmap whose pixels are FixturePixel.
void WriteFixtureBitmap(const QString& path, int width, int height);
// Writes "<name>.bmp" of width x height and "<name>.sft" with `tiles` Hittable tiles numbered column by column.
void WriteFixtureTileSet(const FixtureRoot& root, const QString& name, int width, int height, int tiles);
// Writes the bitmap and tileset "DefaultTileSet" (64 x 32, 4 tiles) and "DefaultBackground.bmp" (32 x 32).
void WriteDefaultFixtures(const FixtureRoot& root);
QByteArray FileBytes(const QString& path);

void SendPress(QWidget* widget, QPoint position, Qt::MouseButton button);
void SendMove(QWidget* widget, QPoint position, Qt::MouseButtons held);
void SendRelease(QWidget* widget, QPoint position, Qt::MouseButton button);
