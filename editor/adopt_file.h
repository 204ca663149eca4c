// Files that content names must lie where the game looks for them, under names a level file can hold.
#pragma once
#include <QString>

class EditorDialogs;
class EditorFolders;
class QWidget;

enum class CopyDeclined { Refuses, Keeps };

// Checks a file the designer chose for `sub` ("Tls" or "Bgd"; a tileset brings its bitmap along). A name too
// long for a level file is refused with a message. A file the game would not find by name is copied into the
// user's `sub` after asking; when the designer declines, `declined` says whether the choice still stands.
// Returns the path to use, or an empty text (the message names `abandoned`).
QString AdoptIntoDataFolder(QWidget* parent, EditorDialogs& dialogs, const EditorFolders& folders,
                            const QString& sub, const QString& path, const QString& what, const QString& abandoned,
                            CopyDeclined declined = CopyDeclined::Refuses);
