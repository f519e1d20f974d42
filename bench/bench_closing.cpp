// Month closing at scale: closing (and reopening) a month of 10,000 entries in 100 balance sets
// inside journals of 1,000,000 entries each, beside the sqlite3 shell running the same
// set-based statements on a copy of the same file. Prints milliseconds (median) and the ratio.
//   bench_closing [runs] [database file to build once and reuse]
#include "MonthClosing.h"

#include "AppError.h"
#include "ClosedMonths.h"
#include "Connection.h"
#include "Database.h"
#include "Upgrades.h"
#include "Dataset.h"
#include "Tables.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <numeric>
#include <cstdio>
#include <vector>

namespace {
constexpr int journalRows = 1000000;
const QString month = QStringLiteral("2024-03");
const QString next = QStringLiteral("2024-04");
const QDateTime closedAt(QDate(2024, 4, 1), QTime(18, 0));

void run(const QString& sql) { Connection::instance().run(sql); }

// Each journal: entries over 2022-01 to 2024-02 (closed), 5,000 entries of March in 50 sets
// (cash: 50 operators; bank: 10 operators on 5 accounts) and 500 entries of April in the same sets.
void populate()
{
    Transaction t;
    struct Journal {
        QString table, date, summary, category, accountCol, account;
    };
    const Journal journals[] = {
        {QStringLiteral("XJRJZ"), QStringLiteral("YeWuRQ"), QStringLiteral("ZhanYao"), QStringLiteral("ZhanYaoType"), QString(), QString()},
        {QStringLiteral("YHRJZ"), QStringLiteral("yewuRQ"), QStringLiteral("Zhanyao"), QStringLiteral("Shuxing"),
         QStringLiteral(", KaiHuBank"), QStringLiteral(", 'ACC' || (i % 5)")},
    };
    const int inMonth = 5000, inNext = 500;
    // Placeholders in braces, so the printf formats of the statements stay as they are.
    const auto fill = [](QString sql, const QList<QPair<QString, QString>>& values) {
        for (const auto& [name, value] : values)
            sql.replace(u'{' + name + u'}', value);
        run(sql);
    };
    const QString insert = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {count} - 1) "
        "INSERT INTO {table} ({date}, PingZhengNo, {summary}, Detail, {category}, JieFang, DaiFang, YuE, JingBR, Fillter{accountCol}) "
        "SELECT {when}, 'P' || i, '销售收入', '业务明细', '增加', abs(random()) % 10000000, abs(random()) % 5000000, 0, '张三', "
        "{operator}{account} FROM n");
    const QString earlier = QStringLiteral("printf('%04d-%02d-%02d %02d:%02d:%02d', 2022 + (i % 26) / 12, (i % 26) % 12 + 1, "
                                           "1 + (i / 26) % 28, i % 24, i % 60, (i / 7) % 60)");
    const QString within = QStringLiteral("printf('{month}-%02d %02d:%02d:%02d', 1 + i * 28 / {count}, i % 24, i % 60, (i / 3) % 60)");
    for (const Journal& j : journals) {
        const bool bank = !j.account.isEmpty();
        const QList<QPair<QString, QString>> names{
            {QStringLiteral("table"), j.table}, {QStringLiteral("date"), j.date}, {QStringLiteral("summary"), j.summary},
            {QStringLiteral("category"), j.category}, {QStringLiteral("accountCol"), j.accountCol}, {QStringLiteral("account"), j.account},
            {QStringLiteral("operator"), bank ? QStringLiteral("'op' || (i / 5 % 10)") : QStringLiteral("'op' || (i % 50)")}};
        const QString count = QStringLiteral("count"), m = QStringLiteral("month");
        // Every {when} is filled before {count}, so the month's own count reaches it too.
        fill(QString(insert).replace(QStringLiteral("{when}"), earlier), names + QList<QPair<QString, QString>>{{count, QString::number(journalRows - inMonth - inNext)}});
        fill(QString(insert).replace(QStringLiteral("{when}"), within), names + QList<QPair<QString, QString>>{{m, month}, {count, QString::number(inMonth)}});
        fill(QString(insert).replace(QStringLiteral("{when}"), within), names + QList<QPair<QString, QString>>{{m, next}, {count, QString::number(inNext)}});
    }
    // The months before were closed in their time.
    run(QStringLiteral("WITH RECURSIVE m(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM m WHERE k < 25) INSERT INTO ") + Table::closedMonths
        + u'(' + ClosedMonthField::month + QStringLiteral(") SELECT printf('%04d-%02d', 2022 + k / 12, k % 12 + 1) FROM m"));
    ClosedMonths::rewriteRefusals();
    run(QStringLiteral("UPDATE FinscalYearMonth SET YearMonth = '2024-03-15 09:00:00'"));
    t.commit();
    run(QStringLiteral("ANALYZE"));
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

QString literal(const QVariant& v)
{
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
        return v.toString();
    QString t = v.toString();
    return u'\'' + t.replace(u'\'', QStringLiteral("''")) + u'\'';
}

// A statement with its values written in, for the shell.
QString inlined(const Connection::Statement& st)
{
    QString out;
    int p = 0;
    for (const QChar c : st.sql)
        out += c == u'?' ? literal(st.params.value(p++)) : QString(c);
    return out + QStringLiteral(";\n");
}

// The closing and the reopening as the shell runs them: the same statements, set-based.
QStringList closingScript()
{
    QStringList s{QStringLiteral("BEGIN;\n")};
    for (JournalKind k : {JournalKind::Cash, JournalKind::Bank})
        s << inlined(MonthClosing::monthRewrite(k, month));
    s << QStringLiteral("INSERT INTO JieZhangYue VALUES ('%1', '2024-04-01 18:00:00', 'admin');\n").arg(month);
    s << QStringLiteral("DROP TRIGGER JieZhangTiShi_insert;\n");
    s << QStringLiteral("CREATE TRIGGER JieZhangTiShi_insert INSTEAD OF INSERT ON JieZhangTiShi BEGIN SELECT RAISE(ABORT, '该月已结账，不能修改'); END;\n");
    for (JournalKind k : {JournalKind::Cash, JournalKind::Bank})
        s << inlined(MonthClosing::carryEntries(k, month)) << inlined(MonthClosing::monthRewrite(k, next));
    s << QStringLiteral("UPDATE FinscalYearMonth SET YearMonth = '%1-01 00:00:00';\n").arg(next) << QStringLiteral("COMMIT;\n");
    return s;
}

QStringList reopeningScript()
{
    QStringList s{QStringLiteral("BEGIN;\n"), QStringLiteral("DELETE FROM JieZhangYue WHERE YueFen = '%1';\n").arg(month),
                  QStringLiteral("DROP TRIGGER JieZhangTiShi_insert;\n"),
                  QStringLiteral("CREATE TRIGGER JieZhangTiShi_insert INSTEAD OF INSERT ON JieZhangTiShi BEGIN SELECT RAISE(ABORT, '该月已结账，不能修改'); END;\n")};
    for (JournalKind k : {JournalKind::Cash, JournalKind::Bank})
        s << QStringLiteral("DELETE FROM %1 WHERE JieZhuanYue = '%2';\n").arg(designOf(k).table, month)
          << inlined(MonthClosing::monthRewrite(k, next));
    s << QStringLiteral("UPDATE FinscalYearMonth SET YearMonth = '%1-01 00:00:00';\n").arg(month) << QStringLiteral("COMMIT;\n");
    return s;
}

struct Times {
    std::vector<double> close, reopen;
};

Times programRuns(int runs)
{
    Times t;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer clock;
        clock.start();
        MonthClosing::closeMonth(month, QStringLiteral("admin"), closedAt);
        t.close.push_back(clock.nsecsElapsed() / 1e6);
        clock.start();
        MonthClosing::reopenMonth(month);
        t.reopen.push_back(clock.nsecsElapsed() / 1e6);
    }
    return t;
}

// One sqlite3 shell session, timed by the shell itself per statement.
Times shellRuns(const QString& file, int runs)
{
    const QStringList close = closingScript(), reopen = reopeningScript();
    QString script = QStringLiteral("PRAGMA journal_mode=DELETE;\nPRAGMA synchronous=FULL;\n.output /dev/null\n"
                                    ".timer on\nSELECT count(*) FROM sqlite_master;\n");
    for (int r = 0; r < runs; ++r)
        script += close.join(QString()) + reopen.join(QString());
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {file});
    if (!p.waitForStarted())
        throw AppError(QStringLiteral("sqlite3 shell not found"));
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (p.exitCode() != 0 || !err.isEmpty())
        throw AppError(QStringLiteral("sqlite3: ") + err);
    std::vector<double> each;
    const QRegularExpression re(QStringLiteral("Run Time: real ([0-9.]+)"));
    for (auto it = re.globalMatch(out); it.hasNext();)
        each.push_back(it.next().captured(1).toDouble() * 1000);
    const size_t perRun = size_t(close.size() + reopen.size());
    if (each.size() != 1 + runs * perRun)
        throw AppError(QStringLiteral("unexpected sqlite3 output: ") + out.left(400));
    Times t;
    for (int r = 0; r < runs; ++r) {
        const double* s = each.data() + 1 + r * perRun;
        t.close.push_back(std::accumulate(s, s + close.size(), 0.0));
        t.reopen.push_back(std::accumulate(s + close.size(), s + perRun, 0.0));
    }
    return t;
}

void report(const char* what, double program, double shell)
{
    std::printf("%-28s program %9.2f ms   sqlite3 %9.2f ms   ratio %5.2f\n", what, program, shell, shell > 0 ? program / shell : 0.0);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const QString file = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("RARU.DLL"));
    const QString copy = dir.filePath(QStringLiteral("shell.DLL"));
    try {
        if (!QFile::exists(file)) {
            Database::createEmpty(file);
            Connection::instance().setDatabasePath(file);
            QElapsedTimer clock;
            clock.start();
            populate();
            std::printf("built two journals of %d rows each in %.1f s\n", journalRows, clock.elapsed() / 1000.0);
        }
        Connection::instance().close();
        if (!QFile::copy(file, copy))
            throw AppError(QStringLiteral("cannot copy the database"));
        Connection::instance().setDatabasePath(file);
        Database::upgradeOnOpen(Connection::instance());
        // Interleaved, so both meet the same state of the machine.
        Times prog, shell;
        for (int r = 0; r < runs; ++r) {
            const Times p = programRuns(1), s = shellRuns(copy, 1);
            prog.close.push_back(p.close[0]);
            prog.reopen.push_back(p.reopen[0]);
            shell.close.push_back(s.close[0]);
            shell.reopen.push_back(s.reopen[0]);
        }
        report("close 10,000 in 100 sets", median(prog.close), median(shell.close));
        report("reopen", median(prog.reopen), median(shell.reopen));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_closing: %s\n", e.what());
        return 1;
    }
    return 0;
}
