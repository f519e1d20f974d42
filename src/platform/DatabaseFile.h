#pragma once
// The books as a file: a consistent copy of the live file, a restore into it, the checks that a
// file is a sound database of this program, and the making of a new file. Each works on
// connections of its own, so the program's connection is untouched and sees a restore at once.
#include "Connection.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

// A table, index, view or trigger as the file's schema records it.
struct SchemaObject {
    QString type; // "table", "index", "view" or "trigger"
    QString name;
    QString sql;
    bool operator==(const SchemaObject&) const = default;
};

class DatabaseFile {
public:
    explicit DatabaseFile(const QString& path) : path_(path) {}

    // Writes a consistent copy of the file to `target`: VACUUM INTO a temporary file beside it,
    // an integrity check of the copy, then an atomic rename. Raises AppError with the reason and
    // leaves an earlier file at `target` as it was. Refuses the file itself as target.
    void backupTo(const QString& target) const;

    // Replaces the file's content by that of `source`. A copy of `source` is made beside the file
    // and handed to `check` (which raises AppError to refuse it) before anything else happens.
    // The content is then copied in through SQLite's backup API in one transaction, so every
    // connection to the file, also another program's, sees the restored books; the replaced
    // content is kept as "<file>.bak". On any failure the file keeps the content it had.
    void restoreFrom(const QString& source, const std::function<void(const QString& copy)>& check = {}) const;

    // Checks that `path` is a sound SQLite database file holding every table named in `tables` with
    // at least the columns listed for it (compared without regard to case). Raises AppError naming
    // the fault.
    static void verify(const QString& path, const QMap<QString, QStringList>& tables = {});

    // The schema objects a file holds, SQLite's own internal ones left out.
    static QList<SchemaObject> schemaObjects(const QString& path);
    // What keeps `actual` from being exactly the `reference` set of objects (names compared without
    // regard to case, definitions without regard to spacing); empty when it is the same.
    static QString schemaDifference(const QList<SchemaObject>& actual, const QList<SchemaObject>& reference);

    // Makes a new database file at `path` and runs `statements` on it in one transaction.
    // Refuses a path that already exists.
    static void create(const QString& path, const QList<Connection::Statement>& statements);

private:
    QString path_;
};
