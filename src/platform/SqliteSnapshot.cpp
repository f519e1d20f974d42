#include "SqliteSnapshot.h"

#include "AppError.h"

#include <QFile>
#include <QSqlDriver>
#include <QVariant>

#include <algorithm>
#include <sqlite3.h>

namespace {
sqlite3* handleOf(QSqlDatabase& db)
{
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        throw AppError(QStringLiteral("不是 SQLite 数据库连接"));
    return *static_cast<sqlite3* const*>(h.constData());
}

QString textOf(sqlite3* h) { return QString::fromUtf8(sqlite3_errmsg(h)); }

// The target connection, closed on every path.
struct Target {
    sqlite3* h = nullptr;
    ~Target() { sqlite3_close(h); }
};
} // namespace

void sqliteSnapshot(QSqlDatabase& db, const QString& target, const Progress& progress)
{
    sqlite3* source = handleOf(db);
    Target out;
    if (sqlite3_open_v2(QFile::encodeName(target).constData(), &out.h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        throw AppError(out.h ? textOf(out.h) : QStringLiteral("out of memory"));

    // One read transaction for the whole copy: no other connection can commit meanwhile.
    if (sqlite3_exec(source, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString why = textOf(source);
        if (!sqlite3_get_autocommit(source))
            sqlite3_exec(source, "ROLLBACK", nullptr, nullptr, nullptr);
        throw AppError(why);
    }
    struct EndRead {
        sqlite3* h;
        ~EndRead() { sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr); }
    } endRead{source};

    sqlite3_backup* b = sqlite3_backup_init(out.h, "main", source, "main");
    if (!b)
        throw AppError(textOf(out.h));
    struct Finish {
        sqlite3_backup* b;
        ~Finish() { sqlite3_backup_finish(b); }
    } finish{b};
    // About a hundred steps, so a progress bar moves smoothly without costing the copy anything.
    int perStep = 16;
    for (bool first = true;; first = false) {
        const int rc = sqlite3_backup_step(b, perStep);
        const int total = sqlite3_backup_pagecount(b);
        if (first)
            perStep = std::max(16, total / 100);
        if (progress)
            progress(total - sqlite3_backup_remaining(b), total);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_OK)
            throw AppError(QString::fromUtf8(sqlite3_errstr(rc)));
    }
}
