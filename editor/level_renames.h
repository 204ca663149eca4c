// Renaming and copying level files with the sets of their folder kept in step.
#pragma once
#include <QString>
#include <QStringList>

// The sets (*.sfs) in `folder` that list `levelName`; sets that cannot be read go to `unread`.
QStringList SetsListing(const QString& folder, const QString& levelName, QStringList& unread);

// Renames the level `from` to `to` (file names in `folder`) and every set of the folder that lists it. All or
// nothing: on a failure the files are put back as they were and `error` says what failed and what, if
// anything, could not be put back. `changedSets` gets the sets rewritten. True with `error` set when all
// is renamed but the old file could not be removed.
bool RenameLevelInFolder(const QString& folder, const QString& from, const QString& to, QStringList& changedSets,
                         QString& error);

// Copies the level file `from` to the new file `to`, never over a file that is there.
bool CopyLevelFile(const QString& from, const QString& to, QString& error);

// "name copy.sfl", or "name copy 2.sfl" and on when that is taken in `folder`.
QString CopyName(const QString& folder, const QString& levelName);
