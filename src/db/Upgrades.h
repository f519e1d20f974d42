#pragma once
// Bringing a database file of an earlier version up to the program's schema.
#include "SchemaUpgrade.h"
#include "SchemaVersion.h"

#include <QMap>
#include <QStringList>

class Connection;

namespace Database {
// schema.sql (the first release) followed by every upgrade step, up to SchemaVersion::current.
const SchemaHistory& history();
// The tables of the first release with the columns it read: what every file of this program holds.
QMap<QString, QStringList> firstReleaseTables();
// Makes `connection` bring an older file up to date, after a copy "<file>.v<old>.bak", whenever it
// opens one, and refuse a newer file naming both versions.
void upgradeOnOpen(Connection& connection);
// The version of the file at `path`: 0 when it is no database of this program.
int fileVersion(const QString& path);
}
