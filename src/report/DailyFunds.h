#pragma once
// The daily fund report (资金日报表): for cash and each bank account, the balance at the end of
// the day before, the day's receipts and payments and the balance at the end of the day.
//
// A balance at the end of day D is the sum of debit minus credit over the account's entries of
// D's month up to the end of D, opening entries ("期初金额") included. Receipts, payments and
// their counts leave opening entries out, so an opening entry dated D belongs to the day before:
// the balance of the day before plus receipts minus payments is always the day's balance, and on
// the first of a month the day before holds the month's opening.
#include "Connection.h"
#include "Money.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

// Whose entries count: every operator's (the company's books) or one operator's.
using OperatorFilter = std::optional<QString>;

// Result columns of the report statement, named as the grid and the export show them.
namespace DailyFundField {
inline const QString account = QStringLiteral("ZhangHu");
inline const QString previous = QStringLiteral("ShangRiYuE");
inline const QString receipts = QStringLiteral("BenRiShouRu");
inline const QString payments = QStringLiteral("BenRiZhiChu");
inline const QString balance = QStringLiteral("BenRiYuE");
inline const QString receiptCount = QStringLiteral("ShouRuBiShu");
inline const QString paymentCount = QStringLiteral("ZhiChuBiShu");
inline const QString isBank = QStringLiteral("YinHang");
}

// The row name of the cash journal.
QString cashAccountName();

struct FundRow {
    QString account;
    bool isBank = false;
    Money previous, receipts, payments, balance;
    int receiptCount = 0;
    int paymentCount = 0;
};

struct DailyFundReport {
    QDate day;
    QVector<FundRow> rows; // cash first, then the bank accounts: the catalogue's, then others by name
    FundRow total;         // the sums of the rows, named "合计"
};

// One statement for the whole report, one row per account: cash, every account of the catalogue
// and every account named by a counted entry of the month up to `day`.
Connection::Statement dailyFundStatement(const QDate& day, const OperatorFilter& onlyOperator);
DailyFundReport dailyFundReport(const QDate& day, const OperatorFilter& onlyOperator);

// One account over a whole month, for the chart: index 0 is the 1st.
struct AccountMonth {
    QString account;
    bool isBank = false;
    QVector<Money> dayEnd;   // balance at the end of each day
    QVector<Money> receipts; // opening entries left out
    QVector<Money> payments;
};
// Every account of the report on the month's last day, with its days.
QVector<AccountMonth> monthOfAccounts(const QDate& anyDay, const OperatorFilter& onlyOperator);
