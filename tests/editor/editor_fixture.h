// Test helpers for the editor: scripted dialogs, a throw-away program folder and mouse events.
#pragma once
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "content/level_file.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_folders.h"
#include "editor/level_editor.h"
#include "editor/playtest.h"

// Answers file dialogs and message boxes from queues and records every message shown.
class ScriptedDialogs : public EditorDialogs {
 public:
  struct Shown {
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
  };

  QStringList openAnswers;  // "" answers with a cancel; a choice of several files takes one answer each
  QList<QStringList> openListAnswers;  // answers a choice of several files before openAnswers do
  QStringList saveAnswers;
  QStringList textAnswers;  // "" answers with a cancel, as when none is left
  QStringList textOffers;   // what each question offered
  QList<QMessageBox::StandardButton> buttonAnswers;  // when empty, every box answers with Ok
  QList<Shown> shown;
  QStringList openFilters;
  QList<QStringList> openFolders;
  QStringList saveFilters;
  QStringList saveStarts;
  std::function<void()> whileShown;  // run once, by the next message box, before it is answered

  QString openFileName(QWidget* parent, const QStringList& folders, const QString& filter) override;
  QStringList openFileNames(QWidget* parent, const QStringList& folders, const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& start, const QString& filter) override;
  QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons buttons) override;
  QString askText(QWidget* parent, const QString& title, const QString& label, const QString& suggested) override;
  // A preview is recorded among `shown` (text, then details line by line) with its picture, and answered from
  // buttonAnswers: Ok (the default) accepts it.
  bool preview(QWidget* parent, const QString& title, const QString& text, const QImage& picture,
               const QStringList& details, const QString& accept) override;
  QList<QImage> previewPictures;
  QStringList texts() const;
};

// Records the programs it is asked to start, and starts none.
class RecordingStarter : public ProgramStarter {
 public:
  struct Started {
    QString program;
    QStringList arguments;
  };
  QList<Started> started;
  bool start(const QString& program, const QStringList& arguments, QString& error) override;
};

// A temporary program folder with empty Tls, Lvl and Bgd folders.
class FixtureRoot {
 public:
  FixtureRoot();
  QString path() const { return dir_.path(); }
  EditorFolders folders() const { return EditorFolders::same(path()); }
  QString tls(const QString& name) const { return path() + "/Tls/" + name; }
  QString lvl(const QString& name) const { return path() + "/Lvl/" + name; }
  QString bgd(const QString& name) const { return path() + "/Bgd/" + name; }

 private:
  QTemporaryDir dir_;
};

// The level window's setup on a fixture folder; the game is "GAME" in it, started through `starter` when given.
EditorSetup FixtureSetup(const FixtureRoot& root, ScriptedDialogs& dialogs, ProgramStarter* starter = nullptr);

// The colour of pixel (x, y) of a fixture picture: different for every pixel of a picture up to 256 x 256.
QRgb FixturePixel(int x, int y);
// Writes a bitmap whose pixels are FixturePixel.
void WriteFixtureBitmap(const QString& path, int width, int height);
// Picture files a designer brings from other programs: the game's own bitmap, a PNG and a 32-bit BMP with bit
// fields and a V5 header (as ImageMagick writes), the last two with every other pixel fully transparent.
enum class PictureKind { GameBitmap, Png, BitfieldsBmp };
void WriteFixturePicture(const QString& path, int width, int height, PictureKind kind);
// True when `path` is a bitmap the game reads, of width x height with FixturePixel colours.
bool HoldsFixtureBitmap(const QString& path, int width, int height);
// Writes "<name>.bmp" of width x height and "<name>.sft" with `tiles` Hittable tiles numbered column by column.
void WriteFixtureTileSet(const FixtureRoot& root, const QString& name, int width, int height, int tiles);
// Writes the bitmap and tileset "DefaultTileSet" (64 x 32, 4 tiles) and "DefaultBackground.bmp" (32 x 32).
void WriteDefaultFixtures(const FixtureRoot& root);
QByteArray FileBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// A level on the default fixtures (or the names given), no side guarded, no bricks.
Level FixtureLevel(const std::string& tileset = "DefaultTileSet.sft",
                   const std::string& background = "DefaultBackground.bmp");
void WriteFixtureLevel(const QString& path, const Level& level);

// The centre and the top-left pixel of a playfield cell.
QPoint CellCentre(int column, int row);
QPoint CellCorner(int column, int row);

// What `shown` gives after the undo keys, then the redo keys, pressed on `window`, then after choosing the
// start at the top of its history list.
QStringList StatesThroughHistory(QWidget* window, const std::function<QString()>& shown);

void SendPress(QWidget* widget, QPoint position, Qt::MouseButton button);
void SendMove(QWidget* widget, QPoint position, Qt::MouseButtons held);
void SendRelease(QWidget* widget, QPoint position, Qt::MouseButton button);

// A level window on a fresh fixture folder holding the default fixtures, with the steps tests take on it.
struct LevelWindow {
  std::unique_ptr<FixtureRoot> root = std::make_unique<FixtureRoot>();
  ScriptedDialogs dialogs;
  RecordingStarter starter;
  std::unique_ptr<LevelEditor> editor;

  explicit LevelWindow(const QString& recentFilesPath = QString());
  QWidget* levelPic() const;
  QAction* action(const char* name) const;
  void chooseBrush(int slot) const;
  void paint(int column, int row, int brush) const;
  void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) const;
};
