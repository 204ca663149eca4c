// A designer's whole path, from the default tileset to a set the game plays.
#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
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
#include "editor/prove_level_window.h"
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

QJsonObject PlayHeadless(const QStringList& arguments, const QString& dump) {
  QProcess game;
  game.setProcessChannelMode(QProcess::MergedChannels);
  game.start(GAME_PROGRAM, QStringList{"--headless", "--seed", "7", "--frames", "600", "--dump-state", dump} + arguments);
  if (!game.waitForFinished(60000) || game.exitCode() != 0) qWarning("%s", game.readAll().constData());
  return QJsonDocument::fromJson(FileBytes(dump)).object();
}

}  // namespace

class DesignerFlowTest : public QObject {
  Q_OBJECT

  FixtureRoot root;
  ScriptedDialogs dialogs;
  RecordingStarter starter;

  void trigger(LevelEditor& editor, const char* action) {
    auto* found = editor.findChild<QAction*>(action);
    if (!found) qFatal("no action %s", action);
    found->trigger();
  }
  void drag(LevelEditor& editor, QPoint from, QPoint to) {
    auto* levelPic = editor.findChild<PictureBox*>("LevelPic");
    SendPress(levelPic, from, Qt::LeftButton);
    SendMove(levelPic, to, Qt::LeftButton);
    SendRelease(levelPic, to, Qt::LeftButton);
  }
  void chooseBrush(LevelEditor& editor, int slot) {
    SendPress(editor.findChild<PictureBox*>(QString("Picture2_%1").arg(slot)), QPoint(4, 4), Qt::LeftButton);
  }

 private slots:
  void aDesignedLevelIsPlaytestedAndPlayedInAnExistingSet() {
    std::string error;
    QVERIFY2(BuildDefaultTree(root.path().toStdString(), error), error.c_str());
    const QByteArray shippedTileSet = FileBytes(root.tls("DefaultTileSet.sft"));
    LevelEditor editor(FixtureSetup(root, dialogs, &starter));
    editor.show();
    QVERIFY(dialogs.shown.isEmpty());

    Level level;
    QString playtestSet;
    changeTheDefaultTileSet(editor, shippedTileSet);
    paintASymmetricLevel(editor, level);
    playtest(editor, playtestSet);
    if (QTest::currentTestFailed()) return;

    // Saved into Lvl under a name typed without its extension.
    dialogs.saveAnswers << root.lvl("mirrored");
    trigger(editor, "mnuSaveAs");
    QCOMPARE(editor.currentFile(), root.lvl("mirrored.sfl"));

    addToTheWarmUpSet(editor);
    QCOMPARE(dialogs.texts(), QStringList());
    playInTheGame(level, playtestSet);
  }

  // The content tool plays the level in a process of its own and the window shows its verdict.
  void aLevelIsProvenBesideTheEditor() {
    const QString shipped = QStringLiteral(DEFAULT_TREE), glow = shipped + "/Lvl/wu1_glow.sfl";
    const QString empty = root.path() + "/empty.sfl", missing = root.path() + "/missing-tool";
    Level level;
    std::string error;
    QVERIFY2(ReadLevelFile(glow.toStdString(), level, error), error.c_str());
    level.brickGrid = {};
    WriteFixtureLevel(empty, level);
    struct Case {
      QString level, tool, verdict;
    };
    const Case cases[] = {
        {glow, CONTENT_TOOL, "Finished: cleared in "},
        {empty, CONTENT_TOOL, "Not finished: nothing to break"},
        {glow, missing, "No verdict: " + missing + " could not be started"},
    };
    for (const Case& test : cases) {
      LevelEditor editor(EditorSetup{EditorFolders::same(shipped), &dialogs, &starter, {}, {},
                                     GameCommand{test.tool, {"--root", shipped}}});
      QVERIFY(editor.OpenFile(test.level));
      trigger(editor, "mnuProveLevel");
      auto* window = editor.findChild<ProveLevelWindow*>();
      QVERIFY(window && window->isVisible());
      QTRY_VERIFY2_WITH_TIMEOUT(window->verdict().startsWith(test.verdict), qPrintable(window->verdict()), 60000);
    }
    QCOMPARE(dialogs.texts(), QStringList());
  }

 private:
  void changeTheDefaultTileSet(LevelEditor& editor, const QByteArray& shipped) {
    dialogs.openAnswers << root.tls("DefaultTileSet.sft");
    WhileModal([](QWidget* builder) {
      Click(builder, "cmdOpenTileset");
      auto* overview = builder->findChild<QListWidget*>("tileOverview");
      QTest::mouseClick(overview->viewport(), Qt::LeftButton, {}, overview->visualItemRect(overview->item(1)).center());
      Click(builder, "Option1_2");  // tile 2 becomes indestructible
      Click(builder, "Command2");
      Click(builder, "cmdSave");
    });
    trigger(editor, "mnuNewTileset");
    const QByteArray changed = FileBytes(root.tls("DefaultTileSet.sft"));
    QCOMPARE(changed.size(), shipped.size());
    const int kindOfTile2 = 4 + 28;
    QCOMPARE(changed.mid(kindOfTile2, 4), QByteArray("\x02\0\0\0", 4));
    QCOMPARE(changed.left(kindOfTile2) + changed.mid(kindOfTile2 + 4), shipped.left(kindOfTile2) + shipped.mid(kindOfTile2 + 4));
    QCOMPARE(editor.tileSet().tiles[2].kind, int(Indestructible));  // the palette reloaded it
  }

  void paintASymmetricLevel(LevelEditor& editor, Level& level) {
    dialogs.openAnswers << root.tls("DefaultTileSet.sft");
    trigger(editor, "mnuNew");  // nothing changed yet: no question
    chooseBrush(editor, 1);
    trigger(editor, "toolRectangle");
    drag(editor, CellCentre(2, 4), CellCentre(8, 5));
    chooseBrush(editor, 2);
    trigger(editor, "toolLine");
    drag(editor, CellCentre(1, 8), CellCentre(9, 12));
    trigger(editor, "toolSelect");
    drag(editor, CellCentre(2, 4), CellCentre(8, 5));
    trigger(editor, "mnuCopy");
    trigger(editor, "mnuPaste");
    SendPress(editor.findChild<PictureBox*>("LevelPic"), CellCentre(2, 15), Qt::LeftButton);
    trigger(editor, "mnuMirrorLeftRight");
    const BrickGrid& grid = editor.brickGrid();
    int bricks = 0;
    for (int row = 1; row <= 30; ++row)
      for (int column = 1; column <= 20; ++column) {
        QCOMPARE(grid[column][row], grid[21 - column][row]);
        bricks += grid[column][row] != 0;
      }
    QCOMPARE(bricks, 2 * (14 + 9 + 14));
    QCOMPARE(grid[5][16], 1);
    QCOMPARE(editor.undoStack().count(), 4);  // rectangle, line, paste, mirror: one step each, and nothing else
    level = editor.document().levelToSave();
  }

  void playtest(LevelEditor& editor, QString& set) {
    const QStringList before = QDir(root.path() + "/Lvl").entryList(QDir::Files);
    trigger(editor, "mnuPlaytest");
    QCOMPARE(starter.started.size(), 1);
    const QStringList arguments = starter.started[0].arguments;
    QCOMPARE(starter.started[0].program, root.path() + "/GAME");
    QCOMPARE(arguments.mid(0, 2), (QStringList{"--windowed", "--play"}));
    QVERIFY(!arguments[2].startsWith(root.path()));
    QCOMPARE(QDir(root.path() + "/Lvl").entryList(QDir::Files), before);
    QVERIFY(editor.isWindowModified());  // the designer's own file is still to be saved
    set = arguments[2];
  }

  void addToTheWarmUpSet(LevelEditor& editor) {
    LevelSet shipped;
    std::string error;
    QVERIFY2(ReadLevelSetFile(root.lvl("1-WarmUp.sfs").toStdString(), shipped, error), error.c_str());
    dialogs.openAnswers << root.lvl("1-WarmUp.sfs");
    dialogs.openListAnswers << QStringList{root.lvl("mirrored.sfl")};
    dialogs.saveAnswers << root.lvl("1-WarmUp.sfs");
    const auto moves = static_cast<int>(shipped.levelFiles.size());
    WhileModal([moves](QWidget* manager) {
      Click(manager, "openSetButton");
      Click(manager, "cmdAddLevel");
      for (int i = 0; i < moves; ++i) Click(manager, "moveUpButton");
      Click(manager, "cmdSave");
    });
    trigger(editor, "mnuMakeLevelSet");
    LevelSet set;
    QVERIFY2(ReadLevelSetFile(root.lvl("1-WarmUp.sfs").toStdString(), set, error), error.c_str());
    QCOMPARE(set.levelSetName, std::string("Warm-up"));
    std::vector<std::string> expected = {"mirrored.sfl"};
    expected.insert(expected.end(), shipped.levelFiles.begin(), shipped.levelFiles.end());
    QCOMPARE(set.levelFiles, expected);
  }

  void playInTheGame(const Level& level, const QString& playtestSet) {
    if (!QFile::exists(GAME_PROGRAM)) QSKIP("the game is not built in this tree");
    const QJsonObject tried = PlayHeadless({"--root", root.path(), "--play", playtestSet}, root.path() + "/tried.json");
    QCOMPARE(tried["GameWorld"].toObject()["loadingProblem"].toString(), QString());
    QCOMPARE(tried["GameWorld"].toObject()["levelFiles"].toArray(), QJsonArray{"playtest.sfl"});

    const QJsonObject played =
        PlayHeadless({"--root", root.path(), "--play", root.lvl("1-WarmUp.sfs")}, root.path() + "/played.json");
    QVERIFY(played["GameState"].toObject()["gameLoaded"].toBool());
    const QJsonObject world = played["GameWorld"].toObject();
    QCOMPARE(world["loadingProblem"].toString(), QString());
    QCOMPARE(world["currentLevel"].toInt(), 1);
    QCOMPARE(world["levelFiles"].toArray()[0].toString(), QString("mirrored.sfl"));
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
