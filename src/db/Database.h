#pragma once
// The program's database file: its schema and the rows it is delivered with.
#include <QDateTime>
#include <QString>

namespace Database {
// The delivered operator and password (also written in the README).
inline const QString deliveredOperator = QStringLiteral("admin");
inline const QString deliveredPassword = QStringLiteral("12345");

// The statements of schema.sql: the first release's schema (version 1).
QStringList schemaStatements();

// One numbered upgrade step: the statements that bring a file of version `version - 1` to `version`.
struct UpgradeStep {
    int version;
    QStringList statements;
};
// The step that adds the daily fund report's right F18 and grants it to the holders of F5 or F0.
constexpr int DailyReportRightVersion = 6;
UpgradeStep dailyReportRightStep();
// Every upgrade step in order; a new file gets the schema followed by all of them.
QList<UpgradeStep> upgradeSteps();
// Makes a new file with the newest schema only (no rows).
void createEmpty(const QString& path);
// Makes a new file with the schema, the accounting period `period` and the operator `admin`
// holding every right.
void createDelivered(const QString& path, const QDateTime& period = QDateTime::currentDateTime());
// The rights columns in the order of the table, those added by upgrade steps last.
QStringList rightsColumns();
}
