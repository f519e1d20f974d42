#include "Database.h"

#include "Connection.h"
#include "DatabaseFile.h"
#include "Dataset.h"
#include "PasswordHash.h"
#include "AppError.h"

#include <QFile>
#include <QTemporaryDir>
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
    DatabaseFile::create(path, st);
}

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
    DatabaseFile::create(path, st);
}
