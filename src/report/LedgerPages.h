#pragma once
// Ledger pages (账页): a journal of one month laid out as the pages of a bound three-column book.
// The first line brings the month's opening ("上月结转" when the month closing carried it, else
// "期初余额"); a "本日合计" line may follow each day; the month ends with "本月合计" and
// "本年累计" (January to this month, opening entries left out). A page that does not end the
// month closes with "过次页" and the next opens with "承前页", both carrying the debit and credit
// totals from the start of the month and the balance.
#include "DailyFunds.h"
#include "Money.h"
#include "JournalKind.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

struct LedgerEntry {
    QDate date; // the order within a day is the order of the list
    QString voucher, summary, detail, subjectCode;
    Money debit, credit;
};

// One page run: the cash journal, or one bank account, of one month.
struct LedgerBook {
    JournalKind journal = JournalKind::Cash;
    QString account;                  // bank account; empty for cash
    int year = 0, month = 0;
    Money opening;                    // the month's opening entries, debit minus credit
    bool carried = false;             // the opening was carried by the month closing
    QVector<LedgerEntry> entries;     // the month's other entries in date order
    Money yearDebitBefore, yearCreditBefore; // January up to the month before, openings left out
    // Whether any entry names its counter account (subject code): the page then has that column.
    bool hasCounterpart() const;
};

struct LedgerLine {
    enum class Kind { Opening, Entry, DayTotal, BroughtForward, CarriedForward, MonthTotal, YearTotal };
    Kind kind = Kind::Entry;
    QDate date;                 // invalid: no month and day printed
    QString voucher, summary, counterpart;
    std::optional<Money> debit, credit;
    Money balance;
};

struct LedgerPage {
    int number = 1; // "第 N 页", counted within the run
    QVector<LedgerLine> lines;
};

struct LedgerOptions {
    int linesPerPage = 30; // every line of a page, "承前页" and "过次页" included; at least 3
    bool dayTotals = true; // a "本日合计" line after each day with entries
};

// The summary texts of the lines the layout writes itself.
namespace LedgerText {
inline const QString carriedOpening = QStringLiteral("上月结转");
inline const QString opening = QStringLiteral("期初余额");
inline const QString dayTotal = QStringLiteral("本日合计");
inline const QString monthTotal = QStringLiteral("本月合计");
inline const QString yearTotal = QStringLiteral("本年累计");
inline const QString broughtForward = QStringLiteral("承前页");
inline const QString carriedForward = QStringLiteral("过次页");
}

QVector<LedgerPage> layoutLedger(const LedgerBook& book, const LedgerOptions& options);

// "现金日记账" or "银行存款日记账".
QString ledgerTitle(JournalKind journal);
// An amount as printed in the ledger: two decimals (rounded half away from zero) and thousand
// separators, "-1,234.57".
QString ledgerAmount(Money m);

// The statements behind the books, the account (empty for cash) first as DailyFundField::account:
// per account the month's opening with a mark
// for a carried one; the month's other entries in order; January up to the month before.
struct LedgerStatements {
    Connection::Statement openings, entries, yearBefore;
};
LedgerStatements ledgerStatements(JournalKind journal, int year, int month, const OperatorFilter& onlyOperator);

// The month's books of the journal: cash gives one book, the bank one per account with entries
// in the month, by account name.
QVector<LedgerBook> readLedgerBooks(JournalKind journal, int year, int month, const OperatorFilter& onlyOperator);
