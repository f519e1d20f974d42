// The month closing window: its month list and balance sets, 结账 and 反结账 with their
// questions and reports, and the grid exported as a file that Python's csv module reads back.
#include "../journal/JournalFixture.h"

#include "ClosedMonths.h"
#include "MonthClosing.h"
#include "DBGrid.h"
#include "FakeFileDialogs.h"
#include "FakeMessages.h"
#include "Period.h"
#include "TestDatabase.h"
#include "uDM.h"
#include "uJieZhang.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QLabel>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace JournalFixture;
using namespace Qt::StringLiterals;

namespace {
QStringList monthRows(const TfrmJieZhang& w)
{
    QStringList out;
    for (int i = 0; i < w.MonthList->rowCount(); ++i)
        out << w.MonthList->item(i, 0)->text() + u' ' + w.MonthList->item(i, 1)->text();
    return out;
}
} // namespace

class TestJieZhangWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> messages;

private Q_SLOTS:
    void initTestCase()
    {
        if (!DM)
            DM = new TDM(QCoreApplication::instance());
    }
    void init()
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Content::Delivered, QDateTime(QDate(2024, 3, 15), QTime(9, 30)));
        messages = std::make_unique<FakeMessages>();
        DM->CurrentUser = u"admin"_s;
        addCash(u"2024-02-10 09:00:00"_s, u"10"_s, {});
        addCash(u"2024-03-02 09:00:00"_s, u"100"_s, {});
        addBank(u"2024-03-03 09:00:00"_s, {}, u"2.5"_s, u"工商银行"_s, u"lisi"_s);
    }
    void cleanup()
    {
        messages.reset();
        db.reset();
    }

    void layoutAndFirstShowing()
    {
        TfrmJieZhang w(nullptr);
        QCOMPARE(w.windowTitle(), u"月末结账"_s);
        QStringList actions;
        for (QAction* a : w.RzToolbar1->actions())
            if (!a->isSeparator())
                actions << a->text();
        QCOMPARE(actions, (QStringList{u"结账"_s, u"反结账"_s, u"导出"_s, u"打印"_s, u"打印账页"_s, u"退出"_s}));
        QStringList titles;
        for (const GridColumn& c : w.DBGridEh1->columns())
            titles << c.title;
        QCOMPARE(titles, (QStringList{u"日记账"_s, u"操作员"_s, u"开户银行"_s, u"期初余额"_s, u"本月借方合计"_s, u"本月贷方合计"_s,
                                      u"本年借方累计"_s, u"本年贷方累计"_s, u"期末余额"_s}));
        w.FormShow();
        QCOMPARE(monthRows(w), (QStringList{u"2024年02月 未结账"_s, u"2024年03月 未结账"_s}));
        // The month 结账 would close is shown first.
        QCOMPARE(w.shownMonth(), u"2024-02"_s);
        QCOMPARE(w.MonthList->currentRow(), 0);
        QCOMPARE(w.Label1->text(), u"2024年02月（未结账）"_s);
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
        // Choosing another month shows its sets.
        w.MonthList->selectRow(1);
        QCOMPARE(w.shownMonth(), u"2024-03"_s);
        QCOMPARE(w.ADOQuery1.rowCount(), 2);
        QCOMPARE(w.ADOQuery1.text(u"CaoZuoYuan"_s), u"admin"_s);
    }

    void closeAndReopenAskAndReport()
    {
        TfrmJieZhang w(nullptr);
        w.FormShow();
        messages->answers << false;
        w.btnJieZhang->trigger();
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].kind, FakeMessages::Kind::Question);
        QCOMPARE(messages->shown[0].text, u"确定要结账2024年02月吗？"_s);
        QCOMPARE(messages->shown[0].caption, u"系统提示"_s);
        QCOMPARE(ClosedMonths::all(), QStringList());

        messages->clear();
        w.btnJieZhang->trigger();
        QCOMPARE(messages->texts(), (QStringList{u"确定要结账2024年02月吗？"_s, u"2024年02月结账完成"_s}));
        QCOMPARE(monthRows(w), (QStringList{u"2024年02月 已结账"_s, u"2024年03月 未结账"_s}));
        QCOMPARE(w.Label1->text(), u"2024年02月（已结账）"_s);
        messages->clear();
        w.btnJieZhang->trigger();
        QCOMPARE(messages->texts(), (QStringList{u"确定要结账2024年03月吗？"_s, u"2024年03月结账完成"_s}));
        QCOMPARE(monthRows(w).last(), u"2024年04月 未结账"_s);
        QCOMPARE(GetPeriodDate(), u"2024-04-01"_s);

        messages->clear();
        w.btnFanJieZhang->trigger();
        QCOMPARE(messages->texts(), (QStringList{u"确定要反结账2024年03月吗？"_s, u"2024年03月已反结账"_s}));
        QCOMPARE(monthRows(w), (QStringList{u"2024年02月 已结账"_s, u"2024年03月 未结账"_s}));
        QCOMPARE(GetPeriodDate(), u"2024-03-01"_s);
        messages->clear();
        w.btnFanJieZhang->trigger();
        w.btnFanJieZhang->trigger();
        QCOMPARE(messages->texts(), (QStringList{u"确定要反结账2024年02月吗？"_s, u"2024年02月已反结账"_s, u"没有已结账的月份"_s}));
    }

    // With no entry anywhere, the period's month closes; set back to it later, it is refused.
    void closingTheEmptyPeriodMonthThenAgain()
    {
        TestDatabase::exec(u"DELETE FROM XJRJZ"_s);
        TestDatabase::exec(u"DELETE FROM YHRJZ"_s);
        TfrmJieZhang w(nullptr);
        w.FormShow();
        QCOMPARE(w.MonthList->rowCount(), 0);
        QCOMPARE(w.shownMonth(), u"2024-03"_s);
        QCOMPARE(w.ADOQuery1.rowCount(), 0);
        w.btnJieZhang->trigger();
        QCOMPARE(messages->last(), u"2024年03月结账完成"_s);
        TestDatabase::exec(u"UPDATE FinscalYearMonth SET YearMonth = '2024-03-20 00:00:00'"_s);
        messages->clear();
        w.btnJieZhang->trigger();
        QCOMPARE(messages->texts(), QStringList{u"2024年03月已结账"_s});
    }

    void exportWritesTheSetsOfTheShownMonth()
    {
        QTemporaryDir out;
        FakeFileDialogs files;
        files.saveAnswers << SaveFileAnswer{true, out.filePath(u"结账"_s), 2};
        TfrmJieZhang w(nullptr);
        w.FormShow();
        w.showMonth(u"2024-03"_s);
        w.btnExport->trigger();
        QCOMPARE(files.saveRequests.size(), 1);
        QCOMPARE(files.saveRequests[0].fileName, u"月末结账2024年03月"_s);
        QProcess reader;
        reader.start(u"python3"_s, {u"-c"_s, u"import csv,sys\nfor r in csv.reader(open(sys.argv[1], encoding='utf-8-sig')): print('|'.join(r))"_s,
                                    out.filePath(u"结账.CSV"_s)});
        QVERIFY(reader.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()).trimmed().split(u'\n'),
                 (QStringList{u"日记账|操作员|开户银行|期初余额|本月借方合计|本月贷方合计|本年借方累计|本年贷方累计|期末余额"_s,
                              u"现金日记账|admin||0|100|0|110|0|100"_s, u"银行日记账|lisi|工商银行|0|0|2.5|0|2.5|-2.5"_s}));
    }

    // 打印账页 opens the ledger pages of the selected set for the month shown.
    void ledgerPagesOfTheSelectedSet()
    {
        TfrmJieZhang w(nullptr);
        w.FormShow();
        w.showMonth(u"2024-03"_s);
        QVERIFY(w.ADOQuery1.locate(MonthClosing::SetRowField::operatorName, u"lisi"_s));
        QString seen;
        QTimer::singleShot(0, qApp, [&] {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                seen = preview->windowTitle();
                preview->close();
            }
        });
        w.btnLedger->trigger();
        QVERIFY2(!seen.isEmpty(), "no ledger preview");
    }
};

QTEST_MAIN(TestJieZhangWindow)
#include "test_jiezhang_window.moc"
