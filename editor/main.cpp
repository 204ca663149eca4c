// Starts the editor on the program folder (the executable's folder, or --root DIR).
#include <QApplication>
#include <QCommandLineParser>

#include "editor/editor_dialogs.h"
#include "editor/level_editor.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(EditorTitle);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Paints levels, builds tilesets and assembles level sets."));
  parser.addHelpOption();
  const QCommandLineOption rootOption(
      QStringLiteral("root"), QStringLiteral("Program folder holding Tls, Lvl and Bgd (default: beside the editor)."),
      QStringLiteral("DIR"), QApplication::applicationDirPath());
  parser.addOption(rootOption);
  parser.process(app);

  QtDialogs dialogs;
  frmEditor editor(parser.value(rootOption), dialogs);
  editor.show();
  return QApplication::exec();
}
