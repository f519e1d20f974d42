#pragma once
// The program's one database connection, opened on first use. It never creates a missing file.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

class Connection {
public:
    static Connection& instance();

    // The database file; closes an open connection so the next use opens the new file.
    void setDatabasePath(const QString& path);
    QString databasePath() const { return path_; }

    // Opens on first use. A missing, unreadable or foreign file raises AppError naming the path.
    QSqlDatabase& database();
    bool isOpen() const;
    void close();

    // Prepares, binds every value (positional `?` or named `:name` in order) and executes.
    // Raises AppError with the driver's text on failure.
    QSqlQuery run(const QString& sql, const QVariantList& params = {});
    // First column of the first row; an invalid QVariant when there is none.
    QVariant scalar(const QString& sql, const QVariantList& params = {});

    // Width limit of a text column, read from its CHECK(length(col) <= n); 0 when there is none.
    int columnWidth(const QString& table, const QString& column);

    // Writes a consistent copy of the live database to `target` (a temporary file beside it,
    // then an atomic rename). Raises AppError with the reason and leaves `target` as it was.
    void backupTo(const QString& target);
    // Replaces the live file by a copy of `source` with the connection closed, keeps the replaced
    // file as "<live>.bak", and reopens. `source` must already have been checked by the caller.
    void replaceWith(const QString& source);

    struct Statement {
        QString sql;
        QVariantList params;
    };
    // Makes a new database file at `path` and runs `statements` on it in one transaction, on a
    // connection of its own. Refuses a path that already exists.
    static void createFile(const QString& path, const QList<Statement>& statements);

private:
    Connection() = default;
    QString path_;
    QSqlDatabase db_;
};

// A database transaction on the program's connection: rolled back unless commit() is called.
class Transaction {
public:
    Transaction();
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    bool open_ = false;
};
