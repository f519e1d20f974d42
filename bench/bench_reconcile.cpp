// Bank reconciliation at scale, each beside the sqlite3 shell doing the equivalent work on a copy
// of the same file: importing a 50,000-line statement file (the shell: .import of the same CSV
// and one INSERT ... SELECT), and 自动对账 of 20,000 entries against 20,000 lines (the shell: a
// set-based match, each entry with its mutually nearest line of equal amount and direction).
// The match also runs at a quarter of the size, to show how its time grows with the rows.
//   bench_reconcile [runs]
#include "AppError.h"
#include "Connection.h"
#include "Database.h"
#include "Matching.h"
#include "StatementImport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
const QString account = QStringLiteral("工行基本户");
const QDateTime now(QDate(2025, 1, 5), QTime(9, 0));

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// A statement of `lines` lines over 2024, UTF-8 with BOM, with running balances.
void writeStatement(const QString& path, int lines)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("cannot write ") + path);
    QByteArray out = "\xEF\xBB\xBF交易日期,摘要,借方发生额,贷方发生额,余额,对方户名,交易流水号\n";
    qint64 balance = 1000000000; // 100,000.0000
    for (int i = 0; i < lines; ++i) {
        const QDateTime when = QDateTime(QDate(2024, 1, 1).addDays(i * 366 / lines), QTime(0, 0).addSecs(i % 86400), Qt::UTC);
        const qint64 amount = (qint64(i) * 7919 % 50000 + 1) * 100;
        const bool in = i % 3 != 0;
        balance += in ? amount : -amount;
        const auto money = [](qint64 units) { return QByteArray::number(double(units) / 10000, 'f', 2); };
        out += when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8() + ",货款," + (in ? QByteArray() : money(amount)) + ','
            + (in ? money(amount) : QByteArray()) + ',' + money(balance) + ",某某公司,S" + QByteArray::number(i) + '\n';
    }
    f.write(out);
}

// Runs a script through the sqlite3 shell on `file`; returns its wall time in milliseconds.
double shell(const QString& file, const QString& script)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral("sqlite3"), {file});
    if (!p.waitForStarted())
        throw AppError(QStringLiteral("sqlite3 shell not found"));
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    if (p.exitCode() != 0)
        throw AppError(QStringLiteral("sqlite3: ") + QString::fromUtf8(p.readAllStandardError()));
    return ms(t);
}

const QString shellSettings = QStringLiteral("PRAGMA journal_mode=DELETE;\nPRAGMA synchronous=FULL;\n");

void fresh(const QString& path)
{
    QFile::remove(path);
    Database::createDelivered(path);
}

// Entries and lines for the match: n of each over 2024, amounts repeating every 500 entries; each
// line 0 to 3 days after its entry, one in five with the entry's voucher number as serial; one
// entry in ten without a line and one line in ten of another amount.
void fillMatch(int n)
{
    Connection& c = Connection::instance();
    Transaction t;
    c.run(QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < %1 - 1) "
                         "INSERT INTO YHRJZ (yewuRQ, PingZhengNo, Zhanyao, Shuxing, JieFang, DaiFang, Fillter, KaiHuBank) "
                         "SELECT strftime('%Y-%m-%d 09:00:00', '2024-01-01', '+' || (i * 366 / %1) || ' days'), 'V' || i, '货款', "
                         "CASE WHEN i % 3 THEN '增加' ELSE '减少' END, "
                         "CASE WHEN i % 3 THEN (i % 500 + 1) * 10000 END, CASE WHEN i % 3 = 0 THEN (i % 500 + 1) * 10000 END, "
                         "'admin', ? FROM k")
              .arg(n),
          {account});
    c.run(QStringLiteral("INSERT INTO YinHangDuiZhangDan (KaiHuBank, JiaoYiSJ, ZhanYao, ShouRu, ZhiChu, LiuShuiHao, DaoRuSJ, DaoRuRen) "
                         "SELECT KaiHuBank, strftime('%Y-%m-%d 00:00:00', yewuRQ, '+' || (autoID % 4) || ' days'), '货款', "
                         "coalesce(JieFang, 0) + CASE WHEN autoID % 10 = 3 AND JieFang > 0 THEN 1 ELSE 0 END, "
                         "coalesce(DaiFang, 0) + CASE WHEN autoID % 10 = 3 AND DaiFang > 0 THEN 1 ELSE 0 END, "
                         "CASE WHEN autoID % 5 = 0 THEN PingZhengNo END, '2025-01-01 00:00:00', 'admin' "
                         "FROM YHRJZ WHERE autoID % 10 <> 7 ORDER BY autoID"));
    t.commit();
}

// The set-based match of the shell: candidates of equal direction and amount within three days,
// each entry paired with a line that is also nearest to it, stored as pairs.
const QString shellMatch = QStringLiteral(
    "BEGIN IMMEDIATE;\n"
    "CREATE TEMP TABLE c AS SELECT e.autoID AS eid, l.autoID AS lid, "
    "abs(julianday(substr(e.yewuRQ, 1, 10)) - julianday(substr(l.JiaoYiSJ, 1, 10))) AS d "
    "FROM YHRJZ e JOIN YinHangDuiZhangDan l ON l.KaiHuBank = e.KaiHuBank "
    "AND l.JiaoYiSJ >= date(e.yewuRQ, '-3 days') AND l.JiaoYiSJ < date(e.yewuRQ, '+4 days') "
    "AND l.ShouRu = coalesce(e.JieFang, 0) AND l.ZhiChu = coalesce(e.DaiFang, 0) WHERE e.KaiHuBank = '工行基本户';\n"
    "CREATE TEMP TABLE p AS SELECT eid, lid, row_number() OVER () AS g FROM (SELECT eid, lid, "
    "row_number() OVER (PARTITION BY eid ORDER BY d, lid) AS r1, row_number() OVER (PARTITION BY lid ORDER BY d, eid) AS r2 FROM c) "
    "WHERE r1 = 1 AND r2 = 1;\n"
    "INSERT INTO YinHangDuiZhang (ZuHao, RiJiZhangID, ShouGong, DuiZhangSJ, DuiZhangRen) SELECT g, eid, 0, '2025-01-05 09:00:00', 'admin' FROM p;\n"
    "INSERT INTO YinHangDuiZhang (ZuHao, DuiZhangDanID, ShouGong, DuiZhangSJ, DuiZhangRen) SELECT g, lid, 0, '2025-01-05 09:00:00', 'admin' FROM p;\n"
    "COMMIT;\n");

void report(const char* what, double program, double sqlite)
{
    std::printf("%-34s program %9.1f ms   sqlite3 %9.1f ms   ratio %5.2f\n", what, program, sqlite, sqlite > 0 ? program / sqlite : 0.0);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("RARU.DLL"));
    const QString csv = dir.filePath(QStringLiteral("statement.csv"));
    try {
        constexpr int statementLines = 50000;
        writeStatement(csv, statementLines);
        std::vector<double> program, sqlite;
        for (int r = 0; r < runs; ++r) {
            fresh(db);
            Connection::instance().setDatabasePath(db);
            QElapsedTimer t;
            t.start();
            const int stored = StatementImport::commit(StatementImport::prepare(csv, account), QStringLiteral("admin"), now);
            program.push_back(ms(t));
            Connection::instance().close();
            if (stored != statementLines)
                throw AppError(QStringLiteral("imported %1 lines").arg(stored));

            fresh(db);
            sqlite.push_back(shell(db, shellSettings
                + QStringLiteral(".import --csv %1 staging\n"
                                 "BEGIN IMMEDIATE;\n"
                                 "INSERT INTO YinHangDuiZhangDan (KaiHuBank, JiaoYiSJ, ZhanYao, ShouRu, ZhiChu, YuE, DuiFangHuMing, LiuShuiHao, "
                                 "LaiYuan, LaiYuanHang, DaoRuSJ, DaoRuRen) SELECT '工行基本户', \"交易日期\", \"摘要\", "
                                 "CAST(round(coalesce(nullif(\"贷方发生额\", ''), 0) * 10000) AS INTEGER), "
                                 "CAST(round(coalesce(nullif(\"借方发生额\", ''), 0) * 10000) AS INTEGER), CAST(round(\"余额\" * 10000) AS INTEGER), "
                                 "\"对方户名\", \"交易流水号\", 'statement.csv', rowid + 1, '2025-01-05 09:00:00', 'admin' FROM staging;\n"
                                 "COMMIT;\n")
                      .arg(csv)));
        }
        report("import 50,000 statement lines", median(program), median(sqlite));

        double quarter = 0;
        for (int n : {5000, 20000}) {
            std::vector<double> prog, sh;
            int pairs = 0;
            for (int r = 0; r < runs; ++r) {
                fresh(db);
                Connection::instance().setDatabasePath(db);
                fillMatch(n);
                Connection::instance().close();
                QFile::remove(db + QStringLiteral(".copy"));
                QFile::copy(db, db + QStringLiteral(".copy"));
                Connection::instance().setDatabasePath(db);
                QElapsedTimer t;
                t.start();
                pairs = Matching::autoReconcile(account, QDate(2024, 1, 1), QDate(2025, 1, 10), 3, QStringLiteral("admin"), now);
                prog.push_back(ms(t));
                Connection::instance().close();
                sh.push_back(shell(db + QStringLiteral(".copy"), shellSettings + shellMatch));
            }
            const QByteArray label = QStringLiteral("auto-match %1 vs %1 (%2 pairs)").arg(n).arg(pairs).toUtf8();
            report(label.constData(), median(prog), median(sh));
            if (n == 5000)
                quarter = median(prog);
            else
                std::printf("match time for 4x the rows: x%.2f (linear would be x4, square x16)\n", quarter > 0 ? median(prog) / quarter : 0.0);
        }
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
