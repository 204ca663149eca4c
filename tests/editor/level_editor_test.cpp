// The level window: painting, the position label, sides, saving and opening, background, undo, failures.
#include <QAction>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QToolBar>
#include <QPushButton>
#include <QDir>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

#include "content/level_file.h"
#include "content/tileset_file.h"
#include "editor/level_editor.h"
#include "editor/picture_box.h"
#include "tests/editor/editor_fixture.h"

namespace {

// Top-left pixel of tile n of the 64 x 32 default fixture (two rows of cells).
QRgb TileCorner(int tile) { return FixturePixel(((tile - 1) / 2) * 32, ((tile - 1) % 2) * 16); }

}  // namespace

class LevelEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FixtureRoot> root;
  std::unique_ptr<ScriptedDialogs> dialogs;
  RecordingStarter starter;
  std::unique_ptr<LevelEditor> editor;

  PictureBox* levelPic() { return editor->findChild<PictureBox*>("LevelPic"); }
  QCheckBox* sideBox(int side) { return editor->findChild<QCheckBox*>(QString("Check1_%1").arg(side)); }
  QString position() { return editor->findChild<QLabel*>("CurPoslbl")->text(); }
  QAction* menu(const char* name) { return editor->findChild<QAction*>(name); }
  void chooseBrush(int slot) {
    SendPress(editor->findChild<PictureBox*>(QString("Picture2_%1").arg(slot)), QPoint(5, 5), Qt::LeftButton);
  }
  void paint(int column, int row, int brush) {
    chooseBrush(brush);
    SendPress(levelPic(), CellCentre(column, row), Qt::LeftButton);
    SendRelease(levelPic(), CellCentre(column, row), Qt::LeftButton);
  }
  QRgb shown(int column, int row) { return editor->levelPicture().pixel(CellCorner(column, row)); }

 private slots:
  void init() {
    root = std::make_unique<FixtureRoot>();
    WriteDefaultFixtures(*root);
    dialogs = std::make_unique<ScriptedDialogs>();
    starter.started.clear();
    editor = std::make_unique<LevelEditor>(FixtureSetup(*root, *dialogs, &starter));
  }
  void cleanup() {
    editor.reset();
    dialogs.reset();
    root.reset();
  }

  // ---- Painting ----

  void leftButtonPaintsTheBrushAndRightButtonErases() {
    paint(3, 4, 2);
    QCOMPARE(editor->brickGrid()[3][4], 2);
    QCOMPARE(shown(3, 4), TileCorner(2));
    SendPress(levelPic(), CellCentre(3, 4), Qt::RightButton);
    SendRelease(levelPic(), CellCentre(3, 4), Qt::RightButton);
    QCOMPARE(editor->brickGrid()[3][4], 0);
    QCOMPARE(shown(3, 4), qRgb(0, 0, 0));
  }

  void draggingPaintsOrErasesEveryCellPassed_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("expected");
    QTest::newRow("left paints") << int(Qt::LeftButton) << 4;
    QTest::newRow("right erases") << int(Qt::RightButton) << 0;
  }
  void draggingPaintsOrErasesEveryCellPassed() {
    QFETCH(int, button);
    QFETCH(int, expected);
    for (int column = 2; column <= 8; ++column) paint(column, 6, 1);
    chooseBrush(4);
    const auto held = static_cast<Qt::MouseButton>(button);
    SendPress(levelPic(), CellCentre(2, 6), held);
    for (int x = CellCentre(2, 6).x(); x <= CellCentre(8, 6).x(); x += 8) SendMove(levelPic(), QPoint(x, 88), held);
    SendRelease(levelPic(), CellCentre(8, 6), held);
    for (int column = 2; column <= 8; ++column) QCOMPARE(editor->brickGrid()[column][6], expected);
    QCOMPARE(editor->brickGrid()[9][6], 0);
    QVERIFY(!editor->painting());
  }

  void theChosenBrushAloneIsFramedInRed() {
    chooseBrush(4);
    const auto frame = [this](int slot) {
      return editor->findChild<PictureBox*>(QString("Picture2_%1").arg(slot))->grab().toImage().pixel(0, 0);
    };
    QCOMPARE(frame(4), qRgb(200, 40, 40));
    QVERIFY(frame(0) != qRgb(200, 40, 40) && frame(0) != qRgb(255, 214, 64));  // the eraser let go of it
  }

  void leavingThePlayfieldStopsPaintingWhileTheButtonIsHeld() {
    chooseBrush(1);
    SendPress(levelPic(), CellCentre(1, 3), Qt::LeftButton);
    SendMove(levelPic(), QPoint(700, 40), Qt::LeftButton);  // the playfield keeps the mouse while it is held
    QVERIFY(!editor->painting());
    QCOMPARE(position(), QString("X: Y:"));
    SendMove(levelPic(), CellCentre(2, 3), Qt::LeftButton);
    QCOMPARE(editor->brickGrid()[1][3], 1);
    QCOMPARE(editor->brickGrid()[2][3], 0);
  }

  // ---- Position label ----

  void positionLabelFollowsCellBorders_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QString>("label");
    QTest::newRow("last pixel of cell 1,1") << QPoint(31, 15) << "X: 1  Y: 1";
    QTest::newRow("first pixel of column 2") << QPoint(32, 15) << "X: 2  Y: 1";
    QTest::newRow("first pixel of row 2") << QPoint(31, 16) << "X: 1  Y: 2";
    QTest::newRow("bottom-right pixel") << QPoint(639, 479) << "X: 20  Y: 30";
  }
  void positionLabelFollowsCellBorders() {
    QFETCH(QPoint, pointer);
    QFETCH(QString, label);
    SendMove(levelPic(), pointer, Qt::NoButton);
    QCOMPARE(position(), label);
  }

  void positionLabelEmptiesWhenThePointerLeaves() {
    for (const bool held : {false, true}) {
      SendMove(levelPic(), CellCentre(3, 4), Qt::NoButton);
      QCOMPARE(position(), QString("X: 3  Y: 4"));
      if (held) {
        SendMove(levelPic(), QPoint(700, 40), Qt::LeftButton);  // the playfield keeps the mouse while it is held
      } else {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(levelPic(), &leave);
      }
      QCOMPARE(position(), QString("X: Y:"));
    }
  }

  // ---- Guarded sides ----

  void uncheckingTheLastSideTicksBottomAgain() {
    sideBox(Bottom)->click();
    QVERIFY(sideBox(Bottom)->isChecked());
    QCOMPARE(editor->guardedSides()[Bottom], -1);
    QCOMPARE(editor->undoStack().count(), 0);
  }

  void erasingACellUnderAStripShowsTheStripAgain() {
    paint(10, 30, 1);
    paint(10, 30, 0);
    QCOMPARE(editor->levelPicture().pixel(300, 465), editor->levelPicture().pixel(100, 465));
    QVERIFY(editor->levelPicture().pixel(300, 465) != qRgb(0, 0, 0));
  }

  // ---- Saving and opening ----

  void saveAsksForANameOnlyTheFirstTime() {
    paint(2, 2, 1);
    dialogs->saveAnswers << root->lvl("first.sfl");
    menu("mnuSave")->trigger();
    QCOMPARE(dialogs->saveFilters.size(), 1);
    QCOMPARE(dialogs->saveFilters[0], QString("Shardfall Level Files (*.sfl)"));
    QVERIFY(editor->hasFileName());
    QCOMPARE(editor->caption(), "Shardfall Editor - " + root->lvl("first.sfl"));
    paint(3, 3, 2);
    menu("mnuSave")->trigger();
    QCOMPARE(dialogs->saveFilters.size(), 1);
    Level saved;
    std::string error;
    QVERIFY(ReadLevelFile(root->lvl("first.sfl").toStdString(), saved, error));
    QCOMPARE(saved.brickGrid[3][3], 2);
  }

  void anEmptyLevelIsWrittenByteForByte() {
    paint(1, 1, 3);
    paint(20, 30, 4);
    dialogs->saveAnswers << root->lvl("plain.sfl");
    menu("mnuSaveAs")->trigger();
    const QByteArray bytes = FileBytes(root->lvl("plain.sfl"));
    QCOMPARE(bytes.size(), LevelFileSize);
    QCOMPARE(bytes.left(8), QByteArray("\xFF\xFF\0\0\0\0\0\0", 8));
    QCOMPARE(bytes.mid(8, 30), QByteArray("DefaultTileSet.sft            "));
    QCOMPARE(bytes.mid(38, 30), QByteArray("DefaultBackground.bmp         "));
    QCOMPARE(bytes.mid(156, 4), QByteArray("\x03\0\0\0", 4));
    QCOMPARE(bytes.mid(LevelFileSize - 4, 4), QByteArray("\x04\0\0\0", 4));
    QCOMPARE(bytes.count('\0'), LevelFileSize - 2 - 18 - 12 - 21 - 9 - 2);
  }

  void aSideTheGameGuardsStaysGuardedWhateverItsValue() {
    Level level;
    level.guardedSides[Top] = 1;  // the game guards any side that is not 0
    level.tilesetName = "DefaultTileSet.sft";
    level.backgroundName = "DefaultBackground.bmp";
    std::string error;
    QVERIFY(WriteLevelFile(root->lvl("odd.sfl").toStdString(), level, error));
    QVERIFY(editor->OpenFile(root->lvl("odd.sfl")));
    QVERIFY(sideBox(Top)->isChecked());
    QCOMPARE(editor->guardedSides()[Top], -1);
  }

  void anOpenedLevelIsSavedAgainByteForByte() {
    Level level;
    level.guardedSides = {0, 0, -1, 0, -1};
    level.tilesetName = "DefaultTileSet.sft";
    level.backgroundName = "DefaultBackground.bmp";
    level.brickGrid[0][0] = 77;  // hidden cells keep what the file held
    level.brickGrid[20][0] = -5;
    level.brickGrid[4][7] = 2;
    level.brickGrid[19][29] = 4;
    std::string error;
    QVERIFY(WriteLevelFile(root->lvl("made.sfl").toStdString(), level, error));

    QVERIFY(editor->OpenFile(root->lvl("made.sfl")));
    QCOMPARE(editor->caption(), "Shardfall Editor - " + root->lvl("made.sfl"));
    QVERIFY(sideBox(Right)->isChecked() && sideBox(Left)->isChecked() && !sideBox(Bottom)->isChecked());
    QCOMPARE(shown(4, 7), TileCorner(2));
    QVERIFY(editor->SaveFile(root->lvl("again.sfl")));
    QCOMPARE(FileBytes(root->lvl("again.sfl")), FileBytes(root->lvl("made.sfl")));

    QProcess tool;
    tool.start(CONTENT_TOOL, {"dump", root->lvl("again.sfl")});
    QVERIFY(tool.waitForFinished(20000));
    QCOMPARE(tool.exitCode(), 0);
    const QJsonObject dumped = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    QCOMPARE(dumped["tilesetName"].toString(), QString("DefaultTileSet.sft"));
    QCOMPARE(dumped["backgroundName"].toString(), QString("DefaultBackground.bmp"));
    const QJsonArray sides = dumped["guardedSides"].toArray();
    for (int side = Bottom; side <= Left; ++side) QCOMPARE(sides[side - 1].toInt(), int(editor->guardedSides()[side]));
    const QJsonArray rows = dumped["brickGrid"].toArray();
    QCOMPARE(rows.size(), 31);
    for (int row = 0; row < 31; ++row)
      for (int column = 0; column < 21; ++column)
        QCOMPARE(rows[row].toArray()[column].toInt(), editor->brickGrid()[column][row]);
  }

  void openingALevelWithNoSideGuardsTheBottom() {
    Level level;
    level.tilesetName = "DefaultTileSet.sft";
    level.backgroundName = "DefaultBackground.bmp";
    std::string error;
    QVERIFY(WriteLevelFile(root->lvl("open.sfl").toStdString(), level, error));
    QVERIFY(editor->OpenFile(root->lvl("open.sfl")));
    QCOMPARE(editor->guardedSides()[Bottom], -1);
    QVERIFY(sideBox(Bottom)->isChecked());
  }

  // ---- Background ----

  void aHundredPixelBackgroundIsTiledAndCut() {
    WriteFixtureBitmap(root->bgd("square.bmp"), 100, 100);
    dialogs->openAnswers << root->bgd("square.bmp");
    SendPress(editor->findChild<PictureBox*>("Backpic"), QPoint(3, 3), Qt::LeftButton);
    QCOMPARE(dialogs->openFilters.last(), QString("Pictures (*.bmp *.png)"));
    QCOMPARE(editor->repeatsAcross(), 7);
    QCOMPARE(editor->repeatsDown(), 5);
    const QImage& back = editor->copyPicture();
    QCOMPARE(back.pixel(600, 0), FixturePixel(0, 0));    // seventh copy across
    QCOMPARE(back.pixel(639, 0), FixturePixel(39, 0));   // cut to 40 pixels
    QCOMPARE(back.pixel(0, 400), FixturePixel(0, 0));    // fifth copy down
    QCOMPARE(back.pixel(0, 479), FixturePixel(0, 79));   // cut to 80 pixels
    QCOMPARE(back.pixel(250, 130), FixturePixel(50, 30));
    QVERIFY(editor->findChild<QLabel*>("BackPiclbl")->text().startsWith(root->bgd("square.bmp") + "\n"));
    QVERIFY(editor->hasUnsavedChanges());
  }

  // Small, the picture lies on the panel below the playfield; expanded, it grows upwards from the same place.
  void theBackgroundPictureFollowsItsPanelAsTheWindowIsResized() {
    WriteFixtureBitmap(root->bgd("square.bmp"), 100, 100);
    dialogs->openAnswers << root->bgd("square.bmp");
    auto* picture = editor->findChild<PictureBox*>("Backpic");
    SendPress(picture, QPoint(3, 3), Qt::LeftButton);
    editor->show();
    const auto* panel = editor->findChild<QWidget*>("BottomPanel");
    for (const QSize size : {QSize(1000, 800), QSize(1300, 1000)}) {
      editor->resize(size);
      QCoreApplication::processEvents();
      const QRect small = picture->geometry();
      QVERIFY2(panel->geometry().contains(small), qPrintable(QString::number(size.height())));
      SendPress(picture, QPoint(3, 3), Qt::RightButton);
      QCOMPARE(picture->x(), small.x());
      QVERIFY(picture->height() > small.height());
      QVERIFY(picture->geometry().bottom() >= small.top() && picture->geometry().bottom() <= small.bottom());
      SendPress(picture, QPoint(3, 3), Qt::RightButton);
      QCOMPARE(picture->geometry(), small);
    }
  }

  // A right-click that moves the picture must not hand its context menu to the window: it would open the tool
  // bar's menu, found wherever the click lands once the picture moved.
  void rightClicksOnTheBackgroundOpenNoMenu() {
    WriteFixtureBitmap(root->bgd("tall.bmp"), 200, 400);
    dialogs->openAnswers << root->bgd("tall.bmp");
    auto* picture = editor->findChild<PictureBox*>("Backpic");
    SendPress(picture, QPoint(3, 3), Qt::LeftButton);
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    QStringList popups;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&popups] {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        popups << popup->metaObject()->className();
        popup->close();
      }
    });
    closer.start(20);
    // Through the window, as the platform delivers clicks, so that a context menu event follows each press.
    auto rightClick = [&](QPoint at) {
      QTest::mouseClick(editor->windowHandle(), Qt::RightButton, {}, picture->mapTo(editor.get(), at));
      QTest::qWait(60);
    };
    const QRect small = picture->geometry();
    rightClick(QPoint(3, 3));
    QCOMPARE(picture->height(), 400);
    rightClick(QPoint(3, 400 - small.height() - 40));  // above where the small picture lies
    QCOMPARE(picture->geometry(), small);
    QCOMPARE(popups, QStringList());
  }

  // ---- New level ----

  void newLevelWithACancelledDialogLeavesTheLevelAsItWas() {
    paint(7, 7, 2);
    dialogs->buttonAnswers << QMessageBox::No;
    menu("mnuNew")->trigger();
    QCOMPARE(dialogs->openFilters.last(), QString("Shardfall Tilesets (*.sft)"));
    QCOMPARE(editor->brickGrid()[7][7], 2);
    QCOMPARE(editor->tileSet().tileCount, 4);
    QVERIFY(editor->findChild<PictureBox*>("Picture2_2")->isVisibleTo(editor.get()));
  }

  void aNewLevelOnAnUnreadableTilesetFromElsewhereCopiesNothing() {
    QDir().mkpath(root->path() + "/art");
    WriteBytes(root->path() + "/art/Odd.bmp", "BM");
    std::string error;
    QVERIFY(WriteTileSetFile((root->path() + "/art/Odd.sft").toStdString(),
                             TileSet{1, {TileDef{}, TileDef{Hittable, 1, 1, 1, 1, 0, 0}}}, error));
    dialogs->openAnswers << root->path() + "/art/Odd.sft";
    dialogs->buttonAnswers << QMessageBox::Yes;  // would agree to a copy
    menu("mnuNew")->trigger();
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY(dialogs->texts()[0].endsWith("No new level was started."));
    QVERIFY(!QFile::exists(root->tls("Odd.sft")) && !QFile::exists(root->tls("Odd.bmp")));
  }

  // ---- Clearing ----

  void clearAsksAndOnlyYesClears() {
    paint(7, 7, 2);
    dialogs->buttonAnswers << QMessageBox::No;
    editor->findChild<QPushButton*>("Command1")->click();
    QCOMPARE(dialogs->shown.last().title, QString("Clear Level"));
    QCOMPARE(dialogs->shown.last().text, QString("Are you sure you want to clear the level?"));
    QCOMPARE(dialogs->shown.last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(editor->brickGrid()[7][7], 2);
    dialogs->buttonAnswers << QMessageBox::Yes;
    editor->findChild<QPushButton*>("Command1")->click();
    QCOMPARE(editor->brickGrid()[7][7], 0);
    QCOMPARE(shown(7, 7), qRgb(0, 0, 0));
  }

  // ---- Menus ----

  void theToolBarHoldsTheToolsThenTheMenuItemsUsedMost() {
    auto names = [this](const char* toolbar) {
      QStringList names;
      for (QAction* action : editor->findChild<QToolBar*>(toolbar)->actions())
        if (!action->isSeparator()) names << action->objectName();
      return names;
    };
    QCOMPARE(names("SelectionBar"), QStringList({"mnuSelectAll", "mnuInvertSelection", "mnuSelectBrushTile",
                                                 "mnuDeleteSelection", "mnuFlipHorizontally", "mnuFlipVertically",
                                                 "mnuRotateClockwise", "mnuRotateAnticlockwise"}));
    QCOMPARE(names("ToolBar"), QStringList({"toolPencil", "toolRectangle", "toolEllipse", "toolLine", "toolFill",
                                            "toolSelect", "toolSelectSame", "toolPick", "mnuMirrorLeftRight",
                                            "mnuMirrorTopBottom", "mnuZoomFit", "mnuZoom1", "mnuZoom2", "mnuZoom3",
                                            "mnuGrid", "mnuPlaytest"}));
  }

  void noTwoMenuItemsShareAShortcut() {
    QStringList taken;
    for (const QAction* action : editor->findChildren<QAction*>())
      for (const QKeySequence& key : action->shortcuts()) {
        QVERIFY2(!taken.contains(key.toString()), qPrintable(key.toString() + " again for " + action->objectName()));
        taken << key.toString();
      }
  }

  // ---- Undo ----

  void undoTakesBackAWholeStrokeAndRedoRepeatsIt() {
    chooseBrush(1);
    SendPress(levelPic(), CellCentre(2, 2), Qt::LeftButton);
    SendMove(levelPic(), CellCentre(3, 2), Qt::LeftButton);
    SendMove(levelPic(), CellCentre(4, 2), Qt::LeftButton);
    SendRelease(levelPic(), CellCentre(4, 2), Qt::LeftButton);
    QCOMPARE(editor->undoStack().count(), 1);
    menu("mnuUndo")->trigger();
    for (int column = 2; column <= 4; ++column) QCOMPARE(editor->brickGrid()[column][2], 0);
    QCOMPARE(shown(3, 2), qRgb(0, 0, 0));
    menu("mnuRedo")->trigger();
    for (int column = 2; column <= 4; ++column) QCOMPARE(editor->brickGrid()[column][2], 1);
    QCOMPARE(shown(3, 2), TileCorner(1));
  }

  // ---- Unsaved changes ----

  void titleMarksUnsavedChangesUntilSaved() {
    QVERIFY(!editor->isWindowModified());
    paint(2, 2, 1);
    QVERIFY(editor->isWindowModified());
    QVERIFY(editor->SaveFile(root->lvl("marked.sfl")));
    QVERIFY(!editor->isWindowModified());
    menu("mnuUndo")->trigger();
    QVERIFY(editor->isWindowModified());
  }

  void exitWithChangesAsksAndHonoursTheAnswer_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("cancel stays") << int(QMessageBox::Cancel) << false;
    QTest::newRow("no closes") << int(QMessageBox::No) << true;
    QTest::newRow("yes saves and closes") << int(QMessageBox::Yes) << true;
  }
  void exitWithChangesAsksAndHonoursTheAnswer() {
    QFETCH(int, answer);
    QFETCH(bool, closes);
    editor->show();
    paint(2, 2, 1);
    dialogs->buttonAnswers << static_cast<QMessageBox::StandardButton>(answer);
    dialogs->saveAnswers << root->lvl("exit.sfl");
    menu("mnuExit")->trigger();
    QCOMPARE(dialogs->shown.size(), 1);
    QCOMPARE(dialogs->shown[0].text, QString("Do you want to save current level?"));
    QCOMPARE(editor->isVisible(), !closes);
    QCOMPARE(QFile::exists(root->lvl("exit.sfl")), answer == QMessageBox::Yes);
  }

  void aFailedSaveOnExitKeepsTheWindowOpen() {
    editor->show();
    paint(2, 2, 1);
    dialogs->buttonAnswers << QMessageBox::Yes;
    dialogs->saveAnswers << root->path() + "/missing/folder/x.sfl";
    editor->close();
    QVERIFY(editor->isVisible());
    QVERIFY(dialogs->texts().last().startsWith("Error in writing file.\n" + root->path() + "/missing/folder/x.sfl"));
    QVERIFY(!editor->hasFileName());
    QVERIFY(editor->hasUnsavedChanges());
  }

  // ---- Unreadable files ----

  void unreadableFilesAreNamedAndLeaveTheLevelAsItWas_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("named");
    QTest::newRow("short level") << "short" << "broken.sfl";
    QTest::newRow("missing tileset") << "tileset" << "Lost.sft";
    QTest::newRow("tileset without bitmap") << "bitmap" << "Bare.bmp";
  }
  void unreadableFilesAreNamedAndLeaveTheLevelAsItWas() {
    QFETCH(QString, damage);
    QFETCH(QString, named);
    paint(7, 7, 2);
    Level level;
    level.guardedSides[Top] = -1;
    level.tilesetName = damage == "tileset" ? "Lost.sft" : damage == "bitmap" ? "Bare.sft" : "DefaultTileSet.sft";
    level.backgroundName = "DefaultBackground.bmp";
    std::string error;
    QVERIFY(WriteLevelFile(root->lvl("broken.sfl").toStdString(), level, error));
    if (damage == "short") QFile::resize(root->lvl("broken.sfl"), 1000);
    if (damage == "bitmap") QFile::copy(root->tls("DefaultTileSet.sft"), root->tls("Bare.sft"));

    QVERIFY(!editor->OpenFile(root->lvl("broken.sfl")));
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY2(dialogs->shown[0].text.contains(named), qPrintable(dialogs->shown[0].text));
    QCOMPARE(dialogs->shown[0].text.count(root->path()), 1);  // the path once, then what was abandoned
    QVERIFY(dialogs->shown[0].text.endsWith("\nThe level was not opened."));
    QCOMPARE(editor->brickGrid()[7][7], 2);
    QCOMPARE(editor->guardedSides()[Top], 0);
    QVERIFY(!editor->hasFileName());
    QCOMPARE(editor->tileSet().tileCount, 4);
  }

  // ---- Drawing at the screen's scale ----

  void picturesStaySharpWhenScaled() {
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.setPixel(0, 0, qRgb(255, 255, 255));
    checker.setPixel(1, 0, qRgb(0, 0, 0));
    checker.setPixel(0, 1, qRgb(0, 0, 0));
    checker.setPixel(1, 1, qRgb(255, 255, 255));
    PictureBox box;
    box.resize(2, 2);
    box.setPicture(checker);
    QImage screen(4, 4, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2.0);
    box.render(&screen);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) QCOMPARE(screen.pixel(x, y), checker.pixel(x / 2, y / 2));
  }

  // ---- Faults that lost or broke work ----

  void aFastDragPaintsEveryCellOnItsLine() {
    chooseBrush(1);
    SendPress(levelPic(), CellCentre(2, 5), Qt::LeftButton);
    SendMove(levelPic(), CellCentre(17, 8), Qt::LeftButton);
    SendRelease(levelPic(), CellCentre(17, 8), Qt::LeftButton);
    int painted = 0;
    for (int column = 1; column <= 20; ++column)
      for (int row = 1; row <= 30; ++row) painted += editor->brickGrid()[column][row] == 1;
    QCOMPARE(painted, 16);
    for (int column = 2; column <= 17; ++column) {
      int inColumn = 0;
      for (int row = 5; row <= 8; ++row) inColumn += editor->brickGrid()[column][row] == 1;
      QCOMPARE(inColumn, 1);
    }
  }

  void aBackgroundChangeIsUndoneLikeAStroke() {
    WriteFixtureBitmap(root->bgd("square.bmp"), 100, 100);
    paint(2, 2, 1);
    QVERIFY(editor->SaveFile(root->lvl("undo.sfl")));
    dialogs->openAnswers << root->bgd("square.bmp");
    SendPress(editor->findChild<PictureBox*>("Backpic"), QPoint(3, 3), Qt::LeftButton);
    QVERIFY(editor->isWindowModified());
    menu("mnuUndo")->trigger();
    QCOMPARE(editor->backgroundPath(), QString());
    QCOMPARE(editor->brickGrid()[2][2], 1);
    QCOMPARE(editor->copyPicture().pixel(50, 50), qRgb(0, 0, 0));
    QVERIFY(!editor->isWindowModified());
    menu("mnuRedo")->trigger();
    QCOMPARE(editor->backgroundPath(), root->bgd("square.bmp"));
  }

  // A PNG or a bit-field BMP, as a background or as a new level's tileset bitmap, reaches the data folder as the
  // game's own bitmap kind, under its ".bmp" name, after the designer agrees.
  void picturesFromOtherProgramsAreWrittenAsTheGamesBitmap_data() {
    QTest::addColumn<bool>("background");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("background PNG") << true << int(PictureKind::Png) << "sky.png" << "Bgd/sky.bmp";
    QTest::newRow("background bit fields") << true << int(PictureKind::BitfieldsBmp) << "sky.bmp" << "Bgd/sky.bmp";
    QTest::newRow("tileset's bit fields bitmap") << false << int(PictureKind::BitfieldsBmp) << "Odd.sft" << "Tls/Odd.bmp";
  }
  void picturesFromOtherProgramsAreWrittenAsTheGamesBitmap() {
    QFETCH(bool, background);
    QFETCH(int, kind);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    const QString art = root->path() + "/art/";
    QDir().mkpath(art);
    if (background) {
      WriteFixturePicture(art + chosen, 64, 32, static_cast<PictureKind>(kind));
    } else {
      WriteFixturePicture(art + "Odd.bmp", 64, 32, static_cast<PictureKind>(kind));
      std::string error;
      QVERIFY(WriteTileSetFile((art + "Odd.sft").toStdString(),
                               TileSet{1, {TileDef{}, TileDef{Hittable, 1, 1, 1, 1, 0, 0}}}, error));
    }
    dialogs->openAnswers << art + chosen;
    dialogs->buttonAnswers << QMessageBox::Yes;
    if (background)
      SendPress(editor->findChild<PictureBox*>("Backpic"), QPoint(3, 3), Qt::LeftButton);
    else
      menu("mnuNew")->trigger();
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY2(dialogs->texts()[0].contains("transparency is dropped"), qPrintable(dialogs->texts()[0]));
    const QString target = root->path() + "/" + written;
    QVERIFY(HoldsFixtureBitmap(target, 64, 32));
    QCOMPARE(background ? editor->backgroundPath() : QFileInfo(editor->tilesetPath()).dir().filePath("Odd.bmp"), target);
  }

  void aNameTypedWithoutExtensionGetsTheFiltersOne() {
    paint(2, 2, 1);
    dialogs->saveAnswers << root->lvl("mylevel1");
    menu("mnuSaveAs")->trigger();
    QVERIFY(QFile::exists(root->lvl("mylevel1.sfl")));
    QVERIFY(!QFile::exists(root->lvl("mylevel1")));
    QCOMPARE(editor->currentFile(), root->lvl("mylevel1.sfl"));
  }

  // Every name a level is saved under must be usable in a set, the dialogs and the check: others are refused.
  void levelNamesASetCannotHoldAreRefusedWhenTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");  // "" when refused
    QTest::addColumn<QString>("reason");
    QTest::newRow("plain") << "neon two" << "neon two.sfl" << "";
    QTest::newRow("a dot") << "neon v1.2" << "" << "holds a dot";
    QTest::newRow("an ellipsis") << "and then... more" << "" << "holds a dot";
    QTest::newRow("a comma") << "one, two" << "" << "holds a comma";
    QTest::newRow("256 bytes") << QString(252, 'x') << "" << "longer than the 255 bytes";
  }
  void levelNamesASetCannotHoldAreRefusedWhenTyped() {
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QFETCH(QString, reason);
    paint(2, 2, 1);
    dialogs->saveAnswers << root->lvl(typed);
    menu("mnuSaveAs")->trigger();
    QCOMPARE(QDir(root->path() + "/Lvl").entryList(QDir::Files), saved.isEmpty() ? QStringList() : QStringList{saved});
    QCOMPARE(dialogs->shown.size(), reason.isEmpty() ? 0 : 1);
    if (!reason.isEmpty()) QVERIFY2(dialogs->texts()[0].contains(reason), qPrintable(dialogs->texts()[0]));
    QCOMPARE(editor->hasUnsavedChanges(), saved.isEmpty());
  }

  void aTilesetCountBeyondItsBitmapShowsNoPhantomTiles() {
    WriteFixtureTileSet(*root, "Short", 64, 32, 4);
    TileSet tileSet;
    std::string error;
    QVERIFY(ReadTileSetFile(root->tls("Short.sft").toStdString(), tileSet, error));
    tileSet.tileCount = 6;
    tileSet.tiles.resize(7);
    QVERIFY(WriteTileSetFile(root->tls("Short.sft").toStdString(), tileSet, error));
    QVERIFY(editor->OpenTileSet(root->tls("Short.sft")));
    auto slot = [&](int k) { return editor->findChild<PictureBox*>(QString("Picture2_%1").arg(k)); };
    QVERIFY(slot(4)->isVisibleTo(editor.get()));
    QVERIFY(!slot(5)->isVisibleTo(editor.get()));
    QVERIFY(!slot(6)->isVisibleTo(editor.get()));
  }

  void aBackgroundTheGameCouldNotFindIsCopiedOrRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("outside Bgd, copied") << "sky.bmp" << int(QMessageBox::Yes) << true << false;
    QTest::newRow("outside Bgd, not copied") << "sky.bmp" << int(QMessageBox::No) << false << false;
    QTest::newRow("name over 30 characters") << "a-very-long-background-name-x.bmp" << int(QMessageBox::Yes) << false << false;
    QTest::newRow("damaged: refused before any copy") << "sky.bmp" << int(QMessageBox::Yes) << false << true;
    QTest::newRow("damaged PNG") << "sky.png" << int(QMessageBox::Yes) << false << true;
    QTest::newRow("damaged bit fields") << "bits.bmp" << int(QMessageBox::Yes) << false << true;
  }
  void aBackgroundTheGameCouldNotFindIsCopiedOrRefused() {
    QFETCH(QString, name);
    QFETCH(int, answer);
    QFETCH(bool, taken);
    QFETCH(bool, damaged);
    const QString elsewhere = root->path() + "/elsewhere/" + name;
    QDir().mkpath(root->path() + "/elsewhere");
    WriteFixturePicture(elsewhere, 100, 100,
                        name.endsWith(".png") ? PictureKind::Png
                        : name == "bits.bmp"  ? PictureKind::BitfieldsBmp
                                              : PictureKind::GameBitmap);
    if (damaged) WriteBytes(elsewhere, FileBytes(elsewhere).chopped(100));
    dialogs->openAnswers << elsewhere;
    dialogs->buttonAnswers << static_cast<QMessageBox::StandardButton>(answer);
    SendPress(editor->findChild<PictureBox*>("Backpic"), QPoint(3, 3), Qt::LeftButton);
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY2(dialogs->shown[0].text.contains(name), qPrintable(dialogs->shown[0].text));
    QCOMPARE(editor->backgroundPath(), taken ? root->bgd(name) : QString());
    QCOMPARE(QFile::exists(root->bgd(name)), taken);
    if (!taken) return;
    QVERIFY(editor->SaveFile(root->lvl("copied.sfl")));
    QVERIFY(editor->OpenFile(root->lvl("copied.sfl")));
    QCOMPARE(editor->backgroundPath(), root->bgd(name));
  }

  void aLevelWhoseBackgroundIsMissingOpensOnABlackBackdrop() {
    Level level = FixtureLevel("DefaultTileSet.sft", "Nowhere.bmp");
    level.guardedSides[Top] = -1;
    level.brickGrid[3][3] = 2;
    WriteFixtureLevel(root->lvl("bare.sfl"), level);
    QVERIFY(editor->OpenFile(root->lvl("bare.sfl")));
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY(dialogs->shown[0].text.contains("Nowhere.bmp"));
    QCOMPARE(editor->brickGrid()[3][3], 2);
    QCOMPARE(editor->copyPicture().pixel(0, 0), qRgb(0, 0, 0));
    QVERIFY(editor->SaveFile(root->lvl("bare.sfl")));
    std::string error;
    QVERIFY(ReadLevelFile(root->lvl("bare.sfl").toStdString(), level, error));
    QCOMPARE(level.backgroundName, std::string("Nowhere.bmp"));  // kept until the designer picks another
  }
};

QTEST_MAIN(LevelEditorTest)
#include "level_editor_test.moc"
