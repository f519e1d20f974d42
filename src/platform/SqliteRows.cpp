#include "SqliteRows.h"

#include "AppError.h"

#include <QSqlDriver>
#include <sqlite3.h>

namespace {
sqlite3* handleOf(QSqlDatabase& db)
{
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        throw AppError(QStringLiteral("数据库驱动不是 SQLite"));
    return *static_cast<sqlite3* const*>(h.constData());
}

void bind(sqlite3* h, sqlite3_stmt* st, int index, const QVariant& v)
{
    int rc;
    if (v.isNull() || !v.isValid()) {
        rc = sqlite3_bind_null(st, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(st, index, v.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(st, index, v.toDouble());
            break;
        default: {
            const QByteArray utf8 = v.toString().toUtf8();
            rc = sqlite3_bind_text(st, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(h)));
}

QVariant column(sqlite3_stmt* st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
    }
}
} // namespace

SqliteRows readSqliteRows(QSqlDatabase& db, const QString& sql, const QVariantList& params)
{
    sqlite3* h = handleOf(db);
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK)
        throw AppError(QString::fromUtf8(sqlite3_errmsg(h)));
    struct Finalize { sqlite3_stmt* s; ~Finalize() { sqlite3_finalize(s); } } finalize{st};
    if (sqlite3_bind_parameter_count(st) != params.size())
        throw AppError(QStringLiteral("参数个数不符：%1").arg(sql.left(80)));
    for (int i = 0; i < params.size(); ++i)
        bind(h, st, i + 1, params[i]);
    SqliteRows out;
    const int n = sqlite3_column_count(st);
    for (int i = 0; i < n; ++i)
        out.fields << QString::fromUtf8(sqlite3_column_name(st, i));
    for (;;) {
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            throw AppError(QString::fromUtf8(sqlite3_errmsg(h)));
        QVector<QVariant> r(n);
        for (int i = 0; i < n; ++i)
            r[i] = column(st, i);
        out.rows.push_back(std::move(r));
    }
    return out;
}

sqlite3* sqliteHandle(QSqlDatabase& db) { return handleOf(db); }
