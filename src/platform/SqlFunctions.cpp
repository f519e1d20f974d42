#include "SqlFunctions.h"

#include "AppError.h"
#include "Connection.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <sqlite3.h>

#include <exception>
#include <memory>

namespace {
QList<SqlFunction>& registry()
{
    static QList<SqlFunction> functions;
    return functions;
}

sqlite3* handleOf(QSqlDatabase& db)
{
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        throw AppError(QStringLiteral("数据库驱动不是 SQLite"));
    return *static_cast<sqlite3* const*>(h.constData());
}

QVariant argument(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(v));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    }
}

void result(sqlite3_context* ctx, const QVariant& r)
{
    if (!r.isValid() || r.isNull()) {
        sqlite3_result_null(ctx);
        return;
    }
    switch (r.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        sqlite3_result_int64(ctx, r.toLongLong());
        return;
    case QMetaType::Double:
        sqlite3_result_double(ctx, r.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray b = r.toByteArray();
        sqlite3_result_blob(ctx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QByteArray utf8 = r.toString().toUtf8();
        sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    }
}

void call(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    const auto* body = static_cast<const std::function<QVariant(const QVariantList&)>*>(sqlite3_user_data(ctx));
    try {
        QVariantList args;
        args.reserve(argc);
        for (int i = 0; i < argc; ++i)
            args << argument(argv[i]);
        result(ctx, (*body)(args));
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

void destroy(void* body) { delete static_cast<std::function<QVariant(const QVariantList&)>*>(body); }

void install(sqlite3* h, const SqlFunction& f)
{
    auto body = std::make_unique<std::function<QVariant(const QVariantList&)>>(f.body);
    const QByteArray name = f.name.toUtf8();
    // SQLite owns the copy from here on and frees it through `destroy`, also on failure.
    if (sqlite3_create_function_v2(h, name.constData(), f.argCount, SQLITE_UTF8, body.release(), call, nullptr,
                                   nullptr, destroy)
        != SQLITE_OK)
        throw AppError(QStringLiteral("无法定义 SQL 函数 %1：%2").arg(f.name, QString::fromUtf8(sqlite3_errmsg(h))));
}
} // namespace

void SqlFunctions::define(const SqlFunction& function)
{
    QList<SqlFunction>& all = registry();
    all.removeIf([&](const SqlFunction& f) {
        return f.name.compare(function.name, Qt::CaseInsensitive) == 0 && f.argCount == function.argCount;
    });
    all << function;
    Connection& c = Connection::instance();
    if (c.isOpen())
        install(handleOf(c.database()), function);
}

void SqlFunctions::installOn(QSqlDatabase& db)
{
    sqlite3* h = handleOf(db);
    for (const SqlFunction& f : registry())
        install(h, f);
}
