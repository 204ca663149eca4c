// The level-set builder: the count label, duplicates, the Lvl folder rule, the file written, failures.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
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
};

QTEST_MAIN(LevelSetBuilderTest)
#include "level_set_builder_test.moc"
