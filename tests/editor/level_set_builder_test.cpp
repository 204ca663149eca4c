// The level-set builder: the count label, duplicates, the Lvl folder rule, the file written, failures.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
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
  std::unique_ptr<frmNewLevelSet> builder;

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
    builder = std::make_unique<frmNewLevelSet>(root->folders(), *dialogs);
  }
  void cleanup() {
    builder.reset();
    dialogs.reset();
    root.reset();
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

  void aFailedSaveIsReportedAndStaysOpen() {
    builder->show();
    add(root->lvl("one.sfl"));
    QVERIFY(QDir(root->path() + "/Lvl").removeRecursively());
    QFile blocker(root->path() + "/Lvl");  // a file where the folder should be: nothing can be written
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    dialogs->saveAnswers << root->lvl("lost.sfs");
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY(dialogs->texts()[0].startsWith("Error in writing file.\n"));
    QVERIFY(builder->isVisible());
    QCOMPARE(builder->levelCount(), 1);
  }


  void aSetThatExistsInLvlIsReplacedOnlyAfterAsking() {
    const QString elsewhere = root->path() + "/elsewhere";
    QDir().mkpath(elsewhere);
    QFile shipped(root->lvl("WarmUp.sfs"));
    QVERIFY(shipped.open(QIODevice::WriteOnly));
    shipped.write("Warm Up\r\n 0 \r\n");
    shipped.close();
    add(root->lvl("one.sfl"));
    dialogs->saveAnswers << elsewhere + "/WarmUp.sfs";
    dialogs->buttonAnswers << QMessageBox::No;
    control("cmdSave")->click();
    QCOMPARE(dialogs->shown.size(), 1);
    QVERIFY(dialogs->shown[0].text.contains(root->lvl("WarmUp.sfs")));
    QCOMPARE(FileBytes(root->lvl("WarmUp.sfs")), QByteArray("Warm Up\r\n 0 \r\n"));
    QVERIFY(builder->result() != QDialog::Accepted);
  }
};

QTEST_MAIN(LevelSetBuilderTest)
#include "level_set_builder_test.moc"
