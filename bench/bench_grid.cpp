// Sorting, totalling, finding and scrolling 100,000 rows in the grid.
#include "Connection.h"
#include "DBGrid.h"
#include "Database.h"
#include "Dataset.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int Rows = 100000;
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("bench.db"));
    Database::createEmpty(db);
    Connection::instance().setDatabasePath(db);
    Connection::instance().run(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < ?) "
        "INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JieFang, DaiFang) "
        "SELECT printf('2024-%02d-%02d 09:%02d:00', i % 12 + 1, i % 28 + 1, i % 60), '摘要' || (i * 7919 % 1000), i * 37 % 10000000, "
        "CASE WHEN i % 3 = 0 THEN NULL ELSE -(i % 50000) END FROM n"),
        {Rows});
    Dataset ds;
    DBGrid grid;
    grid.setDataset(&ds);
    grid.setColumns({GridColumn::dateTime(QStringLiteral("YeWuRQ"), QStringLiteral("日期"), 97).footed(QStringLiteral("合计")),
                     GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 120),
                     GridColumn::money(QStringLiteral("JieFang"), QStringLiteral("借方（增加）"), 82).summed(),
                     GridColumn::money(QStringLiteral("DaiFang"), QStringLiteral("贷方（减少）"), 85).summed()});
    grid.resize(900, 600);
    grid.show();
    QApplication::processEvents();

    QElapsedTimer t;
    const auto lap = [&](const char* what) { std::printf("%-40s %8.1f ms\n", what, double(t.nsecsElapsed()) / 1e6); };
    t.start();
    ds.open(QStringLiteral("SELECT * FROM XJRJZ ORDER BY autoID"));
    QApplication::processEvents();
    lap("open 100,000 rows (query, footer sums)");
    t.restart();
    ds.moveTo(500);
    ds.edit();
    ds.setMoney(QStringLiteral("JieFang"), Money::fromUnits(1));
    lap("footer recomputed after a row change");
    ds.cancel();
    const struct { int col; bool add; const char* name; } sorts[] = {
        {2, false, "sort by money"}, {2, false, "sort by money reversed"}, {1, false, "sort by text"},
        {0, false, "sort by date"}, {2, true, "sort by date, then money (Ctrl)"},
    };
    for (const auto& s : sorts) {
        t.restart();
        grid.titleClicked(s.col, s.add);
        QApplication::processEvents();
        lap(s.name);
    }
    t.restart();
    grid.findNext(QStringLiteral("没有这个文字"));
    lap("find a text no row holds");
    t.restart();
    for (int i = 0; i < 50; ++i) {
        grid.view()->verticalScrollBar()->setValue(grid.view()->verticalScrollBar()->maximum() * i / 49);
        grid.view()->viewport()->grab();
    }
    lap("50 scroll steps top to bottom, each painted");
    std::printf("(per step %.1f ms)\n", double(t.nsecsElapsed()) / 1e6 / 50);
    return 0;
}
