#include "Database.h"

#include "Connection.h"
#include "Dataset.h"
#include "PasswordHash.h"
#include "AppError.h"

#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

static void initDbResources() { Q_INIT_RESOURCE(db); }

QStringList Database::schemaStatements()
{
    initDbResources();
    QFile f(QStringLiteral(":/db/schema.sql"));
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

QStringList Database::rightsColumns()
{
    return {QStringLiteral("F1"), QStringLiteral("F2"), QStringLiteral("F3"), QStringLiteral("F4"),
            QStringLiteral("F5"), QStringLiteral("F6"), QStringLiteral("F7"), QStringLiteral("F8"),
            QStringLiteral("F9"), QStringLiteral("F0"), QStringLiteral("F11"), QStringLiteral("F12"),
            QStringLiteral("F13"), QStringLiteral("F14")};
}

void Database::createEmpty(const QString& path)
{
    QList<Connection::Statement> st;
    for (const QString& s : schemaStatements())
        st << Connection::Statement{s, {}};
    Connection::createFile(path, st);
}

void Database::createDelivered(const QString& path, const QDateTime& period)
{
    QList<Connection::Statement> st;
    for (const QString& s : schemaStatements())
        st << Connection::Statement{s, {}};
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

void Database::applyStep(const QString& resource)
{
    initDbResources();
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("缺少数据库升级步骤 %1").arg(resource));
    Transaction t;
    QString pending;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (line.trimmed().startsWith(QStringLiteral("--")))
            continue;
        pending += line + u'\n';
        if (sqlite3_complete(pending.toUtf8().constData())) {
            Connection::instance().run(pending.trimmed());
            pending.clear();
        }
    }
    t.commit();
}
