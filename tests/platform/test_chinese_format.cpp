// Dates and text order as a Chinese user expects them, whatever the system's locale: CTest runs
// this under LANG=C and LANG=zh_CN.UTF-8 alike.
#include "ChineseFormat.h"
#include "ClockPane.h"
#include "DBGrid.h"
#include "Dataset.h"
#include "TestDatabase.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

class TestChineseFormat : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<DBGrid> grid;
    enum Col { Date, Summary, Handler, Debit, Remark };

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
        const QStringList summaries{QStringLiteral("中国银行"), QStringLiteral("apple"), QStringLiteral("阿里"),
                                    QStringLiteral("Banana"), QStringLiteral("北京"), QStringLiteral("Apple"),
                                    QStringLiteral("工商银行"), QStringLiteral("银行手续费")};
        for (int i = 0; i < summaries.size(); ++i)
            TestDatabase::exec(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JingBR, JieFang) VALUES (?,?,?,?)"),
                               {QStringLiteral("2024-%1-05 %2:30:00").arg(i + 3, 2, 10, QLatin1Char('0')).arg(i + 8, 2, 10, QLatin1Char('0')),
                                summaries[i], QStringLiteral("经手人"), 10000 * i});
        TestDatabase::exec(QStringLiteral("UPDATE XJRJZ SET YeWuRQ='2024-12-31 00:00:00' WHERE ZhanYao='apple'"));
        ds = std::make_unique<Dataset>();
        ds->setTable(QStringLiteral("XJRJZ"), QStringLiteral("autoID"));
        grid = std::make_unique<DBGrid>();
        grid->setDataset(ds.get());
        // The journal's design widths: a narrow date column among wide text columns.
        grid->setColumns({GridColumn::dateTime(QStringLiteral("YeWuRQ"), QStringLiteral("日期"), 97),
                          GridColumn::text(QStringLiteral("ZhanYao"), QStringLiteral("摘要"), 200),
                          GridColumn::text(QStringLiteral("JingBR"), QStringLiteral("经手人"), 120),
                          GridColumn::money(QStringLiteral("JieFang"), QStringLiteral("借方"), 150),
                          GridColumn::text(QStringLiteral("Remark"), QStringLiteral("备注"), 300)});
        ds->open(QStringLiteral("SELECT * FROM XJRJZ ORDER BY autoID"));
    }
    void cleanup()
    {
        grid.reset();
        ds.reset();
        db.reset();
    }

    void datesReadTheChineseWay()
    {
        QCOMPARE(column(Date).mid(0, 3), (QStringList{QStringLiteral("2024-03-05 08:30:00"), QStringLiteral("2024-12-31"),
                                                      QStringLiteral("2024-05-05 10:30:00")}));
        QCOMPARE(ClockPane::clockText(QDateTime(QDate(2024, 3, 5), QTime(8, 30))), QStringLiteral("2024-03-05 08:30:00"));
        QCOMPARE(ChineseFormat::dateTime(QDate(2024, 11, 25), QTime(23, 5, 9)), QStringLiteral("2024-11-25 23:05:09"));
        // Whatever the system's locale, no month names and no AM/PM in the pickers' locale either.
        const QLocale zh = ChineseFormat::locale();
        QVERIFY2(!zh.toString(QDate(2024, 3, 5), QLocale::ShortFormat).contains(QRegularExpression(QStringLiteral("[A-Za-z]"))),
                 qPrintable(zh.toString(QDate(2024, 3, 5), QLocale::ShortFormat)));
        QCOMPARE(zh.monthName(3), QStringLiteral("三月"));
    }

    void titleClickOrdersChineseByPinyinAndLatinWithoutCase()
    {
        grid->titleClicked(Summary, false);
        const QStringList sorted = column(Summary);
        // Han by pinyin, a(阿里) b(北京) g(工商银行) y(银行手续费) z(中国银行), then Latin (the zh_CN
        // collation puts Han first); apple and Apple are equal and keep their order.
        QCOMPARE(sorted, (QStringList{QStringLiteral("阿里"), QStringLiteral("北京"), QStringLiteral("工商银行"),
                                      QStringLiteral("银行手续费"), QStringLiteral("中国银行"), QStringLiteral("apple"),
                                      QStringLiteral("Apple"), QStringLiteral("Banana")}));
        grid->titleClicked(Summary, false);
        QCOMPARE(column(Summary).first(), QStringLiteral("Banana"));
        // Dates still sort by time, not as words.
        grid->titleClicked(Date, false);
        QCOMPARE(column(Date).first(), QStringLiteral("2024-03-05 08:30:00"));
        QCOMPARE(column(Date).last(), QStringLiteral("2024-12-31"));
    }

    void dateColumnHoldsItsWholeText_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("small window") << 640;
        QTest::newRow("1024 wide") << 1024;
        QTest::newRow("wide") << 1600;
    }
    void dateColumnHoldsItsWholeText()
    {
        QFETCH(int, width);
        grid->resize(width, 300);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        QTableView* v = grid->view();
        const QFontMetrics fm = v->fontMetrics();
        int widest = 0;
        for (const QString& t : column(Date))
            widest = std::max(widest, fm.horizontalAdvance(t));
        QVERIFY2(v->columnWidth(Date) >= widest + 6, qPrintable(QStringLiteral("%1 < %2").arg(v->columnWidth(Date)).arg(widest)));
        // The columns still fill the grid exactly.
        int total = 0;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            total += v->columnWidth(c);
        QCOMPARE(total, v->viewport()->width());
    }
};

QTEST_MAIN(TestChineseFormat)
#include "test_chinese_format.moc"
