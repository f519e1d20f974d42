#pragma once
// The program's database file: its schema and the rows it is delivered with.
#include <QDateTime>
#include <QString>

struct SchemaObject;

namespace Database {
// The delivered operator and password (also written in the README).
inline const QString deliveredOperator = QStringLiteral("admin");
inline const QString deliveredPassword = QStringLiteral("12345");

// The text of an SQL file compiled into the program (":/db/<name>").
QString sqlResource(const QString& name);
// The statements of schema.sql: the first release's schema.
QStringList schemaStatements();
// Makes a new file at the current version (schema.sql and every upgrade step), with no rows.
void createEmpty(const QString& path);
// The tables, indexes, views and triggers of a file made now by createEmpty (the current
// version), against which a file to restore is compared.
QList<SchemaObject> deliveredSchema();
// Makes a new file at the current version with the accounting period `period` and the operator
// `admin` holding every right.
void createDelivered(const QString& path, const QDateTime& period = QDateTime::currentDateTime());
// The rights columns in the order of the table.
QStringList rightsColumns();
}
