#include "Database.h"

#include "AppError.h"
#include "Connection.h"
#include "DatabaseFile.h"
#include "Dataset.h"
#include "PasswordHash.h"
#include "Rights.h"
#include "Upgrades.h"

#include <QFile>
#include <QTemporaryDir>

static void initDbResources() { Q_INIT_RESOURCE(db); }

QString Database::sqlResource(const QString& name)
{
    initDbResources();
    QFile f(QStringLiteral(":/db/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("缺少数据库结构定义 %1").arg(name));
    return QString::fromUtf8(f.readAll());
}

QStringList Database::schemaStatements() { return SchemaUpgrade::statementsOf(sqlResource(QStringLiteral("schema.sql"))); }

namespace {
// schema.sql, every step, and the mark of the latest version.
QList<Connection::Statement> currentSchema()
{
    QList<Connection::Statement> st;
    for (const QString& s : Database::schemaStatements())
        st << Connection::Statement{s, {}};
    const SchemaHistory& h = Database::history();
    for (const SchemaStep& step : h.steps)
        for (const QString& s : SchemaUpgrade::statementsOf(step.script))
            st << Connection::Statement{s, {}};
    st << Connection::Statement{QStringLiteral("PRAGMA user_version = %1").arg(h.latest()), {}};
    return st;
}
} // namespace

QStringList Database::rightsColumns()
{
    return rightsColumnNames();
}

void Database::createEmpty(const QString& path) { DatabaseFile::create(path, currentSchema()); }

QList<SchemaObject> Database::deliveredSchema()
{
    // Made the way a delivered file is made, so whatever later versions add is in it too.
    QTemporaryDir dir;
    if (!dir.isValid())
        throw AppError(QStringLiteral("无法建立临时文件夹：%1").arg(dir.errorString()));
    const QString path = dir.filePath(QStringLiteral("reference.DLL"));
    createEmpty(path);
    return DatabaseFile::schemaObjects(path);
}

void Database::createDelivered(const QString& path, const QDateTime& period)
{
    QList<Connection::Statement> st = currentSchema();
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
    DatabaseFile::create(path, st);
}
