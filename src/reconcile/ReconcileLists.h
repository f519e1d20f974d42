#pragma once
// What the reconciliation window lists, and the statement lines typed by hand.
#include "Connection.h"
#include "StatementLine.h"

#include <QDate>
#include <QDateTime>
#include <QVector>

namespace ReconcileLists {

// The field of both lists that shows "两清" for a paired row.
inline const QString pairedField = QStringLiteral("LiangQing");
inline const QString pairedMark = QStringLiteral("两清");

// The account's journal entries dated from `from` to `to`, of every operator, in date order;
// brought-forward entries (期初金额) are left out, they pair with nothing. `unpairedOnly` keeps
// the entries without a pair.
Connection::Statement entries(const QString& account, const QDate& from, const QDate& to, bool unpairedOnly);
// The account's statement lines dated from `from` to `to`, oldest first.
Connection::Statement lines(const QString& account, const QDate& from, const QDate& to, bool unpairedOnly);

// A line typed by hand (no file); the store refuses what does not fit. Returns its key.
qint64 addLine(const QString& account, const StatementLine& line, const QString& operatorName, const QDateTime& now);
// Changes a line's date, texts and amounts; a changed amount undoes its pair (the store does).
void updateLine(qint64 key, const StatementLine& line);
// Deletes lines; their pairs go with them (the store does).
void deleteLines(const QVector<qint64>& keys);
// A stored line, for the edit dialog; AppError when it is gone.
StatementLine line(qint64 key);

// Checks a line typed by hand: one of 收入 and 支出, neither negative. AppError names the fault.
void checkTypedLine(const StatementLine& line);

} // namespace ReconcileLists
