#include "DailyFunds.h"

#include "JournalKind.h"
#include "Dataset.h"
#include "SameName.h"
#include "Statistics.h"

#include <QHash>

namespace {
QString stamp(const QDate& d) { return Dataset::dateTimeText(QDateTime(d, QTime(0, 0))); }

// Every counted entry of both journals from `from` up to (not including) `to` as
// (grp 0 cash / 1 bank, account, opening, day "yyyy-MM-dd", inRange, j, d); `inRangeFrom`
// marks the entries from that instant on. The operator's date index serves each half.
QString moves(const OperatorFilter& onlyOperator, QVariantList& params, const QString& from, const QString& to,
              const QString& inRangeFrom)
{
    QString sql;
    for (const JournalKind j : {JournalKind::Cash, JournalKind::Bank}) {
        const bool bank = j == JournalKind::Bank;
        if (bank)
            sql += QStringLiteral(" UNION ALL ");
        sql += QStringLiteral("SELECT %1, %2, %3 IS ?, substr(%4,1,10), %4 >= ?, COALESCE(%5,0), COALESCE(%6,0) FROM %7 "
                              "WHERE %4 >= ? AND %4 < ?")
                   .arg(bank ? QStringLiteral("1") : QStringLiteral("0"),
                        bank ? QStringLiteral("COALESCE(%1,'')").arg(JournalField::account) : QStringLiteral("?"), designOf(j).summaryField,
                        designOf(j).dateField, JournalField::debit, JournalField::credit, designOf(j).table);
        if (!bank)
            params << cashAccountName();
        params << openingBalanceSummary() << inRangeFrom << from << to;
        if (onlyOperator) {
            sql += QStringLiteral(" AND %1 = ?").arg(JournalField::operatorName);
            params << *onlyOperator;
        }
    }
    return QStringLiteral("moves(grp, account, opening, day, inRange, j, d) AS (") + sql + QStringLiteral(")");
}

FundRow rowAt(const Dataset& ds, int r)
{
    const auto money = [&](const QString& f) { return Money::fromStorage(ds.valueAt(r, ds.fieldIndex(f))); };
    const auto number = [&](const QString& f) { return ds.valueAt(r, ds.fieldIndex(f)).toInt(); };
    FundRow row;
    row.account = ds.valueAt(r, ds.fieldIndex(DailyFundField::account)).toString();
    row.isBank = number(DailyFundField::isBank) != 0;
    row.previous = money(DailyFundField::previous);
    row.receipts = money(DailyFundField::receipts);
    row.payments = money(DailyFundField::payments);
    row.balance = money(DailyFundField::balance);
    row.receiptCount = number(DailyFundField::receiptCount);
    row.paymentCount = number(DailyFundField::paymentCount);
    return row;
}
} // namespace

QString cashAccountName() { return QStringLiteral("现金"); }

Connection::Statement dailyFundStatement(const QDate& day, const OperatorFilter& onlyOperator)
{
    Connection::Statement st;
    const QDate monthStart(day.year(), day.month(), 1);
    const QString movesSql = moves(onlyOperator, st.params, stamp(monthStart), stamp(day.addDays(1)), stamp(day));
    // "today" means counted as the day's receipt or payment: dated D and no opening entry.
    st.sql = QStringLiteral("WITH ") + movesSql + QStringLiteral(
        ", sums AS (SELECT grp, account COLLATE NOCASE AS account, "
        "SUM(CASE WHEN inRange AND NOT opening THEN 0 ELSE j - d END) AS prev, "
        "SUM(CASE WHEN inRange AND NOT opening THEN j ELSE 0 END) AS rec, "
        "SUM(CASE WHEN inRange AND NOT opening THEN d ELSE 0 END) AS pay, "
        "SUM(j - d) AS bal, "
        "SUM(inRange AND NOT opening AND j <> 0) AS nrec, "
        "SUM(inRange AND NOT opening AND d <> 0) AS npay "
        "FROM moves GROUP BY grp, account COLLATE NOCASE), "
        "accounts(grp, account, ord) AS (SELECT 0, ?, 0 "
        "UNION ALL SELECT 1, %1, %2 FROM %3 WHERE %1 IS NOT NULL "
        "UNION ALL SELECT grp, account, NULL FROM sums WHERE grp = 1), "
        "named AS (SELECT grp, account COLLATE NOCASE AS account, MIN(ord) AS ord FROM accounts "
        "GROUP BY grp, account COLLATE NOCASE) "
        "SELECT n.account AS %4, n.grp AS %5, COALESCE(s.prev, 0) AS %6, COALESCE(s.rec, 0) AS %7, "
        "COALESCE(s.pay, 0) AS %8, COALESCE(s.bal, 0) AS %9, COALESCE(s.nrec, 0) AS %10, COALESCE(s.npay, 0) AS %11 "
        "FROM named n LEFT JOIN sums s ON s.grp = n.grp AND s.account = n.account "
        "ORDER BY n.grp, n.ord IS NULL, n.ord, n.account")
                 .arg(BankAccountField::name, BankAccountField::key, Table::bankAccounts, DailyFundField::account,
                      DailyFundField::isBank, DailyFundField::previous, DailyFundField::receipts, DailyFundField::payments,
                      DailyFundField::balance)
                 .arg(DailyFundField::receiptCount, DailyFundField::paymentCount);
    st.params << cashAccountName();
    return st;
}

DailyFundReport dailyFundReport(const QDate& day, const OperatorFilter& onlyOperator)
{
    const Connection::Statement st = dailyFundStatement(day, onlyOperator);
    Dataset ds;
    ds.open(st.sql, st.params);
    DailyFundReport report;
    report.day = day;
    report.total.account = QStringLiteral("合计");
    for (int r = 0; r < ds.rowCount(); ++r) {
        const FundRow row = rowAt(ds, r);
        report.rows << row;
        report.total.previous += row.previous;
        report.total.receipts += row.receipts;
        report.total.payments += row.payments;
        report.total.balance += row.balance;
        report.total.receiptCount += row.receiptCount;
        report.total.paymentCount += row.paymentCount;
    }
    return report;
}

QVector<AccountMonth> monthOfAccounts(const QDate& anyDay, const OperatorFilter& onlyOperator)
{
    const QDate first(anyDay.year(), anyDay.month(), 1);
    const int days = first.daysInMonth();
    QVector<AccountMonth> out;
    QHash<QPair<bool, QString>, int> index; // (bank, name key) -> position in out
    for (const FundRow& row : dailyFundReport(first.addDays(days - 1), onlyOperator).rows) {
        index.insert({row.isBank, nameKey(row.account)}, int(out.size()));
        out << AccountMonth{row.account, row.isBank, QVector<Money>(days), QVector<Money>(days), QVector<Money>(days)};
    }
    QVariantList params;
    const QString movesSql = moves(onlyOperator, params, stamp(first), stamp(first.addMonths(1)), stamp(first));
    Dataset ds;
    ds.open(QStringLiteral("WITH ") + movesSql
                + QStringLiteral(" SELECT grp, account COLLATE NOCASE, day, SUM(j - d), "
                                 "SUM(CASE WHEN opening THEN 0 ELSE j END), SUM(CASE WHEN opening THEN 0 ELSE d END) "
                                 "FROM moves GROUP BY grp, account COLLATE NOCASE, day"),
            params);
    QVector<QVector<Money>> net(out.size(), QVector<Money>(days));
    for (int r = 0; r < ds.rowCount(); ++r) {
        const auto it = index.constFind({ds.valueAt(r, 0).toInt() != 0, nameKey(ds.valueAt(r, 1).toString())});
        const int d = QDate::fromString(ds.valueAt(r, 2).toString(), Qt::ISODate).day() - 1;
        if (it == index.constEnd() || d < 0)
            continue;
        net[*it][d] += Money::fromStorage(ds.valueAt(r, 3));
        out[*it].receipts[d] += Money::fromStorage(ds.valueAt(r, 4));
        out[*it].payments[d] += Money::fromStorage(ds.valueAt(r, 5));
    }
    for (int a = 0; a < out.size(); ++a) {
        Money run;
        for (int d = 0; d < days; ++d)
            out[a].dayEnd[d] = run += net[a][d];
    }
    return out;
}
