#include "Reconciliation.h"

#include "Connection.h"
#include "Dataset.h"
#include "ReconcileNames.h"

#include <QJsonArray>
#include <QJsonDocument>

Money Reconciliation::total(const QVector<ReconciliationItem>& items)
{
    Money sum;
    for (const ReconciliationItem& i : items)
        sum += i.amount;
    return sum;
}

QString Reconciliation::verdict() const
{
    if (agrees())
        return QStringLiteral("余额相符");
    return QStringLiteral("余额不符，差额 %1").arg((adjustedStatement() - adjustedBook()).toString());
}

namespace Reconciliations {
namespace {

QString stamp(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00"); }

// Groups with a member dated on or after `next` (the start of the day after): not yet reconciled.
QString lateGroups()
{
    return QStringLiteral("SELECT p.%1 FROM %2 p JOIN %3 e ON e.%4 = p.%5 WHERE e.%6 >= ?1 "
                          "UNION SELECT p.%1 FROM %2 p JOIN %7 l ON l.%8 = p.%9 WHERE l.%10 >= ?1")
        .arg(PairTable::group, PairTable::table, BankEntryTable::table, BankEntryTable::key, PairTable::entry,
             BankEntryTable::when, StatementTable::table, StatementTable::key, PairTable::line)
        .arg(StatementTable::when);
}

ReconciliationItem itemOf(const Dataset& ds, int r, int amountField)
{
    return ReconciliationItem{ds.valueAt(r, 0).toString(), ds.valueAt(r, 1).toString(), ds.valueAt(r, 2).toString(),
                              Money::fromStorage(ds.valueAt(r, amountField))};
}

} // namespace

Reconciliation compute(const QString& account, const QDate& day)
{
    Reconciliation r;
    r.account = account;
    r.day = day;
    const QString next = stamp(day.addDays(1));
    const QString monthStart = stamp(QDate(day.year(), day.month(), 1));
    Connection& c = Connection::instance();

    r.bookBalance = Money::fromStorage(
        c.scalar(QStringLiteral("SELECT coalesce(sum(coalesce(%1, 0) - coalesce(%2, 0)), 0) FROM %3 WHERE %4 = ? AND %5 >= ? AND %5 < ?")
                     .arg(BankEntryTable::debit, BankEntryTable::credit, BankEntryTable::table, BankEntryTable::account,
                          BankEntryTable::when),
                 {account, monthStart, next}));

    // The last printed balance on or before the day, then the movements of the lines after it
    // (later in time, or at the same time with a later key).
    Dataset last;
    last.open(QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE %5 = ? AND %3 < ? AND %2 IS NOT NULL ORDER BY %3 DESC, %1 DESC LIMIT 1")
                  .arg(StatementTable::key, StatementTable::balance, StatementTable::when, StatementTable::table,
                       StatementTable::account),
              {account, next});
    const QString movements = QStringLiteral("SELECT coalesce(sum(%1 - %2), 0) FROM %3 WHERE %4 = ? AND %5 < ?")
                                  .arg(StatementTable::moneyIn, StatementTable::moneyOut, StatementTable::table,
                                       StatementTable::account, StatementTable::when);
    if (last.isEmpty()) {
        r.statementBalance = Money::fromStorage(c.scalar(movements, {account, next}));
    } else {
        const QVariant key = last.valueAt(0, 0), when = last.valueAt(0, 2);
        const QString after = QStringLiteral(" AND (%1 > ? OR (%1 = ? AND %2 > ?))").arg(StatementTable::when, StatementTable::key);
        r.statementBalance = Money::fromStorage(last.valueAt(0, 1))
            + Money::fromStorage(c.scalar(movements + after, {account, next, when, when, key}));
    }

    Dataset entries;
    entries.open(QStringLiteral("SELECT e.%1, e.%2, e.%3, e.%4, e.%5 FROM %6 e LEFT JOIN %7 p ON p.%8 = e.%9 "
                                "WHERE e.%10 = ?2 AND e.%1 < ?1 AND e.%2 IS NOT ?3 AND (p.%11 IS NULL OR p.%11 IN (%12)) "
                                "ORDER BY e.%1, e.%9")
                     .arg(BankEntryTable::when, BankEntryTable::summary, BankEntryTable::voucher, BankEntryTable::debit,
                          BankEntryTable::credit, BankEntryTable::table, PairTable::table, PairTable::entry, BankEntryTable::key)
                     .arg(BankEntryTable::account, PairTable::group, lateGroups()),
                 {next, account, BankEntryTable::openingSummary});
    for (int i = 0; i < entries.rowCount(); ++i) {
        if (!Money::fromStorage(entries.valueAt(i, 3)).isZero())
            r.bookInBankNot << itemOf(entries, i, 3);
        if (!Money::fromStorage(entries.valueAt(i, 4)).isZero())
            r.bookOutBankNot << itemOf(entries, i, 4);
    }

    Dataset lines;
    lines.open(QStringLiteral("SELECT l.%1, l.%2, l.%3, l.%4, l.%5 FROM %6 l LEFT JOIN %7 p ON p.%8 = l.%9 "
                              "WHERE l.%10 = ?2 AND l.%1 < ?1 AND (p.%11 IS NULL OR p.%11 IN (%12)) ORDER BY l.%1, l.%9")
                   .arg(StatementTable::when, StatementTable::summary, StatementTable::serial, StatementTable::moneyIn,
                        StatementTable::moneyOut, StatementTable::table, PairTable::table, PairTable::line, StatementTable::key)
                   .arg(StatementTable::account, PairTable::group, lateGroups()),
               {next, account});
    for (int i = 0; i < lines.rowCount(); ++i) {
        if (!Money::fromStorage(lines.valueAt(i, 3)).isZero())
            r.bankInBookNot << itemOf(lines, i, 3);
        if (!Money::fromStorage(lines.valueAt(i, 4)).isZero())
            r.bankOutBookNot << itemOf(lines, i, 4);
    }
    return r;
}

QString rowsSql()
{
    // The rows are computed here and handed over as one JSON array, so the grid, the export and
    // the print read them like any other result.
    return QStringLiteral("SELECT json_extract(value, '$[0]') AS %1, json_extract(value, '$[1]') AS %2, "
                          "json_extract(value, '$[2]') AS %3, json_extract(value, '$[3]') AS %4, "
                          "json_extract(value, '$[4]') AS %5 FROM json_each(?) ORDER BY key")
        .arg(fieldItem, fieldDate, fieldSummary, fieldNumber, fieldAmount);
}

QVariantList rowsParams(const Reconciliation& r)
{
    QJsonArray rows;
    const auto heading = [&](const QString& title, const QJsonValue& amount) {
        rows.append(QJsonArray{title, QString(), QString(), QString(), amount});
    };
    const auto money = [](Money m) { return QJsonValue(qint64(m.units())); };
    const auto items = [&](const QString& title, const QVector<ReconciliationItem>& list) {
        heading(title, money(Reconciliation::total(list)));
        for (const ReconciliationItem& i : list)
            rows.append(QJsonArray{QString(), i.when.left(10), i.summary, i.number, money(i.amount)});
    };
    heading(QStringLiteral("银行对账单余额"), money(r.statementBalance));
    items(QStringLiteral("加：企业已收、银行未收"), r.bookInBankNot);
    items(QStringLiteral("减：企业已付、银行未付"), r.bookOutBankNot);
    heading(QStringLiteral("调节后余额"), money(r.adjustedStatement()));
    heading(QStringLiteral("银行日记账余额"), money(r.bookBalance));
    items(QStringLiteral("加：银行已收、企业未收"), r.bankInBookNot);
    items(QStringLiteral("减：银行已付、企业未付"), r.bankOutBookNot);
    heading(QStringLiteral("调节后余额"), money(r.adjustedBook()));
    rows.append(QJsonArray{r.verdict(), QString(), QString(), QString(), QJsonValue()});
    return {QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact))};
}

} // namespace Reconciliations
