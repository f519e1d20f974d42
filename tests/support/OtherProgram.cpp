#include "OtherProgram.h"

#include <QFile>
#include <sqlite3.h>

OtherProgram::OtherProgram(const QString& path, bool readOnly, int busyMilliseconds)
{
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &db_, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        error_ = QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_busy_timeout(db_, busyMilliseconds);
}

OtherProgram::~OtherProgram() { sqlite3_close_v2(db_); }

QVariant OtherProgram::scalar(const QString& sql, const QVariantList& params)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray text = sql.toUtf8();
    QVariant out;
    int rc = sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &st, nullptr);
    QList<QByteArray> texts; // kept alive until the statement ends
    for (int i = 0; rc == SQLITE_OK && i < params.size(); ++i) {
        const QVariant& v = params[i];
        if (v.isNull())
            rc = sqlite3_bind_null(st, i + 1);
        else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
            rc = sqlite3_bind_int64(st, i + 1, v.toLongLong());
        else {
            texts << v.toString().toUtf8();
            rc = sqlite3_bind_text(st, i + 1, texts.last().constData(), int(texts.last().size()), SQLITE_STATIC);
        }
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) {
            if (sqlite3_column_type(st, 0) == SQLITE_INTEGER)
                out = qlonglong(sqlite3_column_int64(st, 0));
            else if (sqlite3_column_type(st, 0) != SQLITE_NULL)
                out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            while (rc == SQLITE_ROW)
                rc = sqlite3_step(st);
        }
    }
    error_ = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_finalize(st);
    return out;
}

bool OtherProgram::exec(const QString& sql, const QVariantList& params)
{
    scalar(sql, params);
    return error_.isEmpty();
}

QVariant readScalar(const QString& path, const QString& sql) { return OtherProgram(path, true).scalar(sql); }
