#pragma once
// The statements of the six statistics windows. Opening balances (summary "期初金额") are never
// counted; every value, the year and the operator included, is bound.
#include "Connection.h"
#include "SearchQuery.h"

#include <QDate>
#include <QString>

enum class StatKind { CashYearMonth, BankYearMonth, CashBySummary, BankBySummary, CashByDay, BankByDay };

// The summary text of opening-balance entries.
QString openingBalanceSummary();

// The kind's select list and grouping with a condition that is never true: the columns, no rows.
Connection::Statement emptyStatistics(StatKind kind);

// Per month of `year` (bank: and account), `user`'s entries. A year text that no stored date
// can carry (not a number from 1 to 9999) gives the empty statement.
Connection::Statement yearMonthStatistics(JournalKind journal, const QString& year, const QString& user);

// Per summary (bank: account and summary) of `user`'s entries from `from` at midnight up to
// `to` at midnight, both inclusive; `bank`, when not blank, limits the bank journal to one account.
Connection::Statement bySummaryStatistics(JournalKind journal, const QDate& from, const QDate& to, const QString& user,
                                          const QString& bank = {});

// Per stored date-time stamp (bank: and account) of every operator's entries over the same range.
Connection::Statement byDayStatistics(JournalKind journal, const QDate& from, const QDate& to);
