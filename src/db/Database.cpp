#include "Database.h"

#include "Connection.h"
#include "Dataset.h"
#include "PasswordHash.h"
#include "AppError.h"

#include <QFile>
#include <QRegularExpression>

static void initDbResources() { Q_INIT_RESOURCE(db); }

namespace {
QStringList statementsOf(const QString& resource)
{
    initDbResources();
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("缺少数据库结构定义"));
    QString text = QString::fromUtf8(f.readAll());
    text.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    QStringList out;
    for (const QString& s : text.split(u';')) {
        const QString t = s.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

// The newest schema: version 1 and every upgrade step after it.
QList<Connection::Statement> newestSchema()
{
    QList<Connection::Statement> st;
    for (const QString& s : Database::schemaStatements())
        st << Connection::Statement{s, {}};
    for (const Database::UpgradeStep& step : Database::upgradeSteps())
        for (const QString& s : step.statements)
            st << Connection::Statement{s, {}};
    return st;
}
} // namespace

QStringList Database::schemaStatements() { return statementsOf(QStringLiteral(":/db/schema.sql")); }

Database::UpgradeStep Database::dailyReportRightStep()
{
    return {DailyReportRightVersion, statementsOf(QStringLiteral(":/db/upgrade_daily_report.sql"))};
}

QList<Database::UpgradeStep> Database::upgradeSteps() { return {dailyReportRightStep()}; }

QStringList Database::rightsColumns()
{
    return {QStringLiteral("F1"), QStringLiteral("F2"), QStringLiteral("F3"), QStringLiteral("F4"),
            QStringLiteral("F5"), QStringLiteral("F6"), QStringLiteral("F7"), QStringLiteral("F8"),
            QStringLiteral("F9"), QStringLiteral("F0"), QStringLiteral("F11"), QStringLiteral("F12"),
            QStringLiteral("F13"), QStringLiteral("F14"), QStringLiteral("F18")};
}

void Database::createEmpty(const QString& path) { Connection::createFile(path, newestSchema()); }

void Database::createDelivered(const QString& path, const QDateTime& period)
{
    QList<Connection::Statement> st = newestSchema();
    st << Connection::Statement{QStringLiteral("INSERT INTO FinscalYearMonth (YearMonth) VALUES (?)"),
                                {Dataset::dateTimeText(period)}};
    const QStringList rights = rightsColumns();
    QStringList marks;
    QVariantList values{deliveredOperator, PasswordHash::hash(deliveredPassword)};
    for (int i = 0; i < rights.size(); ++i) {
        marks << QStringLiteral("1");
    }
    st << Connection::Statement{QStringLiteral("INSERT INTO tuser (username, password, %1) VALUES (?, ?, %2)")
                                    .arg(rights.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                                values};
    Connection::createFile(path, st);
}
