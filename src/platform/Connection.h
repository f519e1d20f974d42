#pragma once
// The program's one connection to its books, opened on first use. It never creates a missing
// file. The calls below are all the folders need, and all that knows the engine lives behind them.
#include "Rows.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class Session;

class Connection {
public:
    static Connection& instance();

    // The database file; closes an open connection so the next use opens the new file.
    void setDatabasePath(const QString& path);
    QString databasePath() const { return path_; }
    // Runs right after each opening, before anything else uses the connection (the schema version
    // check and upgrade); what it raises closes the connection again and reaches the caller.
    void setOpenCheck(std::function<void(Connection&)> check) { openCheck_ = std::move(check); }

    // Opens now unless open. A missing, unreadable or foreign file raises AppError naming the path;
    // a file another program holds locked raises DatabaseBusy.
    void open();
    bool isOpen() const { return session_ != nullptr; }
    void close();
    // The open session (opened on first use), for a transaction that keeps hold of it.
    std::shared_ptr<Session> session();

    // Each binds every value in order (positional `?` or named `:name`); AppError on failure.
    // Every row of the result.
    Rows rows(const QString& sql, const QVariantList& params = {});
    // The first column of every row, as text.
    QStringList column(const QString& sql, const QVariantList& params = {});
    // First column of the first row; an invalid QVariant when there is none.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // A statement without rows; returns the number of rows it changed.
    int run(const QString& sql, const QVariantList& params = {});

    // Width limit of a text column, read from its CHECK(length(col) <= n); 0 when there is none.
    int columnWidth(const QString& table, const QString& column);
    // Column names of a table of the live database, in table order; empty when there is no such table.
    QStringList columnNames(const QString& table);

    struct Statement {
        QString sql;
        QVariantList params;
    };

private:
    Connection() = default;
    QString path_;
    std::shared_ptr<Session> session_;
    std::function<void(Connection&)> openCheck_;
};

// A write transaction on the program's connection: rolled back unless commit() is called. It keeps
// the session it began on, so it ends there even if the connection has since been closed; inside
// another transaction it is a savepoint of that one.
class Transaction {
public:
    Transaction();
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    std::shared_ptr<Session> session_;
    bool open_ = false;
};
