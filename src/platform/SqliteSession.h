#pragma once
// A connection to an SQLite file through SQLite's own interface: reads and writes share one
// binder (text as UTF-8, refused when it is not valid UTF-16) and one error path.
#include "Session.h"

struct sqlite3;

class SqliteSession : public Session {
public:
    enum class Mode { ReadWrite, ReadOnly, Create };
    // Opens `path` (a file name, or ":memory:"); ReadWrite and ReadOnly never create a missing file.
    // Raises AppError with SQLite's reason, DatabaseBusy when the file stays locked.
    SqliteSession(const QString& path, Mode mode, int busyMilliseconds = defaultBusyMilliseconds);
    ~SqliteSession() override;

    static constexpr int defaultBusyMilliseconds = 5000;

    Rows rows(const QString& sql, const QVariantList& params) override;
    QVariant scalar(const QString& sql, const QVariantList& params) override;
    int run(const QString& sql, const QVariantList& params) override;
    QStringList columnNames(const QString& table) override;
    // Read from the table's CHECK (length(col) <= n).
    int columnWidth(const QString& table, const QString& column) override;

    // How long a statement waits for another program's lock before it is refused.
    void setBusyTimeout(int milliseconds);
    // For SQLite's own file-level interfaces (the backup API).
    sqlite3* handle() const { return db_; }
    // Raises the error SQLite reports for result code `rc` on this connection.
    [[noreturn]] void fail(int rc) const;

protected:
    void beginWriting() override;

private:
    sqlite3* db_ = nullptr;
};
