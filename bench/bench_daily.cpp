// Times the daily fund report and the ledger pages of a 10,000-entry month inside journals of
// 1,000,000 entries each, beside the sqlite3 shell doing the same sums on the same file:
//   - the report for the month's last day (every operator), against the shell running the
//     report's own statement;
//   - the month of every account for the chart, against the shell running the same grouping;
//   - the ledger books of one operator's month read and laid out as pages (cash: one book of
//     10,000 entries; bank: four accounts), against the shell running the books' statements
//     plus the running balance and the day totals as window and grouped sums.
//
//   bench_daily [entries [file]]   (default 1000000 per journal in a temporary file; an existing
//                                  file is reused as it is)
#include "Connection.h"
#include "DailyFunds.h"
#include "Database.h"
#include "LedgerPages.h"
#include "LedgerPrinter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int Runs = 5;
constexpr qint64 MonthEntries = 10000;
const QString monthOperator = QStringLiteral("操作员1");

// Generated inside SQLite: `entries - MonthEntries` stamps over 2015-2023 by five operators, and
// MonthEntries in March 2024 by one operator (about one an hour), some of them openings.
void fill(const QString& table, const QString& date, const QString& summary, bool bank, qint64 entries)
{
    const QString columns = QStringLiteral("%1, PingZhengNo, %2, Detail, JieFang, DaiFang, Fillter%3")
                                .arg(date, summary, bank ? QStringLiteral(", KaiHuBank") : QString());
    const QString values = QStringLiteral(
        "'V' || (i % 100000), CASE WHEN i % 997 = 0 THEN '期初金额' ELSE '摘要' || (i % 19) END, '明细' || (i % 7), "
        "CASE WHEN i % 3 = 0 THEN 0 ELSE (i % 10000) * 10000 + (i % 7) END, "
        "CASE WHEN i % 3 = 0 THEN (i % 5000) * 10000 ELSE 0 END");
    const QString account = bank ? QStringLiteral(", '银行' || (i % 4)") : QString();
    Connection::instance().run(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < ?) "
                       "INSERT INTO %1 (%2) SELECT strftime('%Y-%m-%d %H:%M:%S', 1420070400 + ((i * 7919) % 283996800) "
                       "- ((i * 7919) % 283996800) % 60, 'unixepoch'), %3, '操作员' || (i % 5)%4 FROM n")
            .arg(table, columns, values, account),
        {entries - MonthEntries});
    Connection::instance().run(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < ?) "
                       "INSERT INTO %1 (%2) SELECT strftime('%Y-%m-%d %H:%M:%S', 1709251200 + i * 267, 'unixepoch'), %3, ?%4 FROM n")
            .arg(table, columns, values, account),
        {MonthEntries, monthOperator});
}

QString shellLiteral(const QVariant& v)
{
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
        return QString::number(v.toLongLong());
    QString t = v.toString();
    t.replace(u'\'', QStringLiteral("''"));
    return QStringLiteral("\"'") + t + QStringLiteral("'\"");
}

// One shell run: start, open the file, then each statement with its own bound values.
double shell(const QString& file, const QList<Connection::Statement>& statements)
{
    QString script;
    for (const Connection::Statement& st : statements) {
        script += QStringLiteral(".parameter clear\n");
        for (int i = 0; i < st.params.size(); ++i)
            script += QStringLiteral(".parameter set ?%1 %2\n").arg(i + 1).arg(shellLiteral(st.params[i]));
        script += st.sql + QStringLiteral(";\n");
    }
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), file});
    p.waitForStarted();
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    const double ms = clock.nsecsElapsed() / 1e6;
    if (p.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed: %s\n", p.readAllStandardError().constData());
        return -1;
    }
    return ms;
}

double timed(const std::function<void()>& fn)
{
    QElapsedTimer clock;
    clock.start();
    fn();
    return clock.nsecsElapsed() / 1e6;
}

// The running balance and the day totals of the ledger, as the shell computes them.
QList<Connection::Statement> ledgerSums(JournalKind journal, const LedgerStatements& st)
{
    const bool bank = journal == JournalKind::Bank;
    const QString running = QStringLiteral("SELECT *, SUM(COALESCE(JieFang,0) - COALESCE(DaiFang,0)) OVER (%1ORDER BY yewurq) "
                                           "FROM (%2)")
                                .arg(bank ? QStringLiteral("PARTITION BY %1 ").arg(DailyFundField::account) : QString(), st.entries.sql);
    const QString days = QStringLiteral("SELECT %1substr(yewurq,1,10), SUM(COALESCE(JieFang,0)), SUM(COALESCE(DaiFang,0)) FROM (%2) "
                                        "GROUP BY %1substr(yewurq,1,10)")
                             .arg(bank ? DailyFundField::account + QStringLiteral(", ") : QString(), st.entries.sql);
    return {st.openings, {running, st.entries.params}, {days, st.entries.params}, st.yearBefore};
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 entries = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    QTemporaryDir dir;
    const QString file = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("RARU.DLL"));
    if (!QFileInfo::exists(file)) {
        Database::createEmpty(file);
        Connection::instance().setDatabasePath(file);
        QElapsedTimer build;
        build.start();
        fill(QStringLiteral("XJRJZ"), QStringLiteral("YeWuRQ"), QStringLiteral("ZhanYao"), false, entries);
        fill(QStringLiteral("YHRJZ"), QStringLiteral("yewuRQ"), QStringLiteral("Zhanyao"), true, entries);
        Connection::instance().run(QStringLiteral("ANALYZE"));
        std::printf("journals: %lld cash and %lld bank entries, %lld of each in March 2024, built in %.1f s\n", entries, entries,
                    MonthEntries, build.elapsed() / 1000.0);
    }
    Connection::instance().setDatabasePath(file);

    const QDate day(2024, 3, 31);
    const int perPage = LedgerPrinter::linesPerPage(LedgerPrinter::defaultPageLayout());
    struct Case {
        const char* name;
        std::function<int()> ours; // returns a size to print
        QList<Connection::Statement> shell;
    };
    // The chart's grouping, as the shell runs it: the report statement is the same one the program runs first.
    const Connection::Statement report = dailyFundStatement(day, {});
    const Connection::Statement chartDays{
        QStringLiteral("SELECT substr(yewurq,1,10), SUM(COALESCE(JieFang,0) - COALESCE(DaiFang,0)) FROM XJRJZ WHERE yewurq >= ? AND yewurq < ? "
                       "GROUP BY 1 UNION ALL SELECT KaiHuBank || substr(yewurq,1,10), SUM(COALESCE(JieFang,0) - COALESCE(DaiFang,0)) "
                       "FROM YHRJZ WHERE yewurq >= ? AND yewurq < ? GROUP BY KaiHuBank, substr(yewurq,1,10)"),
        {QStringLiteral("2024-03-01 00:00:00"), QStringLiteral("2024-04-01 00:00:00"), QStringLiteral("2024-03-01 00:00:00"),
         QStringLiteral("2024-04-01 00:00:00")}};
    const LedgerStatements cashLedger = ledgerStatements(JournalKind::Cash, 2024, 3, monthOperator);
    const LedgerStatements bankLedger = ledgerStatements(JournalKind::Bank, 2024, 3, monthOperator);
    const auto pages = [&](JournalKind j) {
        int n = 0;
        for (const LedgerBook& b : readLedgerBooks(j, 2024, 3, monthOperator))
            n += int(layoutLedger(b, {perPage, true}).size());
        return n;
    };
    const Case cases[] = {
        {"daily report (rows)", [&] { return int(dailyFundReport(day, {}).rows.size()); }, {report}},
        {"month of accounts for the chart (accounts)", [&] { return int(monthOfAccounts(day, {}).size()); }, {report, chartDays}},
        {"cash ledger pages (pages)", [&] { return pages(JournalKind::Cash); }, ledgerSums(JournalKind::Cash, cashLedger)},
        {"bank ledger pages (pages)", [&] { return pages(JournalKind::Bank); }, ledgerSums(JournalKind::Bank, bankLedger)},
    };

    std::printf("\n%-44s %7s %10s %10s %7s\n", "work", "size", "ours ms", "shell ms", "ratio");
    double worst = 0;
    for (const Case& k : cases) {
        // Interleaved, fastest of the runs: the machine is shared.
        int size = 0;
        std::vector<double> ta, tb;
        for (int r = 0; r < Runs; ++r) {
            ta.push_back(timed([&] { size = k.ours(); }));
            Connection::instance().close();
            tb.push_back(shell(file, k.shell));
        }
        const double a = *std::min_element(ta.begin(), ta.end()), b = *std::min_element(tb.begin(), tb.end());
        const double ratio = b > 0 ? a / b : 0;
        worst = std::max(worst, ratio);
        std::printf("%-44s %7d %10.1f %10.1f %7.2f\n", k.name, size, a, b, ratio);
    }
    std::printf("\nworst ratio %.2f (ours / sqlite3 shell)\n", worst);
    Connection::instance().close();
    return 0;
}
