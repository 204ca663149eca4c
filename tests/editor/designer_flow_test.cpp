// A designer's whole path: build a tileset, paint a level on it, save it, assemble a set, and play it.
#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "content/level_file.h"
#include "content/level_set_file.h"
#include "content/tileset_file.h"
#include "editor/level_editor.h"
#include "editor/picture_box.h"
#include "tests/editor/editor_fixture.h"
#include "tools/default_content/build_default.h"

namespace {

// Runs `drive` on the modal window that the next menu command opens, while it is open.
void WhileModal(const std::function<void(QWidget*)>& drive) {
  QTimer::singleShot(0, [drive] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) qFatal("no modal window opened");
    drive(modal);
  });
}

void Click(QWidget* window, const char* name) {
  auto* button = window->findChild<QAbstractButton*>(name);
  if (!button) qFatal("no button %s", name);
  button->click();
}

}  // namespace

class DesignerFlowTest : public QObject {
  Q_OBJECT

 private slots:
  void aDesignedSetIsWrittenAndPlays() {
    FixtureRoot root;
    std::string error;
    QVERIFY2(BuildDefaultTree(root.path().toStdString(), error), error.c_str());
    WriteFixtureBitmap(root.tls("Crystal.bmp"), 64, 32);
    ScriptedDialogs dialogs;
    frmEditor editor(root.path(), dialogs);
    editor.show();
    QVERIFY(dialogs.shown.isEmpty());

    // The tileset: a plain brick, a two-hit brick over tiles 2 and 3, an indestructible one.
    dialogs.openAnswers << root.tls("Crystal.bmp");
    WhileModal([](QWidget* builder) {
      Click(builder, "cmdOpenPic");
      Click(builder, "cmdDone");
      Click(builder, "cmdNext");
      auto* hits = builder->findChild<QLineEdit*>("txtHits");
      hits->setText("2");
      QTest::keyClick(hits, Qt::Key_Return);
      Click(builder, "cmdNext");
      Click(builder, "cmdNext");
      Click(builder, "Option1_2");
      Click(builder, "Command2");
      Click(builder, "cmdSave");
    });
    editor.findChild<QAction*>("mnuNewTileset")->trigger();
    TileSet tileSet;
    QVERIFY2(ReadTileSetFile(root.tls("Crystal.sft").toStdString(), 2, 2, tileSet, error), error.c_str());
    QCOMPARE(tileSet.tileCount, 4);
    QCOMPARE(tileSet.tiles[1], (TileDef{Hittable, 1, 1, 1, 1, 0, 0}));
    QCOMPARE(tileSet.tiles[2], (TileDef{Hittable, 1, 1, 2, 1, 0, 16}));
    QCOMPARE(tileSet.tiles[3], (TileDef{Hittable, 1, 1, 2, 2, 32, 0}));
    QCOMPARE(tileSet.tiles[4], (TileDef{Indestructible, 1, 1, 1, 1, 32, 16}));

    // The level: a new level on the tileset, two rows of bricks, saved into Lvl.
    dialogs.buttonAnswers << QMessageBox::No;
    dialogs.openAnswers << root.tls("Crystal.sft");
    editor.findChild<QAction*>("mnuNew")->trigger();
    QCOMPARE(editor.tileSet().tileCount, 4);
    auto* levelPic = editor.findChild<PictureBox*>("LevelPic");
    SendPress(editor.findChild<PictureBox*>("Picture2_1"), QPoint(4, 4), Qt::LeftButton);
    SendPress(levelPic, QPoint(8, 72), Qt::LeftButton);
    for (int x = 8; x < 640; x += 16) SendMove(levelPic, QPoint(x, 72), Qt::LeftButton);
    SendRelease(levelPic, QPoint(632, 72), Qt::LeftButton);
    SendPress(editor.findChild<PictureBox*>("Picture2_2"), QPoint(4, 4), Qt::LeftButton);
    for (int column = 3; column <= 18; column += 3) {
      SendPress(levelPic, QPoint((column - 1) * 32 + 4, 100), Qt::LeftButton);
      SendRelease(levelPic, QPoint((column - 1) * 32 + 4, 100), Qt::LeftButton);
    }
    editor.findChild<QCheckBox*>("Check1_3")->click();
    dialogs.saveAnswers << root.lvl("crystal1.sfl");
    editor.findChild<QAction*>("mnuSave")->trigger();
    Level level;
    QVERIFY2(ReadLevelFile(root.lvl("crystal1.sfl").toStdString(), level, error), error.c_str());
    QCOMPARE(level.tilesetName, std::string("Crystal.sft"));
    QCOMPARE(level.backgroundName, std::string("DefaultBackground.bmp"));
    QCOMPARE(level.guardedSides[Bottom], -1);
    QCOMPARE(level.guardedSides[Top], -1);
    for (int column = 1; column <= 20; ++column) QCOMPARE(level.brickGrid[column][5], 1);
    QCOMPARE(level.brickGrid[3][7], 2);
    QCOMPARE(level.brickGrid[4][7], 0);

    // The set: the level twice under a new name.
    dialogs.openAnswers << root.lvl("crystal1.sfl") << root.lvl("crystal1.sfl");
    dialogs.saveAnswers << root.lvl("designer.sfs");
    WhileModal([](QWidget* builder) {
      Click(builder, "cmdAddLevel");
      Click(builder, "cmdAddLevel");
      builder->findChild<QLineEdit*>("txtLevelSetName")->setText("Designer Set");
      Click(builder, "cmdSave");
    });
    editor.findChild<QAction*>("mnuMakeLevelSet")->trigger();
    LevelSet levelSet;
    QVERIFY2(ReadLevelSetFile(root.lvl("designer.sfs").toStdString(), levelSet, error), error.c_str());
    QCOMPARE(levelSet.levelSetName, std::string("Designer Set"));
    QCOMPARE(levelSet.levelFiles, (std::vector<std::string>{"crystal1.sfl", "crystal1.sfl"}));
    QCOMPARE(dialogs.texts(), QStringList{"Do you want to save current level?"});  // asked by New

    playInTheGame(root, level);
  }

 private:
  void playInTheGame(const FixtureRoot& root, const Level& level) {
    if (!QFile::exists(GAME_PROGRAM)) QSKIP("the game is not built in this tree");
    const QString dump = root.path() + "/state.json";
    QProcess game;
    game.setProcessChannelMode(QProcess::MergedChannels);
    game.start(GAME_PROGRAM, {"--root", root.path(), "--headless", "--seed", "7", "--frames", "600", "--play",
                              root.lvl("designer.sfs"), "--dump-state", dump});
    QVERIFY(game.waitForFinished(60000));
    QVERIFY2(game.exitCode() == 0, game.readAll().constData());
    const QJsonObject dumped = QJsonDocument::fromJson(FileBytes(dump)).object();
    QVERIFY(dumped["GameState"].toObject()["gameLoaded"].toBool());
    const QJsonObject world = dumped["GameWorld"].toObject();
    QCOMPARE(world["loadingProblem"].toString(), QString());
    QCOMPARE(world["currentLevel"].toInt(), 1);
    QCOMPARE(world["levelFiles"].toArray(), (QJsonArray{"crystal1.sfl", "crystal1.sfl"}));
    QCOMPARE(world["guardedSides"].toArray(), (QJsonArray{-1, 0, -1, 0}));
    // Play only removes or damages bricks; what is left stands where the designer painted it.
    const QJsonArray grid = world["brickGrid"].toArray();
    int standing = 0;
    for (int column = 1; column <= 20; ++column)
      for (int row = 1; row <= 30; ++row)
        if (grid[column].toArray()[row].toInt() != 0) {
          QVERIFY(level.brickGrid[column][row] != 0);
          ++standing;
        }
    QVERIFY(standing > 10);
  }
};

QTEST_MAIN(DesignerFlowTest)
#include "designer_flow_test.moc"
