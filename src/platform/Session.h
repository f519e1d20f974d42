#pragma once
// One open connection to the books, whatever engine keeps them. Every statement goes through the
// engine's one binder and one error path; the engine also says how a write transaction starts.
// Transactions nest: the outermost begins a write transaction, the inner ones are savepoints.
#include "AppError.h"
#include "Rows.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// The refusal when another program holds the books locked for longer than the program waits.
class DatabaseBusy : public AppError {
public:
    DatabaseBusy() : AppError(text()) {}
    static QString text() { return QStringLiteral("数据库正被其他程序使用，请稍后再试"); }
};

class Session {
public:
    virtual ~Session() = default;
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Each binds `params` in order (positional `?` or named `:name`) and raises AppError on failure
    // (DatabaseBusy when the books stay locked past the wait).
    virtual Rows rows(const QString& sql, const QVariantList& params) = 0;
    // First column of the first row; an invalid QVariant when there is none.
    virtual QVariant scalar(const QString& sql, const QVariantList& params) = 0;
    // Runs a statement to its end and returns the number of rows it changed.
    virtual int run(const QString& sql, const QVariantList& params) = 0;

    // Column names of a table, in table order; empty when there is no such table.
    virtual QStringList columnNames(const QString& table) = 0;
    // Width limit of a text column, as the store checks it; 0 when there is none.
    virtual int columnWidth(const QString& table, const QString& column) = 0;

    void beginTransaction();
    void commitTransaction();
    // Never raises: a failed rollback leaves nothing to do for the caller.
    void rollbackTransaction() noexcept;

protected:
    // Starts the outermost transaction so that it already holds the right to write.
    virtual void beginWriting() = 0;

private:
    // The savepoint of the transaction begun at `level` (the outermost is level 0 and has none).
    static QString savepoint(int level) { return QStringLiteral("zz_nested_%1").arg(level); }
    int depth_ = 0; // transactions begun and not yet ended

};
