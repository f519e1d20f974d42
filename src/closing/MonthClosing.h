#pragma once
// Month-end closing (结账) and reopening (反结账). The whole book closes per month: both
// journals, every operator, every bank account. Closing a month rewrites its balance sets,
// records the closing and carries each set's closing balance into the next month as its opening
// line; reopening the last closed month takes those lines out again. Months are "yyyy-MM".
#include "Connection.h"
#include "JournalKind.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

namespace MonthClosing {
QString nextMonth(const QString& month);
// "2024-03" for the period text "2024-03-15".
QString monthOfPeriod(const QString& periodText);

// The months holding entries in either journal, earliest first.
QStringList monthsWithEntries();
struct MonthState {
    QString month;
    bool closed = false;
};
// Every month that holds entries or is closed, earliest first.
QVector<MonthState> monthStates();

// The month "结账" closes: the earliest open month holding entries, else the period's month.
QString monthToClose(const QString& periodText);
// The month "反结账" reopens: the last closed one; empty when none is.
QString monthToReopen();

// Why `month` cannot be closed (already closed; an earlier open month holds entries:
// "请先结账<yyyy>年<MM>月"), or empty.
QString closeRefusal(const QString& month);
// Why `month` cannot be reopened (not closed; not the last closed month), or empty.
QString reopenRefusal(const QString& month);

// Closes `month` in one transaction: rewrites every balance set of the month, records the
// closing, writes one carry entry per set into the next month (also for a zero balance) and
// rewrites the next month's sets; the accounting period moves on to the next month when it was
// not already later. A refusal or a failure raises AppError and changes nothing.
void closeMonth(const QString& month, const QString& operatorName, const QDateTime& now);
// Reopens `month`, the last closed one, in one transaction: removes the carry entries its
// closing wrote, rewrites the next month's sets, removes the closing; the period moves back to
// `month`. A refusal or a failure raises AppError and changes nothing.
void reopenMonth(const QString& month);

// The statements behind the two (each tested against a real file).
// Rewrites the balances of every set of `month` in one journal (Part of every rule that moves
// balances: debits minus credits in the set's order, per operator and, for the bank, account).
Connection::Statement monthRewrite(JournalKind kind, const QString& month);
// One carry entry per balance set of `month`, dated the 1st of the next month.
Connection::Statement carryEntries(JournalKind kind, const QString& month);

// What the window shows of one month: one row per balance set with 日记账, 操作员, 开户银行,
// 期初余额, 本月借方合计, 本月贷方合计, 本年借方累计, 本年贷方累计, 期末余额.
Connection::Statement monthSummary(const QString& month);
// The journal column's texts of a set row.
inline const QString cashJournalCaption = QStringLiteral("现金日记账");
inline const QString bankJournalCaption = QStringLiteral("银行日记账");

namespace SetRowField {
inline const QString journal = QStringLiteral("RiJiZhang");
inline const QString operatorName = QStringLiteral("CaoZuoYuan");
inline const QString account = QStringLiteral("KaiHuBank");
inline const QString opening = QStringLiteral("QiChuYuE");
inline const QString monthDebit = QStringLiteral("BenYueJieFang");
inline const QString monthCredit = QStringLiteral("BenYueDaiFang");
inline const QString yearDebit = QStringLiteral("BenNianJieFang");
inline const QString yearCredit = QStringLiteral("BenNianDaiFang");
inline const QString closing = QStringLiteral("QiMoYuE");
}
}
