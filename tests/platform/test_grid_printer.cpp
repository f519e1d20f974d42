// The grid's print layout: fitting to the page width by narrowing or by scaling, column bands
// when not fitted, colours, stretched rows, and pages rendered to PDF and to images.
#include "DBGrid.h"
#include "Dataset.h"
#include "GridPrinter.h"
#include "TestDatabase.h"

#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr double PageWidthMm = 190; // A4 portrait less 10 mm margins
}

class TestGridPrinter : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<DBGrid> grid;

    // Fifteen columns of 90 screen pixels: about 357 mm, wider than the page.
    void fifteenColumns()
    {
        QVector<GridColumn> cols;
        const QStringList fields{QStringLiteral("YeWuRQ"), QStringLiteral("PingZhengNo"), QStringLiteral("ZhanYao"), QStringLiteral("Detail"),
                                 QStringLiteral("ZhanYaoType"), QStringLiteral("QCJE"), QStringLiteral("JieFang"), QStringLiteral("DaiFang"),
                                 QStringLiteral("YuE"), QStringLiteral("JingBR"), QStringLiteral("Fillter"), QStringLiteral("FilltDate"),
                                 QStringLiteral("Remark"), QStringLiteral("faPiaoDW"), QStringLiteral("KeMuDM")};
        for (const QString& f : fields)
            cols << GridColumn::text(f, f, 90);
        cols[0] = GridColumn::dateTime(fields[0], QStringLiteral("日期"), 90).footed(QStringLiteral("合计"));
        cols[6] = GridColumn::money(fields[6], QStringLiteral("借方"), 90).summed();
        grid->setColumns(cols);
        for (int c = 0; c < cols.size(); ++c)
            grid->view()->setColumnWidth(c, 90);
    }
    void rows(int n, const QString& detail = QStringLiteral("明细"))
    {
        TestDatabase::exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < ?) "
                                          "INSERT INTO XJRJZ (YeWuRQ, ZhanYao, Detail, JieFang) SELECT '2024-03-01 00:00:00', '摘要' || i, ?, i FROM n"),
                           {n, detail});
        ds->reopen();
    }
    static double sum(const QVector<double>& v)
    {
        double s = 0;
        for (double x : v)
            s += x;
        return s;
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Content::Empty);
        ds = std::make_unique<Dataset>();
        grid = std::make_unique<DBGrid>();
        grid->setDataset(ds.get());
        ds->open(QStringLiteral("SELECT * FROM XJRJZ ORDER BY autoID"));
        fifteenColumns();
    }
    void cleanup()
    {
        grid.reset();
        ds.reset();
        db.reset();
    }

    void columnWidthsFollowTheOptions_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<double>("total");
        QTest::newRow("none: screen widths") << 0 << 15 * 90 * 25.4 / 96;
        QTest::newRow("fit by narrowing") << int(GridPrinter::FitGridToPageWidth | GridPrinter::FitingByColWidths) << PageWidthMm;
        QTest::newRow("fit by scaling") << int(GridPrinter::FitGridToPageWidth) << PageWidthMm;
        QTest::newRow("all four") << int(GridPrinter::AllOptions) << PageWidthMm;
        QTest::newRow("narrowing alone does nothing") << int(GridPrinter::FitingByColWidths) << 15 * 90 * 25.4 / 96;
    }
    void columnWidthsFollowTheOptions()
    {
        QFETCH(int, options);
        QFETCH(double, total);
        const GridPrinter printer(grid.get(), GridPrinter::Options(options));
        const QVector<double> w = printer.printedColumnWidths(GridPrinter::defaultPageLayout());
        QCOMPARE(w.size(), 15);
        QVERIFY2(qAbs(sum(w) - total) < 0.01, qPrintable(QString::number(sum(w))));
        for (double x : w)
            QVERIFY(qAbs(x - w[0]) < 1e-9); // equal design widths stay equal
    }

    void hiddenAndMovedColumnsPrintAsShown()
    {
        QVector<GridColumn> cols = grid->columns();
        cols[3] = cols[3].hidden();
        grid->setColumns(cols); // an unshown grid keeps the design widths
        grid->view()->setColumnWidth(0, 180);
        grid->view()->horizontalHeader()->moveSection(0, 5);
        const GridPrinter printer(grid.get(), {});
        const QVector<double> w = printer.printedColumnWidths(GridPrinter::defaultPageLayout());
        QCOMPARE(w.size(), 14);
        QCOMPARE(w[4], 180 * 25.4 / 96);
        QCOMPARE(w[0], 90 * 25.4 / 96);
    }

    void fittedGridTakesFewerPagesThanBands()
    {
        rows(10);
        const GridPrinter fitted(grid.get(), GridPrinter::AllOptions);
        const GridPrinter plain(grid.get(), {});
        const QVector<QImage> a = fitted.renderImages(GridPrinter::defaultPageLayout(), 72);
        const QVector<QImage> b = plain.renderImages(GridPrinter::defaultPageLayout(), 72);
        QCOMPARE(a.size(), 1);
        QCOMPARE(b.size(), 3); // 15 columns of 23.8 mm: bands of 7, 7 and 1 on a 190 mm page
        QCOMPARE(a[0].size(), QSize(qRound(210 / 25.4 * 72), qRound(297 / 25.4 * 72)));
    }

    void rowsRunOnToFurtherPagesWithTitlesRepeated()
    {
        rows(300);
        const GridPrinter printer(grid.get(), GridPrinter::AllOptions);
        const QVector<QImage> pages = printer.renderImages(GridPrinter::defaultPageLayout(), 50);
        QVERIFY(pages.size() >= 4);
        // The title row, filled in colour, starts each page at the top margin.
        const int x = qRound(15 / 25.4 * 50), y = qRound(11 / 25.4 * 50);
        for (const QImage& page : pages)
            QVERIFY(page.pixelColor(x, y) != QColor(Qt::white));
    }

    void colouredTitlesAreFilledOnlyWithTheOption()
    {
        rows(2);
        const int x = qRound(15 / 25.4 * 100), y = qRound(11.2 / 25.4 * 100);
        const QImage coloured = GridPrinter(grid.get(), GridPrinter::AllOptions).renderImages(GridPrinter::defaultPageLayout(), 100).value(0);
        const QImage plain = GridPrinter(grid.get(), GridPrinter::FitGridToPageWidth | GridPrinter::FitingByColWidths)
                                 .renderImages(GridPrinter::defaultPageLayout(), 100).value(0);
        QVERIFY(coloured.pixelColor(x, y) != QColor(Qt::white));
        QCOMPARE(plain.pixelColor(x, y), QColor(Qt::white));
    }

    void stretchedRowsTakeTheRoomTheirTextNeeds()
    {
        rows(60, QStringLiteral("很长的明细文字，要在窄列里折成好几行才能印全，").repeated(3));
        const auto pages = [this](GridPrinter::Options o) { return GridPrinter(grid.get(), o).renderImages(GridPrinter::defaultPageLayout(), 50).size(); };
        const GridPrinter::Options fit = GridPrinter::FitGridToPageWidth | GridPrinter::FitingByColWidths;
        QCOMPARE(pages(fit), 2);
        QVERIFY(pages(fit | GridPrinter::RowAutoStretch) > 2);
    }

    void emptyGridPrintsTitlesAndFooter()
    {
        const QVector<QImage> pages = GridPrinter(grid.get(), GridPrinter::AllOptions).renderImages(GridPrinter::defaultPageLayout(), 50);
        QCOMPARE(pages.size(), 1);
    }

    void pagesGoToPdf()
    {
        rows(100);
        QTemporaryDir dir;
        const auto pdfPages = [&](GridPrinter::Options o, const QString& name) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(name));
            printer.setPageLayout(GridPrinter::defaultPageLayout());
            GridPrinter(grid.get(), o).render(&printer);
            QFile f(dir.filePath(name));
            if (!f.open(QIODevice::ReadOnly))
                return -1;
            const QByteArray pdf = f.readAll();
            if (!pdf.startsWith("%PDF"))
                return -1;
            return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "));
        };
        const int fitted = pdfPages(GridPrinter::AllOptions, QStringLiteral("fitted.pdf"));
        const int plain = pdfPages({}, QStringLiteral("plain.pdf"));
        QVERIFY(fitted >= 1);
        QCOMPARE(plain, 3 * pdfPages(GridPrinter::FitGridToPageWidth | GridPrinter::FitingByColWidths, QStringLiteral("narrow.pdf")));
        QVERIFY(plain > fitted);
    }
};

QTEST_MAIN(TestGridPrinter)
#include "test_grid_printer.moc"
