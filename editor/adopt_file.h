// Files that content names must lie where the game looks for them, under names a level file can hold.
#pragma once
#include <QString>

class EditorDialogs;
class EditorFolders;
class QImage;
class QWidget;

enum class CopyDeclined { Refuses, Keeps };

// Checks a file the designer chose for `sub` ("Tls" or "Bgd"; a tileset brings its bitmap along). A name too
// long for a level file is refused with a message. A file the game would not find by name is copied into the
// user's `sub` after asking; when the designer declines, `declined` says whether the choice still stands.
// `foreign`, when not null, is the picture (the file itself, or a tileset's bitmap) that the game cannot read
// as it stands: it is offered even from inside `sub`, and written as the game's bitmap under its ".bmp" name.
// Returns the path to use, or an empty text (the message names `abandoned`).
QString AdoptIntoDataFolder(QWidget* parent, EditorDialogs& dialogs, const EditorFolders& folders,
                            const QString& sub, const QString& path, const QString& what, const QString& abandoned,
                            const QImage& foreign, CopyDeclined declined = CopyDeclined::Refuses);
