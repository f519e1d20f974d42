// Times the six statistics and a three-criteria search over a journal of 1,000,000 entries per
// journal (ten years, several operators and accounts), each beside the sqlite3 shell running
// the same SELECT with the same bound values on the same file, and prints the ratios.
// Also checks that the operator-and-range statistics search an index rather than scan the table.
//
//   bench_report [entries [file]]   (default 1000000 entries in a temporary file; a file that
//                                   already exists is reused as it is)
#include "Connection.h"
#include "Database.h"
#include "Dataset.h"
#include "SearchQuery.h"
#include "Statistics.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
constexpr int Runs = 7;

void fill(const char* table, const char* dateColumn, const char* summaryColumn, bool bank, qint64 entries)
{
    // Generated inside SQLite, so the file is ready in seconds: stamps spread over 2015-2024,
    // five operators, four accounts, twenty summaries of which one is the opening balance.
    const QString sql = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < ?) "
        "INSERT INTO %1 (%2, PingZhengNo, %3, JieFang, DaiFang, JingBR, Fillter, Remark%4) "
        "SELECT strftime('%Y-%m-%d %H:%M:%S', 1420070400 + ((i * 7919) % 315532800) - ((i * 7919) % 315532800) % 60, 'unixepoch'), "
        "'V' || (i % 100000), "
        "CASE WHEN i % 997 = 0 THEN '期初金额' ELSE '摘要' || (i % 19) END, "
        "CASE WHEN i % 3 = 0 THEN 0 ELSE (i % 10000) * 10000 + (i % 7) END, "
        "CASE WHEN i % 3 = 0 THEN (i % 5000) * 10000 ELSE 0 END, "
        "'经办' || (i % 9), '操作员' || (i % 5), '备注' || (i % 50)%5 FROM n")
                            .arg(QLatin1String(table), QLatin1String(dateColumn), QLatin1String(summaryColumn),
                                 bank ? QStringLiteral(", KaiHuBank") : QString(),
                                 bank ? QStringLiteral(", '银行' || (i % 4)") : QString());
    Connection::instance().run(sql, {entries});
}

// A value written as the shell's parameter expression.
QString shellLiteral(const QVariant& v)
{
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
        return QString::number(v.toLongLong());
    QString t = v.toString();
    t.replace(u'\'', QStringLiteral("''"));
    return QStringLiteral("\"'") + t + QStringLiteral("'\"");
}

// The fastest of the runs: the machine is shared, and the least disturbed run is the fairest
// comparison for both sides.
double fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// Milliseconds for the program's path: the statement opened on a Dataset, every row held.
double ours(const Connection::Statement& st, int* rows, int runs = 1)
{
    std::vector<double> t;
    for (int r = 0; r < runs; ++r) {
        Dataset ds;
        QElapsedTimer clock;
        clock.start();
        ds.open(st.sql, st.params);
        t.push_back(clock.nsecsElapsed() / 1e6);
        *rows = ds.rowCount();
    }
    return fastest(t);
}

// Milliseconds for reading the rows on the program's connection without a Dataset: the part of
// "ours" that the connection and SQLite take.
double stepped(const Connection::Statement& st, int runs = 1)
{
    std::vector<double> t;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer clock;
        clock.start();
        const Rows read = Connection::instance().rows(st.sql, st.params);
        Q_UNUSED(read);
        t.push_back(clock.nsecsElapsed() / 1e6);
    }
    return fastest(t);
}

// Milliseconds for the sqlite3 shell: start, open the file, bind, run, print every row.
double shell(const QString& file, const Connection::Statement& st, int runs = 1)
{
    QString script;
    for (int i = 0; i < st.params.size(); ++i)
        script += QStringLiteral(".parameter set ?%1 %2\n").arg(i + 1).arg(shellLiteral(st.params[i]));
    script += st.sql + QStringLiteral(";\n");
    std::vector<double> t;
    for (int r = 0; r < runs; ++r) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        p.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), file});
        p.waitForStarted();
        p.write(script.toUtf8());
        p.closeWriteChannel();
        p.waitForFinished(-1);
        t.push_back(clock.nsecsElapsed() / 1e6);
        if (p.exitCode() != 0) {
            std::fprintf(stderr, "sqlite3 failed: %s\n", p.readAllStandardError().constData());
            return -1;
        }
    }
    return fastest(t);
}

QStringList plan(const Connection::Statement& st)
{
    QStringList out;
    for (const auto& row : Connection::instance().rows(QStringLiteral("EXPLAIN QUERY PLAN ") + st.sql, st.params).rows)
        out << row[3].toString();
    return out;
}
}

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
        fill("XJRJZ", "YeWuRQ", "ZhanYao", false, entries);
        fill("YHRJZ", "yewuRQ", "Zhanyao", true, entries);
        Connection::instance().run(QStringLiteral("ANALYZE"));
        std::printf("journal: %lld cash and %lld bank entries, built in %.1f s\n", entries, entries, build.elapsed() / 1000.0);
    }
    Connection::instance().setDatabasePath(file);

    const QString op = QStringLiteral("操作员1");
    const QDate from(2020, 1, 1), to(2020, 12, 31);
    SearchCriteria c;
    c.from = from;
    c.to = to;
    c.summary = QStringLiteral("摘要4");
    c.debitMin = QStringLiteral("100");
    c.debitMax = QStringLiteral("5000");
    c.handler = QStringLiteral("经办4");

    struct Case {
        const char* name;
        Connection::Statement st;
        bool operatorAndRange; // must be an index search
    };
    const Case cases[] = {
        {"cash per month (2020)", yearMonthStatistics(JournalKind::Cash, QStringLiteral("2020"), op), true},
        {"bank per month and account (2020)", yearMonthStatistics(JournalKind::Bank, QStringLiteral("2020"), op), true},
        {"cash by summary (2020)", bySummaryStatistics(JournalKind::Cash, from, to, op), true},
        {"bank by summary, one account (2020)", bySummaryStatistics(JournalKind::Bank, from, to, op, QStringLiteral("银行2")), true},
        {"cash by day (2020)", byDayStatistics(JournalKind::Cash, from, to), true},
        {"bank by day (2020)", byDayStatistics(JournalKind::Bank, from, to), true},
        {"cash search, three criteria (2020)", buildSearch(JournalKind::Cash, c, op), true},
    };

    // The shell must see the finished file; the program's connection is closed meanwhile.
    bool allIndexed = true;
    for (const Case& k : cases) {
        const QStringList p = plan(k.st);
        const bool scan = std::any_of(p.begin(), p.end(), [](const QString& d) {
            return d.startsWith(QLatin1String("SCAN XJRJZ")) || d.startsWith(QLatin1String("SCAN YHRJZ"));
        });
        std::printf("plan  %-38s %s\n", k.name, qPrintable(p.join(QStringLiteral("; "))));
        if (k.operatorAndRange && scan) {
            allIndexed = false;
            std::printf("      ^ full table scan\n");
        }
    }

    std::printf("\n%-38s %8s %10s %10s %10s %7s\n", "statistic", "rows", "ours ms", "(step ms)", "shell ms", "ratio");
    double worst = 0;
    for (const Case& k : cases) {
        // Interleaved, so a change in the shared machine's load touches all three alike.
        int rows = 0;
        std::vector<double> ta, ts, tb;
        for (int r = 0; r < Runs; ++r) {
            ta.push_back(ours(k.st, &rows));
            ts.push_back(stepped(k.st));
            tb.push_back(shell(file, k.st));
        }
        const double a = fastest(ta), s = fastest(ts), b = fastest(tb);
        const double ratio = b > 0 ? a / b : 0;
        worst = std::max(worst, ratio);
        std::printf("%-38s %8d %10.1f %10.1f %10.1f %7.2f\n", k.name, rows, a, s, b, ratio);
    }
    std::printf("\nworst ratio %.2f (target 1.50 or less); index searches: %s\n", worst, allIndexed ? "yes" : "NO");
    Connection::instance().close();
    return allIndexed ? 0 : 1;
}
