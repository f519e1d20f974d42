#include "Statistics.h"

#include "Dataset.h"

namespace {
struct Shape {
    QString table, select, groupBy;
};

// Result columns carry the names the windows' grids use, whatever the table's spelling.
Shape shapeOf(StatKind kind)
{
    const QString yearMonth = QStringLiteral("CAST(substr(yewurq,1,4) AS INTEGER) AS yeardu, "
                                             "CAST(substr(yewurq,6,2) AS INTEGER) AS monthF");
    const QString& cash = Table::cash;
    const QString& bank = Table::bank;
    switch (kind) {
    case StatKind::CashYearMonth:
        return {cash, yearMonth, QStringLiteral("yeardu, monthF")};
    case StatKind::BankYearMonth:
        return {bank, yearMonth + QStringLiteral(", KaiHuBank AS KaiHuBank"), QStringLiteral("yeardu, monthF, KaiHuBank")};
    case StatKind::CashBySummary:
        return {cash, QStringLiteral("ZhanYao AS ZhanYao"), QStringLiteral("ZhanYao")};
    case StatKind::BankBySummary:
        return {bank, QStringLiteral("KaiHuBank AS KaiHuBank, ZhanYao AS ZhanYao"), QStringLiteral("KaiHuBank, ZhanYao")};
    case StatKind::CashByDay:
        return {cash, QStringLiteral("yewurq AS yewurq"), QStringLiteral("yewurq")};
    case StatKind::BankByDay:
        return {bank, QStringLiteral("yewurq AS yewurq, KaiHuBank AS KaiHuBank"), QStringLiteral("yewurq, KaiHuBank")};
    }
    return {};
}

Connection::Statement compose(StatKind kind, const QString& where, const QVariantList& params)
{
    const Shape s = shapeOf(kind);
    // Sums of no values read as zero, so SR is always JF minus DF.
    return {QStringLiteral("Select ") + s.select
                + QStringLiteral(", COALESCE(Sum(JieFang),0) AS JF, COALESCE(Sum(DaiFang),0) AS DF, "
                                 "COALESCE(Sum(JieFang),0)-COALESCE(Sum(DaiFang),0) AS SR From ")
                + s.table + QStringLiteral(" where ") + where + QStringLiteral(" Group By ") + s.groupBy,
            params};
}

// An entry without a summary is no opening balance and is counted.
const QString notOpening = QStringLiteral(" and zhanyao IS NOT ?");

QString midnight(const QDate& d) { return Dataset::dateTimeText(QDateTime(d, QTime(0, 0))); }
}

QString openingBalanceSummary() { return QStringLiteral("期初金额"); }

Connection::Statement emptyStatistics(StatKind kind) { return compose(kind, QStringLiteral("1<>1"), {}); }

Connection::Statement yearMonthStatistics(JournalKind journal, const QString& year, const QString& user)
{
    const StatKind kind = journal == JournalKind::Cash ? StatKind::CashYearMonth : StatKind::BankYearMonth;
    bool ok = false;
    const int y = year.trimmed().toInt(&ok);
    if (!ok || y < 1 || y > 9999)
        return emptyStatistics(kind);
    // The year as a range of stored stamps, so the operator's date index serves it.
    const QString yyyy = QStringLiteral("%1").arg(y, 4, 10, QLatin1Char('0'));
    return compose(kind, QStringLiteral("yewurq >= ? and yewurq <= ?") + notOpening + QStringLiteral(" and Fillter=?"),
                   {yyyy + QStringLiteral("-01-01 00:00:00"), yyyy + QStringLiteral("-12-31 23:59:59"),
                    openingBalanceSummary(), user});
}

Connection::Statement bySummaryStatistics(JournalKind journal, const QDate& from, const QDate& to, const QString& user,
                                          const QString& bank)
{
    QString where = QStringLiteral("yewurq >= ? and yewurq <= ?") + notOpening + QStringLiteral(" and Fillter=?");
    QVariantList params{midnight(from), midnight(to), openingBalanceSummary(), user};
    const QString account = trimCriterion(bank);
    if (journal == JournalKind::Bank && !account.isEmpty()) {
        where += QStringLiteral(" and KaiHuBank=?");
        params << account;
    }
    return compose(journal == JournalKind::Cash ? StatKind::CashBySummary : StatKind::BankBySummary, where, params);
}

Connection::Statement byDayStatistics(JournalKind journal, const QDate& from, const QDate& to)
{
    return compose(journal == JournalKind::Cash ? StatKind::CashByDay : StatKind::BankByDay,
                   QStringLiteral("yewurq >= ? and yewurq <= ?") + notOpening,
                   {midnight(from), midnight(to), openingBalanceSummary()});
}
