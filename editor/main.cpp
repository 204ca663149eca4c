// Starts the editor on its data folders: --root DIR, else beside the editor or where the install put them.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>

#include "content/version.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_setup.h"
#include "editor/level_editor.h"

namespace {

const QCommandLineOption RootOption(QStringLiteral("root"),
                                    QStringLiteral("Folder holding Tls, Lvl and Bgd (default: the game's data folders)."),
                                    QStringLiteral("DIR"));

void ParseCommandLine(const QCoreApplication& app, QCommandLineParser& parser) {
  const std::string_view version = ShardfallVersion();
  QCoreApplication::setApplicationVersion(QString::fromUtf8(version.data(), static_cast<qsizetype>(version.size())));
  parser.setApplicationDescription(QStringLiteral("Paints levels, builds tilesets and assembles level sets."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(RootOption);
  parser.process(app);
}

// The help and the version need no display, so they are answered before the windowing system is opened.
bool AsksForHelpOrVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i)
    for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
      if (std::strcmp(argv[i], option) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AsksForHelpOrVersion(argc, argv)) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    ParseCommandLine(app, parser);  // prints the help or the version and exits
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(EditorTitle);
  QCommandLineParser parser;
  ParseCommandLine(app, parser);

  const QString root = parser.value(RootOption);
  DataFolders folders;
  QString error;
  if (!LocateEditorData(root, QApplication::applicationDirPath(), SHARDFALL_DATA_FROM_PROGRAM, folders, error)) {
    std::fprintf(stderr, "shardfall-editor: %s\n", qPrintable(error));
    return 2;
  }
  QtDialogs dialogs;
  DetachedStarter starter;
  const QString settings = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  QDir().mkpath(settings);
  const EditorSetup setup{EditorFolders(folders), &dialogs, &starter,
                          GameBesideEditor(QApplication::applicationDirPath(), root),
                          settings + QStringLiteral("/recent.ini"),
                          ContentToolFor(QApplication::applicationDirPath(), root)};
  // More windows come from File > New Window; the program ends when the last one closes.
  auto* editor = new LevelEditor(setup);
  editor->setAttribute(Qt::WA_DeleteOnClose);
  editor->show();
  return QApplication::exec();
}
