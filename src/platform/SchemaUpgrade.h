#pragma once
// Versioned database files. PRAGMA user_version holds the version of a file's schema; numbered
// steps, each a script of SQL statements, bring an older file up to the program's version.
#include <QList>
#include <QString>
#include <QStringList>

class Connection;

struct SchemaStep {
    int version = 0; // the file's version once the step has run
    QString script;  // SQL statements separated by ';' (CREATE TRIGGER bodies allowed)
};

struct SchemaHistory {
    // The version of a file made by the base schema. A file that says 0 (never marked) is taken to
    // be at this version when it holds every one of `baseTables`.
    int baseVersion = 1;
    QStringList baseTables;
    // Consecutive steps from baseVersion + 1 up.
    QList<SchemaStep> steps;

    int latest() const { return steps.isEmpty() ? baseVersion : steps.last().version; }
};

namespace SchemaUpgrade {
// The version of the file at `path`, read on a read-only connection of its own: its user_version,
// the base version for an unmarked file holding the base tables, 0 for a file of some other program.
int fileVersion(const QString& path, const SchemaHistory& history);

// The statements of a script, each whole (a CREATE TRIGGER with its body is one); lines holding
// only a "--" comment are left out.
QStringList statementsOf(const QString& script);

// Runs the steps after the file's version on the file at `path`, on a connection of its own (no
// copy is kept), in one IMMEDIATE transaction, and marks the file with the latest version. Reads
// the version again inside the transaction, so a file another program upgraded meanwhile is left
// alone. On failure everything is rolled back and AppError says which step failed and why.
void upgradeFile(const QString& path, const SchemaHistory& history);

// What the program does when it opens its database (install with Connection::setOpenCheck):
// a file newer than `history` is refused naming both versions, with nothing written; an older one
// is first copied consistently to "<file>.v<old>.bak" beside it and then brought up to date.
void bringUpToDate(Connection& connection, const SchemaHistory& history);

// "<file>.v<version>.bak": the copy kept before an upgrade from `version`.
QString backupPathBeforeUpgrade(const QString& file, int version);
}
