#include "ReconcileLists.h"

#include "AppError.h"
#include "Command.h"
#include "Dataset.h"
#include "ReconcileNames.h"

namespace ReconcileLists {
namespace {

QString dayStart(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00"); }

QString placeholders(qsizetype n)
{
    QStringList m;
    for (qsizetype i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

} // namespace

Connection::Statement entries(const QString& account, const QDate& from, const QDate& to, bool unpairedOnly)
{
    using namespace BankEntryTable;
    const QString sql =
        QStringLiteral("SELECT e.%1, e.%2, e.%3, e.%4, e.%5, e.%6, e.%7, CASE WHEN p.%8 IS NULL THEN '' ELSE '%9' END AS %10 "
                       "FROM %11 e LEFT JOIN %12 p ON p.%13 = e.%1 WHERE e.%14 = ? AND e.%2 >= ? AND e.%2 < ? AND e.%4 IS NOT ?%15 "
                       "ORDER BY e.%2, e.%1")
            .arg(key, when, voucher, summary, debit, credit, operatorName, PairTable::group, pairedMark)
            .arg(pairedField, table, PairTable::table, PairTable::entry, BankEntryTable::account,
                 unpairedOnly ? QStringLiteral(" AND p.%1 IS NULL").arg(PairTable::group) : QString());
    return {sql, {account, dayStart(from), dayStart(to.addDays(1)), openingSummary}};
}

Connection::Statement lines(const QString& account, const QDate& from, const QDate& to, bool unpairedOnly)
{
    using namespace StatementTable;
    const QString sql =
        QStringLiteral("SELECT l.%1, l.%2, l.%3, l.%4, l.%5, l.%6, l.%7, l.%8, l.%9, CASE WHEN p.%10 IS NULL THEN '' ELSE '%11' END AS %12 "
                       "FROM %13 l LEFT JOIN %14 p ON p.%15 = l.%1 WHERE l.%16 = ? AND l.%2 >= ? AND l.%2 < ?%17 ORDER BY l.%2, l.%1")
            .arg(key, when, summary, moneyIn, moneyOut, balance, counterparty, serial, source)
            .arg(PairTable::group, pairedMark, pairedField, table, PairTable::table, PairTable::line, StatementTable::account,
                 unpairedOnly ? QStringLiteral(" AND p.%1 IS NULL").arg(PairTable::group) : QString());
    return {sql, {account, dayStart(from), dayStart(to.addDays(1))}};
}

void checkTypedLine(const StatementLine& line)
{
    if (!line.when.isValid())
        throw AppError(QStringLiteral("请输入交易日期"));
    if (line.in < Money() || line.out < Money())
        throw AppError(QStringLiteral("收入和支出不能为负数"));
    if (line.in.isZero() == line.out.isZero())
        throw AppError(QStringLiteral("收入和支出须填写其中一项"));
}

qint64 addLine(const QString& account, const StatementLine& l, const QString& operatorName, const QDateTime& now)
{
    using namespace StatementTable;
    checkTypedLine(l);
    Transaction t;
    Command::execute(QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5, %6, %7, %8, %9, %10, %11) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                         .arg(table, StatementTable::account, when, summary, moneyIn, moneyOut, balance, counterparty, serial)
                         .arg(importedAt, importedBy),
                     {account, l.whenText(), l.summary, l.in.toStorage(), l.out.toStorage(),
                      l.balance ? l.balance->toStorage() : QVariant(), l.counterparty, l.serial,
                      now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), operatorName});
    const qint64 k = Connection::instance().scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
    t.commit();
    return k;
}

void updateLine(qint64 k, const StatementLine& l)
{
    using namespace StatementTable;
    checkTypedLine(l);
    const int changed = Command::execute(QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ?, %4 = ?, %5 = ?, %6 = ?, %7 = ?, %8 = ? WHERE %9 = ?")
                                             .arg(table, when, summary, moneyIn, moneyOut, balance, counterparty, serial, key),
                                         {l.whenText(), l.summary, l.in.toStorage(), l.out.toStorage(),
                                          l.balance ? l.balance->toStorage() : QVariant(), l.counterparty, l.serial,
                                          QVariant::fromValue<qlonglong>(k)});
    if (changed == 0)
        throw AppError(QStringLiteral("该对账单记录已被删除"));
}

void deleteLines(const QVector<qint64>& keys)
{
    if (keys.isEmpty())
        return;
    QVariantList params;
    for (qint64 k : keys)
        params << QVariant::fromValue<qlonglong>(k);
    Transaction t;
    Command::execute(QStringLiteral("DELETE FROM %1 WHERE %2 IN (%3)").arg(StatementTable::table, StatementTable::key, placeholders(keys.size())),
                     params);
    t.commit();
}

StatementLine line(qint64 k)
{
    using namespace StatementTable;
    Dataset ds;
    ds.open(QStringLiteral("SELECT %1, %2, %3, %4, %5, %6, %7, %8 FROM %9 WHERE %10 = ?")
                .arg(when, summary, moneyIn, moneyOut, balance, counterparty, serial, sourceLine, table)
                .arg(key),
            {QVariant::fromValue<qlonglong>(k)});
    if (ds.isEmpty())
        throw AppError(QStringLiteral("该对账单记录已被删除"));
    StatementLine l;
    l.when = QDateTime(QDate::fromString(ds.valueAt(0, 0).toString().left(10), QStringLiteral("yyyy-MM-dd")),
                       QTime::fromString(ds.valueAt(0, 0).toString().mid(11), QStringLiteral("HH:mm:ss")), Qt::UTC);
    l.summary = ds.valueAt(0, 1).toString();
    l.in = Money::fromStorage(ds.valueAt(0, 2));
    l.out = Money::fromStorage(ds.valueAt(0, 3));
    if (!ds.valueAt(0, 4).isNull())
        l.balance = Money::fromStorage(ds.valueAt(0, 4));
    l.counterparty = ds.valueAt(0, 5).toString();
    l.serial = ds.valueAt(0, 6).toString();
    l.sourceLine = ds.valueAt(0, 7).toInt();
    return l;
}

} // namespace ReconcileLists
