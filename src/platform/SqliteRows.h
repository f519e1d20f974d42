#pragma once
// Reads a whole result straight through SQLite's own interface on the program's connection.
// Qt SQL costs about as much again per value as SQLite itself, which shows in the long lists.
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <vector>

struct SqliteRows {
    QStringList fields;
    std::vector<QVector<QVariant>> rows;
};

// Runs `sql` with bound `params` (in order) on `db`; raises AppError with SQLite's text on failure.
SqliteRows readSqliteRows(QSqlDatabase& db, const QString& sql, const QVariantList& params);

struct sqlite3;
// SQLite's own handle behind `db`; AppError when the driver is not SQLite.
sqlite3* sqliteHandle(QSqlDatabase& db);
