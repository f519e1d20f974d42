#include "SchemaUpgrade.h"

#include "AppError.h"
#include "Connection.h"
#include "DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {
QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString errorOf(sqlite3* h) { return QString::fromUtf8(sqlite3_errmsg(h)); }

void exec(sqlite3* h, const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString why = message ? QString::fromUtf8(message) : errorOf(h);
        sqlite3_free(message);
        throw AppError(why);
    }
}

qint64 integerOf(sqlite3* h, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, sql, -1, &st, nullptr) != SQLITE_OK)
        throw AppError(errorOf(h));
    const int rc = sqlite3_step(st);
    const qint64 value = rc == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw AppError(errorOf(h));
    return value;
}

bool hasTable(sqlite3* h, const QString& table)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE", -1, &st,
                           nullptr)
        != SQLITE_OK)
        throw AppError(errorOf(h));
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw AppError(errorOf(h));
    return rc == SQLITE_ROW;
}

// Opens the file at `path` on a handle of its own, closed again when the object goes.
struct OwnHandle {
    sqlite3* h = nullptr;
    OwnHandle(const QString& path, int flags)
    {
        const int rc = sqlite3_open_v2(QFile::encodeName(QFileInfo(path).absoluteFilePath()).constData(), &h, flags, nullptr);
        if (rc != SQLITE_OK) {
            const QString why = h ? errorOf(h) : QString();
            sqlite3_close(h);
            throw AppError(QStringLiteral("无法打开 %1：%2").arg(native(path), why));
        }
        sqlite3_busy_timeout(h, 5000);
    }
    ~OwnHandle() { sqlite3_close(h); }
    OwnHandle(const OwnHandle&) = delete;
    OwnHandle& operator=(const OwnHandle&) = delete;
};

int versionOfHandle(sqlite3* h, const SchemaHistory& history)
{
    const qint64 marked = integerOf(h, "PRAGMA user_version");
    if (marked != 0)
        return int(marked);
    for (const QString& t : history.baseTables)
        if (!hasTable(h, t))
            return 0;
    return history.baseVersion;
}
} // namespace

int SchemaUpgrade::fileVersion(const QString& path, const SchemaHistory& history)
{
    OwnHandle file(path, SQLITE_OPEN_READONLY);
    return versionOfHandle(file.h, history);
}

namespace {
// `text` without its lines that hold only a "--" comment, trimmed.
QString withoutCommentLines(const QString& text)
{
    QStringList kept;
    for (const QString& line : text.split(u'\n'))
        if (!line.trimmed().startsWith(QStringLiteral("--")))
            kept << line;
    return kept.join(u'\n').trimmed();
}
} // namespace

QStringList SchemaUpgrade::statementsOf(const QString& script)
{
    // Every ';' may end a statement; SQLite says whether it does (not inside a string, a comment
    // or a trigger body).
    QStringList out;
    QString pending;
    const QStringList pieces = script.split(u';');
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        pending += pieces[i] + u';';
        if (sqlite3_complete(pending.toUtf8().constData())) {
            const QString statement = withoutCommentLines(pending);
            if (statement != QStringLiteral(";"))
                out << statement;
            pending.clear();
        }
    }
    pending += pieces.last();
    if (!withoutCommentLines(pending).isEmpty())
        throw AppError(QStringLiteral("SQL 语句不完整：%1").arg(pending.trimmed().left(80)));
    return out;
}

namespace {
void applyStepsOn(sqlite3* h, const SchemaHistory& history)
{
    // IMMEDIATE: a second program opening the same old file waits here, then finds it done.
    int from = 0;
    try {
        exec(h, QStringLiteral("BEGIN IMMEDIATE"));
        from = versionOfHandle(h, history);
        if (from >= history.latest()) {
            exec(h, QStringLiteral("ROLLBACK"));
            return;
        }
        for (const SchemaStep& step : history.steps) {
            if (step.version <= from)
                continue;
            try {
                exec(h, step.script);
            } catch (const AppError& e) {
                throw AppError(QStringLiteral("第 %1 步：%2").arg(QString::number(step.version), e.message()));
            }
        }
        exec(h, QStringLiteral("PRAGMA user_version = %1").arg(history.latest()));
        exec(h, QStringLiteral("COMMIT"));
    } catch (const AppError& e) {
        if (!sqlite3_get_autocommit(h))
            sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
        throw AppError(QStringLiteral("数据库升级失败（版本 %1 升级到 %2）：%3")
                           .arg(QString::number(from), QString::number(history.latest()), e.message()));
    }
}

} // namespace

void SchemaUpgrade::upgradeFile(const QString& path, const SchemaHistory& history)
{
    OwnHandle file(path, SQLITE_OPEN_READWRITE);
    applyStepsOn(file.h, history);
}

QString SchemaUpgrade::backupPathBeforeUpgrade(const QString& file, int version)
{
    return file + QStringLiteral(".v%1.bak").arg(version);
}

void SchemaUpgrade::bringUpToDate(Connection& connection, const SchemaHistory& history)
{
    // On connections of their own: the program's connection, open and idle, sees the result.
    const QString path = connection.databasePath();
    const int have = fileVersion(path, history);
    const int latest = history.latest();
    if (have == latest)
        return;
    if (have <= 0)
        throw AppError(QStringLiteral("不是本系统的数据库文件：%1").arg(native(path)));
    if (have > latest)
        throw AppError(QStringLiteral("数据库文件 %1 的版本为 %2，比本程序所用的版本 %3 新，请使用新版程序打开")
                           .arg(native(path), QString::number(have), QString::number(latest)));
    try {
        DatabaseFile(path).backupTo(backupPathBeforeUpgrade(path, have));
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("数据库升级前（版本 %1 升级到 %2）%3")
                           .arg(QString::number(have), QString::number(latest), e.message()));
    }
    upgradeFile(path, history);
}
