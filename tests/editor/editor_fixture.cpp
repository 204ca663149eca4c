// Test helpers for the editor.
#include "tests/editor/editor_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QUndoView>
#include <string>
#include <utility>

#include "content/bitmap_file.h"
#include "content/tileset_file.h"

QString ScriptedDialogs::openFileName(QWidget*, const QStringList& folders, const QString& filter) {
  openFilters << filter;
  openFolders << folders;
  return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

QStringList ScriptedDialogs::openFileNames(QWidget* parent, const QStringList& folders, const QString& filter) {
  if (openListAnswers.isEmpty()) {
    const QString one = openFileName(parent, folders, filter);
    return one.isEmpty() ? QStringList() : QStringList{one};
  }
  openFilters << filter;
  openFolders << folders;
  return openListAnswers.takeFirst();
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& start, const QString& filter) {
  saveFilters << filter;
  saveStarts << start;
  return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

QMessageBox::StandardButton ScriptedDialogs::message(QWidget*, QMessageBox::Icon icon, const QString& title,
                                                     const QString& text, QMessageBox::StandardButtons buttons) {
  // A real message box takes the focus while it is open; the widget that had it sees it go.
  if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
  shown << Shown{icon, title, text, buttons};
  if (whileShown) std::exchange(whileShown, nullptr)();
  return buttonAnswers.isEmpty() ? QMessageBox::Ok : buttonAnswers.takeFirst();
}

QString ScriptedDialogs::askText(QWidget*, const QString&, const QString&, const QString& suggested) {
  textOffers << suggested;
  return textAnswers.isEmpty() ? QString() : textAnswers.takeFirst();
}

QStringList StatesThroughHistory(QWidget* window, const std::function<QString()>& shown) {
  QStringList states;
  QTest::keySequence(window, QKeySequence(QStringLiteral("Ctrl+Z")));
  states << shown();
  QTest::keySequence(window, QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
  states << shown();
  auto* history = window->findChild<QUndoView*>(QStringLiteral("undoHistory"));
  history->setCurrentIndex(history->model()->index(0, 0));
  states << shown();
  return states;
}

bool ScriptedDialogs::preview(QWidget* parent, const QString& title, const QString& text, const QImage& picture,
                              const QStringList& details, const QString&) {
  previewPictures << picture;
  const auto answer = message(parent, QMessageBox::Information, title, (QStringList{text} + details).join('\n'),
                              QMessageBox::Ok | QMessageBox::Cancel);
  return answer == QMessageBox::Ok;
}

QStringList ScriptedDialogs::texts() const {
  QStringList result;
  for (const Shown& box : shown) result << box.text;
  return result;
}

bool RecordingStarter::start(const QString& program, const QStringList& arguments, QString&) {
  started << Started{program, arguments};
  return true;
}

EditorSetup FixtureSetup(const FixtureRoot& root, ScriptedDialogs& dialogs, ProgramStarter* starter) {
  return EditorSetup{root.folders(), &dialogs, starter, GameCommand{root.path() + "/GAME", {}}, QString(), {}};
}

FixtureRoot::FixtureRoot() {
  QDir root(dir_.path());
  for (const char* folder : {"Tls", "Lvl", "Bgd"}) root.mkdir(QString::fromLatin1(folder));
}

QRgb FixturePixel(int x, int y) { return qRgb(x & 0xFF, y & 0xFF, 0x55); }

void WriteFixtureBitmap(const QString& path, int width, int height) {
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.at(x, y) = FixturePixel(x, y) & 0xFFFFFFu;
  std::string error;
  if (!WriteBitmapFile(path.toStdString(), bitmap, error)) QFAIL(error.c_str());
}

namespace {

void Append(QByteArray& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Qt writes no bit-field bitmaps, so this one is laid out byte by byte: file header, V5 header, bottom-up rows.
QByteArray BitfieldsBmp(const QImage& picture) {
  const std::uint32_t pixelBytes = 4u * picture.width() * picture.height();
  QByteArray bytes("BM");
  Append(bytes, 14 + 124 + pixelBytes, 4);
  Append(bytes, 0, 4);
  Append(bytes, 14 + 124, 4);
  for (const auto& [value, size] : {std::pair<std::uint32_t, int>{124, 4}, {static_cast<std::uint32_t>(picture.width()), 4}, {static_cast<std::uint32_t>(picture.height()), 4},
                                   {1, 2}, {32, 2}, {3, 4}, {pixelBytes, 4}, {2835, 4}, {2835, 4}, {0, 4}, {0, 4},
                                   {0x00FF0000, 4}, {0x0000FF00, 4}, {0x000000FF, 4}, {0xFF000000, 4},
                                   {0x73524742, 4}})  // "sRGB"
    Append(bytes, value, size);
  bytes.append(124 - 60, '\0');  // end points, gammas, intent, profile
  for (int y = picture.height() - 1; y >= 0; --y)
    for (int x = 0; x < picture.width(); ++x) Append(bytes, picture.pixel(x, y), 4);
  return bytes;
}

}  // namespace

void WriteFixturePicture(const QString& path, int width, int height, PictureKind kind) {
  if (kind == PictureKind::GameBitmap) return WriteFixtureBitmap(path, width, height);
  QImage picture(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, (FixturePixel(x, y) & 0xFFFFFFu) | ((x + y) % 2 ? 0u : 0xFF000000u));
  if (kind == PictureKind::Png) {
    if (!picture.save(path, "PNG")) QFAIL(qPrintable(path));
  } else {
    WriteBytes(path, BitfieldsBmp(picture));
  }
}

bool HoldsFixtureBitmap(const QString& path, int width, int height) {
  Bitmap bitmap;
  std::string error;
  if (!ReadBitmapFile(path.toStdString(), bitmap, error) || bitmap.width != width || bitmap.height != height) return false;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (bitmap.at(x, y) != (FixturePixel(x, y) & 0xFFFFFFu)) return false;
  return true;
}

void WriteFixtureTileSet(const FixtureRoot& root, const QString& name, int width, int height, int tiles) {
  WriteFixtureBitmap(root.tls(name + ".bmp"), width, height);
  TileSet tileSet;
  tileSet.tileCount = tiles;
  tileSet.tiles.resize(static_cast<std::size_t>(tiles) + 1);
  const int rows = height / TileHeight;
  for (int n = 1; n <= tiles; ++n)
    tileSet.tiles[static_cast<std::size_t>(n)] = TileDef{Hittable, 1, 1, 1, 1, ImageXOfTile(n, rows), ImageYOfTile(n, rows)};
  std::string error;
  if (!WriteTileSetFile(root.tls(name + ".sft").toStdString(), tileSet, error)) QFAIL(error.c_str());
}

void WriteDefaultFixtures(const FixtureRoot& root) {
  WriteFixtureTileSet(root, "DefaultTileSet", 64, 32, 4);
  WriteFixtureBitmap(root.bgd("DefaultBackground.bmp"), 32, 32);
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) QFAIL(qPrintable(path));
}

Level FixtureLevel(const std::string& tileset, const std::string& background) {
  Level level;
  level.tilesetName = tileset;
  level.backgroundName = background;
  return level;
}

void WriteFixtureLevel(const QString& path, const Level& level) {
  std::string error;
  if (!WriteLevelFile(path.toStdString(), level, error)) QFAIL(error.c_str());
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QPoint CellCentre(int column, int row) { return QPoint((column - 1) * 32 + 16, (row - 1) * 16 + 8); }

QPoint CellCorner(int column, int row) { return QPoint((column - 1) * 32, (row - 1) * 16); }

namespace {

void Send(QWidget* widget, QEvent::Type type, QPoint position, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(position), QPointF(widget->mapToGlobal(position)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

void SendPress(QWidget* widget, QPoint position, Qt::MouseButton button) {
  Send(widget, QEvent::MouseButtonPress, position, button, button);
}

void SendMove(QWidget* widget, QPoint position, Qt::MouseButtons held) {
  Send(widget, QEvent::MouseMove, position, Qt::NoButton, held);
}

void SendRelease(QWidget* widget, QPoint position, Qt::MouseButton button) {
  Send(widget, QEvent::MouseButtonRelease, position, button, Qt::NoButton);
}

LevelWindow::LevelWindow(const QString& recentFilesPath) {
  WriteDefaultFixtures(*root);
  EditorSetup setup = FixtureSetup(*root, dialogs, &starter);
  setup.recentFilesPath = recentFilesPath;
  editor = std::make_unique<LevelEditor>(setup);
}

QWidget* LevelWindow::levelPic() const { return editor->findChild<QWidget*>("LevelPic"); }

QAction* LevelWindow::action(const char* name) const {
  auto* found = editor->findChild<QAction*>(name);
  if (!found) qFatal("no action %s", name);
  return found;
}

void LevelWindow::chooseBrush(int slot) const {
  SendPress(editor->findChild<QWidget*>(QString("Picture2_%1").arg(slot)), QPoint(5, 5), Qt::LeftButton);
}

void LevelWindow::paint(int column, int row, int brush) const {
  chooseBrush(brush);
  drag(CellCentre(column, row), CellCentre(column, row));
}

void LevelWindow::drag(QPoint from, QPoint to, Qt::MouseButton button) const {
  SendPress(levelPic(), from, button);
  SendMove(levelPic(), to, button);
  SendRelease(levelPic(), to, button);
}
