// The daily fund report window driven as the operator would: day and operator choice, the grid
// and its footer, the chart following the chosen account, the chart saved as PNG and the grid
// exported through the shared export.
#include "BalanceChart.h"
#include "DBGrid.h"
#include "FakeFileDialogs.h"
#include "GridPrinter.h"
#include "PdfText.h"
#include "ReportFixture.h"
#include "uDM.h"
#include "uZiJinRiBao.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDateEdit>
#include <QFile>
#include <QImageReader>
#include <QLineSeries>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

namespace {
const QString zhang = QStringLiteral("张三");
const QString li = QStringLiteral("李四");

void entries()
{
    TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES ('工商银行')"));
    addCash({QStringLiteral("2024-03-01 00:00:00"), {}, QStringLiteral("期初金额"), QStringLiteral("1000"), {}, zhang});
    addCash({QStringLiteral("2024-03-04 10:00:00"), {}, QStringLiteral("收款"), QStringLiteral("300"), {}, zhang});
    addCash({QStringLiteral("2024-03-04 11:00:00"), {}, QStringLiteral("付款"), {}, QStringLiteral("50"), li});
    Entry e{QStringLiteral("2024-03-04 12:00:00"), {}, QStringLiteral("收款"), QStringLiteral("700"), {}, li};
    e.bank = QStringLiteral("工商银行");
    addBank(e);
}

QStringList column(const DBGrid* g, int c)
{
    QStringList out;
    for (int r = 0; r < g->model()->rowCount(); ++r)
        out << g->model()->cellText(r, c);
    return out;
}
} // namespace

class TestDailyReportWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;

private Q_SLOTS:
    void initTestCase() { DM = new TDM(this); }
    void init()
    {
        db = std::make_unique<TestDatabase>();
        entries();
        DM->CurrentUser = zhang;
    }
    void cleanup() { db.reset(); }

    void showsTheCompanysDayByDefault()
    {
        TfrmZiJinRiBao w(nullptr);
        QCOMPARE(w.windowTitle(), QStringLiteral("资金日报表"));
        QCOMPARE(w.DateTimePicker1->date(), QDate::currentDate());
        QVERIFY(w.RadioButton1->isChecked());
        QCOMPARE(w.RadioButton1->text(), QStringLiteral("全部操作员"));
        QStringList titles;
        for (const GridColumn& c : w.DBGridEh1->columns())
            titles << c.title;
        QCOMPARE(titles, QStringList({QStringLiteral("账户"), QStringLiteral("上日余额"), QStringLiteral("本日收入"), QStringLiteral("本日支出"),
                                      QStringLiteral("本日余额"), QStringLiteral("收入笔数"), QStringLiteral("支出笔数")}));
        QStringList actions;
        for (QAction* a : w.RzToolbar1->actions())
            actions << a->text();
        QCOMPARE(actions, QStringList({QStringLiteral("导出"), QStringLiteral("打印"), QStringLiteral("导出图表"), QStringLiteral("打印图表"),
                                       QStringLiteral("退出")}));
    }

    void dayAndOperatorChoice()
    {
        TfrmZiJinRiBao w(nullptr);
        w.DateTimePicker1->setDate(QDate(2024, 3, 4));
        QCOMPARE(column(w.DBGridEh1, 0), QStringList({QStringLiteral("现金"), QStringLiteral("工商银行")}));
        QCOMPARE(column(w.DBGridEh1, 1), QStringList({QStringLiteral("1000"), QStringLiteral("0")}));
        QCOMPARE(column(w.DBGridEh1, 4), QStringList({QStringLiteral("1250"), QStringLiteral("700")}));
        QCOMPARE(w.DBGridEh1->footerText(0), QStringLiteral("合计"));
        QCOMPARE(w.DBGridEh1->footerText(2), QStringLiteral("1000"));
        QCOMPARE(w.DBGridEh1->footerText(4), QStringLiteral("1950"));
        QCOMPARE(w.DBGridEh1->footerText(5), QStringLiteral("2"));
        QCOMPARE(w.DBGridEh1->footerText(6), QStringLiteral("1"));

        w.RadioButton2->setChecked(true); // the logged-in operator's entries only
        QCOMPARE(column(w.DBGridEh1, 4), QStringList({QStringLiteral("1300"), QStringLiteral("0")}));
        QCOMPARE(w.DBGridEh1->footerText(4), QStringLiteral("1300"));
    }

    void chartFollowsTheChosenAccount()
    {
        TfrmZiJinRiBao w(nullptr);
        w.DateTimePicker1->setDate(QDate(2024, 3, 4));
        QChart* c = w.Chart1->chart();
        int lines = 0;
        QAbstractBarSeries* bars = nullptr;
        for (QAbstractSeries* s : c->series()) {
            lines += s->type() == QAbstractSeries::SeriesTypeLine;
            if (auto* b = qobject_cast<QAbstractBarSeries*>(s))
                bars = b;
        }
        QCOMPARE(lines, 2);
        QVERIFY(bars);
        QCOMPARE(bars->barSets().size(), 2);
        QCOMPARE(w.Chart1->selectedAccount(), QStringLiteral("现金"));
        QCOMPARE(bars->barSets()[0]->at(3), 300.0); // receipts of the 4th, the opening left out
        QCOMPARE(bars->barSets()[0]->at(0), 0.0);

        w.ADOQuery1.moveTo(1);
        QCOMPARE(w.Chart1->selectedAccount(), QStringLiteral("工商银行"));
        for (QAbstractSeries* s : c->series())
            if (auto* b = qobject_cast<QAbstractBarSeries*>(s))
                QCOMPARE(b->barSets()[0]->at(3), 700.0);
        for (QAbstractSeries* s : c->series())
            if (auto* l = qobject_cast<QLineSeries*>(s); l && l->name() == QStringLiteral("现金")) {
                QCOMPARE(l->count(), 31);
                QCOMPARE(l->at(2).y(), 1000.0);
                QCOMPARE(l->at(30).y(), 1250.0);
            }
    }

    void chartSavedAsPng()
    {
        TfrmZiJinRiBao w(nullptr);
        w.DateTimePicker1->setDate(QDate(2024, 3, 4));
        QTemporaryDir dir;
        FakeFileDialogs files;
        files.saveAnswers << SaveFileAnswer{true, dir.filePath(QStringLiteral("三月余额")), 1};
        w.RzToolButton3->trigger();
        QCOMPARE(files.saveRequests.size(), 1);
        QImageReader reader(dir.filePath(QStringLiteral("三月余额.png")));
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage img = reader.read();
        QCOMPARE(img.size(), QSize(1600, 900));
        QCOMPARE(TfrmZiJinRiBao::pngPath(QStringLiteral("a.PNG")), QStringLiteral("a.PNG"));
    }

    void chartPrintsOnOnePage()
    {
        TfrmZiJinRiBao w(nullptr);
        w.DateTimePicker1->setDate(QDate(2024, 3, 4));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        w.Chart1->render(&printer);
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))));
    }

    // The printed report names itself, its day and whose entries it counts.
    void printedGridCarriesItsDay()
    {
        TfrmZiJinRiBao w(nullptr);
        w.DateTimePicker1->setDate(QDate(2024, 3, 4));
        w.RadioButton2->setChecked(true);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        w.PrintDBGridEh1->render(&printer);
        const QString got = pdfPages(pdf).join(QString());
        QVERIFY2(got.contains(QStringLiteral("资金日报表2024年03月04日（张三）")), qPrintable(got));
        QVERIFY(got.contains(QStringLiteral("1300")));
    }

    void gridExportedWithItsTotals()
    {
        TfrmZiJinRiBao w(nullptr);
        w.DateTimePicker1->setDate(QDate(2024, 3, 4));
        QTemporaryDir dir;
        FakeFileDialogs files;
        files.saveAnswers << SaveFileAnswer{true, dir.filePath(QStringLiteral("日报")), 2};
        w.RzToolButton1->trigger();
        QCOMPARE(files.saveRequests.first().fileName, QStringLiteral("资金日报表"));
        QFile f(dir.filePath(QStringLiteral("日报.CSV")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString csv = QString::fromUtf8(f.readAll());
        QVERIFY2(csv.contains(QStringLiteral("工商银行")) && csv.contains(QStringLiteral("合计")) && csv.contains(QStringLiteral("1950")),
                 qPrintable(csv));
    }
};

QTEST_MAIN(TestDailyReportWindow)
#include "test_daily_report_window.moc"
