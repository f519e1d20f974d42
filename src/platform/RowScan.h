#pragma once
// Walks a result of the program's connection row by row, each value as SQLite's own UTF-8 text,
// without holding the rows: for passes over very many rows that only look at each once.
#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <functional>

class RawRow {
public:
    RawRow(void* statement, int columns) : statement_(statement), columns_(columns) {}
    int columnCount() const { return columns_; }
    bool isNull(int column) const;
    // The value as text (an integer in decimal); empty for null. Valid until the next row.
    QByteArrayView text(int column) const;

private:
    void* statement_;
    int columns_;
};

// Runs `sql` with bound `params` and hands every row to `each`, which returns false to stop.
// Raises AppError with SQLite's text on failure.
void scanRows(const QString& sql, const QVariantList& params, const std::function<bool(const RawRow&)>& each);
