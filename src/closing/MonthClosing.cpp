#include "MonthClosing.h"

#include "AppError.h"
#include "Balances.h"
#include "ClosedMonths.h"
#include "Dataset.h"
#include "Period.h"
#include "Tables.h"

#include <QDate>

namespace {
const QString openingSummary = QStringLiteral("期初金额");
const QString carryDetail = QStringLiteral("上月结转");
const QString increase = QStringLiteral("增加");
const QString decrease = QStringLiteral("减少");

QDate firstDay(const QString& month) { return QDate::fromString(month + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd")); }

// The first instant of `month`, as the journals store dates.
QString monthStart(const QString& month) { return month + QStringLiteral("-01 00:00:00"); }

// What differs between the journals' balance sets: the bank's run per account as well.
QString setColumns(const JournalDesign& d)
{
    return d.isBank() ? QStringLiteral("Fillter, %1").arg(JournalField::account) : QStringLiteral("Fillter");
}

Connection::Statement earliestFrom(const JournalDesign& d, const QString& from)
{
    return {QStringLiteral("SELECT min(%1) FROM %2 WHERE %1 >= ?").arg(d.dateField, d.table), {from}};
}

void run(const Connection::Statement& st) { Connection::instance().run(st.sql, st.params); }

QString label(const QString& month) { return ClosedMonths::monthLabel(month); }

void movePeriodTo(const QString& month) { SavePeriod(QDateTime(firstDay(month), QTime(0, 0))); }
} // namespace

namespace MonthClosing {
QString nextMonth(const QString& month) { return firstDay(month).addMonths(1).toString(QStringLiteral("yyyy-MM")); }

QString monthOfPeriod(const QString& periodText) { return periodText.left(7); }

QStringList monthsWithEntries()
{
    // One index seek per journal and month, whatever the journals' length.
    QStringList out;
    QString from = QStringLiteral("0000-01-01 00:00:00");
    for (;;) {
        QString earliest;
        for (JournalKind kind : {JournalKind::Cash, JournalKind::Bank}) {
            const Connection::Statement st = earliestFrom(designOf(kind), from);
            const QString d = Connection::instance().scalar(st.sql, st.params).toString();
            if (!d.isEmpty() && (earliest.isEmpty() || d < earliest))
                earliest = d;
        }
        if (earliest.isEmpty())
            return out;
        out << earliest.left(7);
        from = monthStart(nextMonth(out.last()));
    }
}

QVector<MonthState> monthStates()
{
    const QStringList closed = ClosedMonths::all();
    QStringList months = monthsWithEntries() + closed;
    months.sort();
    months.removeDuplicates();
    QVector<MonthState> out;
    for (const QString& m : months)
        out.append({m, closed.contains(m)});
    return out;
}

QString monthToClose(const QString& periodText)
{
    const QStringList closed = ClosedMonths::all();
    for (const QString& m : monthsWithEntries())
        if (!closed.contains(m))
            return m;
    return monthOfPeriod(periodText);
}

QString monthToReopen()
{
    const QStringList closed = ClosedMonths::all();
    return closed.isEmpty() ? QString() : closed.last();
}

QString closeRefusal(const QString& month)
{
    if (ClosedMonths::isClosed(month))
        return label(month) + QStringLiteral("已结账");
    const QStringList closed = ClosedMonths::all();
    for (const QString& m : monthsWithEntries()) {
        if (m >= month)
            break;
        if (!closed.contains(m))
            return QStringLiteral("请先结账") + label(m);
    }
    return {};
}

QString reopenRefusal(const QString& month)
{
    const QString last = monthToReopen();
    if (!ClosedMonths::isClosed(month))
        return label(month) + QStringLiteral("未结账");
    if (month != last)
        return QStringLiteral("请先反结账") + label(last);
    return {};
}

Connection::Statement monthRewrite(JournalKind kind, const QString& month)
{
    const JournalDesign& d = designOf(kind);
    // The running sum per set as a window over the month; only balances that change are written.
    const QString sql = QStringLiteral(
        "UPDATE %1 SET YuE = s.balance FROM ("
        "SELECT autoID AS id, sum(coalesce(JieFang, 0) - coalesce(DaiFang, 0)) "
        "OVER (PARTITION BY %3 ORDER BY %4 ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW) AS balance "
        "FROM %1 WHERE %2 >= ? AND %2 < ?) AS s WHERE %1.autoID = s.id AND %1.YuE IS NOT s.balance")
                            .arg(d.table, d.dateField, setColumns(d), Journals::setOrder(kind));
    return {sql, {monthStart(month), monthStart(nextMonth(month))}};
}

Connection::Statement carryEntries(JournalKind kind, const QString& month)
{
    const JournalDesign& d = designOf(kind);
    const QString account = d.isBank() ? QStringLiteral(", %1").arg(JournalField::account) : QString();
    const QString sql = QStringLiteral(
        "INSERT INTO %1 (%2, %3, Detail, %4, JieFang, DaiFang, YuE, Fillter%5, KeMuDM, %6) "
        "SELECT ?, ?, ?, CASE WHEN b < 0 THEN ? ELSE ? END, CASE WHEN b < 0 THEN 0 ELSE b END, "
        "CASE WHEN b < 0 THEN -b ELSE 0 END, b, Fillter%5, "
        "(SELECT KuMuCode FROM ZhanYao WHERE ZhanYao = ? ORDER BY AutoID LIMIT 1), ? FROM ("
        "SELECT %7, sum(coalesce(JieFang, 0) - coalesce(DaiFang, 0)) AS b FROM %1 WHERE %2 >= ? AND %2 < ? "
        "GROUP BY %7 ORDER BY %7)")
                            .arg(d.table, d.dateField, d.summaryField, d.categoryField, account, JournalField::carriedFrom,
                                 setColumns(d));
    const QString next = nextMonth(month);
    return {sql,
            {monthStart(next), openingSummary, carryDetail, decrease, increase, openingSummary, month, monthStart(month),
             monthStart(next)}};
}

Connection::Statement monthSummary(const QString& month)
{
    QStringList parts;
    QVariantList params;
    const QString from = monthStart(month);
    const QString to = monthStart(nextMonth(month));
    const QString yearStart = month.left(4) + QStringLiteral("-01-01 00:00:00");
    for (JournalKind kind : {JournalKind::Cash, JournalKind::Bank}) {
        const JournalDesign& d = designOf(kind);
        const QString inMonth = QStringLiteral("%1 >= ?").arg(d.dateField);
        const QString opening = QStringLiteral("%1 = ?").arg(d.summaryField);
        const QString counted = QStringLiteral("%1 IS NOT ?").arg(d.summaryField);
        const QString net = QStringLiteral("coalesce(JieFang, 0) - coalesce(DaiFang, 0)");
        const QString sumIf = QStringLiteral("sum(CASE WHEN %1 THEN %2 ELSE 0 END) AS %3");
        const QStringList columns{
            QStringLiteral("? AS %1").arg(SetRowField::journal),
            QStringLiteral("Fillter AS %1").arg(SetRowField::operatorName),
            d.isBank() ? QStringLiteral("KaiHuBank AS %1").arg(SetRowField::account)
                       : QStringLiteral("'' AS %1").arg(SetRowField::account),
            sumIf.arg(inMonth + QStringLiteral(" AND ") + opening, net, SetRowField::opening),
            sumIf.arg(inMonth + QStringLiteral(" AND ") + counted, QStringLiteral("coalesce(JieFang, 0)"), SetRowField::monthDebit),
            sumIf.arg(inMonth + QStringLiteral(" AND ") + counted, QStringLiteral("coalesce(DaiFang, 0)"), SetRowField::monthCredit),
            sumIf.arg(counted, QStringLiteral("coalesce(JieFang, 0)"), SetRowField::yearDebit),
            sumIf.arg(counted, QStringLiteral("coalesce(DaiFang, 0)"), SetRowField::yearCredit),
            sumIf.arg(inMonth, net, SetRowField::closing),
        };
        parts << QStringLiteral("SELECT %1 FROM %2 WHERE %3 >= ? AND %3 < ? GROUP BY %4 HAVING max(%3) >= ?")
                     .arg(columns.join(QStringLiteral(", ")), d.table, d.dateField, setColumns(d));
        params << (d.isBank() ? bankJournalCaption : cashJournalCaption) << from << openingSummary
               << from << openingSummary << from << openingSummary << openingSummary << openingSummary << from
               << yearStart << to << from;
    }
    return {parts.join(QStringLiteral(" UNION ALL ")) + QStringLiteral(" ORDER BY 1, 2, 3"), params};
}

void closeMonth(const QString& month, const QString& operatorName, const QDateTime& now)
{
    const QString refusal = closeRefusal(month);
    if (!refusal.isEmpty())
        throw AppError(refusal);
    const QString next = nextMonth(month);
    Transaction t;
    for (JournalKind kind : {JournalKind::Cash, JournalKind::Bank})
        run(monthRewrite(kind, month));
    Connection::instance().run(QStringLiteral("INSERT INTO %1 (%2, %3, %4) VALUES (?, ?, ?)")
                                   .arg(Table::closedMonths, ClosedMonthField::month, ClosedMonthField::closedAt, ClosedMonthField::closedBy),
                               {month, Dataset::dateTimeText(now), operatorName});
    ClosedMonths::rewriteRefusals();
    for (JournalKind kind : {JournalKind::Cash, JournalKind::Bank}) {
        run(carryEntries(kind, month));
        run(monthRewrite(kind, next));
    }
    if (monthOfPeriod(GetPeriodDate()) <= month)
        movePeriodTo(next);
    t.commit();
}

void reopenMonth(const QString& month)
{
    const QString refusal = reopenRefusal(month);
    if (!refusal.isEmpty())
        throw AppError(refusal);
    const QString next = nextMonth(month);
    Transaction t;
    Connection::instance().run(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(Table::closedMonths, ClosedMonthField::month), {month});
    ClosedMonths::rewriteRefusals();
    for (JournalKind kind : {JournalKind::Cash, JournalKind::Bank}) {
        Connection::instance().run(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(designOf(kind).table, JournalField::carriedFrom),
                                   {month});
        run(monthRewrite(kind, next));
    }
    movePeriodTo(month);
    t.commit();
}
} // namespace MonthClosing
