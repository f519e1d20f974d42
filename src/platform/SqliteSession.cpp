#include "SqliteSession.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <sqlite3.h>

namespace {
const QString refusedText = QStringLiteral("文字中含有无法保存的字符（不成对的代理项）");

// A prepared statement, finalized on every path.
class Statement {
public:
    Statement(const SqliteSession& s, const QString& sql) : session_(s)
    {
        const QByteArray text = sql.toUtf8();
        const int rc = sqlite3_prepare_v2(s.handle(), text.constData(), int(text.size()), &st_, nullptr);
        if (rc != SQLITE_OK)
            s.fail(rc);
    }
    ~Statement() { sqlite3_finalize(st_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // The one binder: every value of every statement, read or write, is bound here.
    void bind(const QVariantList& params, const QString& sql)
    {
        if (sqlite3_bind_parameter_count(st_) != params.size())
            throw AppError(QStringLiteral("参数个数不符：%1").arg(sql.left(80)));
        for (int i = 0; i < params.size(); ++i)
            bindOne(i + 1, params[i]);
    }

    // True while there is a row; raises on failure.
    bool step()
    {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        session_.fail(rc);
    }

    int columns() const { return sqlite3_column_count(st_); }
    QString name(int i) const { return QString::fromUtf8(sqlite3_column_name(st_, i)); }
    bool readOnly() const { return sqlite3_stmt_readonly(st_) != 0; }

    QVariant column(int i) const
    {
        switch (sqlite3_column_type(st_, i)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(st_, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(st_, i));
        case SQLITE_NULL:
            return QVariant();
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(st_, i)), sqlite3_column_bytes(st_, i));
        default:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st_, i)), sqlite3_column_bytes(st_, i));
        }
    }

private:
    void bindOne(int index, const QVariant& v)
    {
        int rc;
        if (v.isNull() || !v.isValid()) {
            rc = sqlite3_bind_null(st_, index);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Long:
            case QMetaType::ULong:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
                rc = sqlite3_bind_int64(st_, index, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(st_, index, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob64(st_, index, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                // UTF-8 has no form for a lone surrogate: such text would be stored as another
                // character and never found again, so it is refused for saves and searches alike.
                const QString text = v.toString();
                if (!text.isValidUtf16())
                    throw AppError(refusedText);
                const QByteArray utf8 = text.toUtf8();
                rc = sqlite3_bind_text64(st_, index, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                                         SQLITE_UTF8);
            }
            }
        }
        if (rc != SQLITE_OK)
            session_.fail(rc);
    }

    const SqliteSession& session_;
    sqlite3_stmt* st_ = nullptr;
};

QString uriOf(const QString& path, SqliteSession::Mode mode)
{
    if (path == QStringLiteral(":memory:"))
        return path;
    // A URI, so that no character of the path is taken for an option; mode=rw or ro never creates.
    QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    if (mode == SqliteSession::Mode::ReadWrite)
        uri += QStringLiteral("?mode=rw");
    else if (mode == SqliteSession::Mode::ReadOnly)
        uri += QStringLiteral("?mode=ro");
    return uri;
}
} // namespace

SqliteSession::SqliteSession(const QString& path, Mode mode, int busyMilliseconds)
{
    const int flags = SQLITE_OPEN_URI
        | (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                  : SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0));
    const QByteArray uri = uriOf(path, mode).toUtf8();
    const int rc = sqlite3_open_v2(uri.constData(), &db_, flags, nullptr);
    try {
        if (rc != SQLITE_OK)
            fail(rc);
        sqlite3_extended_result_codes(db_, 1);
        setBusyTimeout(busyMilliseconds);
    } catch (...) {
        sqlite3_close_v2(db_);
        throw;
    }
}

SqliteSession::~SqliteSession() { sqlite3_close_v2(db_); }

void SqliteSession::setBusyTimeout(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

void SqliteSession::fail(int rc) const
{
    const int primary = rc & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        throw DatabaseBusy();
    throw AppError(db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc)));
}

Rows SqliteSession::rows(const QString& sql, const QVariantList& params)
{
    Statement st(*this, sql);
    st.bind(params, sql);
    Rows out;
    const int n = st.columns();
    for (int i = 0; i < n; ++i)
        out.fields << st.name(i);
    while (st.step()) {
        QVector<QVariant> r(n);
        for (int i = 0; i < n; ++i)
            r[i] = st.column(i);
        out.rows.push_back(std::move(r));
    }
    return out;
}

QVariant SqliteSession::scalar(const QString& sql, const QVariantList& params)
{
    Statement st(*this, sql);
    st.bind(params, sql);
    QVariant v;
    if (st.step() && st.columns() > 0)
        v = st.column(0);
    // A write (INSERT … RETURNING) finishes, so that it is complete before the value is used.
    if (!st.readOnly())
        while (st.step()) {
        }
    return v;
}

int SqliteSession::run(const QString& sql, const QVariantList& params)
{
    Statement st(*this, sql);
    st.bind(params, sql);
    while (st.step()) {
    }
    return sqlite3_changes(db_);
}

QStringList SqliteSession::columnNames(const QString& table)
{
    QStringList out;
    for (const auto& row : rows(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table}).rows)
        out << row[0].toString();
    return out;
}

int SqliteSession::columnWidth(const QString& table, const QString& column)
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

void SqliteSession::beginWriting()
{
    // IMMEDIATE takes the write lock at once, waiting out another writer for the busy timeout;
    // a deferred transaction that read first would be refused at once when it comes to write.
    run(QStringLiteral("BEGIN IMMEDIATE"), {});
}
