// Journal balance rewrite at scale: save + rewrite, delete + rewrite and the period listing on a
// journal of 1,000,000 rows, each beside the sqlite3 shell doing the same set-based work on a
// copy of the same file. Prints milliseconds (median of several runs) and the ratio.
//   bench_journal [runs] [database file to build once and reuse]
#include "Balances.h"
#include "JournalEntry.h"

#include "AppError.h"
#include "Connection.h"
#include "Database.h"
#include "Dataset.h"
#include "Period.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
const QString period = QStringLiteral("2024-03-15");
constexpr int journalRows = 1000000;

struct SetSize {
    QString user;
    int entries;
};
const SetSize sets[] = {{QStringLiteral("op1k"), 1000}, {QStringLiteral("op10k"), 10000}};

void run(const QString& sql) { Connection::instance().run(sql); }

// Fills both journals: twenty everyday operators over two years and five accounts, plus the two
// measured operators whose month holds exactly the set sizes (and, for the bank, a few entries
// of a second account that the set leaves out).
void populate()
{
    // A bulk fill, not two million entries typed one by one: the journals' log triggers stand
    // aside meanwhile and come back as they were.
    QStringList triggers;
    {
        Dataset t;
        t.open(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'trigger' AND tbl_name IN ('XJRJZ', 'YHRJZ')"));
        for (int i = 0; i < t.rowCount(); ++i) {
            run(QStringLiteral("DROP TRIGGER ") + t.valueAt(i, 0).toString());
            triggers << t.valueAt(i, 1).toString();
        }
    }
    Transaction t;
    const int measured = 1000 + 10000;
    // Placeholders in braces, so the printf formats of the statements stay as they are.
    auto fill = [](QString sql, const QList<QPair<QString, QString>>& values) {
        for (const auto& [name, value] : values)
            sql.replace(u'{' + name + u'}', value);
        run(sql);
    };
    const QString others = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {count} - 1) "
        "INSERT INTO {table} ({date}, PingZhengNo, {summary}, Detail, {category}, JieFang, DaiFang, YuE, JingBR, Fillter{accountCol}) "
        "SELECT CASE WHEN i % 22 < 20 "
        "  THEN printf('%04d-%02d-%02d %02d:%02d:%02d', 2023 + (i / 22) % 24 / 12, (i / 22) % 12 + 1, 1 + (i / 528) % 28, i % 24, i % 60, (i / 7) % 60) "
        "  ELSE printf('2023-%02d-%02d %02d:%02d:%02d', (i / 22) % 12 + 1, 1 + (i / 528) % 28, i % 24, i % 60, (i / 7) % 60) END, "
        "'P' || i, '销售收入', '业务明细', '增加', abs(random()) % 10000000, abs(random()) % 5000000, 0, '张三', "
        "CASE i % 22 WHEN 20 THEN 'op1k' WHEN 21 THEN 'op10k' ELSE 'op' || (i % 22) END{accountValue} FROM n");
    const QString set = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {count} - 1) "
        "INSERT INTO {table} ({date}, PingZhengNo, {summary}, Detail, {category}, JieFang, DaiFang, YuE, JingBR, Fillter{accountCol}) "
        "SELECT printf('2024-03-%02d %02d:%02d:%02d', 1 + i * 28 / {count}, i % 24, i % 60, (i / 3) % 60), "
        "'S' || i, '销售收入', '业务明细', '增加', abs(random()) % 10000000, abs(random()) % 5000000, 0, '李四', '{user}'{accountValue} FROM n");
    const QList<QPair<QString, QString>> cash{{QStringLiteral("table"), QStringLiteral("XJRJZ")},
                                              {QStringLiteral("date"), QStringLiteral("YeWuRQ")},
                                              {QStringLiteral("summary"), QStringLiteral("ZhanYao")},
                                              {QStringLiteral("category"), QStringLiteral("ZhanYaoType")},
                                              {QStringLiteral("accountCol"), QString()},
                                              {QStringLiteral("accountValue"), QString()}};
    const QList<QPair<QString, QString>> bank{{QStringLiteral("table"), QStringLiteral("YHRJZ")},
                                              {QStringLiteral("date"), QStringLiteral("yewuRQ")},
                                              {QStringLiteral("summary"), QStringLiteral("Zhanyao")},
                                              {QStringLiteral("category"), QStringLiteral("Shuxing")},
                                              {QStringLiteral("accountCol"), QStringLiteral(", KaiHuBank")}};
    auto with = [](QList<QPair<QString, QString>> base, const QList<QPair<QString, QString>>& more) {
        base += more;
        return base;
    };
    const QString count = QStringLiteral("count"), user = QStringLiteral("user"), account = QStringLiteral("accountValue");
    fill(others, with(cash, {{count, QString::number(journalRows - measured)}}));
    for (const SetSize& s : sets)
        fill(set, with(cash, {{count, QString::number(s.entries)}, {user, s.user}}));
    const int extra = 500;
    fill(others, with(bank, {{count, QString::number(journalRows - measured - 2 * extra)},
                             {account, QStringLiteral(", 'ACC' || (i % 5)")}}));
    for (const SetSize& s : sets) {
        fill(set, with(bank, {{count, QString::number(s.entries)}, {user, s.user}, {account, QStringLiteral(", 'ACC0'")}}));
        fill(set, with(bank, {{count, QString::number(extra)}, {user, s.user}, {account, QStringLiteral(", 'ACC1'")}}));
    }
    for (const QString& trigger : triggers)
        run(trigger);
    t.commit();
    run(QStringLiteral("ANALYZE"));
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Times {
    std::vector<double> listing, save, remove;
};

// The program: the window's period listing, then a new entry saved through the entry dialog's
// path, then that entry deleted through the window's path.
Times programRuns(JournalKind kind, const QString& user, int runs)
{
    const JournalDesign& d = designOf(kind);
    Times t;
    Dataset list;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer clock;
        clock.start();
        Journals::OpenPeriodListing(list, kind, period, user);
        t.listing.push_back(clock.nsecsElapsed() / 1e6);

        list.append();
        list.setValue(d.summaryField, QStringLiteral("销售收入"));
        list.setValue(d.categoryField, QStringLiteral("增加"));
        list.setValue(JournalField::debit, qlonglong(1234500));
        Journals::stampEntry(list, kind, user, QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)), QStringLiteral("ACC0"));
        clock.start();
        Journals::SaveEntry(list, kind, period, user, d.isBank() ? QStringLiteral("ACC0") : QString());
        t.save.push_back(clock.nsecsElapsed() / 1e6);

        // The saved entry is the set's latest, so the list stands on it.
        clock.start();
        Journals::DeleteEntry(list, kind, period, user);
        t.remove.push_back(clock.nsecsElapsed() / 1e6);
    }
    return t;
}

// The same work as one sqlite3 shell session per run, timed by the shell itself per statement.
Times shellRuns(const QString& file, JournalKind kind, const QString& user, int runs)
{
    const JournalDesign& d = designOf(kind);
    const PeriodRange range = periodRange(period);
    const bool bank = d.isBank();
    const QString members = QStringLiteral("Fillter='%1' AND %2>='%3' AND %2<'%4'").arg(user, d.dateField, range.from, range.to);
    const QString setMembers = members + (bank ? QStringLiteral(" AND KaiHuBank='ACC0'") : QString());
    const QString order = Journals::setOrder(kind);
    const QString listing = QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY %3;\n").arg(d.table, members, order);
    const QString setListing = QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY %3;\n").arg(d.table, setMembers, order);
    const QString rewrite = QStringLiteral(
        "UPDATE %1 SET YuE = s.balance FROM (SELECT autoID AS id, sum(coalesce(JieFang, 0) - coalesce(DaiFang, 0)) "
        "OVER (ORDER BY %3 ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW) AS balance FROM %1 WHERE %2) AS s "
        "WHERE %1.autoID = s.id;\n")
                                .arg(d.table, setMembers, order);
    const QString insert = QStringLiteral("INSERT INTO %1 (%2, %3, %4, JieFang, Fillter%5) VALUES "
                                          "('2024-03-31 23:59:59', '销售收入', '增加', 1234500, '%6'%7);\n")
                               .arg(d.table, d.dateField, d.summaryField, d.categoryField,
                                    bank ? QStringLiteral(", KaiHuBank") : QString(), user,
                                    bank ? QStringLiteral(", 'ACC0'") : QString());
    // The log's triggers call the functions the program defines; the shell loads the same two.
    QString script = QStringLiteral(".load " ZZ_LOG_EXTENSION " sqlite3_extension_init\n"
                                    "PRAGMA journal_mode=DELETE;\nPRAGMA synchronous=FULL;\n.output /dev/null\n"
                                    ".timer on\nSELECT count(*) FROM sqlite_master;\n");
    for (int r = 0; r < runs; ++r) {
        script += listing;
        script += QStringLiteral("BEGIN;\n") + insert + rewrite + QStringLiteral("COMMIT;\n") + setListing;
        script += QStringLiteral("BEGIN;\nDELETE FROM %1 WHERE autoID = last_insert_rowid();\n").arg(d.table) + rewrite
                  + QStringLiteral("COMMIT;\n") + setListing;
    }
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {file});
    if (!p.waitForStarted())
        throw AppError(QStringLiteral("sqlite3 shell not found"));
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    if (p.exitCode() != 0)
        throw AppError(QStringLiteral("sqlite3: ") + QString::fromUtf8(p.readAllStandardError()));
    std::vector<double> each;
    const QRegularExpression re(QStringLiteral("Run Time: real ([0-9.]+)"));
    for (auto it = re.globalMatch(out); it.hasNext();)
        each.push_back(it.next().captured(1).toDouble() * 1000);
    // Statement times in script order: the warm-up, then per run 1 listing, 5 for the save, 5 for the delete.
    Times t;
    if (each.size() != size_t(1 + runs * 11))
        throw AppError(QStringLiteral("unexpected sqlite3 output: ") + out.left(400));
    for (int r = 0; r < runs; ++r) {
        const double* s = each.data() + 1 + r * 11;
        t.listing.push_back(s[0]);
        t.save.push_back(s[1] + s[2] + s[3] + s[4] + s[5]);
        t.remove.push_back(s[6] + s[7] + s[8] + s[9] + s[10]);
    }
    return t;
}

void report(const char* what, const char* kind, int entries, double program, double shell)
{
    std::printf("%-16s %-4s %6d entries   program %8.2f ms   sqlite3 %8.2f ms   ratio %5.2f\n", what, kind, entries,
                program, shell, shell > 0 ? program / shell : 0.0);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
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
        for (JournalKind kind : {JournalKind::Cash, JournalKind::Bank}) {
            const char* name = kind == JournalKind::Cash ? "cash" : "bank";
            for (const SetSize& s : sets) {
                const Times prog = programRuns(kind, s.user, runs);
                const Times shell = shellRuns(copy, kind, s.user, runs);
                report("period listing", name, s.entries, median(prog.listing), median(shell.listing));
                report("save + rewrite", name, s.entries, median(prog.save), median(shell.save));
                report("delete + rewrite", name, s.entries, median(prog.remove), median(shell.remove));
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_journal: %s\n", e.what());
        return 1;
    }
    return 0;
}
