#include "Connection.h"

#include "AppError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QThread>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <unistd.h>

namespace {
const QString connectionName = QStringLiteral("zz_main");

QString sqlErrorText(const QSqlError& e)
{
    QString t = e.databaseText();
    if (t.isEmpty())
        t = e.text();
    return t;
}

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
} // namespace

Connection& Connection::instance()
{
    static Connection c;
    return c;
}

void Connection::setDatabasePath(const QString& path)
{
    close();
    path_ = path;
}

bool Connection::isOpen() const { return db_.isValid() && db_.isOpen(); }

void Connection::close()
{
    if (!QSqlDatabase::contains(connectionName))
        return;
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName);
}

QSqlDatabase& Connection::database()
{
    if (isOpen())
        return db_;
    const QFileInfo fi(path_);
    if (path_.isEmpty() || !fi.exists() || !fi.isFile())
        throw AppError(QStringLiteral("找不到数据库文件 %1").arg(QDir::toNativeSeparators(path_)));
    if (!fi.isReadable() || !fi.isWritable())
        throw AppError(QStringLiteral("无法读写数据库文件 %1").arg(QDir::toNativeSeparators(path_)));

    close();
    QSqlDatabase& db = db_;
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    // mode=rw: SQLite refuses to create the file if it vanished after the check above.
    db.setDatabaseName(QUrl::fromLocalFile(fi.absoluteFilePath()).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        const QString why = sqlErrorText(db.lastError());
        close();
        throw AppError(QStringLiteral("无法打开数据库文件 %1：%2").arg(QDir::toNativeSeparators(path_), why));
    }
    QSqlQuery q(db);
    // A file that is not an SQLite database fails here rather than at the first statement.
    if (!q.exec(QStringLiteral("PRAGMA schema_version")) || !q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"))
        || !q.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        const QString why = sqlErrorText(q.lastError());
        q = QSqlQuery();
        close();
        throw AppError(QStringLiteral("无法打开数据库文件 %1：%2").arg(QDir::toNativeSeparators(path_), why));
    }
    q = QSqlQuery();
    if (openCheck_) {
        try {
            openCheck_(*this);
        } catch (...) {
            close();
            throw;
        }
    }
    return db;
}

QSqlQuery Connection::run(const QString& sql, const QVariantList& params)
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw AppError(sqlErrorText(q.lastError()));
    for (const QVariant& v : params)
        q.addBindValue(v);
    if (!q.exec())
        throw AppError(sqlErrorText(q.lastError()));
    return q;
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery q = run(sql, params);
    if (!q.next())
        return {};
    return q.value(0);
}

int Connection::columnWidth(const QString& table, const QString& column)
{
    const QString ddl = scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"),
                               {table})
                            .toString();
    const QRegularExpression re(QStringLiteral("length\\(\\s*\"?%1\"?\\s*\\)\\s*<=\\s*(\\d+)")
                                    .arg(QRegularExpression::escape(column)),
                                QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(ddl);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

namespace {
QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString errnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

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

// Runs `fn` on a read-only connection of its own to `path`; the connection is gone afterwards.
void withReadOnlyFile(const QString& path, const std::function<void(QSqlDatabase&)>& fn)
{
    static int serial = 0;
    const QString name = QStringLiteral("zz_check_%1").arg(++serial);
    std::exception_ptr failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded)
                           + QStringLiteral("?mode=ro"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        try {
            if (!db.open())
                throw AppError(QStringLiteral("无法打开 %1：%2").arg(native(path), sqlErrorText(db.lastError())));
            fn(db);
        } catch (...) {
            failure = std::current_exception();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (failure)
        std::rethrow_exception(failure);
}

QStringList queryColumn(QSqlDatabase& db, const QString& sql, const QVariantList& params, const QString& what)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    for (const QVariant& v : params)
        q.addBindValue(v);
    ok = ok && q.exec();
    if (!ok)
        throw AppError(QStringLiteral("%1：%2").arg(what, sqlErrorText(q.lastError())));
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    if (q.lastError().isValid())
        throw AppError(QStringLiteral("%1：%2").arg(what, sqlErrorText(q.lastError())));
    return out;
}
} // namespace

void Connection::verifyFile(const QString& path, const QMap<QString, QStringList>& tables)
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
    withReadOnlyFile(path, [&](QSqlDatabase& db) {
        const QString damaged = QStringLiteral("数据库文件已损坏 %1").arg(native(path));
        const QStringList report = queryColumn(db, QStringLiteral("PRAGMA integrity_check"), {}, damaged);
        if (report != QStringList{QStringLiteral("ok")})
            throw AppError(QStringLiteral("%1：%2").arg(damaged, report.mid(0, 3).join(QStringLiteral("；"))));
        for (auto it = tables.begin(); it != tables.end(); ++it) {
            const QStringList have = queryColumn(db, QStringLiteral("SELECT name FROM pragma_table_info(?)"), {it.key()}, damaged);
            if (have.isEmpty())
                throw AppError(QStringLiteral("不是本系统的数据库文件，缺少数据表 %1：%2").arg(it.key(), native(path)));
            for (const QString& col : it.value())
                if (!have.contains(col, Qt::CaseInsensitive))
                    throw AppError(QStringLiteral("不是本系统的数据库文件，数据表 %1 缺少字段 %2：%3").arg(it.key(), col, native(path)));
        }
    });
}

QStringList Connection::columnNames(const QString& table)
{
    QSqlQuery q = run(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

void Connection::backupTo(const QString& target)
{
    const auto fail = [](const QString& why) { return AppError(QStringLiteral("数据库备份失败：%1").arg(why)); };
    if (target.trimmed().isEmpty())
        throw fail(QStringLiteral("没有备份路径"));
    // Renaming a copy over the open file would leave the connection writing to a deleted file.
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
        // intervals for a while, with the driver's wait switched off meanwhile.
        const QDeadlineTimer deadline(30000);
        run(QStringLiteral("PRAGMA busy_timeout = 0"));
        struct RestoreWait {
            Connection& c;
            ~RestoreWait()
            {
                try {
                    c.run(QStringLiteral("PRAGMA busy_timeout = 5000"));
                } catch (...) {
                }
            }
        } restoreWait{*this};
        for (;;) {
            try {
                run(QStringLiteral("VACUUM INTO ?"), {temp});
                break;
            } catch (const AppError& e) {
                removeStale(temp);
                const QString why = e.message();
                const bool busy = why.contains(QStringLiteral("locked"), Qt::CaseInsensitive)
                    || why.contains(QStringLiteral("busy"), Qt::CaseInsensitive);
                if (!busy || deadline.hasExpired())
                    throw;
                QThread::msleep(2);
            }
        }
        syncFile(temp);
        verifyFile(temp);
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

void Connection::replaceWith(const QString& source, const std::function<void(const QString& copy)>& check)
{
    const auto fail = [](const QString& why) { return AppError(QStringLiteral("数据库恢复失败：%1").arg(why)); };
    if (path_.isEmpty())
        throw fail(QStringLiteral("没有数据库文件"));
    const QString live = QFileInfo(path_).absoluteFilePath();
    const QString folder = QFileInfo(live).absolutePath();
    const QString temp = live + QStringLiteral(".part");
    const QString kept = live + QStringLiteral(".bak");
    const QString keptNew = kept + QStringLiteral(".part");
    removeStale(temp);
    removeStale(keptNew);
    if (!QFile::copy(source, temp)) {
        removeStale(temp);
        throw fail(QStringLiteral("无法复制 %1").arg(native(source)));
    }
    // The copy is what goes live, so it is the copy that is checked: the chosen file may change
    // after a check of it.
    try {
        QFile(temp).setPermissions(QFile(live).permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        syncFile(temp);
        if (check)
            check(temp);
    } catch (...) {
        removeStale(temp);
        throw;
    }

    close();
    const auto abandon = [&](const QString& why) {
        removeStale(temp);
        removeStale(keptNew);
        return fail(why);
    };
    // With our connection closed a journal beside the file belongs to someone else's write, which
    // would go on in the replaced file and be lost.
    for (const char* suffix : {"-journal", "-wal"})
        if (QFileInfo(live + QLatin1String(suffix)).size() > 0)
            throw abandon(QStringLiteral("数据库文件正被其他程序使用 %1").arg(native(live)));
    // The replaced file stays reachable as .bak (a second name for it, or a copy where the file
    // system has no hard links); the earlier .bak goes only once the new one is complete.
    if (::link(QFile::encodeName(live).constData(), QFile::encodeName(keptNew).constData()) != 0) {
        removeStale(keptNew);
        if (!QFile::copy(live, keptNew))
            throw abandon(QStringLiteral("无法保留原数据库 %1").arg(native(kept)));
        syncFile(keptNew);
    }
    if (!renameFile(keptNew, kept))
        throw abandon(QStringLiteral("无法保留原数据库 %1：%2").arg(native(kept), errnoText()));
    if (!renameFile(temp, live))
        throw abandon(QStringLiteral("%1：%2").arg(native(live), errnoText()));
    syncFolder(folder);
    try {
        database();
    } catch (const AppError& e) {
        // Put the replaced file back rather than leave the program without a database.
        close();
        QFile::remove(live);
        if (::link(QFile::encodeName(kept).constData(), QFile::encodeName(live).constData()) != 0)
            QFile::copy(kept, live);
        syncFolder(folder);
        throw fail(e.message());
    }
}

void Connection::createFile(const QString& path, const QList<Statement>& statements)
{
    if (QFileInfo::exists(path))
        throw AppError(QStringLiteral("数据库文件已存在 %1").arg(QDir::toNativeSeparators(path)));
    const QString name = QStringLiteral("zz_create_%1").arg(quintptr(&statements));
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            failure = sqlErrorText(db.lastError());
        } else {
            db.transaction();
            for (const Statement& st : statements) {
                QSqlQuery q(db);
                bool ok = q.prepare(st.sql);
                for (const QVariant& v : st.params)
                    q.addBindValue(v);
                ok = ok && q.exec();
                if (!ok) {
                    failure = sqlErrorText(q.lastError()) + QStringLiteral(" (") + st.sql.left(60) + u')';
                    break;
                }
            }
            if (failure.isEmpty())
                db.commit();
            else
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!failure.isEmpty()) {
        QFile::remove(path);
        throw AppError(QStringLiteral("无法建立数据库文件 %1：%2").arg(QDir::toNativeSeparators(path), failure));
    }
}

Transaction::Transaction()
{
    QSqlDatabase& db = Connection::instance().database();
    if (!db.transaction())
        throw AppError(sqlErrorText(db.lastError()));
    open_ = true;
}

Transaction::~Transaction()
{
    if (open_)
        Connection::instance().database().rollback();
}

void Transaction::commit()
{
    QSqlDatabase& db = Connection::instance().database();
    if (!db.commit())
        throw AppError(sqlErrorText(db.lastError()));
    open_ = false;
}
