#pragma once
// Another program on the same database file: a plain SQLite connection of its own, apart from
// the program's code, to read a file independently or to hold it locked at the right moment.
#include <QString>
#include <QVariant>

struct sqlite3;

class OtherProgram {
public:
    // Opens `path` (never creating it); `busyMilliseconds` is how long it waits for a lock.
    explicit OtherProgram(const QString& path, bool readOnly = false, int busyMilliseconds = 10000);
    ~OtherProgram();
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    // Runs one statement to its end, values bound in order; false on failure, with error() telling why.
    bool exec(const QString& sql, const QVariantList& params = {});
    // First column of the first row; invalid on failure or without a row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    QString error() const { return error_; }

private:
    sqlite3* db_ = nullptr;
    QString error_;
};

// One value read from `path` on a read-only connection of its own.
QVariant readScalar(const QString& path, const QString& sql);
