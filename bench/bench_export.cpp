// Exports 100,000 journal rows to each format and prints rows per second beside the rate of
// `sqlite3 -csv` writing the same rows from the same database file, measured in the same run.
#include "Connection.h"
#include "DBGrid.h"
#include "Database.h"
#include "Dataset.h"
#include "export/GridExport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int Rows = 100000;
const char* Columns = "YeWuRQ, PingZhengNo, ZhanYao, Detail, JieFang, DaiFang, YuE, JingBR, Remark";
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("bench.db"));
    Database::createEmpty(db);
    Connection::instance().setDatabasePath(db);
    Connection::instance().run(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < ?) "
        "INSERT INTO XJRJZ (YeWuRQ, PingZhengNo, ZhanYao, Detail, JieFang, DaiFang, YuE, JingBR, Remark) "
        "SELECT printf('2024-%02d-%02d 09:30:00', i % 12 + 1, i % 28 + 1), '记-' || i, '收到货款，含\"税\", 第' || i || '笔', "
        "'明细 <&> ' || (i * 7919 % 100000), i * 37 % 10000000, CASE WHEN i % 3 = 0 THEN NULL ELSE -(i % 50000) END, i * 13, '张三', NULL FROM n"),
        {Rows});

    Dataset ds;
    DBGrid grid;
    grid.setDataset(&ds);
    grid.setColumns({GridColumn::dateTime(QStringLiteral("YeWuRQ"), QStringLiteral("日期"), 97).footed(QStringLiteral("合计")),
                     GridColumn::text(QStringLiteral("PingZhengNo"), QStringLiteral("凭证号"), 60),
                     GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 120),
                     GridColumn::text(QStringLiteral("Detail"), QStringLiteral("明细"), 120),
                     GridColumn::money(QStringLiteral("JieFang"), QStringLiteral("借方（增加）"), 82).summed(),
                     GridColumn::money(QStringLiteral("DaiFang"), QStringLiteral("贷方（减少）"), 85).summed(),
                     GridColumn::money(QStringLiteral("YuE"), QStringLiteral("余额"), 85),
                     GridColumn::text(QStringLiteral("JingBR"), QStringLiteral("经办人"), 60),
                     GridColumn::text(QStringLiteral("Remark"), QStringLiteral("备注"), 80)});
    QElapsedTimer t;
    t.start();
    ds.open(QStringLiteral("SELECT * FROM XJRJZ ORDER BY autoID"));
    std::printf("load %d rows into the grid (query, footer sums): %.0f ms\n", ds.rowCount(), double(t.elapsed()));

    // sqlite3 writing the same rows as CSV, from the same file.
    const QString sqlCsv = dir.filePath(QStringLiteral("sqlite3.csv"));
    QProcess sqlite;
    sqlite.setStandardOutputFile(sqlCsv);
    t.restart();
    sqlite.start(QStringLiteral("sqlite3"), {QStringLiteral("-csv"), QStringLiteral("-header"), db,
                                            QStringLiteral("SELECT %1 FROM XJRJZ ORDER BY autoID").arg(QLatin1String(Columns))});
    if (!sqlite.waitForFinished(120000) || sqlite.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed\n");
        return 1;
    }
    const double sqliteSeconds = double(t.nsecsElapsed()) / 1e9;
    const double sqliteRate = Rows / sqliteSeconds;
    std::printf("%-6s %10.0f rows/s  (%.3f s, %lld bytes)\n", "sqlite3 -csv", sqliteRate, sqliteSeconds, QFileInfo(sqlCsv).size());

    const GridExport::Table table = GridExport::Table::of(grid);
    const struct { GridExport::Format f; const char* name; } formats[] = {
        {GridExport::Format::Text, "TXT"}, {GridExport::Format::Csv, "CSV"}, {GridExport::Format::Html, "HTML"},
        {GridExport::Format::Rtf, "RTF"}, {GridExport::Format::Xls, "XLS"},
    };
    for (const auto& [f, name] : formats) {
        const QString path = dir.filePath(QStringLiteral("out.") + GridExport::extension(f));
        t.restart();
        GridExport::saveToFile(table, f, path);
        const double s = double(t.nsecsElapsed()) / 1e9;
        std::printf("%-12s %10.0f rows/s  (%.3f s, %lld bytes)  %.2f x sqlite3 -csv\n", name, Rows / s, s,
                    QFileInfo(path).size(), (Rows / s) / sqliteRate);
    }
    return 0;
}
