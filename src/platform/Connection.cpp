#include "Connection.h"

#include "AppError.h"
#include "SqliteSession.h"

#include <QDir>
#include <QFileInfo>

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

void Connection::close() { session_.reset(); }

void Connection::open() { session(); }

std::shared_ptr<Session> Connection::session()
{
    if (session_)
        return session_;
    const QString shown = QDir::toNativeSeparators(path_);
    const QFileInfo fi(path_);
    if (path_.isEmpty() || !fi.exists() || !fi.isFile())
        throw AppError(QStringLiteral("找不到数据库文件 %1").arg(shown));
    if (!fi.isReadable() || !fi.isWritable())
        throw AppError(QStringLiteral("无法读写数据库文件 %1").arg(shown));
    try {
        auto s = std::make_shared<SqliteSession>(path_, SqliteSession::Mode::ReadWrite);
        // A file that is not an SQLite database fails here rather than at the first statement.
        s->run(QStringLiteral("PRAGMA schema_version"), {});
        s->run(QStringLiteral("PRAGMA journal_mode=DELETE"), {});
        s->run(QStringLiteral("PRAGMA synchronous=FULL"), {});
        session_ = std::move(s);
    } catch (const DatabaseBusy&) {
        throw; // a locked file is sound, only busy
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("无法打开数据库文件 %1：%2").arg(shown, e.message()));
    }
    if (openCheck_) {
        try {
            openCheck_(*this);
        } catch (...) {
            close();
            throw;
        }
    }
    return session_;
}

Rows Connection::rows(const QString& sql, const QVariantList& params) { return session()->rows(sql, params); }

QStringList Connection::column(const QString& sql, const QVariantList& params)
{
    const Rows r = rows(sql, params);
    QStringList out;
    out.reserve(qsizetype(r.rows.size()));
    for (const auto& row : r.rows)
        out << (row.isEmpty() ? QString() : row.first().toString());
    return out;
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params) { return session()->scalar(sql, params); }

int Connection::run(const QString& sql, const QVariantList& params) { return session()->run(sql, params); }

int Connection::columnWidth(const QString& table, const QString& column) { return session()->columnWidth(table, column); }

QStringList Connection::columnNames(const QString& table) { return session()->columnNames(table); }

Transaction::Transaction() : session_(Connection::instance().session())
{
    session_->beginTransaction();
    open_ = true;
}

Transaction::~Transaction()
{
    if (open_)
        session_->rollbackTransaction();
}

void Transaction::commit()
{
    session_->commitTransaction();
    open_ = false;
}
