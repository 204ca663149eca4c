// The level window's tools and conveniences: region edits, zoom, playtest, content check, data folders.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QUrl>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "content/level_file.h"
#include "content/level_set_file.h"
#include "editor/content_check_window.h"
#include "editor/editor_setup.h"
#include "editor/level_editor.h"
#include "editor/level_set_builder.h"
#include "editor/picture_box.h"
#include "editor/playfield_view.h"
#include "editor/tileset_builder.h"
#include "editor/recent_files.h"
#include "tests/editor/editor_fixture.h"

namespace {

TileSet ShooterTiles() {
  TileSet tiles;
  tiles.tiles = {{}, {Hittable, 1, 1, 1, 1}, {5, 1, 1, 1, 1}, {6, 1, 1, 1, 1}, {8, 2, 1, 1, 1}, {8, 2, 2, 1, 1},
                 {6, 2, 1, 1, 1}};
  tiles.tileCount = 6;
  return tiles;
}

}  // namespace

class LevelToolsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<LevelWindow> window;
  QTemporaryDir userConfig;  // where Qt's file dialog keeps its places, instead of the user's own

  LevelEditor& editor() { return *window->editor; }
  int cellsHolding(int tile) {
    int count = 0;
    for (int column = 1; column <= 20; ++column)
      for (int row = 1; row <= 30; ++row) count += editor().brickGrid()[column][row] == tile;
    return count;
  }
  void useTool(const char* tool) { window->action(tool)->trigger(); }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", userConfig.path().toLocal8Bit()); }
  void init() { window = std::make_unique<LevelWindow>(); }
  void cleanup() { window.reset(); }

  // ---- Cell logic ----

  void aLineStepsFromEndToEndThroughTouchingCells_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("cells");
    QTest::newRow("right and down") << QPoint(1, 1) << QPoint(5, 3) << 5;
    QTest::newRow("left and up") << QPoint(5, 3) << QPoint(1, 1) << 5;
    QTest::newRow("straight up") << QPoint(2, 9) << QPoint(2, 2) << 8;
    QTest::newRow("one cell") << QPoint(4, 4) << QPoint(4, 4) << 1;
  }
  void aLineStepsFromEndToEndThroughTouchingCells() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, cells);
    const std::vector<Cell> line = CellsOnLine({from.x(), from.y()}, {to.x(), to.y()});
    QCOMPARE(int(line.size()), cells);
    QVERIFY((line.front() == Cell{from.x(), from.y()} && line.back() == Cell{to.x(), to.y()}));
    for (std::size_t k = 1; k < line.size(); ++k)
      QVERIFY(std::abs(line[k].column - line[k - 1].column) <= 1 && std::abs(line[k].row - line[k - 1].row) <= 1);
  }

  void anEllipseHoldsTheCellsWhoseCentresItCovers_data() {
    QTest::addColumn<QPoint>("a");
    QTest::addColumn<QPoint>("b");
    QTest::addColumn<int>("cells");
    QTest::addColumn<bool>("cornerIn");  // the top-left cell of the rectangle
    QTest::addColumn<bool>("besideCornerIn");  // the cell right of it
    QTest::newRow("one column") << QPoint(1, 1) << QPoint(1, 5) << 5 << true << false;
    QTest::newRow("3 x 3 is whole") << QPoint(2, 2) << QPoint(4, 4) << 9 << true << true;
    QTest::newRow("4 x 4 loses its corners") << QPoint(1, 1) << QPoint(4, 4) << 12 << false << true;
    QTest::newRow("5 x 5 dragged up and left") << QPoint(5, 5) << QPoint(1, 1) << 21 << false << true;
    QTest::newRow("7 x 3") << QPoint(1, 1) << QPoint(7, 3) << 17 << false << true;
  }
  void anEllipseHoldsTheCellsWhoseCentresItCovers() {
    QFETCH(QPoint, a);
    QFETCH(QPoint, b);
    QFETCH(int, cells);
    QFETCH(bool, cornerIn);
    QFETCH(bool, besideCornerIn);
    const std::vector<Cell> ellipse = CellsInEllipse({a.x(), a.y()}, {b.x(), b.y()});
    const Cell corner{std::min(a.x(), b.x()), std::min(a.y(), b.y())};
    auto holds = [&](Cell cell) { return std::find(ellipse.begin(), ellipse.end(), cell) != ellipse.end(); };
    QCOMPARE(int(ellipse.size()), cells);
    QCOMPARE(holds(corner), cornerIn);
    QCOMPARE(holds({corner.column + 1, corner.row}), besideCornerIn);
  }

  void selectionsAreSetsOfCells() {
    BrickGrid grid{};
    SetCells(grid, {{1, 1}, {4, 2}, {20, 30}}, 3);
    const std::vector<Cell> threes = CellsHolding(grid, 3);
    QVERIFY((threes == std::vector<Cell>{{1, 1}, {4, 2}, {20, 30}}));
    QCOMPARE(int(CellsHolding(grid, 0).size()), 600 - 3);
    QVERIFY(OtherCells(threes) == CellsHolding(grid, 0));
    QVERIFY(OtherCells(AllCells()).empty());
    QCOMPARE(int(OtherCells({}).size()), 600);
  }

  // A block lifted from a selection of any shape pastes only the selected cells.
  void aBlockOfScatteredCellsPastesOnlyThoseCells() {
    BrickGrid grid{};
    SetCells(grid, {{2, 2}, {4, 3}}, 3);
    const CellBlock block = CopyBlock(grid, {{2, 2}, {4, 3}, {3, 3}});
    QCOMPARE(block.columns, 3);
    QCOMPARE(block.rows, 2);
    QCOMPARE(QList<int>(block.tiles.begin(), block.tiles.end()), QList<int>({3, NoTile, NoTile, NoTile, 0, 3}));
    BrickGrid target{};
    SetCells(target, CellsInRectangle({10, 10}, {12, 11}), 1);
    PasteBlock(target, block, {10, 10});
    QVERIFY(CellsHolding(target, 3) == std::vector<Cell>({{10, 10}, {12, 11}}));
    QVERIFY(CellsHolding(target, 1) == std::vector<Cell>({{11, 10}, {12, 10}, {10, 11}}));
    QCOMPARE(target[11][11], 0);
    QVERIFY(CopyBlock(grid, {}).empty());
  }

  void aDragInThePaletteTakesItsTilesAsLaidOut_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<int>>("tiles");
    QTest::newRow("down one column") << 1 << 3 << 1 << QList<int>({1, 2, 3});
    QTest::newRow("up and left, with the eraser") << 21 << 0 << 2 << QList<int>({0, 20, 1, 21});
    QTest::newRow("past the last tile") << 9 << 31 << 2 << QList<int>({9, 29, 10, NoTile, 11, NoTile});
  }
  void aDragInThePaletteTakesItsTilesAsLaidOut() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, columns);
    QFETCH(QList<int>, tiles);
    const CellBlock block = PaletteBlock(from, to, 20, 29);
    QCOMPARE(block.columns, columns);
    QCOMPARE(block.rows, int(tiles.size()) / columns);
    QCOMPARE(QList<int>(block.tiles.begin(), block.tiles.end()), tiles);
  }

  // The block 1 2 3 over 4 5 6, turned.
  void aBlockTurnsAsAWhole_data() {
    QTest::addColumn<int>("turn");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<int>>("tiles");
    QTest::newRow("flip horizontally") << int(Turn::FlipHorizontally) << 3 << QList<int>({3, 2, 1, 6, 5, 4});
    QTest::newRow("flip vertically") << int(Turn::FlipVertically) << 3 << QList<int>({4, 5, 6, 1, 2, 3});
    QTest::newRow("rotate clockwise") << int(Turn::RotateClockwise) << 2 << QList<int>({4, 1, 5, 2, 6, 3});
    QTest::newRow("rotate anticlockwise") << int(Turn::RotateAnticlockwise) << 2 << QList<int>({3, 6, 2, 5, 1, 4});
  }
  void aBlockTurnsAsAWhole() {
    QFETCH(int, turn);
    QFETCH(int, columns);
    QFETCH(QList<int>, tiles);
    const CellBlock turned = TurnBlock(CellBlock{3, 2, {1, 2, 3, 4, 5, 6}}, Turn(turn));
    QCOMPARE(turned.columns, columns);
    QCOMPARE(turned.rows, 6 / columns);
    QCOMPARE(QList<int>(turned.tiles.begin(), turned.tiles.end()), tiles);
  }

  void shootersTurnTheirDirections_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("turned");  // flipped across, flipped up and down, clockwise, anticlockwise
    QTest::newRow("up") << 5 << QList<int>({5, 7, 6, 8});
    QTest::newRow("up, right") << 9 << QList<int>({12, 10, 10, 12});
    QTest::newRow("left, up, right") << 13 << QList<int>({13, 15, 14, 16});
    QTest::newRow("left, right") << 18 << QList<int>({18, 18, 19, 19});
    QTest::newRow("every way") << 17 << QList<int>({17, 17, 17, 17});
    QTest::newRow("hittable") << int(Hittable) << QList<int>({1, 1, 1, 1});
  }
  void shootersTurnTheirDirections() {
    QFETCH(int, kind);
    QFETCH(QList<int>, turned);
    for (int turn = 0; turn < 4; ++turn) QCOMPARE(TurnedKind(kind, Turn(turn)), turned[turn]);
  }

  // Tiles: 1 hittable, 2 shooter up, 3 shooter right, 4 and 5 an animated shooter left, 6 the first frame of an
  // animated shooter right.
  void aTurnedTileIsTheTilesetsTileOfTheTurnedKind_data() {
    QTest::addColumn<int>("tile");
    QTest::addColumn<int>("turn");
    QTest::addColumn<int>("turned");  // 0: none
    QTest::newRow("up turned clockwise") << 2 << int(Turn::RotateClockwise) << 3;
    QTest::newRow("right turned back") << 3 << int(Turn::RotateAnticlockwise) << 2;
    QTest::newRow("no shooter down") << 2 << int(Turn::FlipVertically) << 0;
    QTest::newRow("an animation's frame") << 4 << int(Turn::FlipHorizontally) << 6;
    QTest::newRow("no second frame right") << 5 << int(Turn::FlipHorizontally) << 0;
    QTest::newRow("only alike tiles") << 3 << int(Turn::FlipHorizontally) << 0;
    QTest::newRow("no direction") << 1 << int(Turn::RotateClockwise) << 1;
  }
  void aTurnedTileIsTheTilesetsTileOfTheTurnedKind() {
    QFETCH(int, tile);
    QFETCH(int, turn);
    QFETCH(int, turned);
    QCOMPARE(TurnedTile(ShooterTiles(), tile, Turn(turn)).value_or(0), turned);
  }

  // The row 1 2 1 (2 a shooter up) from (5, 10) to (7, 10), and one at the top edge.
  void aSelectionTurnsAboutItsMiddle_data() {
    QTest::addColumn<int>("turn");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<QPoint>>("cells");
    QTest::addColumn<int>("middle");
    QTest::addColumn<int>("kept");
    QTest::newRow("clockwise") << int(Turn::RotateClockwise) << 10
                               << QList<QPoint>({{6, 9}, {6, 10}, {6, 11}}) << 3 << 0;
    QTest::newRow("flipped, kept") << int(Turn::FlipVertically) << 10
                                   << QList<QPoint>({{5, 10}, {6, 10}, {7, 10}}) << 2 << 1;
    QTest::newRow("off the top") << int(Turn::RotateClockwise) << 1 << QList<QPoint>({{6, 1}, {6, 2}}) << 3 << 0;
  }
  void aSelectionTurnsAboutItsMiddle() {
    QFETCH(int, turn);
    QFETCH(int, row);
    QFETCH(QList<QPoint>, cells);
    QFETCH(int, middle);
    QFETCH(int, kept);
    BrickGrid grid{};
    SetCells(grid, {{5, row}, {7, row}}, 1);
    SetCells(grid, {{6, row}}, 2);
    const TurnedCells turned = TurnCells(grid, CellsInRectangle({5, row}, {7, row}), ShooterTiles(), Turn(turn));
    QList<QPoint> places;
    for (const Cell cell : turned.cells) places << QPoint(cell.column, cell.row);
    QCOMPARE(places, cells);
    QCOMPARE(grid[6][row], middle);
    QCOMPARE(turned.kept, kept);
    QCOMPARE(int(CellsHolding(grid, 0).size()), 600 - int(cells.size()));
  }

  void paddleSidesTurnWithTheLevel() {
    const GuardedSides numbered{0, 1, 2, 3, 4};  // each side's own number, to follow it
    const std::array<GuardedSides, 4> turned{{{0, 1, 4, 3, 2}, {0, 3, 2, 1, 4}, {0, 2, 3, 4, 1}, {0, 4, 1, 2, 3}}};
    for (int turn = 0; turn < 4; ++turn) QVERIFY(TurnSides(numbered, Turn(turn)) == turned[turn]);
  }

  // ---- Region tools ----

  void eachRegionToolIsOneUndoableStep_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("cells");  // cells of tile 3 afterwards
    QTest::addColumn<QPoint>("changed");
    QTest::newRow("rectangle") << "rectangle" << 2 + 16 << QPoint(4, 5);
    QTest::newRow("ellipse") << "ellipse" << 2 + 12 << QPoint(3, 3);
    QTest::newRow("line") << "line" << 2 + 19 << QPoint(20, 15);
    QTest::newRow("fill") << "fill" << 2 + 597 << QPoint(20, 30);
    QTest::newRow("paste") << "paste" << 4 << QPoint(11, 11);
    QTest::newRow("paste of a tile's cells") << "paste same" << 4 << QPoint(7, 21);
    QTest::newRow("delete") << "delete" << 1 << QPoint(3, 2);
    QTest::newRow("flip") << "flip" << 2 << QPoint(3, 1);
    QTest::newRow("mirror left to right") << "mirror left to right" << 4 << QPoint(18, 2);
    QTest::newRow("mirror top to bottom") << "mirror top to bottom" << 4 << QPoint(3, 29);
  }
  void eachRegionToolIsOneUndoableStep() {
    QFETCH(QString, tool);
    QFETCH(int, cells);
    QFETCH(QPoint, changed);
    window->paint(1, 1, 3);
    window->paint(3, 2, 3);
    window->paint(6, 20, 1);
    const BrickGrid before = editor().brickGrid();
    const int steps = editor().undoStack().count();
    window->chooseBrush(3);
    if (tool == "rectangle") {
      useTool("toolRectangle");
      window->drag(CellCentre(2, 3), CellCentre(5, 6));
    } else if (tool == "ellipse") {
      useTool("toolEllipse");
      window->drag(CellCentre(2, 3), CellCentre(5, 6));
    } else if (tool == "line") {
      useTool("toolLine");
      window->drag(CellCentre(2, 5), CellCentre(20, 15));
    } else if (tool == "fill") {
      useTool("toolFill");
      window->drag(CellCentre(10, 10), CellCentre(10, 10));
    } else if (tool == "paste") {
      useTool("toolSelect");
      window->drag(CellCentre(1, 1), CellCentre(3, 2));
      window->action("mnuCopy")->trigger();
      window->action("mnuPaste")->trigger();
      QCOMPARE(editor().tool(), PaintTool::Stamp);
      window->drag(CellCentre(9, 10), CellCentre(9, 10));
    } else if (tool == "paste same") {
      useTool("toolSelectSame");
      window->drag(CellCentre(1, 1), CellCentre(1, 1));
      window->action("mnuCopy")->trigger();
      window->action("mnuPaste")->trigger();
      window->drag(CellCentre(5, 20), CellCentre(5, 20));  // (6, 20) falls between the copied cells
    } else if (tool == "delete" || tool == "flip") {
      useTool("toolSelect");
      window->drag(CellCentre(1, 1), CellCentre(tool == "flip" ? 3 : 2, 2));
      window->action(tool == "flip" ? "mnuFlipHorizontally" : "mnuDeleteSelection")->trigger();
    } else if (tool == "mirror left to right") {
      window->action("mnuMirrorLeftRight")->trigger();
    } else {
      window->action("mnuMirrorTopBottom")->trigger();
    }
    QCOMPARE(cellsHolding(3), cells);
    QCOMPARE(editor().brickGrid()[changed.x()][changed.y()], 3);
    if (tool == "fill" || tool == "paste same") QCOMPARE(editor().brickGrid()[6][20], 1);  // left alone
    const BrickGrid after = editor().brickGrid();
    QCOMPARE(editor().undoStack().count(), steps + 1);
    window->action("mnuUndo")->trigger();
    QVERIFY(editor().brickGrid() == before);
    window->action("mnuRedo")->trigger();
    QVERIFY(editor().brickGrid() == after);
  }

  void theSelectionItemsSelectByTileAndInvert() {
    window->paint(2, 2, 2);
    window->paint(3, 3, 2);
    window->action("mnuSelectBrushTile")->trigger();
    QCOMPARE(int(editor().selection().size()), 2);
    window->action("mnuInvertSelection")->trigger();
    QCOMPARE(int(editor().selection().size()), 598);
    window->action("mnuSelectAll")->trigger();
    QCOMPARE(int(editor().selection().size()), 600);
    window->action("mnuDropSelection")->trigger();
    QVERIFY(editor().selection().empty());
    useTool("toolSelectSame");
    window->drag(CellCentre(3, 3), CellCentre(3, 3));
    QVERIFY((editor().selection() == std::vector<Cell>{{2, 2}, {3, 3}}));
  }

  // Tiles 2 and 3 of the fixture made shooters up and right (the tileset has none down or left).
  void turningTurnsTheStampTheBrushOrTheWholeLevelWithItsPaddles() {
    LoadedTileSet shooters = editor().document().tileSet();
    shooters.tileSet.tiles[2].kind = 5;
    shooters.tileSet.tiles[3].kind = 6;
    editor().document().setTileSet(shooters);
    auto* first = editor().findChild<QWidget*>("Picture2_1");
    SendPress(first, QPoint(5, 5), Qt::LeftButton);
    SendMove(first, QPoint(5, 2 * 24 + 5), Qt::LeftButton);  // over slot 3
    SendRelease(first, QPoint(5, 2 * 24 + 5), Qt::LeftButton);
    QCOMPARE(editor().tool(), PaintTool::Stamp);
    window->action("mnuRotateClockwise")->trigger();  // 1 2 3 down becomes 3 3 1 across: the right one is kept
    QCOMPARE(QList<int>(editor().stamp().tiles.begin(), editor().stamp().tiles.end()), QList<int>({3, 3, 1}));
    QVERIFY(editor().statusBar()->currentMessage().startsWith("1 shooter tile"));
    window->drag(CellCentre(5, 5), CellCentre(5, 5));
    QCOMPARE(editor().brickGrid()[7][5], 1);

    useTool("toolPencil");
    window->chooseBrush(2);
    window->action("mnuRotateClockwise")->trigger();
    QCOMPARE(editor().brush(), 3);
    QVERIFY(editor().statusBar()->currentMessage().isEmpty());

    window->action("mnuSelectAll")->trigger();
    const LevelEdits before = editor().document().edits();
    window->action("mnuFlipVertically")->trigger();
    QCOMPARE(editor().brickGrid()[7][26], 1);
    QVERIFY(IsGuarded(editor().guardedSides(), Top) && !IsGuarded(editor().guardedSides(), Bottom));
    window->action("mnuUndo")->trigger();
    QVERIFY(editor().document().edits() == before);
  }

  // Each step undone gives back the level as the step before left it, on the grid, the sides and the screen.
  void undoGoesBackOverEarlierWorkOneStepAtATime_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("a stroke over a stroke") << "stroke";
    QTest::newRow("the eraser over a stroke") << "erase";
    QTest::newRow("a side") << "side";
    QTest::newRow("clearing") << "clear";
  }
  void undoGoesBackOverEarlierWorkOneStepAtATime() {
    QFETCH(QString, change);
    std::vector<LevelEdits> states{editor().document().edits()};
    std::vector<QImage> pictures{editor().levelPicture()};
    auto keep = [&] {
      states.push_back(editor().document().edits());
      pictures.push_back(editor().levelPicture());
    };
    window->chooseBrush(1);
    window->drag(CellCentre(2, 3), CellCentre(5, 3));
    keep();
    editor().findChild<QAbstractButton*>("Check1_3")->click();
    keep();
    if (change == "stroke") {
      window->chooseBrush(2);
      window->drag(CellCentre(4, 2), CellCentre(4, 6));
    } else if (change == "erase") {
      window->drag(CellCentre(3, 3), CellCentre(4, 3), Qt::RightButton);
    } else if (change == "side") {
      editor().findChild<QAbstractButton*>("Check1_4")->click();
    } else {
      window->dialogs.buttonAnswers << QMessageBox::Yes;
      editor().clearLevel();
    }
    keep();
    QCOMPARE(editor().undoStack().count(), 3);
    for (int step = 2; step >= 0; --step) {
      window->action("mnuUndo")->trigger();
      QVERIFY2(editor().document().edits() == states[step], qPrintable(QString("undone to step %1").arg(step)));
      QVERIFY(editor().levelPicture() == pictures[step]);
    }
    for (int step = 1; step <= 3; ++step) {
      window->action("mnuRedo")->trigger();
      QVERIFY2(editor().document().edits() == states[step], qPrintable(QString("redone to step %1").arg(step)));
      QVERIFY(editor().levelPicture() == pictures[step]);
    }
  }

  void anEditThatChangesNothingAddsNoStep() {
    window->action("mnuMirrorLeftRight")->trigger();  // an empty level is its own mirror
    window->action("mnuMirrorTopBottom")->trigger();
    useTool("toolRectangle");
    window->drag(CellCentre(2, 2), CellCentre(6, 6), Qt::RightButton);  // erasing nothing
    useTool("toolPencil");
    QCOMPARE(editor().undoStack().count(), 0);
    QVERIFY(!editor().isWindowModified());
    window->paint(2, 2, 1);
    window->paint(2, 2, 1);  // the tile it holds
    QCOMPARE(editor().undoStack().count(), 1);
  }

  // Walls one cell thick, across and down, hold a fill on every side.
  void aFillStaysWithinWallsOneCellThick() {
    window->chooseBrush(1);
    useTool("toolLine");
    window->drag(CellCentre(1, 10), CellCentre(20, 10));
    window->drag(CellCentre(10, 1), CellCentre(10, 9));
    window->chooseBrush(3);
    useTool("toolFill");
    window->drag(CellCentre(3, 3), CellCentre(3, 3));
    QCOMPARE(cellsHolding(3), 81);
    window->drag(CellCentre(12, 3), CellCentre(12, 3));
    QCOMPARE(cellsHolding(3), 81 + 90);
    QCOMPARE(cellsHolding(1), 29);
  }

  void theRightButtonDrawsShapesWithTheEraser() {
    for (int column = 1; column <= 20; ++column) window->paint(column, 4, 2);
    useTool("toolLine");
    window->drag(CellCentre(5, 4), CellCentre(9, 4), Qt::RightButton);
    QCOMPARE(cellsHolding(2), 15);
    QCOMPARE(editor().brickGrid()[7][4], 0);
  }

  void pickingATileMakesItTheBrushAndGoesBackToTheTool() {
    window->paint(4, 4, 2);
    window->chooseBrush(1);
    useTool("toolRectangle");
    useTool("toolPick");
    window->drag(CellCentre(4, 4), CellCentre(4, 4));
    QCOMPARE(editor().brush(), 2);
    QCOMPARE(editor().tool(), PaintTool::Rectangle);
  }

  // ---- Seeing what you do ----

  void zoomKeepsThePointerOnItsCell_data() {
    QTest::addColumn<QString>("zoom");
    QTest::newRow("1x") << "mnuZoom1";
    QTest::newRow("2x") << "mnuZoom2";
    QTest::newRow("3x") << "mnuZoom3";
    QTest::newRow("fit") << "mnuZoomFit";
  }
  void zoomKeepsThePointerOnItsCell() {
    QFETCH(QString, zoom);
    editor().resize(1500, 1200);
    editor().show();
    QApplication::processEvents();
    window->action(zoom.toLatin1().constData())->trigger();
    const double scale = editor().zoom();
    const QSize room = window->levelPic()->parentWidget()->size();  // the scroll area's viewport
    if (zoom == "mnuZoomFit") {
      QVERIFY(scale > 1.5);
      QVERIFY(window->levelPic()->width() <= room.width() && window->levelPic()->height() <= room.height());
      QVERIFY(window->levelPic()->width() == room.width() || window->levelPic()->height() == room.height());
    } else {
      QCOMPARE(window->levelPic()->size(), QSize(640, 480) * scale);
    }
    window->chooseBrush(2);
    // The last screen pixel of cell (7, 9), or its centre when the scale is not whole.
    const QPoint pointer = zoom == "mnuZoomFit" ? (QPointF(CellCentre(7, 9)) * scale).toPoint()
                                                : CellCorner(8, 10) * scale - QPoint(1, 1);
    SendMove(window->levelPic(), pointer, Qt::NoButton);
    QCOMPARE(editor().findChild<QLabel*>("CurPoslbl")->text(), QString("X: 7  Y: 9"));
    SendPress(window->levelPic(), pointer, Qt::LeftButton);
    SendRelease(window->levelPic(), pointer, Qt::LeftButton);
    QCOMPARE(editor().brickGrid()[7][9], 2);
  }

  void theBrushShowsUnderThePointerAndInThePalette() {
    window->chooseBrush(2);
    auto slot = [&](int k) { return editor().findChild<PictureBox*>(QString("Picture2_%1").arg(k)); };
    QVERIFY(slot(2)->bordered() && !slot(0)->bordered());
    QCOMPARE(slot(2)->toolTip(), QString("Tile 2: Hittable"));
    SendMove(window->levelPic(), CellCentre(3, 3), Qt::NoButton);
    auto* view = editor().findChild<PlayfieldView*>("LevelPic");
    QCOMPARE(view->preview().size(), std::size_t{1});
    QCOMPARE(view->preview()[0].first, (Cell{3, 3}));
    QCOMPARE(view->preview()[0].second, editor().document().tileSet().tileImage(2));
    QCOMPARE(editor().brickGrid()[3][3], 0);  // only shown, not painted

    const QImage plain = view->grab().toImage();
    window->action("mnuGrid")->trigger();
    const QImage lined = view->grab().toImage();
    QVERIFY(plain.pixel(32, 200) != lined.pixel(32, 200));  // a line between columns 1 and 2
    QCOMPARE(plain.pixel(40, 200), lined.pixel(40, 200));
  }

  // ---- Not losing work ----

  void newAndOpenAskToSaveOnlyAfterAChange() {
    window->dialogs.openAnswers << window->root->tls("DefaultTileSet.sft");
    window->action("mnuNew")->trigger();
    QCOMPARE(window->dialogs.shown.size(), 0);
    window->paint(2, 2, 1);
    window->dialogs.buttonAnswers << QMessageBox::Cancel;
    window->action("mnuOpen")->trigger();
    QCOMPARE(window->dialogs.texts(), QStringList{"Do you want to save current level?"});
    QCOMPARE(window->dialogs.openFilters.size(), 1);  // cancelled before the file dialog
    QCOMPARE(editor().brickGrid()[2][2], 1);
  }

  void recentLevelsAreRememberedBetweenRuns() {
    QTemporaryDir settings;
    const QString store = settings.path() + "/recent.ini";
    auto first = std::make_unique<LevelWindow>(store);
    first->paint(2, 2, 1);
    const QString level = settings.path() + "/remembered.sfl";
    QVERIFY(first->editor->SaveFile(level));
    first.reset();

    window = std::make_unique<LevelWindow>(store);
    const QList<QAction*> recent = editor().findChild<QMenu*>("mnuRecent")->actions();
    QCOMPARE(recent.size(), 1);
    QCOMPARE(recent[0]->text(), QString("remembered.sfl"));
    recent[0]->trigger();
    QCOMPARE(editor().currentFile(), level);
    QCOMPARE(editor().brickGrid()[2][2], 1);
  }

  void recentLevelsOfTheSameNameShowTheirFolders_data() {
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("names differ") << QStringList{"/a/one.sfl", "/b/two.sfl"} << QStringList{"one.sfl", "two.sfl"};
    QTest::newRow("a name twice") << QStringList{"/a/one.sfl", "/b/two.sfl", "/c/one.sfl"}
                                  << QStringList{"one.sfl (/a)", "two.sfl", "one.sfl (/c)"};
  }
  void recentLevelsOfTheSameNameShowTheirFolders() {
    QFETCH(QStringList, paths);
    QFETCH(QStringList, texts);
    QCOMPARE(RecentMenuTexts(paths), texts);
  }

  // A dialog opened on one data tree lists none of the folders an earlier run on another tree left in it.
  void fileDialogsOfferOnlyTheFoldersOfThisRun() {
    QTemporaryDir earlier, now;
    QDir(now.path()).mkpath("Tls");
    QFileDialog dialog;
    dialog.setSidebarUrls({QUrl::fromLocalFile(earlier.path())});
    dialog.setHistory({earlier.path()});
    ShowFolders(dialog, {now.path() + "/missing", now.path() + "/Tls", now.path()});
    QCOMPARE(dialog.directory().absolutePath(), now.path() + "/Tls");
    QCOMPARE(dialog.history(), (QStringList{now.path() + "/Tls", now.path()}));
    QVERIFY(!dialog.sidebarUrls().contains(QUrl::fromLocalFile(earlier.path())));
    QVERIFY(dialog.sidebarUrls().contains(QUrl::fromLocalFile(now.path() + "/Tls")));
  }

  // ---- Playtest ----

  void playtestStartsTheGameOnAOneLevelSetAndWritesNothingOfTheDesigners() {
    window->paint(5, 6, 2);
    window->action("mnuPlaytest")->trigger();
    QCOMPARE(window->dialogs.shown.size(), 0);
    QCOMPARE(window->starter.started.size(), 1);
    QCOMPARE(window->starter.started[0].program, window->root->path() + "/GAME");
    const QStringList arguments = window->starter.started[0].arguments;
    QCOMPARE(arguments.mid(0, 2), (QStringList{"--windowed", "--play"}));
    LevelSet set;
    Level level;
    std::string error;
    QVERIFY(ReadLevelSetFile(arguments[2].toStdString(), set, error));
    QCOMPARE(set.levelFiles, std::vector<std::string>{"playtest.sfl"});
    QVERIFY(ReadLevelFile((QFileInfo(arguments[2]).absolutePath() + "/playtest.sfl").toStdString(), level, error));
    QCOMPARE(level.brickGrid[5][6], 2);
    QCOMPARE(level.tilesetName, std::string("DefaultTileSet.sft"));
    QCOMPARE(QDir(window->root->path() + "/Lvl").entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(!editor().hasFileName());
    QVERIFY(editor().isWindowModified());
  }

  // ---- Content check ----

  void theContentCheckListsWhatTheGameWouldNotFind() {
    Level level = FixtureLevel("Lost.sft");
    level.guardedSides[Bottom] = -1;
    WriteFixtureLevel(window->root->lvl("lost.sfl"), level);
    window->action("mnuCheckContent")->trigger();
    window->action("mnuCheckContent")->trigger();  // the same window again
    QCOMPARE(editor().findChildren<QDialog*>("ContentCheck").size(), 1);
    auto* problems = editor().findChild<QListWidget*>("contentProblems");
    QVERIFY(problems && problems->isVisibleTo(editor().findChild<QWidget*>("ContentCheck")));
    QCOMPARE(problems->findItems("\"Lost.sft\" is missing from Tls", Qt::MatchContains).size(), 1);
  }

  // ---- Every window ----

  void noWindowLaysOneControlOverAnother_data() {
    QTest::addColumn<QString>("window");
    for (const char* window : {"level window", "tileset builder", "level set builder", "content check"})
      QTest::newRow(window) << window;
  }
  // The background picture alone lies over its panel, and over the playfield when expanded.
  void noWindowLaysOneControlOverAnother() {
    QFETCH(QString, window);
    const EditorFolders folders = this->window->root->folders();
    ScriptedDialogs& dialogs = this->window->dialogs;
    std::unique_ptr<QWidget> shown;
    if (window == "level window") shown = std::move(this->window->editor);
    else if (window == "tileset builder") shown = std::make_unique<TileSetBuilder>(folders, dialogs);
    else if (window == "level set builder") shown = std::make_unique<LevelSetBuilder>(folders, dialogs);
    else shown = std::make_unique<ContentCheckWindow>();
    shown->show();
    QCoreApplication::processEvents();
    QList<QWidget*> parents = shown->findChildren<QWidget*>();
    parents << shown.get();
    for (QWidget* parent : parents) {
      QList<QWidget*> children;
      for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !child->isWindow() && child->objectName() != "Backpic") children << child;
      for (int a = 0; a < children.size(); ++a)
        for (int b = a + 1; b < children.size(); ++b)
          QVERIFY2(!children[a]->geometry().intersects(children[b]->geometry()),
                   qPrintable(children[a]->objectName() + " over " + children[b]->objectName() + " in " +
                              parent->objectName()));
    }
  }

  // ---- Data folders ----

  void aSplitTreeOpensFromBothAndSavesIntoTheUsersFolder() {
    const QString shipped = window->root->path();
    QTemporaryDir user;
    Level level = FixtureLevel();
    level.guardedSides[Top] = -1;
    level.brickGrid[2][2] = 3;
    WriteFixtureLevel(window->root->lvl("shipped.sfl"), level);
    QDir().mkpath(user.path() + "/Tls");
    QVERIFY(QFile::copy(window->root->tls("DefaultTileSet.bmp"), user.path() + "/Tls/DefaultTileSet.bmp"));
    WriteFixtureTileSet(*window->root, "Three", 64, 32, 3);  // the user's DefaultTileSet has three tiles
    QVERIFY(QFile::rename(window->root->tls("Three.sft"), user.path() + "/Tls/DefaultTileSet.sft"));

    EditorSetup setup = FixtureSetup(*window->root, window->dialogs);
    setup.folders = EditorFolders(DataFolders{shipped.toStdString(), user.path().toStdString()});
    LevelEditor split(setup);
    QCOMPARE(split.tileSet().tileCount, 3);  // the user's copy wins
    window->dialogs.openAnswers << window->root->lvl("shipped.sfl");
    split.fileOpen();
    QCOMPARE(window->dialogs.openFolders.last(), (QStringList{user.path() + "/Lvl", shipped + "/Lvl"}));
    QCOMPARE(split.brickGrid()[2][2], 3);
    const QByteArray shippedBytes = FileBytes(window->root->lvl("shipped.sfl"));
    SendPress(split.findChild<QWidget*>("Picture2_1"), QPoint(5, 5), Qt::LeftButton);
    SendPress(split.findChild<QWidget*>("LevelPic"), CellCentre(4, 4), Qt::LeftButton);
    SendRelease(split.findChild<QWidget*>("LevelPic"), CellCentre(4, 4), Qt::LeftButton);
    split.fileSave();
    QCOMPARE(FileBytes(window->root->lvl("shipped.sfl")), shippedBytes);
    std::string error;
    QVERIFY(ReadLevelFile((user.path() + "/Lvl/shipped.sfl").toStdString(), level, error));
    QCOMPARE(level.brickGrid[4][4], 1);
    // Told once a run, in the level window or any other, where saves go.
    QCOMPARE(window->dialogs.shown.size(), 1);
    QVERIFY(window->dialogs.texts()[0].contains("saved in your own folder " + user.path()));
    split.fileSave();
    LevelSetBuilder builder(setup.folders, window->dialogs);
    window->dialogs.saveAnswers << user.path() + "/Lvl/mine.sfs";
    builder.saveSet();
    QVERIFY(QFile::exists(user.path() + "/Lvl/mine.sfs"));
    QCOMPARE(window->dialogs.shown.size(), 1);
  }

  void theEditorFindsItsDataLikeTheGame_data() {
    QTest::addColumn<QString>("start");  // "root", "build", "installed" or "bad root"
    QTest::addColumn<QString>("shipped");
    QTest::addColumn<QString>("user");
    QTest::newRow("--root") << "root" << "data" << "data";
    QTest::newRow("build folder") << "build" << "bin" << "bin";
    QTest::newRow("installed") << "installed" << "share/games/shardfall" << "home/shardfall";
    QTest::newRow("--root naming nothing") << "bad root" << "" << "";
  }
  void theEditorFindsItsDataLikeTheGame() {
    QFETCH(QString, start);
    QFETCH(QString, shipped);
    QFETCH(QString, user);
    QTemporaryDir dir;
    for (const char* folder : {"data/Gfx", "share/games/shardfall/Gfx", "home"}) QDir().mkpath(dir.path() + "/" + folder);
    QDir().mkpath(dir.path() + "/bin");
    if (start == "build") QDir().mkpath(dir.path() + "/bin/Gfx");
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", (dir.path() + "/home").toUtf8());
    const QString root = start == "root" ? dir.path() + "/data" : start == "bad root" ? dir.path() + "/none" : QString();
    DataFolders folders;
    QString error;
    const bool found = LocateEditorData(root, dir.path() + "/bin", "../share/games/shardfall", folders, error);
    qputenv("XDG_DATA_HOME", savedHome);
    QCOMPARE(found, !shipped.isEmpty());
    if (!found) {
      QVERIFY(error.contains(dir.path() + "/none"));
      return;
    }
    QCOMPARE(QString::fromStdString(folders.shipped.lexically_normal().string()), dir.path() + "/" + shipped);
    QCOMPARE(QString::fromStdString(folders.user.lexically_normal().string()), dir.path() + "/" + user);
    const GameCommand game = GameBesideEditor(dir.path() + "/bin", root);
    QCOMPARE(game.program, dir.path() + "/bin/shardfall");
    const QStringList leading = root.isEmpty() ? QStringList{"--windowed", "--play"} : QStringList{"--root", root};
    QCOMPARE(PlaytestArguments(game, "s.sfs").mid(0, 2), leading);
  }
};

QTEST_MAIN(LevelToolsTest)
#include "level_tools_test.moc"
