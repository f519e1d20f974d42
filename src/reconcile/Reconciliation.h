#pragma once
// The balance reconciliation statement (银行存款余额调节表) of one account as of one day.
#include "Money.h"

#include <QDate>
#include <QString>
#include <QVector>

struct ReconciliationItem {
    QString when; // stored date and time
    QString summary;
    QString number; // voucher number or serial
    Money amount;
};

struct Reconciliation {
    QString account;
    QDate day;
    // The 余额 of the statement's last line on or before the day (with the movements of any later
    // lines of the day that print no balance); without printed balances, the lines' net sum.
    Money statementBalance;
    // JieFang − DaiFang over the account's entries of the day's month up to the end of the day,
    // of every operator, the month's 期初金额 entries included.
    Money bookBalance;
    // Items not reconciled as of the day: not paired, or paired in a group with a member dated
    // after the day. Entries carrying 期初金额 are brought-forward amounts, never items.
    QVector<ReconciliationItem> bookInBankNot;  // 企业已收、银行未收
    QVector<ReconciliationItem> bookOutBankNot; // 企业已付、银行未付
    QVector<ReconciliationItem> bankInBookNot;  // 银行已收、企业未收
    QVector<ReconciliationItem> bankOutBookNot; // 银行已付、企业未付

    static Money total(const QVector<ReconciliationItem>& items);
    Money adjustedStatement() const { return statementBalance + total(bookInBankNot) - total(bookOutBankNot); }
    Money adjustedBook() const { return bookBalance + total(bankInBookNot) - total(bankOutBookNot); }
    bool agrees() const { return adjustedStatement() == adjustedBook(); }
    // "余额相符", or the difference of the adjusted statement balance less the adjusted book balance.
    QString verdict() const;
};

namespace Reconciliations {

Reconciliation compute(const QString& account, const QDate& day);

// The statement as rows to show, export and print: 项目 (XiangMu), 日期 (RiQi), 摘要 (ZhanYao),
// 凭证号/流水号 (HaoMa), 金额 (JinE, money). The statement that yields them and its one value.
QString rowsSql();
QVariantList rowsParams(const Reconciliation& r);

inline const QString fieldItem = QStringLiteral("XiangMu");
inline const QString fieldDate = QStringLiteral("RiQi");
inline const QString fieldSummary = QStringLiteral("ZhanYao");
inline const QString fieldNumber = QStringLiteral("HaoMa");
inline const QString fieldAmount = QStringLiteral("JinE");

} // namespace Reconciliations
