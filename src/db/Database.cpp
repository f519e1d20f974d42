#include "Database.h"

#include "Connection.h"
#include "Dataset.h"
#include "PasswordHash.h"
#include "AppError.h"
#include "Rights.h"

#include <QFile>
#include <QRegularExpression>

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
    return rightsColumnNames();
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
