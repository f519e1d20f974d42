#pragma once
// The program's one database connection, opened on first use. It never creates a missing file.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class Connection {
public:
    static Connection& instance();

    // The database file; closes an open connection so the next use opens the new file.
    void setDatabasePath(const QString& path);
    QString databasePath() const { return path_; }
    // Runs right after each opening, before anything else uses the connection (the schema version
    // check and upgrade); what it raises closes the connection again and reaches the caller.
    void setOpenCheck(std::function<void(Connection&)> check) { openCheck_ = std::move(check); }

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

    // Writes a consistent copy of the live database to `target`: VACUUM INTO a temporary file beside
    // it, an integrity check of the copy, then an atomic rename. Raises AppError with the reason and
    // leaves an earlier file at `target` as it was. Refuses the live file itself as target.
    void backupTo(const QString& target);
    // Replaces the live file by a copy of `source`: the copy is made beside the live file and handed
    // to `check` (which raises AppError to refuse it) before anything else happens; then, with the
    // connection closed, the replaced file is kept as "<live>.bak", the copy renamed into place and
    // the connection reopened. On any failure the live file is the one it was before.
    void replaceWith(const QString& source, const std::function<void(const QString& copy)>& check = {});

    // Column names of a table of the live database, in table order; empty when there is no such table.
    QStringList columnNames(const QString& table);

    // Checks that `path` is a sound SQLite database file holding every table named in `tables` with
    // at least the columns listed for it (compared without regard to case). Reads it on a read-only
    // connection of its own, so the live connection is untouched. Raises AppError naming the fault.
    static void verifyFile(const QString& path, const QMap<QString, QStringList>& tables = {});

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
    std::function<void(Connection&)> openCheck_;
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
