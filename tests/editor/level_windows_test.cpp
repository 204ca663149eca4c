// Several level windows: copy and paste between them, replacing a level's tileset, files changed on disk.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>

#include "content/tileset_file.h"
#include "editor/cell_clipboard.h"
#include "editor/disk_watch.h"
#include "editor/level_editor.h"
#include "editor/tileset_replacement.h"
#include "tests/editor/editor_fixture.h"

namespace {

// Writes "<name>.sft" over the fixture bitmap of width x height with `tiles` tiles, tile `odd` given `kind`.
void WriteTileSetWithKind(const FixtureRoot& root, const QString& name, int width, int tiles, int odd,
                          std::int32_t kind) {
  WriteFixtureTileSet(root, name, width, 32, tiles);
  TileSet tileSet;
  std::string error;
  QVERIFY(ReadTileSetFile(root.tls(name + ".sft").toStdString(), tileSet, error));
  if (odd > 0) tileSet.tiles[static_cast<std::size_t>(odd)].kind = kind;
  QVERIFY(WriteTileSetFile(root.tls(name + ".sft").toStdString(), tileSet, error));
}

void PutOnClipboard(const QByteArray& bytes) {
  auto* data = new QMimeData;
  data->setData(CellsMimeType, bytes);
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace

class LevelWindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<LevelWindow> window;
  QPointer<LevelEditor> second;  // made by New Window; deletes itself when closed

  LevelEditor& editor() { return *window->editor; }
  LevelEditor& newWindow() {
    editor().show();
    window->action("mnuNewWindow")->trigger();
    for (LevelEditor* made : LevelEditor::windows())
      if (made != &editor()) second = made;
    return *second;
  }
  void select(LevelEditor& on, Cell a, Cell b) {
    on.findChild<QAction*>("toolSelect")->trigger();
    QWidget* view = on.findChild<QWidget*>("LevelPic");
    SendPress(view, CellCentre(a.column, a.row), Qt::LeftButton);
    SendMove(view, CellCentre(b.column, b.row), Qt::LeftButton);
    SendRelease(view, CellCentre(b.column, b.row), Qt::LeftButton);
  }
  void pasteAt(LevelEditor& on, Cell at) {
    on.findChild<QAction*>("mnuPaste")->trigger();
    QWidget* view = on.findChild<QWidget*>("LevelPic");
    SendPress(view, CellCentre(at.column, at.row), Qt::LeftButton);
    SendRelease(view, CellCentre(at.column, at.row), Qt::LeftButton);
  }
  // Copies cells 2..3 of row 2 (tiles 1 and `tile`) from the fixture window.
  void copyTwoCells(int tile) {
    window->paint(2, 2, 1);
    window->paint(3, 2, tile);
    select(editor(), {2, 2}, {3, 2});
    window->action("mnuCopy")->trigger();
  }

 private slots:
  void init() { window = std::make_unique<LevelWindow>(); }
  void cleanup() {
    delete second;
    window.reset();
    QGuiApplication::clipboard()->clear();
  }

  // ---- Several windows ----

  void eachWindowHasItsOwnLevelAndUndo() {
    LevelEditor& other = newWindow();
    QVERIFY(other.isVisible());
    QCOMPARE(LevelEditor::windows().size(), 2);
    window->paint(2, 2, 1);
    QCOMPARE(other.brickGrid()[2][2], 0);
    QCOMPARE(other.undoStack().count(), 0);
    other.findChild<QAction*>("mnuUndo")->trigger();
    QCOMPARE(editor().brickGrid()[2][2], 1);
  }

  void closingAWindowAsksOnlyAboutItsOwnLevel_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("firstStays");
    QTest::newRow("close window") << "mnuCloseWindow" << 1 << true;
    QTest::newRow("exit closes all") << "mnuExit" << 2 << false;
  }
  void closingAWindowAsksOnlyAboutItsOwnLevel() {
    QFETCH(QString, how);
    QFETCH(int, questions);
    QFETCH(bool, firstStays);
    LevelEditor& other = newWindow();
    window->paint(2, 2, 1);
    SendPress(other.findChild<QWidget*>("Picture2_1"), QPoint(5, 5), Qt::LeftButton);
    QWidget* view = other.findChild<QWidget*>("LevelPic");
    SendPress(view, CellCentre(4, 4), Qt::LeftButton);
    SendRelease(view, CellCentre(4, 4), Qt::LeftButton);
    QVERIFY(other.hasUnsavedChanges());
    window->dialogs.buttonAnswers << QMessageBox::No << QMessageBox::No;
    other.findChild<QAction*>(how)->trigger();
    QCOMPARE(window->dialogs.shown.size(), questions);
    QTRY_VERIFY(second.isNull());  // deleted once closed
    QCOMPARE(editor().isVisible(), firstStays);
  }

  void openingALevelOpenInAnotherWindowRaisesThatWindow() {
    WriteFixtureLevel(window->root->lvl("shared.sfl"), FixtureLevel());
    LevelEditor& other = newWindow();
    QVERIFY(other.OpenFile(window->root->lvl("shared.sfl")));
    QVERIFY(editor().findChild<QMenu*>("mnuRecent")->isEnabled());  // the windows share their recent levels
    window->paint(2, 2, 1);
    window->dialogs.buttonAnswers << QMessageBox::No;  // do not save the level painted here
    window->dialogs.openAnswers << window->root->lvl("shared.sfl");
    window->action("mnuOpen")->trigger();
    QVERIFY(!editor().hasFileName());
    QCOMPARE(editor().brickGrid()[2][2], 1);

    // Nor is a level saved over one another window holds; a window saves over its own level.
    window->dialogs.saveAnswers << window->root->lvl("shared.sfl");
    window->dialogs.buttonAnswers << QMessageBox::Yes;  // replace it
    QVERIFY(other.fileSaveAs());
    window->dialogs.saveAnswers << window->root->lvl("shared.sfl");
    QVERIFY(!editor().fileSaveAs());
    QVERIFY(window->dialogs.texts().last().endsWith("is open in another window.\nThe level was not saved; save it "
                                                    "under another name, or close that window first."));
  }

  // A level renamed in the set builder is saved under its new name by the window showing it, and only by it.
  void aWindowFollowsItsLevelRenamed() {
    WriteFixtureLevel(window->root->lvl("old.sfl"), FixtureLevel());
    WriteFixtureLevel(window->root->lvl("other.sfl"), FixtureLevel());
    QVERIFY(editor().OpenFile(window->root->lvl("old.sfl")));
    LevelEditor& other = newWindow();
    QVERIFY(other.OpenFile(window->root->lvl("other.sfl")));
    QVERIFY(QFile::rename(window->root->lvl("old.sfl"), window->root->lvl("new.sfl")));
    LevelEditor::followRenamedFile(QFileInfo(window->root->lvl("old.sfl")).absoluteFilePath(),
                                   window->root->lvl("new.sfl"));
    QCOMPARE(editor().currentFile(), window->root->lvl("new.sfl"));
    QVERIFY(!editor().hasUnsavedChanges());
    QCOMPARE(QFileInfo(other.currentFile()).fileName(), QString("other.sfl"));
  }

  // ---- Copy and paste through the system clipboard ----

  void copiedCellsPasteIntoAnotherWindowByTileNumber_data() {
    QTest::addColumn<QString>("tileset");  // of the second window
    QTest::addColumn<int>("copied");      // the tile beside tile 1
    QTest::addColumn<int>("pasted");
    QTest::addColumn<QString>("warning");  // a line of it; empty: none
    QTest::newRow("same tileset") << "DefaultTileSet" << 4 << 4 << "";
    QTest::newRow("an empty cell") << "DefaultTileSet" << 0 << 0 << "";
    QTest::newRow("tile missing") << "Small" << 4 << 0 << "Small.sft has no tile 4: those cells are pasted empty.";
    QTest::newRow("kind differs") << "Metal" << 2 << 2 << "Tile 2: Indestruct. (copied as Hittable)";
  }
  void copiedCellsPasteIntoAnotherWindowByTileNumber() {
    QFETCH(QString, tileset);
    QFETCH(int, copied);
    QFETCH(int, pasted);
    QFETCH(QString, warning);
    WriteTileSetWithKind(*window->root, "Small", 32, 2, 0, 0);
    WriteTileSetWithKind(*window->root, "Metal", 64, 4, 2, Indestructible);
    copyTwoCells(copied);
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{CellsMimeType});
    LevelEditor& other = newWindow();
    window->dialogs.openAnswers << window->root->tls(tileset + ".sft");
    other.findChild<QAction*>("mnuNew")->trigger();
    pasteAt(other, {10, 5});
    QCOMPARE(other.brickGrid()[10][5], 1);
    QCOMPARE(other.brickGrid()[11][5], pasted);
    QCOMPARE(other.undoStack().count(), 1);
    const QStringList texts = window->dialogs.texts();
    QCOMPARE(texts.isEmpty(), warning.isEmpty());
    if (!warning.isEmpty()) QVERIFY2(texts.last().split('\n').contains(warning), qPrintable(texts.last()));
  }

  void damagedClipboardCellsPasteNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("not JSON") << QByteArray("cells");
    QTest::newRow("fewer tiles than cells") << QByteArray(R"({"columns":2,"rows":1,"tiles":[1]})");
    QTest::newRow("too wide") << R"({"columns":21,"rows":1,"tiles":[)" + QByteArray("1,").repeated(20) + "1]}";
    QTest::newRow("below the untouched mark") << QByteArray(R"({"columns":1,"rows":1,"tiles":[-2]})");
    QTest::newRow("fractional size") << QByteArray(R"({"columns":1.5,"rows":1,"tiles":[1]})");
  }
  void damagedClipboardCellsPasteNothing() {
    QFETCH(QByteArray, bytes);
    PutOnClipboard(bytes);
    window->action("mnuPaste")->trigger();
    QCOMPARE(editor().tool(), PaintTool::Pencil);
    QCOMPARE(window->dialogs.shown.size(), 0);
  }

  // ---- Replacing the tileset ----

  void replacingTheTilesetPreviewsThenIsOneStep_data() {
    QTest::addColumn<QString>("tileset");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("cellAfter");  // cell 3,2 held tile 4, cell 2,2 tile 2
    QTest::addColumn<QString>("line");   // the preview's line for the changed tile; empty: no change
    QTest::addColumn<QRgb>("frame");     // the preview's frame round cell 3,2 (or 2,2 for a changed kind)
    QTest::newRow("all kept") << "Copy" << int(QMessageBox::Ok) << 4 << "" << QRgb(0);
    QTest::newRow("tile missing") << "Small" << int(QMessageBox::Ok) << 0
                                  << "Tile 4 (1 cell): Hittable \u2192 not in Small.sft, emptied" << EmptiedMark;
    QTest::newRow("kind differs") << "Metal" << int(QMessageBox::Ok) << 4
                                  << "Tile 2 (1 cell): Hittable \u2192 Indestruct." << ChangedMark;
    QTest::newRow("cancelled") << "Small" << int(QMessageBox::Cancel) << 4
                               << "Tile 4 (1 cell): Hittable \u2192 not in Small.sft, emptied" << EmptiedMark;
  }
  void replacingTheTilesetPreviewsThenIsOneStep() {
    QFETCH(QString, tileset);
    QFETCH(int, answer);
    QFETCH(int, cellAfter);
    QFETCH(QString, line);
    QFETCH(QRgb, frame);
    WriteTileSetWithKind(*window->root, "Copy", 64, 4, 0, 0);
    WriteTileSetWithKind(*window->root, "Small", 32, 2, 0, 0);
    WriteTileSetWithKind(*window->root, "Metal", 64, 4, 2, Indestructible);
    window->paint(2, 2, 2);
    window->paint(3, 2, 4);
    const QString before = editor().tilesetPath();
    const int steps = editor().undoStack().count();
    window->dialogs.openAnswers << window->root->tls(tileset + ".sft");
    window->dialogs.buttonAnswers << static_cast<QMessageBox::StandardButton>(answer);
    window->action("mnuReplaceTileset")->trigger();

    QCOMPARE(window->dialogs.previewPictures.size(), 1);
    const QStringList shown = window->dialogs.shown.last().text.split('\n');
    QCOMPARE(shown.contains(line), !line.isEmpty());
    QCOMPARE(shown.size(), line.isEmpty() ? 1 : 2);
    if (frame) {
      const QPoint corner = CellCorner(frame == ChangedMark ? 2 : 3, 2) / 2;  // the preview is at half size
      QCOMPARE(window->dialogs.previewPictures[0].pixel(corner + QPoint(1, 1)), frame);
    }
    const bool replaced = answer == QMessageBox::Ok;
    QCOMPARE(editor().tilesetPath(), replaced ? window->root->tls(tileset + ".sft") : before);
    QCOMPARE(editor().brickGrid()[3][2], cellAfter);
    QCOMPARE(editor().undoStack().count(), steps + (replaced ? 1 : 0));
    if (!replaced) return;
    QCOMPARE(editor().document().levelToSave().tilesetName, (tileset + ".sft").toStdString());  // what is saved
    window->action("mnuUndo")->trigger();
    QCOMPARE(editor().tilesetPath(), before);
    QCOMPARE(editor().brickGrid()[3][2], 4);
    QCOMPARE(editor().tileSet().tileCount, 4);
  }

  // ---- Files changed on disk ----

  // A file rewritten in place, or replaced by renaming a new one over it, is reported once for each change.
  void theWatchReportsEachChangeOnce_data() {
    QTest::addColumn<bool>("byRename");
    QTest::newRow("written in place") << false;
    QTest::newRow("replaced by a rename") << true;
  }
  void theWatchReportsEachChangeOnce() {
    QFETCH(bool, byRename);
    const QString path = window->root->bgd("watched.bmp");
    WriteBytes(path, "one");
    DiskWatch watch;
    QSignalSpy reports(&watch, &DiskWatch::changed);
    watch.watch({path, QString()});
    const auto replace = [&](const QByteArray& bytes) {
      if (!byRename) return WriteBytes(path, bytes);
      WriteBytes(path + ".new", bytes);
      QFile::remove(path);
      QVERIFY(QFile::rename(path + ".new", path));
    };
    for (const QByteArray& bytes : {QByteArray("two"), QByteArray("three")}) {
      const qsizetype seen = reports.size();
      replace(bytes);
      QTRY_COMPARE(reports.size(), seen + 1);
      QCOMPARE(reports.last().first().toString(), path);
    }
    replace("three");  // the same content again is no change
    WriteBytes(path + ".other", "x");  // nor is another file in the folder
    QTest::qWait(200);
    QCOMPARE(reports.size(), 2);
  }

  // The tileset file and its bitmap are read together: a change of the other during the question asks no more.
  void aChangeDuringTheQuestionIsAskedAfterItOrNotAtAll_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("questions");
    QTest::newRow("reloaded") << int(QMessageBox::Yes) << 1;
    QTest::newRow("kept") << int(QMessageBox::No) << 2;
  }
  void aChangeDuringTheQuestionIsAskedAfterItOrNotAtAll() {
    QFETCH(int, answer);
    QFETCH(int, questions);
    const QString tileSet = window->root->tls("DefaultTileSet.sft");
    const QString bitmap = window->root->tls("DefaultTileSet.bmp");
    window->dialogs.buttonAnswers << static_cast<QMessageBox::StandardButton>(answer) << QMessageBox::No;
    window->dialogs.whileShown = [&] { editor().offerReload(bitmap); };
    editor().offerReload(tileSet);
    QStringList expected{tileSet + " changed on disk. Reload?", bitmap + " changed on disk. Reload?"};
    QCOMPARE(window->dialogs.texts(), expected.mid(0, questions));
  }

  void aReloadKeepsTheCellsAndTheHistory_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("answer");
    QTest::newRow("tileset bitmap, yes") << "Tls/DefaultTileSet.bmp" << int(QMessageBox::Yes);
    QTest::newRow("tileset bitmap, no") << "Tls/DefaultTileSet.bmp" << int(QMessageBox::No);
    QTest::newRow("background, yes") << "Bgd/DefaultBackground.bmp" << int(QMessageBox::Yes);
  }
  void aReloadKeepsTheCellsAndTheHistory() {
    QFETCH(QString, file);
    QFETCH(int, answer);
    WriteFixtureLevel(window->root->lvl("level.sfl"), FixtureLevel());
    QVERIFY(editor().OpenFile(window->root->lvl("level.sfl")));
    window->paint(1, 1, 1);
    const QRgb before = editor().levelPicture().pixel(0, 0);
    const QString path = window->root->path() + "/" + file;
    QImage inverted(path);
    inverted.invertPixels();
    QVERIFY(inverted.save(path, "BMP"));  // as another program would, while the level is open
    window->dialogs.buttonAnswers << static_cast<QMessageBox::StandardButton>(answer);
    QTRY_COMPARE(window->dialogs.texts(), QStringList{path + " changed on disk. Reload?"});
    const bool reloaded = answer == QMessageBox::Yes;
    const QRgb expected = reloaded ? (qRgb(255, 255, 255) - before) | 0xFF000000u : before;
    // Cell 1,1 shows tile 1 from the bitmap, and the background once emptied: both start with the same pixel.
    if (file.startsWith("Bgd")) window->action("mnuUndo")->trigger();
    QCOMPARE(editor().levelPicture().pixel(0, 0), expected);
    QCOMPARE(editor().undoStack().count(), 1);
    QCOMPARE(editor().brickGrid()[1][1], file.startsWith("Bgd") ? 0 : 1);
  }
};

QTEST_MAIN(LevelWindowsTest)
#include "level_windows_test.moc"
