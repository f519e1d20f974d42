#pragma once
// A consistent copy of an open SQLite database into a new file, page by page, reporting progress.
#include "Progress.h"

#include <QSqlDatabase>
#include <QString>

// Copies `db` into a new database file `target` (which must not exist) through SQLite's backup
// interface while holding a read transaction on `db`, so the copy is one moment's state even while
// other programs write. Raises AppError with SQLite's text ("database is locked" when a writer
// holds the file); a partly written `target` is left for the caller to remove.
void sqliteSnapshot(QSqlDatabase& db, const QString& target, const Progress& progress = {});
