// The level-set builder: the count label, duplicates, the Lvl folder rule, the file written, failures.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <memory>
#include <string>

#include "content/level_set_file.h"
#include "editor/level_set_builder.h"
#include "tests/editor/editor_fixture.h"

class LevelSetBuilderTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FixtureRoot> root;
  std::unique_ptr<ScriptedDialogs> dialogs;
  std::unique_ptr<LevelSetBuilder> builder;

  template <typename T = QPushButton>
  T* control(const char* name) {
    return builder->findChild<T*>(name);
  }
  void add(const QString& path) {
    dialogs->openAnswers << path;
    control("cmdAddLevel")->click();
  }
  void writeSet(const QString& file, const std::vector<std::string>& levels) {
    LevelSet set;
    set.levelSetName = "Caves";
    set.levelFiles = levels;
    std::string error;
    QVERIFY(WriteLevelSetFile(root->lvl(file).toStdString(), set, error));
  }
  // Levels a, b and c in Lvl, the set caves.sfs of all three opened, b chosen.
  void openCaves() {
    for (const char* name : {"a.sfl", "b.sfl", "c.sfl"}) WriteBytes(root->lvl(name), QByteArray("level ") + name);
    writeSet("caves.sfs", {"a.sfl", "b.sfl", "c.sfl"});
    QVERIFY(builder->openSet(root->lvl("caves.sfs")));
    control<QListWidget>("levelList")->setCurrentRow(1);
  }
  // What the window shows: the list, the chosen row and the set's name.
  QString shown() {
    auto* list = control<QListWidget>("levelList");
    QStringList items;
    for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
    return items.join(",") + QString(" | row %1 | ").arg(list->currentRow()) + control<QLineEdit>("txtLevelSetName")->text();
  }
  void pressKeys(const QKeySequence& keys) {
    QTest::keySequence(control<QListWidget>("levelList"), keys);
  }

 private slots:
  void init() {
    root = std::make_unique<FixtureRoot>();
    dialogs = std::make_unique<ScriptedDialogs>();
    builder = std::make_unique<LevelSetBuilder>(root->folders(), *dialogs);
  }
  void cleanup() {
    builder.reset();
    dialogs.reset();
    root.reset();
  }

  void aLevelWhoseNameASetCannotHoldIsNotAdded() {
    dialogs->openListAnswers << QStringList{root->lvl("one,two.sfl"), root->lvl("three.sfl")};
    control("cmdAddLevel")->click();
    QCOMPARE(control<QLabel>("lblNumLevels")->text(), QString("1 Level"));
    QCOMPARE(dialogs->texts().size(), 1);
    QVERIFY(dialogs->texts()[0].startsWith("one,two.sfl: it holds a comma"));
  }

  void theLabelCountsTheLevels_data() {
    QTest::addColumn<int>("added");
    QTest::addColumn<QString>("label");
    QTest::newRow("one") << 1 << "1 Level";
    QTest::newRow("two") << 2 << "2 Levels";
    QTest::newRow("three") << 3 << "3 Levels";
  }
  void theLabelCountsTheLevels() {
    QFETCH(int, added);
    QFETCH(QString, label);
    for (int i = 0; i < added; ++i) add(root->lvl(QString("l%1.sfl").arg(i)));
    QCOMPARE(control<QLabel>("lblNumLevels")->text(), label);
    QVERIFY(control("cmdSave")->isEnabled());
    QCOMPARE(control<QComboBox>("cboLevels")->count(), added);
    QCOMPARE(control<QComboBox>("cboLevels")->currentText(), root->lvl(QString("l%1.sfl").arg(added - 1)));
  }

  void theSetIsWrittenIntoLvlByNameOnly() {
    const QString elsewhere = root->path() + "/elsewhere";
    QDir().mkpath(elsewhere);
    add(root->lvl("one.sfl"));
    add(elsewhere + "/two.sfl");
    add(root->lvl("one.sfl"));
    control<QLineEdit>("txtLevelSetName")->setText("  Crystal Caves");
    dialogs->saveAnswers << elsewhere + "/caves.sfs";
    control("cmdSave")->click();
    QCOMPARE(dialogs->saveFilters, QStringList{"Shardfall Levelsets (*.sfs)"});
    QVERIFY(!QFile::exists(elsewhere + "/caves.sfs"));
    QCOMPARE(FileBytes(root->lvl("caves.sfs")),
             QByteArray("  Crystal Caves\r\n 3 \r\none.sfl\r\ntwo.sfl\r\none.sfl\r\n"));
    LevelSet read;
    std::string error;
    QVERIFY(ReadLevelSetFile(root->lvl("caves.sfs").toStdString(), read, error));
    QCOMPARE(read.levelFiles.size(), std::size_t{3});
    QCOMPARE(builder->result(), int(QDialog::Accepted));
  }

  // A name a set cannot store is refused as it is typed, with the reason; one left empty is refused on Save,
  // before any file is chosen.
  void setNamesASetCannotStoreAreRefused_data() {
    QTest::addColumn<QString>("typed");  // over the whole name
    QTest::addColumn<QString>("shown");  // what the box holds afterwards: a refused key is dropped
    QTest::addColumn<QString>("reason");  // "" when the name is taken
    QTest::newRow("plain") << "Caves" << "Caves" << "";
    QTest::newRow("a comma") << "Caves, deep" << "Caves deep" << "holds a comma";
    QTest::newRow("a quote first") << "\"Caves" << "Shardfall LevelsCaves" << "would not read it back";
    QTest::newRow("empty") << "" << "" << "it is empty";
  }
  void setNamesASetCannotStoreAreRefused() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, reason);
    add(root->lvl("one.sfl"));
    auto* box = control<QLineEdit>("txtLevelSetName");
    box->selectAll();
    QTest::keyClicks(box, typed);
    if (typed.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), shown);
    dialogs->saveAnswers << root->lvl("caves.sfs");
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), reason.isEmpty() ? 0 : 1);
    if (!reason.isEmpty()) QVERIFY2(dialogs->texts()[0].contains(reason), qPrintable(dialogs->texts()[0]));
    QCOMPARE(dialogs->saveAnswers.isEmpty(), !typed.isEmpty());  // the empty name is refused before the dialog
    QCOMPARE(QFile::exists(root->lvl("caves.sfs")), !typed.isEmpty());
  }

  // The game lists sets by their ".sfs" ending alone: a typed name gets it unless it already ends so.
  void aSetsFileNameAlwaysEndsInSfs_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no ending") << "caves" << "caves.sfs";
    QTest::newRow("a dot") << "caves v1.2" << "caves v1.2.sfs";
    QTest::newRow("its ending") << "caves.sfs" << "caves.sfs";
  }
  void aSetsFileNameAlwaysEndsInSfs() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    add(root->lvl("one.sfl"));
    dialogs->saveAnswers << root->lvl(typed);
    control("cmdSave")->click();
    QCOMPARE(QDir(root->path() + "/Lvl").entryList(QDir::Files), QStringList{written});
  }

  void aFailedSaveIsReportedAndStaysOpen() {
    builder->show();
    add(root->lvl("one.sfl"));
    QVERIFY(QDir(root->path() + "/Lvl").removeRecursively());
    WriteBytes(root->path() + "/Lvl", "");  // a file where the folder should be: nothing can be written
    dialogs->saveAnswers << root->lvl("lost.sfs");
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), 1);
    const QString reason = root->lvl("lost.sfs") + ": cannot make its folder (";
    QVERIFY(dialogs->texts()[0].startsWith("Error in writing file.\n" + reason));
    QVERIFY(builder->isVisible());
    QCOMPARE(builder->levelCount(), 1);
  }


  void aSetThatExistsInLvlIsReplacedOnlyAfterAsking() {
    const QString elsewhere = root->path() + "/elsewhere";
    QDir().mkpath(elsewhere);
    WriteBytes(root->lvl("WarmUp.sfs"), "Warm Up\r\n 0 \r\n");
    add(root->lvl("one.sfl"));
    dialogs->saveAnswers << elsewhere + "/WarmUp.sfs";
    dialogs->buttonAnswers << QMessageBox::No;
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY(dialogs->shown[0].text.contains(root->lvl("WarmUp.sfs")));
    QCOMPARE(FileBytes(root->lvl("WarmUp.sfs")), QByteArray("Warm Up\r\n 0 \r\n"));
    QVERIFY(builder->result() != QDialog::Accepted);
  }

  void anOpenedSetIsReorderedTrimmedAndSavedBack() {
    const QString elsewhere = root->path() + "/elsewhere";
    QDir().mkpath(elsewhere);
    for (const QString& path : {root->lvl("a.sfl"), root->lvl("b.sfl"), root->lvl("c.sfl"), elsewhere + "/d.sfl"})
      WriteBytes(path, "");
    LevelSet set;
    set.levelSetName = "Caves";
    set.levelFiles = {"a.sfl", "b.sfl"};
    std::string error;
    QVERIFY(WriteLevelSetFile(root->lvl("caves.sfs").toStdString(), set, error));

    dialogs->openAnswers << root->lvl("caves.sfs");
    control("openSetButton")->click();
    QCOMPARE(control<QLineEdit>("txtLevelSetName")->text(), QString("Caves"));
    QCOMPARE(control<QListWidget>("levelList")->item(0)->text(), QString("a.sfl"));  // found in Lvl
    QCOMPARE(control<QListWidget>("levelList")->currentRow(), 1);                   // the last one chosen
    dialogs->openListAnswers << QStringList{root->lvl("c.sfl"), elsewhere + "/d.sfl"};
    control("cmdAddLevel")->click();
    QCOMPARE(control<QLabel>("lblNumLevels")->text(), QString("4 Levels"));
    auto* list = control<QListWidget>("levelList");
    QCOMPARE(list->item(3)->text(), QString("d.sfl  (not in Lvl: the game will not find it)"));
    control("removeButton")->click();  // d.sfl, the one added last
    list->setCurrentRow(2);
    control("moveUpButton")->click();
    control("moveUpButton")->click();
    QVERIFY(!control("moveUpButton")->isEnabled());
    dialogs->saveAnswers << root->lvl("caves.sfs");
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), 0);  // saving over the set being changed asks nothing
    QCOMPARE(FileBytes(root->lvl("caves.sfs")), QByteArray("Caves\r\n 3 \r\nc.sfl\r\na.sfl\r\nb.sfl\r\n"));
  }

  void cancelAsksBeforeDroppingAChangedList_data() {
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::newRow("nothing added closes at once") << false << int(QMessageBox::Yes);
    QTest::newRow("no keeps the list") << true << int(QMessageBox::No);
    QTest::newRow("yes drops it") << true << int(QMessageBox::Yes);
  }
  void cancelAsksBeforeDroppingAChangedList() {
    QFETCH(bool, changed);
    QFETCH(int, answer);
    builder->show();
    if (changed) add(root->lvl("one.sfl"));
    dialogs->buttonAnswers << static_cast<QMessageBox::StandardButton>(answer);
    control("cmdCancel")->click();
    QCOMPARE(dialogs->shown.size(), changed ? 1 : 0);
    QCOMPARE(builder->isVisible(), answer == QMessageBox::No);
    QCOMPARE(builder->levelCount(), changed ? 1 : 0);
  }

  // Every change of the list or the name is one step: undone it shows the window as before, redone as after,
  // by the keys and by the history list.
  void eachChangeIsOneStepOfTheHistory_data() {
    QTest::addColumn<QString>("action");
    for (const char* action : {"add", "remove", "up", "down", "name", "duplicate"}) QTest::newRow(action) << action;
  }
  void eachChangeIsOneStepOfTheHistory() {
    QFETCH(QString, action);
    builder->show();
    QVERIFY(QTest::qWaitForWindowActive(builder.get()));
    openCaves();
    const QString before = shown();
    if (action == "add") add(root->lvl("a.sfl"));
    if (action == "remove") control("removeButton")->click();
    if (action == "up") control("moveUpButton")->click();
    if (action == "down") control("moveDownButton")->click();
    if (action == "name") QTest::keyClicks(control<QLineEdit>("txtLevelSetName"), " deep");
    if (action == "duplicate") {
      dialogs->textAnswers << "b copy";
      pressKeys(QKeySequence("Ctrl+D"));
    }
    const QString after = shown();
    QVERIFY(after != before);
    QCOMPARE(builder->undoStack().count(), 1);
    QCOMPARE(StatesThroughHistory(builder.get(), [this] { return shown(); }), (QStringList{before, after, before}));
    control("cmdCancel")->click();
    QCOMPARE(dialogs->shown.size(), 0);  // undone to the start: nothing would be lost
  }

  // A renamed level is renamed in every set of Lvl that lists it, and in the window's list and history; a
  // name that cannot be used or a set that cannot be written leaves every file as it was.
  void renamingALevelKeepsTheSetsInStep_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("agreed");
    QTest::addColumn<QString>("reason");  // "" when renamed
    QTest::newRow("renamed") << "bee" << true << "";
    QTest::newRow("declined") << "bee" << false << "";
    QTest::newRow("a comma") << "b,e" << true << "holds a comma";
    QTest::newRow("a dot") << "bee v1.2" << true << "holds a dot";
    QTest::newRow("taken") << "c.sfl" << true << "already in Lvl";
    QTest::newRow("a set not written") << "bee" << true << "The set dark.sfs could not be written";
  }
  void renamingALevelKeepsTheSetsInStep() {
    QFETCH(QString, typed);
    QFETCH(bool, agreed);
    QFETCH(QString, reason);
    builder->show();
    QVERIFY(QTest::qWaitForWindowActive(builder.get()));
    openCaves();
    writeSet("other.sfs", {"c.sfl"});
    writeSet("bees.sfs", {"b.sfl", "c.sfl", "b.sfl"});
    // A set that reads but cannot be written back: its name is empty.
    if (QTest::currentDataTag() == QString("a set not written")) WriteBytes(root->lvl("dark.sfs"), "\"\"\r\n 1 \r\nb.sfl\r\n");
    control("moveUpButton")->click();  // a step of the history before the rename
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(root->lvl("")).entryList(QDir::Files)) files[name] = FileBytes(root->lvl(name));
    dialogs->textAnswers << typed;
    dialogs->buttonAnswers << (agreed ? QMessageBox::Yes : QMessageBox::No);
    QSignalSpy told(builder.get(), &LevelSetBuilder::levelFileRenamed);
    QTest::keyClick(control<QListWidget>("levelList"), Qt::Key_F2);
    QCOMPARE(dialogs->textOffers, QStringList{"b.sfl"});
    const QList<QVariant> renamedFile{QFileInfo(root->lvl("b.sfl")).absoluteFilePath(),
                                      QFileInfo(root->lvl("bee.sfl")).absoluteFilePath()};
    QCOMPARE(told, agreed && reason.isEmpty() ? QList<QList<QVariant>>{renamedFile} : QList<QList<QVariant>>{});
    const bool renamed = agreed && reason.isEmpty();
    if (!reason.isEmpty()) QVERIFY2(dialogs->texts().last().contains(reason), qPrintable(dialogs->texts().last()));
    if (!renamed) {
      QMap<QString, QByteArray> after;
      for (const QString& name : QDir(root->lvl("")).entryList(QDir::Files)) after[name] = FileBytes(root->lvl(name));
      QCOMPARE(after, files);
      return;
    }
    QVERIFY(dialogs->texts()[0].contains("take the new name: bees.sfs, caves.sfs."));
    QVERIFY(dialogs->texts()[0].contains("not part of Undo"));
    QVERIFY(!QFile::exists(root->lvl("b.sfl")));
    QCOMPARE(FileBytes(root->lvl("bee.sfl")), QByteArray("level b.sfl"));
    QCOMPARE(FileBytes(root->lvl("bees.sfs")), QByteArray("Caves\r\n 3 \r\nbee.sfl\r\nc.sfl\r\nbee.sfl\r\n"));
    QCOMPARE(FileBytes(root->lvl("caves.sfs")), QByteArray("Caves\r\n 3 \r\na.sfl\r\nbee.sfl\r\nc.sfl\r\n"));
    QCOMPARE(FileBytes(root->lvl("other.sfs")), files["other.sfs"]);
    QCOMPARE(shown(), QString("bee.sfl,a.sfl,c.sfl | row 0 | Caves"));
    builder->undoStack().undo();  // the move, with the file under its new name
    QCOMPARE(shown(), QString("a.sfl,bee.sfl,c.sfl | row 1 | Caves"));
  }

  void onlyLevelsInLvlAreRenamed() {
    const QString elsewhere = root->path() + "/elsewhere";
    QDir().mkpath(elsewhere);
    WriteBytes(elsewhere + "/d.sfl", "level d");
    add(elsewhere + "/d.sfl");
    dialogs->textAnswers << "e";
    control("renameButton")->click();
    QCOMPARE(dialogs->textOffers.size(), 0);
    QVERIFY(dialogs->texts()[0].startsWith(elsewhere + "/d.sfl is not a file in " + root->path() + "/Lvl.\nOnly "));
    QVERIFY(QFile::exists(elsewhere + "/d.sfl"));
  }

  // The copy is made at once under the name offered, and put after its level as a step Undo takes back.
  void aDuplicateIsACopyAddedAfterItsLevel() {
    openCaves();
    WriteBytes(root->lvl("b copy.sfl"), "taken");
    dialogs->textAnswers << "b copy 2";
    control("duplicateButton")->click();
    QCOMPARE(dialogs->textOffers, QStringList{"b copy 2.sfl"});
    QCOMPARE(FileBytes(root->lvl("b copy 2.sfl")), QByteArray("level b.sfl"));
    QCOMPARE(shown(), QString("a.sfl,b.sfl,b copy 2.sfl,c.sfl | row 2 | Caves"));
    QCOMPARE(FileBytes(root->lvl("caves.sfs")), QByteArray("Caves\r\n 3 \r\na.sfl\r\nb.sfl\r\nc.sfl\r\n"));
    builder->undoStack().undo();
    QCOMPARE(shown(), QString("a.sfl,b.sfl,c.sfl | row 1 | Caves"));
    QVERIFY(QFile::exists(root->lvl("b copy 2.sfl")));
  }
};

QTEST_MAIN(LevelSetBuilderTest)
#include "level_set_builder_test.moc"
