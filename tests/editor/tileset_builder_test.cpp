// The tileset builder: picture checks, numbering, stepping, kinds, shooters, animations, hit stages, saving.
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QUndoStack>
#include <memory>
#include <string>

#include "content/tileset_file.h"
#include "editor/picture_box.h"
#include "editor/tile_assignments.h"
#include "editor/tile_description.h"
#include "editor/tileset_builder.h"
#include "tests/editor/editor_fixture.h"

using QPairIntInt = QPair<int, int>;

class TilesetBuilderTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FixtureRoot> root;
  std::unique_ptr<ScriptedDialogs> dialogs;
  std::unique_ptr<TileSetBuilder> builder;

  template <typename T = QPushButton>
  T* control(const QString& name) {
    T* found = builder->findChild<T*>(name);
    if (!found) qFatal("no control %s", qPrintable(name));
    return found;
  }
  void openPicture(int width, int height) {
    WriteFixtureBitmap(root->tls("Bricks.bmp"), width, height);
    dialogs->openAnswers << root->tls("Bricks.bmp");
    control("cmdOpenPic")->click();
  }
  void start(int width, int height) {
    openPicture(width, height);
    control("cmdDone")->click();
  }
  void next(int times = 1) {
    for (int i = 0; i < times; ++i) control("cmdNext")->click();
  }
  void enterHits(const QString& text) {
    control<QLineEdit>("txtHits")->setText(text);
    QTest::keyClick(control<QLineEdit>("txtHits"), Qt::Key_Return);
  }
  TileSet saved() {
    control("Command2")->click();
    control("cmdSave")->click();
    TileSet tileSet;
    std::string error;
    if (!ReadTileSetFile(root->tls("Bricks.sft").toStdString(), tileSet, error)) qWarning("%s", error.c_str());
    return tileSet;
  }
  const TileDef& tile(int n) { return builder->tiles()[static_cast<std::size_t>(n)]; }
  // The records, the tile on show and whether End was pressed.
  QString shownState() {
    QStringList parts;
    for (int n = 1; n <= builder->totalTiles(); ++n) parts << DescribeTile(n, tile(n));
    return parts.join("; ") + QString(" | %1 tiles | on %2 | ended %3")
                                  .arg(builder->tileCount()).arg(builder->currentTile()).arg(control("cmdSave")->isEnabled());
  }

 private slots:
  void init() {
    root = std::make_unique<FixtureRoot>();
    dialogs = std::make_unique<ScriptedDialogs>();
    builder = std::make_unique<TileSetBuilder>(root->folders(), *dialogs);
  }
  void cleanup() {
    builder.reset();
    dialogs.reset();
    root.reset();
  }

  // ---- The picture ----

  void bitmapSizesThatDoNotDivideAreRefused_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("message");
    QTest::newRow("width 100") << 100 << 32 << "Bitmap width must be evenly divisible by 32.";
    QTest::newRow("height 20") << 64 << 20 << "Bitmap height must be evenly divisible by 16.";
    QTest::newRow("both wrong: width first") << 33 << 17 << "Bitmap width must be evenly divisible by 32.";
    QTest::newRow("fits") << 64 << 48 << "";
  }
  void bitmapSizesThatDoNotDivideAreRefused() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, message);
    openPicture(width, height);
    QCOMPARE(dialogs->texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) QCOMPARE(dialogs->shown[0].title, QString("Shardfall Editor"));
    QCOMPARE(control("cmdDone")->isEnabled(), message.isEmpty());
  }

  // ---- Numbering ----

  void tilesAreNumberedColumnByColumn() {
    start(96, 32);
    QCOMPARE(builder->totalTiles(), 6);
    QCOMPARE(control<QLabel>("lblMaxBricks")->text(), QString("Max bricks: 6"));
    const QList<QPoint> corners{{0, 0}, {0, 16}, {32, 0}, {32, 16}, {64, 0}, {64, 16}};
    for (int n = 1; n <= 6; ++n) QCOMPARE(QPoint(tile(n).imageX, tile(n).imageY), corners[n - 1]);
    QCOMPARE(tile(1).kind, int(Hittable));
    QCOMPARE(tile(2).kind, 0);
    QVERIFY(!control("cmdOpenPic")->isEnabled());
    QVERIFY(!control<QLineEdit>("txtFrames")->isEnabled());
  }

  // ---- Stepping and ending ----

  void endTilesetSavesTheTilesReached_data() {
    QTest::addColumn<int>("nexts");
    QTest::addColumn<int>("saved");
    QTest::newRow("end on the last tile keeps it") << 5 << 6;
    QTest::newRow("end on tile 4 drops it") << 3 << 3;
    QTest::newRow("end on tile 2") << 1 << 1;
  }
  void endTilesetSavesTheTilesReached() {
    QFETCH(int, nexts);
    QFETCH(int, saved);
    start(96, 32);
    next(nexts);
    const TileSet tileSet = this->saved();
    QCOMPARE(tileSet.tileCount, saved);
    QCOMPARE(FileBytes(root->tls("Bricks.sft")).size(), 4 + 28 * saved);
    QCOMPARE(builder->result(), int(QDialog::Accepted));
  }

  void aOneTileBitmapCannotStepPastItsTile() {
    start(32, 16);
    QVERIFY(!control("cmdNext")->isEnabled());
    QCOMPARE(saved().tileCount, 1);
  }

  // ---- Shooters ----

  void shooterCodesFollowTheTickedDirections_data() {
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<int>("code");
    QTest::newRow("none ticks up") << QList<int>{} << 5;
    QTest::newRow("right and left") << QList<int>{1, 3} << 18;
    QTest::newRow("all four") << QList<int>{0, 1, 2, 3} << 17;
    QTest::newRow("up and down") << QList<int>{0, 2} << 19;
    QTest::newRow("down and left") << QList<int>{2, 3} << 11;
    QTest::newRow("right, down, left") << QList<int>{1, 2, 3} << 15;
  }
  void shooterCodesFollowTheTickedDirections() {
    QFETCH(QList<int>, ticked);
    QFETCH(int, code);
    start(64, 16);
    for (int box : ticked) control<QCheckBox>(QString("chkShooter_%1").arg(box))->click();
    control<QRadioButton>("Option2")->click();
    next();
    QCOMPARE(tile(1).kind, code);
  }

  // ---- Animations ----

  void aFourFrameAnimationFillsFourTiles() {
    start(256, 16);
    next(2);
    control<QRadioButton>("Option1_4")->click();
    control<QCheckBox>("chkAnimated")->click();
    QVERIFY(control<QLineEdit>("txtFrames")->isEnabled());
    control<QLineEdit>("txtFrames")->setText("4");
    next();
    QVERIFY(!control<QWidget>("frmAssigns")->isEnabled());
    QVERIFY(control<QCheckBox>("chkAnimated")->isChecked());
    QCOMPARE(control<QLabel>("lblAnimFrame")->text(), QString("2/4"));
    next(4);
    const TileSet tileSet = saved();
    for (int n = 3; n <= 6; ++n) {
      QCOMPARE(tileSet.tiles[n].frameCount, 4);
      QCOMPARE(tileSet.tiles[n].frameNumber, n - 2);
      QCOMPARE(tileSet.tiles[n].kind, int(Dynamite));
    }
    QCOMPARE(tileSet.tiles[7].frameCount, 1);
  }

  void steppingOverABuiltAnimationKeepsIt() {
    start(128, 16);
    control<QCheckBox>("chkAnimated")->click();
    control<QLineEdit>("txtFrames")->setText("3");
    next();
    control("cmdPrevious")->click();
    QVERIFY(control<QCheckBox>("chkAnimated")->isChecked());
    QCOMPARE(control<QLineEdit>("txtFrames")->text(), QString("3"));
    next();
    QCOMPARE(tile(1).frameCount, 3);
    QCOMPARE(tile(3).frameNumber, 3);
  }

  // Each frame and each later damage stage takes a tile of its own: more than the bitmap has left is refused.
  void numbersTheBitmapCannotHoldAreRefused_data() {
    QTest::addColumn<int>("width");  // of a bitmap one row of tiles high
    QTest::addColumn<int>("nexts");
    QTest::addColumn<QString>("hits");  // typed first; "" types none
    QTest::addColumn<int>("frames");    // ticked first with this many frames; 0 leaves the tile still
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("20 hits on 16 tiles") << 512 << 0 << "" << 0 << "txtHits" << "20" << "16";
    QTest::newRow("16 hits on 16 tiles fit") << 512 << 0 << "" << 0 << "txtHits" << "16" << "16";
    QTest::newRow("3 hits on the last tile but one") << 512 << 14 << "" << 0 << "txtHits" << "3" << "2";
    QTest::newRow("hits after three frames") << 512 << 13 << "" << 3 << "txtHits" << "2" << "1";
    QTest::newRow("9 frames on the last 2 tiles") << 96 << 1 << "" << 2 << "txtFrames" << "9" << "2";
    QTest::newRow("frames before two hits") << 96 << 0 << "2" << 2 << "txtFrames" << "3" << "2";
  }
  void numbersTheBitmapCannotHoldAreRefused() {
    QFETCH(int, width);
    QFETCH(int, nexts);
    QFETCH(QString, hits);
    QFETCH(int, frames);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    start(width, 16);
    next(nexts);
    if (!hits.isEmpty()) enterHits(hits);
    if (frames > 0) {
      control<QCheckBox>("chkAnimated")->click();
      control<QLineEdit>("txtFrames")->setText(QString::number(frames));
    }
    control<QLineEdit>(box)->setText(typed);
    QTest::keyClick(control<QLineEdit>(box), Qt::Key_Return);
    QCOMPARE(control<QLineEdit>(box)->text(), kept);
    const QStringList expected{QString("%1 %2 do not fit").arg(typed, box == "txtHits" ? "hits" : "frames")};
    QCOMPARE(dialogs->texts().replaceInStrings(QRegularExpression(":.*", QRegularExpression::DotMatchesEverythingOption), ""),
             typed == kept ? QStringList() : expected);
    const int t = nexts + 1;
    next();
    QCOMPARE(QString::number(box == "txtHits" ? tile(t).hitCount : tile(t).frameCount), kept);
  }

  // ---- Hit stages ----

  void aThreeHitBrickGetsThreeStages() {
    start(128, 48);
    next(6);
    enterHits("3");
    next();
    QCOMPARE(control<QLabel>("lblHitStage")->text(), QString("2"));
    QVERIFY(!control<QLineEdit>("txtHits")->isEnabled());
    QVERIFY(!control<QRadioButton>("Option1_2")->isEnabled());
    next();
    QVERIFY(control<QLineEdit>("txtHits")->isEnabled());  // the last stage
    next();
    QCOMPARE(control<QLabel>("lblHitStage")->text(), QString("1"));
    for (int n = 7; n <= 9; ++n) {
      QCOMPARE(tile(n).hitCount, 3);
      QCOMPARE(tile(n).hitStage, n - 6);
    }
    QCOMPARE(tile(10).hitCount, 1);
  }

  void anAnimatedTwoHitBrickHasTheSameStageInEveryFrame() {
    start(128, 16);
    control<QCheckBox>("chkAnimated")->click();
    control<QLineEdit>("txtFrames")->setText("2");
    enterHits("2");
    next();
    for (int n = 1; n <= 2; ++n) QCOMPARE(QPair(tile(n).hitCount, tile(n).hitStage), QPair(2, 1));
    QCOMPARE(QPair(tile(3).hitCount, tile(3).hitStage), QPair(2, 2));
    next(2);
    QCOMPARE(QPair(tile(2).hitCount, tile(2).hitStage), QPair(2, 1));
  }

  // Tile 2 built as a brick of three hits (tiles 2 .. 4), then given another hit count from Previous.
  void changingAHitCountReleasesTheStagesItNoLongerReaches_data() {
    QTest::addColumn<QString>("hits");
    QTest::addColumn<int>("nexts");
    QTest::addColumn<QList<QPair<int, int>>>("countAndStage");  // tiles 2 .. 5
    using Stages = QList<QPair<int, int>>;
    QTest::newRow("back to one hit") << "1" << 1 << Stages{{1, 1}, {1, 1}, {1, 1}, {1, 1}};
    QTest::newRow("fewer hits") << "2" << 1 << Stages{{2, 1}, {2, 2}, {1, 1}, {1, 1}};
    QTest::newRow("more hits, stepped on") << "4" << 3 << Stages{{4, 1}, {4, 2}, {4, 3}, {4, 4}};
  }
  void changingAHitCountReleasesTheStagesItNoLongerReaches() {
    QFETCH(QString, hits);
    QFETCH(int, nexts);
    QFETCH(QList<QPairIntInt>, countAndStage);
    start(256, 16);
    next();
    enterHits("3");
    next(3);
    for (int i = 0; i < 3; ++i) control("cmdPrevious")->click();
    enterHits(hits);
    next(nexts);
    for (int n = 2; n <= 5; ++n) QCOMPARE(QPair(tile(n).hitCount, tile(n).hitStage), countAndStage[n - 2]);
    QVERIFY(control<QLineEdit>("txtHits")->isEnabled());
  }

  void anOpenedOrphanStageCanBeGivenHitsOfItsOwn_data() {
    QTest::addColumn<QString>("hits");
    QTest::addColumn<QPair<int, int>>("third");
    QTest::addColumn<QPair<int, int>>("fourth");
    QTest::newRow("one hit") << "1" << QPair(1, 1) << QPair(1, 1);
    QTest::newRow("two hits") << "2" << QPair(2, 1) << QPair(2, 2);
  }
  void anOpenedOrphanStageCanBeGivenHitsOfItsOwn() {
    QFETCH(QString, hits);
    QFETCH(QPairIntInt, third);
    QFETCH(QPairIntInt, fourth);
    WriteFixtureBitmap(root->tls("Bricks.bmp"), 64, 32);
    TileSet made{4, {TileDef{}, TileDef{Hittable, 1, 1, 1, 1, 0, 0}, TileDef{Hittable, 1, 1, 1, 1, 0, 16},
                     TileDef{Hittable, 1, 1, 3, 2, 32, 0}, TileDef{Hittable, 1, 1, 3, 3, 32, 16}}};
    std::string error;
    QVERIFY(WriteTileSetFile(root->tls("Bricks.sft").toStdString(), made, error));
    dialogs->openAnswers << root->tls("Bricks.sft");
    control("cmdOpenTileset")->click();
    next(2);
    QCOMPARE(control<QLabel>("lblHitStage")->text(), QString("2 (orphan)"));
    QVERIFY(control<QLineEdit>("txtHits")->isEnabled() && control<QRadioButton>("Option1_2")->isEnabled());
    enterHits(hits);
    next();
    const TileSet tileSet = saved();
    QCOMPARE(QPair(tileSet.tiles[3].hitCount, tileSet.tiles[3].hitStage), third);
    QCOMPARE(QPair(tileSet.tiles[4].hitCount, tileSet.tiles[4].hitStage), fourth);
  }

  // ---- Number boxes ----

  void invalidNumbersAreReplacedByOne_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("complains");
    QTest::newRow("letters as hits") << "txtHits" << "abc" << true;
    QTest::newRow("zero hits") << "txtHits" << "0" << false;
    QTest::newRow("negative hits") << "txtHits" << "-4" << false;
    QTest::newRow("letters as frames") << "txtFrames" << "x" << true;
    QTest::newRow("zero frames") << "txtFrames" << "0" << false;
  }
  void invalidNumbersAreReplacedByOne() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(bool, complains);
    start(64, 16);
    control<QCheckBox>("chkAnimated")->click();
    auto* edit = control<QLineEdit>(box);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), QString("1"));
    QCOMPARE(dialogs->shown.size(), complains ? 1 : 0);
    if (complains) {
      QCOMPARE(dialogs->shown[0].text, QString("Please enter a valid number."));
      QCOMPARE(dialogs->shown[0].title, QString("Non-Valid Entry"));
      QCOMPARE(dialogs->shown[0].icon, QMessageBox::Critical);
    }
  }

  // ---- Saving and abandoning ----

  void aFailedSaveKeepsTheWindowAndItsWork() {
    start(64, 32);
    next(2);
    QVERIFY(QDir(root->path() + "/Tls").removeRecursively());
    WriteBytes(root->path() + "/Tls", "");  // a file where the folder should be: nothing can be written
    control("Command2")->click();
    dialogs->buttonAnswers << QMessageBox::Yes << QMessageBox::Ok;  // saved anyway without its bitmap
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), 2);
    QVERIFY(dialogs->texts()[1].startsWith("Error in writing file.\n"));
    QCOMPARE(builder->result(), int(QDialog::Rejected));
    QCOMPARE(builder->tileCount(), 2);
    QVERIFY(control("cmdSave")->isEnabled());
    QFile::remove(root->path() + "/Tls");
    dialogs->buttonAnswers << QMessageBox::Yes;
    control("cmdSave")->click();
    QCOMPARE(builder->result(), int(QDialog::Accepted));
  }

  void saveProblemsNameWhatWouldNotWork_data() {
    QTest::addColumn<QString>("kinds");  // the saved tiles' kinds, from tile 1
    QTest::addColumn<bool>("bitmapFound");
    QTest::addColumn<QStringList>("problems");
    QTest::newRow("works") << "1,3" << true << QStringList{};
    QTest::newRow("bitmap not in Tls") << "1" << false << QStringList{"Its bitmap Bricks.bmp is not in Tls"};
    QTest::newRow("no tiles") << "" << true << QStringList{"It holds no tiles"};
    QTest::newRow("skipped tiles") << "1,0,2,0" << true << QStringList{"Tiles 2, 4 were skipped"};
    QTest::newRow("all at once") << "" << false << QStringList{"Its bitmap", "It holds no tiles"};
  }
  void saveProblemsNameWhatWouldNotWork() {
    QFETCH(QString, kinds);
    QFETCH(bool, bitmapFound);
    QFETCH(QStringList, problems);
    TileSet tileSet{0, {TileDef{}}};
    for (const QString& kind : kinds.split(',', Qt::SkipEmptyParts)) {
      tileSet.tiles.push_back(TileDef{kind.toInt(), 1, 1, 1, 1, 0, 0});
      ++tileSet.tileCount;
    }
    const std::vector<std::string> found = SaveProblems(tileSet, bitmapFound, "Bricks.bmp");
    QCOMPARE(found.size(), std::size_t(problems.size()));
    for (qsizetype i = 0; i < problems.size(); ++i)
      QVERIFY2(QString::fromStdString(found[static_cast<std::size_t>(i)]).startsWith(problems[i]), found[i].c_str());
  }

  // Each way of making a tileset that would not work is warned of once; No goes back to it, Yes saves it.
  void aTilesetThatWouldNotWorkIsSavedOnlyWhenTheDesignerInsists_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("answer");
    for (const char* how : {"skipped in the overview", "ended at once", "copy declined"}) {
      QTest::newRow(qPrintable(QString(how) + ", back")) << how << int(QMessageBox::No);
      QTest::newRow(qPrintable(QString(how) + ", anyway")) << how << int(QMessageBox::Yes);
    }
  }
  void aTilesetThatWouldNotWorkIsSavedOnlyWhenTheDesignerInsists() {
    QFETCH(QString, how);
    QFETCH(int, answer);
    if (how == "copy declined") {
      QDir().mkpath(root->path() + "/art");
      WriteFixtureBitmap(root->path() + "/art/Bricks.bmp", 64, 16);
      dialogs->openAnswers << root->path() + "/art/Bricks.bmp";
      dialogs->buttonAnswers << QMessageBox::No;
      control("cmdOpenPic")->click();
      control("cmdDone")->click();
      next();
    } else {
      start(128, 16);
      if (how == "skipped in the overview")
        QTest::mouseClick(control<QListWidget>("tileOverview")->viewport(), Qt::LeftButton, {},
                          control<QListWidget>("tileOverview")->visualItemRect(
                              control<QListWidget>("tileOverview")->item(2)).center());
      else
        QCOMPARE(builder->tileCount(), 0);  // Done, then End at once
    }
    control("Command2")->click();
    dialogs->shown.clear();
    dialogs->buttonAnswers << static_cast<QMessageBox::StandardButton>(answer);
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), 1);
    QCOMPARE(dialogs->shown[0].title, QString("Save Tileset"));
    QCOMPARE(QFile::exists(root->tls("Bricks.sft")), answer == QMessageBox::Yes);
    QCOMPARE(builder->result(), answer == QMessageBox::Yes ? int(QDialog::Accepted) : int(QDialog::Rejected));
  }

  // Cancel asks only when work would be lost: tiles stored, or a choice on show not stored yet.
  void cancelAsksBeforeAbandoningWork_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("answer");  // 0 when nothing is asked
    QTest::newRow("a picture only") << "picture" << 0;
    QTest::newRow("Done, nothing assigned") << "done" << 0;
    QTest::newRow("an opened tileset untouched") << "opened" << 0;
    QTest::newRow("a tile stored, no keeps working") << "stored" << int(QMessageBox::No);
    QTest::newRow("a tile stored, yes abandons") << "stored" << int(QMessageBox::Yes);
    QTest::newRow("a kind on show") << "shown" << int(QMessageBox::Yes);
  }
  void cancelAsksBeforeAbandoningWork() {
    QFETCH(QString, how);
    QFETCH(int, answer);
    if (how == "opened") {
      WriteFixtureTileSet(*root, "Bricks", 64, 32, 4);
      dialogs->openAnswers << root->tls("Bricks.sft");
      control("cmdOpenTileset")->click();
    } else if (how == "picture") {
      openPicture(64, 32);
    } else {
      start(64, 32);
    }
    if (how == "stored") next();
    if (how == "shown") control<QRadioButton>("Option1_4")->click();
    builder->show();
    if (answer) dialogs->buttonAnswers << static_cast<QMessageBox::StandardButton>(answer);
    control("Command3")->click();
    QCOMPARE(dialogs->shown.size(), answer ? 1 : 0);
    if (answer) QCOMPARE(dialogs->shown[0].title, QString("Cancel"));
    if (answer) QCOMPARE(dialogs->shown[0].text, QString("Do you want to abandon current tileset?"));
    QCOMPARE(builder->isVisible(), answer == QMessageBox::No);
    QCOMPARE(builder->tiles().empty(), answer != QMessageBox::No);
    QVERIFY(!QFile::exists(root->tls("Bricks.sft")) || how == "opened");
  }

  // ---- Faults that lost or broke work ----

  void steppingBackShowsTheStoredTileAndKeepsIt() {
    start(320, 16);
    next(7);
    control<QRadioButton>("Option1_3")->click();  // tile 8: Go-thru
    next();
    control<QRadioButton>("Option1_4")->click();  // tile 9 would be Dynamite
    control("cmdPrevious")->click();
    QVERIFY(control<QRadioButton>("Option1_3")->isChecked());
    QVERIFY(!control<QCheckBox>("chkAnimated")->isChecked());  // a tile of one frame
    next();
    QCOMPARE(tile(8).kind, int(GoThrough));
  }

  void aSecondShooterShowsItsOwnDirections() {
    start(256, 16);
    control<QCheckBox>("chkShooter_1")->click();
    control<QCheckBox>("chkShooter_3")->click();
    control<QRadioButton>("Option2")->click();
    next();
    control<QCheckBox>("chkShooter_1")->click();  // tile 2: left only
    next();
    control("cmdPrevious")->click();
    control("cmdPrevious")->click();
    QVERIFY(control<QRadioButton>("Option2")->isChecked());
    QVERIFY(control<QCheckBox>("chkShooter_1")->isChecked() && control<QCheckBox>("chkShooter_3")->isChecked());
    next(2);
    QCOMPARE(tile(1).kind, 18);
    QCOMPARE(tile(2).kind, 8);
  }

  void aTilesetFileThatExistsIsReplacedOnlyAfterAsking() {
    start(64, 16);
    next();
    WriteBytes(root->tls("Bricks.sft"), "old");
    dialogs->buttonAnswers << QMessageBox::No;
    control("Command2")->click();
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY(dialogs->shown[0].text.contains(root->tls("Bricks.sft")));
    QCOMPARE(FileBytes(root->tls("Bricks.sft")), QByteArray("old"));
    QVERIFY(builder->result() != QDialog::Accepted);
  }

  void aBitmapOutsideTlsIsCopiedThereWhenTheDesignerAgrees() {
    QDir().mkpath(root->path() + "/art");
    WriteFixtureBitmap(root->path() + "/art/Bricks.bmp", 64, 16);
    dialogs->openAnswers << root->path() + "/art/Bricks.bmp";
    dialogs->buttonAnswers << QMessageBox::Yes;
    control("cmdOpenPic")->click();
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY(dialogs->shown[0].text.contains("Bricks.bmp"));
    QCOMPARE(FileBytes(root->tls("Bricks.bmp")), FileBytes(root->path() + "/art/Bricks.bmp"));
    control("cmdDone")->click();
    next();
    QCOMPARE(saved().tileCount, 2);
  }

  // Pictures the game cannot read as they stand are offered for writing as its bitmap, even from inside Tls.
  void picturesFromOtherProgramsAreWrittenAsTheGamesBitmap_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("answer");
    QTest::newRow("PNG from elsewhere") << int(PictureKind::Png) << "art/Bricks.png" << int(QMessageBox::Yes);
    QTest::newRow("bit fields from elsewhere") << int(PictureKind::BitfieldsBmp) << "art/Bricks.bmp" << int(QMessageBox::Yes);
    QTest::newRow("bit fields in Tls") << int(PictureKind::BitfieldsBmp) << "Tls/Bricks.bmp" << int(QMessageBox::Yes);
    QTest::newRow("PNG in Tls") << int(PictureKind::Png) << "Tls/Bricks.png" << int(QMessageBox::Yes);
    QTest::newRow("declined") << int(PictureKind::Png) << "art/Bricks.png" << int(QMessageBox::No);
  }
  void picturesFromOtherProgramsAreWrittenAsTheGamesBitmap() {
    QFETCH(int, kind);
    QFETCH(QString, chosen);
    QFETCH(int, answer);
    QDir().mkpath(root->path() + "/art");
    WriteFixturePicture(root->path() + "/" + chosen, 64, 16, static_cast<PictureKind>(kind));
    dialogs->openAnswers << root->path() + "/" + chosen;
    dialogs->buttonAnswers << static_cast<QMessageBox::StandardButton>(answer);
    control("cmdOpenPic")->click();
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY2(dialogs->texts()[0].contains("transparency is dropped"), qPrintable(dialogs->texts()[0]));
    QCOMPARE(HoldsFixtureBitmap(root->tls("Bricks.bmp"), 64, 16), answer == QMessageBox::Yes);
    QVERIFY(control("cmdDone")->isEnabled());
    if (answer == QMessageBox::No) return;
    control("cmdDone")->click();
    QCOMPARE(control<PictureBox>("BrickWindow")->picture().pixel(1, 0), FixturePixel(1, 0));  // see-through
    next();
    QCOMPARE(saved().tileCount, 2);
  }

  // A picture from outside Tls that cannot be used is refused before the copy is offered: nothing is left in Tls.
  void aWrongSizePictureIsRefusedBeforeAnythingIsCopied_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("Open Picture") << "cmdOpenPic" << "Bricks.bmp";
    QTest::newRow("Open Tileset") << "cmdOpenTileset" << "Bricks.sft";
    QTest::newRow("Open Picture, PNG") << "cmdOpenPic" << "Bricks.png";
  }
  void aWrongSizePictureIsRefusedBeforeAnythingIsCopied() {
    QFETCH(QString, button);
    QFETCH(QString, chosen);
    QDir().mkpath(root->path() + "/art");
    WriteFixtureBitmap(root->path() + "/art/Bricks.bmp", 100, 32);
    WriteFixturePicture(root->path() + "/art/Bricks.png", 100, 32, PictureKind::Png);
    std::string error;
    QVERIFY(WriteTileSetFile((root->path() + "/art/Bricks.sft").toStdString(),
                             TileSet{1, {TileDef{}, TileDef{Hittable, 1, 1, 1, 1, 0, 0}}}, error));
    dialogs->openAnswers << root->path() + "/art/" + chosen;
    dialogs->buttonAnswers << QMessageBox::Yes;  // would agree to a copy
    control(button)->click();
    QCOMPARE(dialogs->texts(), QStringList{"Bitmap width must be evenly divisible by 32."});
    QVERIFY(QDir(root->path() + "/Tls").isEmpty());
    QVERIFY(!control("cmdDone")->isEnabled());
  }

  // The overview's scroll handle is what reads as the handle: the darker part of the bar, at the top while the
  // first tiles show and at the bottom once scrolled to the end.
  void theOverviewsScrollHandleLiesWhereTheTilesShown() {
    start(128, 64);
    builder->show();
    QVERIFY(QTest::qWaitForWindowExposed(builder.get()));
    QScrollBar* bar = control<QListWidget>("tileOverview")->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    for (const int value : {bar->minimum(), bar->maximum()}) {
      bar->setValue(value);
      const QImage shown = bar->grab().toImage();
      const int top = qGray(shown.pixel(shown.width() / 2, shown.height() / 10));
      const int bottom = qGray(shown.pixel(shown.width() / 2, shown.height() * 9 / 10));
      QVERIFY2(value == bar->minimum() ? top < bottom : bottom < top, qPrintable(QString("%1: %2 above, %3 below").arg(value).arg(top).arg(bottom)));
    }
  }

  void aBadNumberIsReportedOncePerKeystroke() {
    start(64, 16);
    builder->show();
    builder->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(builder.get()));
    control<QCheckBox>("chkAnimated")->click();
    auto* frames = control<QLineEdit>("txtFrames");
    frames->setFocus();
    frames->selectAll();
    QTest::keyClick(frames, Qt::Key_X);
    QCOMPARE(dialogs->texts(), QStringList{"Please enter a valid number."});
    auto* hits = control<QLineEdit>("txtHits");
    hits->setFocus();
    hits->selectAll();
    QTest::keyClicks(hits, "ab");
    QTest::keyClick(hits, Qt::Key_Return);
    QCOMPARE(dialogs->texts().size(), 2);
  }

  void endingAfterSteppingBackKeepsTheTilesAlreadyAssigned() {
    start(96, 32);
    next(4);
    control<QRadioButton>("Option1_4")->click();
    control("cmdPrevious")->click();
    control("cmdPrevious")->click();
    QCOMPARE(saved().tileCount, 4);  // tiles 1 .. 4 were passed; tile 5 was only on show
  }

  // ---- Changing an existing tileset ----

  void anOpenedTilesetShowsEveryTileAndIsSavedByteForByteWhenUnchanged() {
    WriteFixtureBitmap(root->tls("Bricks.bmp"), 96, 32);
    TileSet made;
    made.tileCount = 5;
    made.tiles = {TileDef{}, TileDef{Indestructible, 1, 1, 1, 1, 0, 0}, TileDef{16, 1, 1, 2, 1, 0, 16},
                  TileDef{16, 1, 1, 2, 2, 32, 0}, TileDef{Dynamite, 2, 1, 1, 1, 32, 16}, TileDef{Dynamite, 2, 2, 1, 1, 64, 0}};
    std::string error;
    QVERIFY(WriteTileSetFile(root->tls("Bricks.sft").toStdString(), made, error));
    const QByteArray original = FileBytes(root->tls("Bricks.sft"));

    dialogs->openAnswers << root->tls("Bricks.sft");
    control("cmdOpenTileset")->click();
    QCOMPARE(dialogs->openFilters.last(), QString("Shardfall Tilesets (*.sft)"));
    auto* overview = control<QListWidget>("tileOverview");
    QCOMPARE(overview->count(), 6);
    QCOMPARE(overview->item(1)->text(), QString("2 Shooter Up+Down+Left"));
    QCOMPARE(overview->item(5)->text(), QString("6 Unassigned"));
    QCOMPARE(overview->item(2)->toolTip(), QString("Tile 3: Shooter Up+Down+Left, stage 2 of 2 hits"));
    QVERIFY(control<QRadioButton>("Option1_2")->isChecked());
    next();
    QVERIFY(control<QRadioButton>("Option2")->isChecked());
    QVERIFY(control<QCheckBox>("chkShooter_0")->isChecked() && control<QCheckBox>("chkShooter_2")->isChecked() &&
            control<QCheckBox>("chkShooter_3")->isChecked() && !control<QCheckBox>("chkShooter_1")->isChecked());
    QCOMPARE(control<QLineEdit>("txtHits")->text(), QString("2"));
    next(2);
    QVERIFY(control<QCheckBox>("chkAnimated")->isChecked());
    QCOMPARE(control<QLineEdit>("txtFrames")->text(), QString("2"));
    control("Command2")->click();
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), 0);  // saving over the tileset being changed asks nothing
    QCOMPARE(FileBytes(root->tls("Bricks.sft")), original);
  }

  // Each stored change is one step: undone the records and the tile on show are as before, redone as after, by
  // the keys and by the history list; moving back over tiles is no step.
  void eachStoredChangeIsOneStepOfTheHistory_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("step");
    for (const char* action : {"next", "hits", "kind", "shooter", "frames", "overview", "end"})
      QTest::newRow(action) << action << true;
    QTest::newRow("previous") << "previous" << false;
  }
  void eachStoredChangeIsOneStepOfTheHistory() {
    QFETCH(QString, action);
    QFETCH(bool, step);
    builder->show();
    QVERIFY(QTest::qWaitForWindowActive(builder.get()));
    start(128, 32);
    const QString atStart = shownState();
    next();  // a step before the one undone
    const QString before = shownState();
    if (action == "next") next();
    if (action == "hits") enterHits("3");
    if (action == "kind") control<QRadioButton>(QString("Option1_%1").arg(Indestructible))->click();
    if (action == "shooter") {
      control<QCheckBox>("chkShooter_1")->click();
      control<QRadioButton>("Option2")->click();
    }
    if (action == "frames") {
      control<QCheckBox>("chkAnimated")->click();
      control<QLineEdit>("txtFrames")->setText("3");
    }
    if (action == "hits" || action == "kind" || action == "shooter" || action == "frames") next();
    if (action == "overview") {
      auto* overview = control<QListWidget>("tileOverview");
      QTest::mouseClick(overview->viewport(), Qt::LeftButton, {}, overview->visualItemRect(overview->item(5)).center());
    }
    if (action == "end") control("Command2")->click();
    if (action == "previous") control("cmdPrevious")->click();
    const QString after = shownState();
    QVERIFY(after != before);
    QCOMPARE(builder->undoStack().count(), step ? 2 : 1);
    if (!step) return;
    QCOMPARE(StatesThroughHistory(builder.get(), [this] { return shownState(); }), (QStringList{before, after, atStart}));
    control("Command3")->click();
    QCOMPARE(dialogs->shown.size(), 0);  // undone to the start: nothing would be lost
    QVERIFY(!builder->isVisible());
  }

  void aTilesetWhosePictureDoesNotDivideIsNotOpened() {
    WriteFixtureBitmap(root->tls("Bricks.bmp"), 48, 32);
    TileSet made;
    made.tileCount = 1;
    made.tiles = {TileDef{}, TileDef{Indestructible, 1, 1, 1, 1, 0, 0}};
    std::string error;
    QVERIFY(WriteTileSetFile(root->tls("Bricks.sft").toStdString(), made, error));
    dialogs->openAnswers << root->tls("Bricks.sft");
    control("cmdOpenTileset")->click();
    QCOMPARE(dialogs->texts(), QStringList{"Bitmap width must be evenly divisible by 32."});
    QVERIFY(!builder->windowTitle().startsWith("Edit Tileset"));
  }
};

QTEST_MAIN(TilesetBuilderTest)
#include "tileset_builder_test.moc"
