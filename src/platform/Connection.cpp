#include "Connection.h"

#include "AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
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

void Connection::backupTo(const QString& target)
{
    const QString temp = target + QStringLiteral(".part");
    QFile::remove(temp);
    try {
        run(QStringLiteral("VACUUM INTO ?"), {temp});
    } catch (const AppError& e) {
        QFile::remove(temp);
        throw AppError(QStringLiteral("数据库备份失败：%1").arg(e.message()));
    }
    syncFile(temp);
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temp);
        throw AppError(QStringLiteral("数据库备份失败：%1").arg(why));
    }
    syncFolder(QFileInfo(target).absolutePath());
}

void Connection::replaceWith(const QString& source)
{
    const QString live = QFileInfo(path_).absoluteFilePath();
    const QString temp = live + QStringLiteral(".part");
    const QString kept = live + QStringLiteral(".bak");
    QFile::remove(temp);
    if (!QFile::copy(source, temp)) {
        QFile::remove(temp);
        throw AppError(QStringLiteral("数据库恢复失败：无法复制 %1").arg(QDir::toNativeSeparators(source)));
    }
    QFile(temp).setPermissions(QFile(live).permissions());
    syncFile(temp);
    close();
    QFile::remove(kept);
    // The replaced file stays reachable as .bak; the rename puts the new file in place at once.
    if (::link(QFile::encodeName(live).constData(), QFile::encodeName(kept).constData()) != 0
        && !QFile::copy(live, kept)) {
        QFile::remove(temp);
        throw AppError(QStringLiteral("数据库恢复失败：无法保留原数据库 %1").arg(QDir::toNativeSeparators(kept)));
    }
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(live).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temp);
        throw AppError(QStringLiteral("数据库恢复失败：%1").arg(why));
    }
    syncFolder(QFileInfo(live).absolutePath());
    database();
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
