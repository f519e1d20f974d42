#pragma once
// Importing a statement file for one account: read, find the layout (the titles assigned by hand
// for the account first, then the usual titles), turn rows into lines, preview, store.
#include "StatementLayout.h"
#include "StatementLine.h"

#include <QDateTime>
#include <QVector>

// A break in the printed running balance: the line's balance is not the previous one's plus the
// line's movement (a missing line, or lines of another account or file).
struct BalanceBreak {
    int sourceLine = 0;
    Money expected;
    Money printed;
};

struct ImportPreview {
    QString account;
    QString fileName;             // the file's name without its folder
    QVector<StatementLine> fresh; // the lines that will be stored, oldest first
    bool newestFirst = false;     // the file lists its lines newest first
    int duplicates = 0;           // lines already stored, skipped
    QVector<BalanceBreak> breaks;
    // One line per break, naming the file's line.
    QString breakText() const;
};

namespace StatementImport {

// The header titles assigned by hand for the account's files; empty when none were.
StatementLayouts::Assigned assignedFor(const QString& account);
// Remembers the titles of `layout` for the account's next files.
void rememberLayout(const QString& account, const SheetReader::Rows& rows, const StatementLayout& layout);
// The account's remembered titles when they fit the file, else the usual titles; nothing if neither.
std::optional<StatementLayout> layoutFor(const SheetReader::Rows& rows, const QString& account);

// Compares the lines with what is stored for the account: a line equal in date and time, both
// amounts, balance and serial to a stored one is a duplicate (as many times as it is stored).
// Checks the running balance in the order the file lists the lines (oldest or newest first).
ImportPreview preview(const QString& account, const QString& filePath, const QVector<StatementLine>& lines);

// The whole road without dialogs: read, layout, lines, preview. AppError names what failed.
ImportPreview prepare(const QString& filePath, const QString& account);

// Stores the preview's lines in one transaction, stamped with the operator and the time. Refuses a
// preview with balance breaks or without any line to store. Returns the number stored.
int commit(const ImportPreview& preview, const QString& operatorName, const QDateTime& now);

// The balance breaks of lines in the order given (each line's balance = previous + in − out).
QVector<BalanceBreak> balanceBreaks(const QVector<StatementLine>& lines);

} // namespace StatementImport
