// What the operation log costs. A journal save (new entry + balance rewrite of its month) with its
// log row beside the same save on a copy of the file whose journal triggers are dropped, for the
// program and for the sqlite3 shell (which loads the log's functions); the budget is 1.2x. Then
// the chain check over a log of 100,000 rows beside the sqlite3 shell reading those rows; the
// budget is one second.
//   bench_oplog [runs]
#include "Balances.h"
#include "JournalEntry.h"
#include "LogCheck.h"

#include "AppError.h"
#include "Connection.h"
#include "Database.h"
#include "Dataset.h"
#include "Period.h"
#include "StoreFunctions.h"

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
constexpr int logRows = 100000;
const int setSizes[] = {1000, 10000};

void run(const QString& sql) { Connection::instance().run(sql); }

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

QString userOf(int entries) { return QStringLiteral("op%1").arg(entries); }

void populate()
{
    Transaction t;
    for (int n : setSizes)
        // Placeholders in braces, so the printf formats stay as they are.
        run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {count} - 1) "
                           "INSERT INTO XJRJZ (YeWuRQ, PingZhengNo, ZhanYao, Detail, ZhanYaoType, JieFang, DaiFang, YuE, JingBR, Fillter) "
                           "SELECT printf('2024-03-%02d %02d:%02d:%02d', 1 + i * 28 / {count}, i % 24, i % 60, (i / 3) % 60), "
                           "'S' || i, '销售收入', '业务明细', '增加', abs(random()) % 10000000, abs(random()) % 5000000, 0, '李四', '{user}' FROM n")
                .replace(QStringLiteral("{count}"), QString::number(n))
                .replace(QStringLiteral("{user}"), userOf(n)));
    t.commit();
}

// Milliseconds of each program save (the entry dialog's path), the entry deleted again untimed.
std::vector<double> programSaves(const QString& file, const QString& user, int runs)
{
    Connection::instance().setDatabasePath(file);
    std::vector<double> out;
    Dataset list;
    for (int r = 0; r < runs; ++r) {
        Journals::OpenPeriodListing(list, JournalKind::Cash, period, user);
        list.append();
        const JournalDesign& d = designOf(JournalKind::Cash);
        list.setValue(d.summaryField, QStringLiteral("销售收入"));
        list.setValue(d.categoryField, QStringLiteral("增加"));
        list.setValue(JournalField::debit, qlonglong(1234500));
        Journals::stampEntry(list, JournalKind::Cash, user, QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)), QString());
        QElapsedTimer clock;
        clock.start();
        Journals::SaveEntry(list, JournalKind::Cash, period, user, QString());
        out.push_back(clock.nsecsElapsed() / 1e6);
        Journals::DeleteEntry(list, JournalKind::Cash, period, user);
    }
    Connection::instance().close();
    return out;
}

// The shell's statement times, in order, for `script` run on `file` with the log's functions loaded.
std::vector<double> shellTimes(const QString& file, const QString& script)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {file});
    if (!p.waitForStarted())
        throw AppError(QStringLiteral("sqlite3 shell not found"));
    p.write((QStringLiteral(".load " ZZ_LOG_EXTENSION " sqlite3_extension_init\nPRAGMA journal_mode=DELETE;\n"
                            "PRAGMA synchronous=FULL;\n.output /dev/null\n.timer on\n")
             + script)
                .toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    if (p.exitCode() != 0)
        throw AppError(QStringLiteral("sqlite3: ") + QString::fromUtf8(p.readAllStandardError()));
    std::vector<double> each;
    const QRegularExpression re(QStringLiteral("Run Time: real ([0-9.]+)"));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = re.globalMatch(out); it.hasNext();)
        each.push_back(it.next().captured(1).toDouble() * 1000);
    return each;
}

// The same save in the shell: insert and rewrite in one transaction, then the entry deleted.
std::vector<double> shellSaves(const QString& file, const QString& user, int runs)
{
    const PeriodRange range = periodRange(period);
    const QString members = QStringLiteral("Fillter='%1' AND YeWuRQ>='%2' AND YeWuRQ<'%3'").arg(user, range.from, range.to);
    const QString rewrite = QStringLiteral(
        "UPDATE XJRJZ SET YuE = s.balance FROM (SELECT autoID AS id, sum(coalesce(JieFang, 0) - coalesce(DaiFang, 0)) "
        "OVER (ORDER BY YeWuRQ, autoID ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW) AS balance FROM XJRJZ WHERE %1) AS s "
        "WHERE XJRJZ.autoID = s.id;\n")
                                .arg(members);
    QString script;
    for (int r = 0; r < runs; ++r)
        script += QStringLiteral("BEGIN IMMEDIATE;\nINSERT INTO XJRJZ (YeWuRQ, ZhanYao, ZhanYaoType, JieFang, Fillter) VALUES "
                                 "('2024-03-31 23:59:59', '销售收入', '增加', 1234500, '%1');\n")
                      .arg(user)
                  + rewrite + QStringLiteral("COMMIT;\nBEGIN;\nDELETE FROM XJRJZ WHERE autoID = last_insert_rowid();\n") + rewrite
                  + QStringLiteral("COMMIT;\n");
    const std::vector<double> each = shellTimes(file, script);
    if (each.size() != size_t(runs * 8))
        throw AppError(QStringLiteral("unexpected sqlite3 output"));
    std::vector<double> out;
    for (int r = 0; r < runs; ++r)
        out.push_back(each[r * 8] + each[r * 8 + 1] + each[r * 8 + 2] + each[r * 8 + 3]);
    return out;
}

void dropJournalLog(const QString& file)
{
    Connection::instance().setDatabasePath(file);
    for (const char* what : {"insert", "update", "delete"})
        run(QStringLiteral("DROP TRIGGER CaoZuoRiZhi_XJRJZ_%1").arg(QLatin1String(what)));
    Connection::instance().close();
}

void saves(const QString& withLog, const QString& withoutLog, int runs)
{
    for (int n : setSizes) {
        const QString user = userOf(n);
        const double progLog = median(programSaves(withLog, user, runs));
        const double progBare = median(programSaves(withoutLog, user, runs));
        const double shellLog = median(shellSaves(withLog, user, runs));
        const double shellBare = median(shellSaves(withoutLog, user, runs));
        std::printf("save + rewrite, %5d entries   program %7.2f ms with log, %7.2f ms without: %4.2fx   "
                    "sqlite3 %7.2f / %7.2f ms: %4.2fx   program/sqlite3 with log %4.2f\n",
                    n, progLog, progBare, progBare > 0 ? progLog / progBare : 0.0, shellLog, shellBare,
                    shellBare > 0 ? shellLog / shellBare : 0.0, shellLog > 0 ? progLog / shellLog : 0.0);
    }
}

void chainCheck(const QString& file, int runs)
{
    Connection::instance().setDatabasePath(file);
    {
        Transaction t;
        // Rows as the triggers write them (an entry's whole row), each chained by the database.
        run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiHou) "
                           "SELECT '李四', '新增', 'XJRJZ', i, json_object('autoID', i, 'YeWuRQ', '2024-03-05 10:15:00', "
                           "'PingZhengNo', 'X' || i, 'ZhanYao', '销售收入', 'Detail', '三月业务', 'ZhanYaoType', '增加', "
                           "'QCJE', NULL, 'JieFang', 12800000, 'DaiFang', 0, 'YuE', 62800000, 'JingBR', '张三', "
                           "'Fillter', '李四', 'FilltDate', NULL, 'Remark', NULL, 'faPiaoDW', '某某公司', 'KeMuDM', '1002', "
                           "'MakeTime', NULL) FROM n")
                .arg(logRows));
        t.commit();
    }
    std::vector<double> prog;
    LogCheck::Result r;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        r = LogCheck::run();
        prog.push_back(clock.nsecsElapsed() / 1e6);
    }
    Connection::instance().close();
    if (!r.intact() || r.rows < logRows)
        throw AppError(r.message());
    QString script;
    for (int i = 0; i < runs; ++i)
        script += QStringLiteral("SELECT XuHao, ShiJian, CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou, JiaoYanZhi "
                                 "FROM CaoZuoRiZhi ORDER BY XuHao;\n");
    const double shell = median(shellTimes(file, script));
    const double check = median(prog);
    std::printf("chain check, %lld rows   program %7.1f ms (%s)   sqlite3 reading the rows %7.1f ms   ratio %5.2f\n",
                r.rows, check, check < 1000 ? "within a second" : "OVER A SECOND", shell, shell > 0 ? check / shell : 0.0);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    QTemporaryDir dir;
    const QString withLog = dir.filePath(QStringLiteral("RARU.DLL"));
    const QString withoutLog = dir.filePath(QStringLiteral("nolog.DLL"));
    try {
        StoreFunctions::setCurrentOperator([] { return QStringLiteral("李四"); });
        qputenv("ZZ_OPERATOR", QStringLiteral("李四").toUtf8());
        Database::createEmpty(withLog);
        Connection::instance().setDatabasePath(withLog);
        populate();
        Connection::instance().close();
        if (!QFile::copy(withLog, withoutLog))
            throw AppError(QStringLiteral("cannot copy the database"));
        dropJournalLog(withoutLog);
        saves(withLog, withoutLog, runs);
        chainCheck(withLog, std::min(runs, 5));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_oplog: %s\n", e.what());
        return 1;
    }
    return 0;
}
