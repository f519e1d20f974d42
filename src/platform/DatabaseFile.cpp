#include "DatabaseFile.h"

#include "AppError.h"
#include "SqliteSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>
#include <unistd.h>

namespace {
QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString errnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

void syncFile(const QString& path)
{
    QFile f(path);
    if (f.open(QIODevice::ReadWrite))
        ::fsync(f.handle());
}

void syncFolder(const QString& folder)
{
    QFile d(folder);
    if (d.open(QIODevice::ReadOnly))
        ::fsync(d.handle());
}

bool renameFile(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Removes a leftover file; a folder or anything else that cannot go is left for the caller to fail on.
void removeStale(const QString& path)
{
    const QFileInfo fi(path);
    if (fi.isFile() || fi.isSymLink())
        QFile::remove(path);
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

// Copies the whole content of `from` into `to` through SQLite's backup API, in one write
// transaction on `to` (which waits for another program's lock for the busy timeout).
void copyContent(const SqliteSession& from, const SqliteSession& to)
{
    sqlite3_backup* b = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
    if (!b)
        to.fail(sqlite3_extended_errcode(to.handle()));
    const int stepped = sqlite3_backup_step(b, -1);
    const int finished = sqlite3_backup_finish(b);
    if (stepped != SQLITE_DONE)
        to.fail(stepped);
    if (finished != SQLITE_OK)
        to.fail(finished);
}

QString typeName(const QString& type)
{
    static const QHash<QString, QString> names{{QStringLiteral("table"), QStringLiteral("数据表")},
                                               {QStringLiteral("index"), QStringLiteral("索引")},
                                               {QStringLiteral("view"), QStringLiteral("视图")},
                                               {QStringLiteral("trigger"), QStringLiteral("触发器")}};
    return names.value(type, type);
}

QString objectKey(const SchemaObject& o) { return o.type + u'\n' + o.name.toLower(); }
} // namespace

void DatabaseFile::backupTo(const QString& target) const
{
    const auto fail = [](const QString& why) { return AppError(QStringLiteral("数据库备份失败：%1").arg(why)); };
    if (target.trimmed().isEmpty())
        throw fail(QStringLiteral("没有备份路径"));
    // Renaming a copy over the live file would leave every connection writing to a deleted file.
    if (sameFile(target, path_))
        throw fail(QStringLiteral("备份文件不能是正在使用的数据库文件本身 %1").arg(native(target)));
    if (QFileInfo(target).isDir())
        throw fail(QStringLiteral("%1 是一个文件夹").arg(native(target)));
    const QString temp = target + QStringLiteral(".part");
    removeStale(temp);
    try {
        // VACUUM INTO reads inside one transaction: the copy is a snapshot even while others write.
        // A writer that commits often leaves a reader only short gaps, which SQLite's own busy
        // wait (coarse sleeps) tends to miss; so a locked database is tried again at short
        // intervals for a while instead.
        SqliteSession source(path_, SqliteSession::Mode::ReadWrite, 0);
        const QDeadlineTimer deadline(30000);
        for (;;) {
            try {
                source.run(QStringLiteral("VACUUM INTO ?"), {temp});
                break;
            } catch (const DatabaseBusy&) {
                removeStale(temp);
                if (deadline.hasExpired())
                    throw;
                QThread::msleep(2);
            }
        }
        syncFile(temp);
        verify(temp);
    } catch (const AppError& e) {
        removeStale(temp);
        throw fail(e.message());
    }
    if (!renameFile(temp, target)) {
        const QString why = errnoText();
        removeStale(temp);
        throw fail(QStringLiteral("%1：%2").arg(native(target), why));
    }
    syncFolder(QFileInfo(target).absolutePath());
}

void DatabaseFile::restoreFrom(const QString& source, const std::function<void(const QString& copy)>& check) const
{
    const auto fail = [](const QString& why) { return AppError(QStringLiteral("数据库恢复失败：%1").arg(why)); };
    if (path_.isEmpty())
        throw fail(QStringLiteral("没有数据库文件"));
    const QString live = QFileInfo(path_).absoluteFilePath();
    const QString temp = live + QStringLiteral(".part");
    const QString kept = live + QStringLiteral(".bak");
    const QString keptNew = kept + QStringLiteral(".part");
    removeStale(temp);
    removeStale(keptNew);
    if (!QFile::copy(source, temp)) {
        removeStale(temp);
        throw fail(QStringLiteral("无法复制 %1").arg(native(source)));
    }
    const auto abandon = [&] {
        removeStale(temp);
        removeStale(keptNew);
    };
    // The copy is what goes live, so it is the copy that is checked: the chosen file may change
    // after a check of it.
    try {
        QFile(temp).setPermissions(QFile(temp).permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (check)
            check(temp);
    } catch (...) {
        abandon();
        throw;
    }
    try {
        SqliteSession restored(temp, SqliteSession::Mode::ReadWrite);
        // Page 1 travels with the content: a copy in WAL mode would turn the live file to WAL.
        restored.run(QStringLiteral("PRAGMA journal_mode=DELETE"), {});
        SqliteSession target(live, SqliteSession::Mode::ReadWrite);
        {
            SqliteSession keep(keptNew, SqliteSession::Mode::Create);
            copyContent(target, keep);
        }
        copyContent(restored, target);
    } catch (const AppError& e) {
        abandon();
        throw fail(e.message());
    }
    removeStale(temp);
    syncFile(keptNew);
    if (!renameFile(keptNew, kept)) {
        const QString why = errnoText();
        removeStale(keptNew);
        throw AppError(QStringLiteral("数据库已恢复，但无法保留原数据库 %1：%2").arg(native(kept), why));
    }
    syncFolder(QFileInfo(live).absolutePath());
}

void DatabaseFile::verify(const QString& path, const QMap<QString, QStringList>& tables)
{
    const QFileInfo fi(path);
    if (path.trimmed().isEmpty() || !fi.exists())
        throw AppError(QStringLiteral("文件不存在：%1").arg(native(path)));
    if (!fi.isFile())
        throw AppError(QStringLiteral("不是文件：%1").arg(native(path)));
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw AppError(QStringLiteral("无法读取文件 %1：%2").arg(native(path), f.errorString()));
        static const QByteArray sqliteHeader("SQLite format 3\0", 16);
        if (f.read(16) != sqliteHeader)
            throw AppError(QStringLiteral("不是数据库文件（文件头不符）：%1").arg(native(path)));
    }
    std::unique_ptr<SqliteSession> file;
    try {
        file = std::make_unique<SqliteSession>(path, SqliteSession::Mode::ReadOnly);
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("无法打开 %1：%2").arg(native(path), e.message()));
    }
    const QString damaged = QStringLiteral("数据库文件已损坏 %1").arg(native(path));
    const auto column = [&](const QString& sql, const QVariantList& params) {
        try {
            QStringList out;
            for (const auto& row : file->rows(sql, params).rows)
                out << row.value(0).toString();
            return out;
        } catch (const AppError& e) {
            throw AppError(QStringLiteral("%1：%2").arg(damaged, e.message()));
        }
    };
    const QStringList report = column(QStringLiteral("PRAGMA integrity_check"), {});
    if (report != QStringList{QStringLiteral("ok")})
        throw AppError(QStringLiteral("%1：%2").arg(damaged, report.mid(0, 3).join(QStringLiteral("；"))));
    for (auto it = tables.begin(); it != tables.end(); ++it) {
        const QStringList have = column(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {it.key()});
        if (have.isEmpty())
            throw AppError(QStringLiteral("不是本系统的数据库文件，缺少数据表 %1：%2").arg(it.key(), native(path)));
        for (const QString& col : it.value())
            if (!have.contains(col, Qt::CaseInsensitive))
                throw AppError(QStringLiteral("不是本系统的数据库文件，数据表 %1 缺少字段 %2：%3").arg(it.key(), col, native(path)));
    }
}

QList<SchemaObject> DatabaseFile::schemaObjects(const QString& path)
{
    SqliteSession file(path, SqliteSession::Mode::ReadOnly);
    // SQLite's own tables and the indexes it makes for constraints carry reserved "sqlite_" names.
    const Rows r = file.rows(QStringLiteral("SELECT type, name, sql FROM sqlite_master "
                                            "WHERE NOT (type IN ('table', 'index') AND name LIKE 'sqlite\\_%' ESCAPE '\\') "
                                            "ORDER BY type, name"),
                             {});
    QList<SchemaObject> out;
    for (const auto& row : r.rows)
        out << SchemaObject{row[0].toString(), row[1].toString(), row[2].toString()};
    return out;
}

QString DatabaseFile::schemaDifference(const QList<SchemaObject>& actual, const QList<SchemaObject>& reference)
{
    QHash<QString, const SchemaObject*> own;
    for (const SchemaObject& o : reference)
        own.insert(objectKey(o), &o);
    QSet<QString> found;
    for (const SchemaObject& o : actual) {
        const SchemaObject* mine = own.value(objectKey(o));
        if (!mine)
            return QStringLiteral("含有不属于本系统的%1 %2").arg(typeName(o.type), o.name);
        if (o.sql.simplified() != mine->sql.simplified())
            return QStringLiteral("%1 %2 的定义与本系统的不同").arg(typeName(o.type), o.name);
        found.insert(objectKey(o));
    }
    for (const SchemaObject& o : reference)
        if (!found.contains(objectKey(o)))
            return QStringLiteral("缺少%1 %2").arg(typeName(o.type), o.name);
    return {};
}

void DatabaseFile::create(const QString& path, const QList<Connection::Statement>& statements)
{
    if (QFileInfo::exists(path))
        throw AppError(QStringLiteral("数据库文件已存在 %1").arg(native(path)));
    QString failure;
    try {
        SqliteSession file(path, SqliteSession::Mode::Create);
        file.beginTransaction();
        for (const Connection::Statement& st : statements) {
            try {
                file.run(st.sql, st.params);
            } catch (const AppError& e) {
                throw AppError(e.message() + QStringLiteral(" (") + st.sql.left(60) + u')');
            }
        }
        file.commitTransaction();
    } catch (const AppError& e) {
        failure = e.message();
    }
    if (!failure.isEmpty()) {
        QFile::remove(path);
        throw AppError(QStringLiteral("无法建立数据库文件 %1：%2").arg(native(path), failure));
    }
}
