// The data grid over a real dataset: footer sums, local multi-column sorting, the find bar,
// proportional widths, row following, and the model checked by QAbstractItemModelTester.
#include "Connection.h"
#include "DBGrid.h"
#include "Dataset.h"
#include "FakeFileDialogs.h"
#include "TestDatabase.h"
#include "export/GridExport.h"
#include "uDM.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

class TestGrid : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<DBGrid> grid;
    std::unique_ptr<QAbstractItemModelTester> tester;

    enum Col { Date, Summary, Debit, Credit, Count, Voucher };

    static void add(const QString& date, const QString& summary, const QVariant& debit, const QVariant& credit, const QVariant& count = {})
    {
        TestDatabase::exec(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JieFang, DaiFang, QCJE, PingZhengNo) VALUES (?,?,?,?,?,?)"),
                           {date, summary, debit, credit, count, QStringLiteral("记")});
    }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            out << grid->model()->cellText(r, c);
        return out;
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Content::Empty);
        add(QStringLiteral("2024-03-03 00:00:00"), QStringLiteral("货款"), 10000, QVariant(), 2);
        add(QStringLiteral("2024-03-01 10:00:00"), QStringLiteral("房租"), QVariant(), 1, 5);
        add(QStringLiteral("2024-03-02 00:00:00"), QStringLiteral("货款"), 30001, 2, -1);
        add(QStringLiteral("2024-03-01 00:00:00"), QStringLiteral("Office 文具"), 5, QVariant(), QVariant());
        ds = std::make_unique<Dataset>();
        ds->setTable(QStringLiteral("XJRJZ"), QStringLiteral("autoID"));
        grid = std::make_unique<DBGrid>();
        tester = std::make_unique<QAbstractItemModelTester>(grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid->setDataset(ds.get());
        grid->setColumns({GridColumn::dateTime(QStringLiteral("YeWuRQ"), QStringLiteral("日期"), 100).footed(QStringLiteral("合计")),
                          GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 200),
                          GridColumn::money(QStringLiteral("JieFang"), QStringLiteral("借方"), 150).summed(),
                          GridColumn::money(QStringLiteral("DaiFang"), QStringLiteral("贷方"), 150).summed(),
                          GridColumn::integer(QStringLiteral("QCJE"), QStringLiteral("笔数"), 50).summed(),
                          GridColumn::text(QStringLiteral("PingZhengNo"), QStringLiteral("凭证号"), 80).hidden()});
        ds->open(QStringLiteral("SELECT * FROM XJRJZ ORDER BY autoID"));
        grid->resize(700, 300);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    }
    void cleanup()
    {
        tester.reset();
        grid.reset();
        ds.reset();
        db.reset();
    }

    void rowsAreWholeRowSelectedAnd25PixelsHighAndReadOnly()
    {
        QCOMPARE(grid->view()->rowHeight(0), 25);
        QCOMPARE(grid->view()->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(grid->view()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable));
        QCOMPARE(grid->model()->cellText(0, Debit), QStringLiteral("1"));
        QCOMPARE(grid->model()->cellText(3, Debit), QStringLiteral("0.0005"));
        QCOMPARE(grid->model()->cellText(1, Debit), QString()); // null shows empty
    }

    void footerHoldsTextAndExactSums()
    {
        QCOMPARE(grid->footerText(Date), QStringLiteral("合计"));
        QCOMPARE(grid->footerText(Summary), QString());
        QCOMPARE(grid->footerText(Debit), QStringLiteral("4.0006"));
        QCOMPARE(grid->footerText(Credit), QStringLiteral("0.0003"));
        QCOMPARE(grid->footerText(Count), QStringLiteral("6"));
        QCOMPARE(grid->footerView()->model()->data(grid->footerView()->model()->index(0, Debit)).toString(), QStringLiteral("4.0006"));
        // The footer is no data row: no row number beside it.
        QCOMPARE(grid->footerView()->model()->headerData(0, Qt::Vertical).toString(), QString());
    }

    void footerSumOfManySmallAmountsIsExact()
    {
        // 0.0001 and 0.1 repeated: a floating-point sum drifts, the footer must not.
        TestDatabase::exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < 30000) "
                                          "INSERT INTO XJRJZ (JieFang, DaiFang) SELECT 1, 1000 FROM n"));
        ds->reopen();
        QCOMPARE(grid->footerText(Debit), QStringLiteral("7.0006"));
        QCOMPARE(grid->footerText(Credit), QStringLiteral("3000.0003"));
    }

    void footerFollowsOpenEditAppendAndDelete()
    {
        ds->open(QStringLiteral("SELECT * FROM XJRJZ WHERE ZhanYao=? ORDER BY autoID"), {QStringLiteral("货款")});
        QCOMPARE(grid->footerText(Debit), QStringLiteral("4.0001"));
        ds->moveTo(1);
        ds->edit();
        ds->setMoney(QStringLiteral("JieFang"), Money::fromUnits(-12345));
        ds->post();
        QCOMPARE(grid->footerText(Debit), QStringLiteral("-0.2345"));
        ds->append();
        ds->setMoney(QStringLiteral("JieFang"), Money::fromUnits(2345));
        ds->post();
        QCOMPARE(grid->footerText(Debit), QStringLiteral("0"));
        ds->first();
        ds->deleteCurrent();
        QCOMPARE(grid->footerText(Debit), QStringLiteral("-1"));
        ds->close();
        QCOMPARE(grid->footerText(Debit), QStringLiteral("0"));
        QCOMPARE(grid->footerText(Date), QStringLiteral("合计"));
    }

    void titleClickSortsLocallyAndAgainReverses()
    {
        // A row added behind the grid's back stays away: sorting runs no query.
        add(QStringLiteral("2024-03-09 00:00:00"), QStringLiteral("新"), 1, 1);
        grid->titleClicked(Date, false);
        QCOMPARE(ds->rowCount(), 4);
        QCOMPARE(column(Summary), (QStringList{QStringLiteral("Office 文具"), QStringLiteral("房租"), QStringLiteral("货款"), QStringLiteral("货款")}));
        QCOMPARE(grid->model()->headerData(Date, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("日期 ▲"));
        grid->titleClicked(Date, false);
        QCOMPARE(column(Debit), (QStringList{QStringLiteral("1"), QStringLiteral("3.0001"), QString(), QStringLiteral("0.0005")}));
        QCOMPARE(grid->model()->headerData(Date, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("日期 ▼"));
        // Another column alone replaces the mark.
        grid->titleClicked(Debit, false);
        QCOMPARE(column(Debit), (QStringList{QString(), QStringLiteral("0.0005"), QStringLiteral("1"), QStringLiteral("3.0001")}));
        QCOMPARE(grid->model()->headerData(Date, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("日期"));
        // Reopening brings the query's order back and clears the marks.
        ds->reopen();
        QVERIFY(grid->sortOrder().isEmpty());
        QCOMPARE(ds->rowCount(), 5);
    }

    void ctrlClickSortsByTheMarkedColumnsInMarkingOrder()
    {
        grid->titleClicked(Summary, false);
        grid->titleClicked(Credit, true);
        QCOMPARE(grid->sortOrder(), (DatasetModel::SortOrder{{Summary, true}, {Credit, true}}));
        // Chinese by pinyin before Latin, as the zh_CN collation orders them.
        QCOMPARE(column(Summary), (QStringList{QStringLiteral("房租"), QStringLiteral("货款"), QStringLiteral("货款"), QStringLiteral("Office 文具")}));
        QCOMPARE(column(Credit), (QStringList{QStringLiteral("0.0001"), QString(), QStringLiteral("0.0002"), QString()}));
        QCOMPARE(grid->model()->headerData(Summary, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("摘要 ▲1"));
        QCOMPARE(grid->model()->headerData(Credit, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("贷方 ▲2"));
        // Ctrl+click on a marked column reverses it in place.
        grid->titleClicked(Credit, true);
        QCOMPARE(column(Credit), (QStringList{QStringLiteral("0.0001"), QStringLiteral("0.0002"), QString(), QString()}));
        QCOMPARE(grid->model()->headerData(Credit, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("贷方 ▼2"));
        // Marked in the other order, the credit column leads (alone again it reverses to ascending).
        grid->titleClicked(Credit, false);
        grid->titleClicked(Summary, true);
        QCOMPARE(grid->sortOrder(), (DatasetModel::SortOrder{{Credit, true}, {Summary, true}}));
        QCOMPARE(column(Credit), (QStringList{QString(), QString(), QStringLiteral("0.0001"), QStringLiteral("0.0002")}));
        QCOMPARE(column(Summary), (QStringList{QStringLiteral("货款"), QStringLiteral("Office 文具"), QStringLiteral("房租"), QStringLiteral("货款")}));
    }

    void headerClickWithCtrlGoesThroughTheHeader()
    {
        QHeaderView* h = grid->view()->horizontalHeader();
        const auto centre = [h](int c) { return QPoint(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2); };
        QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, centre(Summary));
        QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::ControlModifier, centre(Debit));
        QCOMPARE(grid->sortOrder(), (DatasetModel::SortOrder{{Summary, true}, {Debit, true}}));
    }

    void sortKeepsTheCurrentRowAndTheUsersColumnLayout()
    {
        QHeaderView* h = grid->view()->horizontalHeader();
        h->moveSection(h->visualIndex(Debit), 0);
        grid->view()->setColumnWidth(Summary, 77);
        ds->moveTo(2); // 货款 3.0001
        grid->titleClicked(Debit, false);
        QCOMPARE(ds->currentRow(), 3);
        QCOMPARE(ds->money(QStringLiteral("JieFang")), Money::fromUnits(30001));
        QCOMPARE(grid->view()->currentIndex().row(), 3);
        QCOMPARE(grid->visibleColumnsInViewOrder(), (QVector<int>{Debit, Date, Summary, Credit, Count}));
        QCOMPARE(grid->view()->columnWidth(Summary), 77);
        QCOMPARE(grid->footerView()->columnWidth(Summary), 77);
        ds->reopen();
        QCOMPARE(grid->visibleColumnsInViewOrder(), (QVector<int>{Debit, Date, Summary, Credit, Count}));
        QCOMPARE(grid->footerView()->horizontalHeader()->visualIndex(Debit), 0);
    }

    void findMovesToTheNextRowHoldingTheText()
    {
        ds->first();
        QVERIFY(grid->findNext(QStringLiteral("货款")));
        QCOMPARE(ds->currentRow(), 2);
        QVERIFY(grid->findNext(QStringLiteral("货款"))); // wraps round to the first row
        QCOMPARE(ds->currentRow(), 0);
        QVERIFY(grid->findNext(QStringLiteral("office"))); // letter case aside
        QCOMPARE(ds->currentRow(), 3);
        QVERIFY(grid->findNext(QStringLiteral("3.0001"))); // the text as shown, money included
        QCOMPARE(ds->currentRow(), 2);
        QCOMPARE(grid->view()->currentIndex().row(), 2);
        QVERIFY(!grid->findNext(QStringLiteral("记"))); // hidden columns are not searched
        QVERIFY(!grid->findNext(QStringLiteral("没有")));
        QCOMPARE(ds->currentRow(), 2);
    }

    void ctrlFOpensTheFindBarAndEnterFinds()
    {
        ds->first();
        grid->view()->setFocus();
        QTest::keyClick(grid->view(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(grid->findEdit()->isVisible());
        QVERIFY(grid->findEdit()->hasFocus());
        grid->findEdit()->setText(QStringLiteral("房租"));
        QTest::keyClick(grid->findEdit(), Qt::Key_Return);
        QCOMPARE(ds->currentRow(), 1);
    }

    void widthsFitTheGridInProportion()
    {
        const auto check = [this] {
            const int avail = grid->view()->viewport()->width();
            const QVector<int> design{100, 200, 150, 150, 50};
            // A date column too narrow for its text keeps its minimum; the others share the rest.
            const int dateMin = grid->minimumColumnWidth(grid->model()->columns()[Date]);
            const bool pinned = design[Date] * avail / 650.0 < dateMin;
            int sum = 0;
            for (int c = 0; c < design.size(); ++c) {
                const int w = grid->view()->columnWidth(c);
                sum += w;
                const double want = !pinned ? design[c] * avail / 650.0 : c == Date ? dateMin : design[c] * (avail - dateMin) / 550.0;
                QVERIFY2(qAbs(w - want) <= 1.0, qPrintable(QStringLiteral("column %1: %2").arg(c).arg(w)));
            }
            QCOMPARE(sum, avail);
        };
        check();
        grid->resize(1000, 300);
        QApplication::processEvents();
        check();
        // Enough rows for a vertical scroll bar: the columns fit the narrower room.
        TestDatabase::exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < 100) "
                                          "INSERT INTO XJRJZ (JieFang) SELECT i FROM n"));
        ds->reopen();
        QApplication::processEvents();
        check();
        QVERIFY(grid->view()->horizontalHeader()->sectionsMovable());
        QCOMPARE(grid->view()->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    }

    void gridAndDatasetShareTheCurrentRow()
    {
        ds->moveTo(2);
        QCOMPARE(grid->view()->currentIndex().row(), 2);
        grid->view()->setCurrentIndex(grid->model()->index(1, 1));
        QCOMPARE(ds->currentRow(), 1);
        grid->setMultiSelect(true);
        QCOMPARE(grid->view()->selectionMode(), QAbstractItemView::ExtendedSelection);
    }

    void dataModuleExportWritesTheGrid()
    {
        // The data module's operation, as the windows' "导出" buttons call it.
        TDM dm;
        Connection::instance().setDatabasePath(db->path());
        FakeFileDialogs dialogs;
        QTemporaryDir dir;
        dialogs.saveAnswers << SaveFileAnswer{true, dir.filePath(QStringLiteral("现金日记账报表")), 1};
        GridExport::setRememberedFilterIndex(GridExport::InitialFilterIndex);
        dm.ExportGrid(grid.get(), QStringLiteral("现金日记账报表"));
        QCOMPARE(dialogs.saveRequests.value(0).filterIndex, 5);
        QFile f(dir.filePath(QStringLiteral("现金日记账报表.txt")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count("\r\n"), 1 + 4 + 1);
    }
};

QTEST_MAIN(TestGrid)
#include "test_grid.moc"
