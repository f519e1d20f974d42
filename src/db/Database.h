#pragma once
// The program's database file: its schema and the rows it is delivered with.
#include <QDateTime>
#include <QString>

namespace Database {
// The delivered operator and password (also written in the README).
inline const QString deliveredOperator = QStringLiteral("admin");
inline const QString deliveredPassword = QStringLiteral("12345");

// The statements of schema.sql.
QStringList schemaStatements();
// Makes a new file with the schema only (no rows).
void createEmpty(const QString& path);
// Makes a new file with the schema, the accounting period `period` and the operator `admin`
// holding every right.
void createDelivered(const QString& path, const QDateTime& period = QDateTime::currentDateTime());
// The bank reconciliation step: its tables, the pair rules and the right F17 (granted to the holders
// of F0). Applied where a database is made until the numbered upgrade mechanism applies it.
inline const QString reconciliationStep = QStringLiteral(":/db/upgrade/005_bank_reconciliation.sql");
// Runs an upgrade step's script on the program's connection in one transaction, statement by
// statement (a CREATE TRIGGER with its body is one statement).
void applyStep(const QString& resource);
// The fourteen rights columns in the order of the table.
QStringList rightsColumns();
}
