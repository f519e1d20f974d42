// The search dialogs, the year picker and the statistics frame, driven as the operator would.
#include "AppError.h"
#include "DBGrid.h"
#include "DatasetModel.h"
#include "DateEdit.h"
#include "FakeFileDialogs.h"
#include "FakeMessages.h"
#include "ReportFixture.h"
#include "uAddtion.h"
#include "uCountByDay.h"
#include "uCountByZhanYao.h"
#include "uDM.h"
#include "uXJSearch.h"
#include "uXJTJ_YearMonth.h"
#include "u_BankJZSearch.h"
#include "u_BankTJByZhanYao.h"
#include "u_BankTJbyday.h"
#include "u_bankYearMonth.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <memory>

namespace {
const QString me = QStringLiteral("张三");

std::unique_ptr<StatisticsForm> makeWindow(int which)
{
    switch (which) {
    case 0: return std::make_unique<TfrmXJTJ_YearMonth>(nullptr);
    case 1: return std::make_unique<Tfrmbank_yearMonth>(nullptr);
    case 2: return std::make_unique<TfrmCountByZhanYao>(nullptr);
    case 3: return std::make_unique<TfrmBankTJByZhanYao>(nullptr);
    case 4: return std::make_unique<TfrmCountByDay>(nullptr);
    default: return std::make_unique<TfrmBankTJByDay>(nullptr);
    }
}

QStringList titlesOf(const DBGrid* g)
{
    QStringList out;
    for (const GridColumn& c : g->columns())
        out << c.title;
    return out;
}

void addEntries()
{
    for (auto add : {addCash, addBank}) {
        add({.when = QStringLiteral("2024-05-01 00:00:00"), .voucher = QStringLiteral("A1"), .summary = QStringLiteral("办公费"), .debit = QStringLiteral("100.5"), .bank = QStringLiteral("工行")});
        add({.when = QStringLiteral("2024-05-01 00:00:00"), .voucher = QStringLiteral("A2"), .summary = QStringLiteral("差旅费"), .credit = QStringLiteral("20.25"), .bank = QStringLiteral("建行")});
        add({.when = QStringLiteral("2024-05-01 09:00:00"), .voucher = QStringLiteral("A3"), .summary = QStringLiteral("办公费"), .debit = QStringLiteral("3"), .credit = QStringLiteral("1"), .bank = QStringLiteral("工行")});
    }
}

// Runs `act` once the next modal dialog is up.
void whenModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        act(w);
    });
}
}

class TestReportWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> messages;

private Q_SLOTS:
    void init()
    {
        if (!DM)
            DM = new TDM(qApp);
        db = std::make_unique<TestDatabase>();
        messages = std::make_unique<FakeMessages>();
        DM->CurrentUser = me;
        addEntries();
        TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES ('工行'), ('建行')"));
    }
    void cleanup()
    {
        messages.reset();
        db.reset();
    }

    void frameDesign_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("exportName");
        QTest::addColumn<QString>("titles");
        QTest::newRow("cash per month") << 0 << "现金统计（按年月）" << "现金年月统计" << "年度 月份 借方（增加） 贷方（减少） 收入";
        QTest::newRow("bank per month") << 1 << "银行统计（按年月）" << "银行年月统计" << "年度 月份 开户银行 借方（增加） 贷方（减少） 收入";
        QTest::newRow("cash by summary") << 2 << "现金统计（按摘要）" << "现金统计(按摘要)" << "摘要 借方（增加） 贷方（减少） 收入";
        QTest::newRow("bank by summary") << 3 << "银行统计（按摘要）" << "银行统计(按摘要)" << "开户银行 摘要 借方（增加） 贷方（减少） 收入";
        QTest::newRow("cash by day") << 4 << "现金统计（按天）" << "现金统计(按天)" << "日期 借方（增加） 贷方（减少） 收入";
        QTest::newRow("bank by day") << 5 << "银行统计（按天）" << "银行统计(按天)" << "日期 开户银行 借方（增加） 贷方（减少） 收入";
    }
    void frameDesign()
    {
        QFETCH(int, which);
        QFETCH(QString, caption);
        QFETCH(QString, exportName);
        QFETCH(QString, titles);
        auto w = makeWindow(which);
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->exportFileName(), exportName);
        QCOMPARE(w->printOptions(), GridPrinter::AllOptions);
        QVERIFY(w->windowState() & Qt::WindowMaximized);
        QCOMPARE(titlesOf(w->DBGridEh1).join(u' '), titles);
        QStringList tools;
        for (QAction* a : w->RzToolbar1->actions())
            tools << a->text();
        QCOMPARE(tools, (QStringList{QStringLiteral("导出"), QStringLiteral("统计"), QStringLiteral("打印"), QStringLiteral("退出")}));
        QCOMPARE(w->DBGridEh1->view()->selectionMode(),
                 which >= 4 ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    }

    void exportProposesTheWindowsName_data() { frameDesign_data(); }
    void exportProposesTheWindowsName()
    {
        QFETCH(int, which);
        QFETCH(QString, exportName);
        FakeFileDialogs dialogs; // answers "cancel"
        auto w = makeWindow(which);
        w->show();
        w->RzToolButton1->trigger();
        QCOMPARE(dialogs.saveRequests.size(), 1);
        QCOMPARE(dialogs.saveRequests[0].fileName, exportName);
        QVERIFY(messages->shown.isEmpty());
    }

    void exportWritesTheTotalsShown()
    {
        QTemporaryDir dir;
        FakeFileDialogs dialogs;
        const QString path = dir.filePath(QStringLiteral("按摘要"));
        dialogs.saveAnswers << SaveFileAnswer{true, path, 2};
        TfrmBankTJByZhanYao w(nullptr);
        w.show();
        w.DBDateTimeEditEh1->setValue(QDate(2024, 5, 1));
        w.DBDateTimeEditEh2->setValue(QDate(2024, 5, 1));
        w.RzToolButton2Click();
        w.RzToolButton1Click();
        QFile f(path + QStringLiteral(".CSV"));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        const QString text = QString::fromUtf8(f.readAll());
        for (const QString& want : {QStringLiteral("开户银行"), QStringLiteral("工行"), QStringLiteral("建行"), QStringLiteral("办公费"),
                                    QStringLiteral("100.5"), QStringLiteral("20.25"), QStringLiteral("-20.25")})
            QVERIFY2(text.contains(want), qPrintable(want + QStringLiteral(" in ") + text));
    }

    void everyShowingStartsEmpty_data()
    {
        QTest::addColumn<int>("which");
        for (int i = 0; i < 6; ++i)
            QTest::newRow(qPrintable(QString::number(i))) << i;
    }
    void everyShowingStartsEmpty()
    {
        QFETCH(int, which);
        auto w = makeWindow(which);
        if (auto* r = dynamic_cast<DateRangeStatisticsForm*>(w.get())) {
            r->DBDateTimeEditEh1->setValue(QDate(2024, 5, 1));
            r->DBDateTimeEditEh2->setValue(QDate(2024, 5, 2));
        }
        for (int showing = 0; showing < 2; ++showing) {
            w->show();
            QVERIFY(w->ADOQuery1.isOpen());
            QCOMPARE(w->ADOQuery1.rowCount(), 0);
            // Every grid column finds its field in the empty result.
            for (const GridColumn& c : w->DBGridEh1->columns())
                QVERIFY2(w->ADOQuery1.hasField(c.field), qPrintable(c.field));
            QCOMPARE(w->DBGridEh1->footerText(0), QStringLiteral("合计"));
            if (auto* m = dynamic_cast<YearMonthStatisticsForm*>(w.get()))
                m->runYear(QStringLiteral("2024"));
            else
                w->RzToolButton2Click();
            QVERIFY(w->ADOQuery1.rowCount() > 0);
            w->RzToolButton4Click();
            QVERIFY(!w->isVisible());
        }
        QVERIFY(messages->shown.isEmpty());
    }

    void footersSumTheRowsShown()
    {
        TfrmCountByDay w(nullptr);
        w.show();
        w.DBDateTimeEditEh1->setValue(QDate(2024, 5, 1));
        w.DBDateTimeEditEh2->setValue(QDate(2024, 5, 1));
        w.RzToolButton2->trigger();
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
        QCOMPARE(w.DBGridEh1->footerText(0), QStringLiteral("合计"));
        QCOMPARE(w.DBGridEh1->footerText(1), QStringLiteral("100.5"));
        QCOMPARE(w.DBGridEh1->footerText(2), QStringLiteral("20.25"));
        QCOMPARE(w.DBGridEh1->footerText(3), QString());
        QCOMPARE(w.ADOQuery1.money(QStringLiteral("SR")), Money::parse(QStringLiteral("80.25")).value());

        Tfrmbank_yearMonth m(nullptr);
        m.show();
        m.runYear(QStringLiteral("2024"));
        QCOMPARE(m.ADOQuery1.rowCount(), 2); // one row per account in May
        QCOMPARE(m.DBGridEh1->footerText(3), QStringLiteral("103.5"));
        QCOMPARE(m.DBGridEh1->footerText(4), QStringLiteral("21.25"));
    }

    // Every row of the statistics by day shows its time of day, midnight's too.
    void byDayRowsShowTheTimeOfDay()
    {
        for (int which : {4, 5}) {
            auto w = makeWindow(which);
            w->show();
            auto* range = static_cast<DateRangeStatisticsForm*>(w.get());
            range->DBDateTimeEditEh1->setValue(QDate(2024, 5, 1));
            range->DBDateTimeEditEh2->setValue(QDate(2024, 5, 2));
            w->RzToolButton2->trigger();
            QStringList shown;
            for (int r = 0; r < w->ADOQuery1.rowCount(); ++r)
                shown << w->DBGridEh1->model()->cellText(r, 0);
            QVERIFY2(shown.size() >= 2, qPrintable(shown.join(u'|')));
            for (const QString& text : shown)
                QVERIFY2(text.contains(QStringLiteral("00:00:00")) || text.contains(QStringLiteral("09:00:00")),
                         qPrintable(text));
            QVERIFY(shown.filter(QStringLiteral("00:00:00")).size() >= 1);
        }
    }

    void titleClickSortsTheRowsShown()
    {
        TfrmCountByZhanYao w(nullptr);
        w.show();
        w.DBDateTimeEditEh1->setValue(QDate(2024, 5, 1));
        w.DBDateTimeEditEh2->setValue(QDate(2024, 5, 2));
        w.RzToolButton2Click();
        QCOMPARE(w.ADOQuery1.rowCount(), 2);
        const int df = 2;
        w.DBGridEh1->titleClicked(df, false);
        QCOMPARE(w.ADOQuery1.valueAt(0, w.ADOQuery1.fieldIndex(QStringLiteral("ZhanYao"))).toString(), QStringLiteral("办公费"));
        w.DBGridEh1->titleClicked(df, false);
        QCOMPARE(w.ADOQuery1.valueAt(0, w.ADOQuery1.fieldIndex(QStringLiteral("ZhanYao"))).toString(), QStringLiteral("差旅费"));
        QCOMPARE(w.DBGridEh1->footerText(df), QStringLiteral("21.25"));
    }

    void missingDateKeepsTheRows_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("clearStart");
        QTest::newRow("cash by summary, no start") << 2 << true;
        QTest::newRow("bank by summary, no end") << 3 << false;
        QTest::newRow("cash by day, no end") << 4 << false;
        QTest::newRow("bank by day, no start") << 5 << true;
    }
    void missingDateKeepsTheRows()
    {
        QFETCH(int, which);
        QFETCH(bool, clearStart);
        auto w = makeWindow(which);
        auto* r = static_cast<DateRangeStatisticsForm*>(w.get());
        w->show();
        // Both empty at first: refused.
        r->RzToolButton2->trigger();
        QCOMPARE(messages->texts(), QStringList{errorBoxText(QStringLiteral("统计日期不能为空"))});
        r->DBDateTimeEditEh1->setValue(QDate(2024, 5, 1));
        r->DBDateTimeEditEh2->setValue(QDate(2024, 5, 2));
        r->RzToolButton2->trigger();
        const int rows = w->ADOQuery1.rowCount();
        QVERIFY(rows > 0);
        (clearStart ? r->DBDateTimeEditEh1 : r->DBDateTimeEditEh2)->clearValue();
        messages->clear();
        r->RzToolButton2->trigger();
        QCOMPARE(messages->texts(), QStringList{errorBoxText(QStringLiteral("统计日期不能为空"))});
        QCOMPARE(w->ADOQuery1.rowCount(), rows);
    }

    void datesSurviveReshowingTheAccountDoesNot()
    {
        TfrmBankTJByZhanYao w(nullptr);
        w.show();
        QVERIFY(w.DBDateTimeEditEh1->isEmpty());
        QCOMPARE(w.ComboBox1->count(), 2);
        w.DBDateTimeEditEh1->setValue(QDate(2024, 5, 1));
        w.DBDateTimeEditEh2->setValue(QDate(2024, 5, 2));
        w.ComboBox1->setEditText(QStringLiteral("建行"));
        w.RzToolButton2Click();
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
        QCOMPARE(w.ADOQuery1.text(QStringLiteral("KaiHuBank")), QStringLiteral("建行"));
        w.close();
        TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES ('农行')"));
        w.show();
        QCOMPARE(w.DBDateTimeEditEh1->value(), QDate(2024, 5, 1));
        QCOMPARE(w.DBDateTimeEditEh2->value(), QDate(2024, 5, 2));
        QCOMPARE(w.ComboBox1->currentText(), QString());
        QCOMPARE(w.ComboBox1->count(), 3);
        w.RzToolButton2Click();
        QCOMPARE(w.ADOQuery1.rowCount(), 2); // every account again
        QVERIFY(w.ADOQuery1.locate(QStringLiteral("KaiHuBank"), QStringLiteral("工行")));
    }

    void emptyYearRunsNothing()
    {
        TfrmXJTJ_YearMonth w(nullptr);
        w.show();
        w.runYear(QStringLiteral("2024"));
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
        const QString sql = w.ADOQuery1.sql();
        w.runYear(QString());
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
        QCOMPARE(w.ADOQuery1.sql(), sql);
    }

    void statisticsAskTheYear()
    {
        TfrmXJTJ_YearMonth w(nullptr);
        w.show();
        whenModal([](QWidget* d) {
            auto* picker = qobject_cast<TfrmAddtion*>(d);
            QVERIFY(picker);
            picker->ComboBox1->setCurrentText(QStringLiteral("2024"));
            picker->Button1->click();
        });
        w.RzToolButton2->trigger();
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
        QCOMPARE(w.ADOQuery1.value(QStringLiteral("monthF")).toInt(), 5);
    }

    void pickerYearsAndResult_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("result");
        QTest::newRow("confirmed listed year") << "2001" << true << "2001";
        QTest::newRow("confirmed typed year beyond the list") << "2031" << true << "2031";
        QTest::newRow("confirmed nothing") << "" << true << "";
        QTest::newRow("closed without confirming") << "2001" << false << "";
    }
    void pickerYearsAndResult()
    {
        QFETCH(QString, typed);
        QFETCH(bool, confirm);
        QFETCH(QString, result);
        whenModal([typed, confirm](QWidget* d) {
            auto* picker = qobject_cast<TfrmAddtion*>(d);
            QVERIFY(picker);
            QCOMPARE(picker->windowTitle(), QStringLiteral("选择年度"));
            QCOMPARE(picker->ComboBox1->count(), 31);
            QCOMPARE(picker->ComboBox1->itemText(0), QStringLiteral("1996"));
            QCOMPARE(picker->ComboBox1->itemText(30), QStringLiteral("2026"));
            QCOMPARE(picker->ComboBox1->currentIndex(), -1);
            QTest::keyClicks(picker->ComboBox1, typed);
            if (confirm)
                picker->Button1->click();
            else
                picker->reject(); // the caption's close box
        });
        QCOMPARE(PickYear(nullptr), result);
    }

    void pickerTypesDigitsOnly()
    {
        TfrmAddtion picker(nullptr);
        picker.fillYears();
        picker.show();
        QTest::keyClicks(picker.ComboBox1, QStringLiteral("2a0-2 4x"));
        QCOMPARE(picker.ComboBox1->currentText(), QStringLiteral("2024"));
        QTest::keyClick(picker.ComboBox1, Qt::Key_Backspace);
        QCOMPARE(picker.ComboBox1->currentText(), QStringLiteral("2024"));
        // Keys that type nothing still work.
        QTest::keyClick(picker.ComboBox1, Qt::Key_Left);
        QTest::keyClick(picker.ComboBox1, Qt::Key_Delete);
        QCOMPARE(picker.ComboBox1->currentText(), QStringLiteral("202"));
    }

    void amountFieldsTakeDigitsOnly()
    {
        Dataset list;
        TfrmXJSearch s(nullptr, &list);
        s.show();
        for (QLineEdit* e : {s.Edit2, s.Edit3, s.Edit4, s.Edit9}) {
            QTest::keyClicks(e, QStringLiteral("1a.5-0 "));
            QCOMPARE(e->text(), QStringLiteral("150"));
            QTest::keyClick(e, Qt::Key_Backspace);
            QCOMPARE(e->text(), QStringLiteral("15"));
        }
        QTest::keyClicks(s.Edit1, QStringLiteral("a.1"));
        QCOMPARE(s.Edit1->text(), QStringLiteral("a.1"));
    }

    void searchFillsTheListAndStaysOpen()
    {
        TestDatabase::exec(QStringLiteral("INSERT INTO ZhanYao (ZhanYao) VALUES ('办公费'), ('差旅费')"));
        Dataset list;
        list.open(QStringLiteral("Select * from XJRJZ where 1<>1"));
        TfrmXJSearch s(nullptr, &list);
        QCOMPARE(s.windowTitle(), QStringLiteral("查找"));
        QCOMPARE(s.ComboBox1->count(), 2);
        TestDatabase::exec(QStringLiteral("INSERT INTO ZhanYao (ZhanYao) VALUES ('工资')"));
        s.show();
        QCOMPARE(s.ComboBox1->count(), 2); // read once, at creation
        QCOMPARE(s.DateTimePicker1->date(), QDate::currentDate().addDays(-30));
        QCOMPARE(s.DateTimePicker2->date(), QDate::currentDate());
        s.DateTimePicker1->setDate(QDate(2024, 5, 1));
        s.DateTimePicker2->setDate(QDate(2024, 5, 1));
        s.Button1->click();
        QVERIFY(s.isVisible());
        QCOMPARE(list.rowCount(), 3);
        s.ComboBox1->setEditText(QStringLiteral("办公费"));
        s.Button1->click();
        QCOMPARE(list.rowCount(), 2);
        QCOMPARE(list.text(QStringLiteral("PingZhengNo")), QStringLiteral("A1"));
        s.Edit2->setText(QStringLiteral("3"));
        s.Edit3->setText(QStringLiteral("3"));
        s.Button1->click();
        QCOMPARE(list.rowCount(), 1);
        QCOMPARE(list.text(QStringLiteral("PingZhengNo")), QStringLiteral("A3"));
        QVERIFY(messages->shown.isEmpty());
        // The next showing empties every text.
        s.Button2->click();
        QVERIFY(!s.isVisible());
        s.show();
        QCOMPARE(s.ComboBox1->currentText(), QString());
        QCOMPARE(s.Edit2->text(), QString());
        QCOMPARE(s.ComboBox1->currentIndex(), -1);
    }

    void pastedBoundIsRefusedAndTheListKept()
    {
        Dataset list;
        TfrmXJSearch s(nullptr, &list);
        s.show();
        s.DateTimePicker1->setDate(QDate(2024, 5, 1));
        s.DateTimePicker2->setDate(QDate(2024, 5, 1));
        s.Button1->click();
        QCOMPARE(list.rowCount(), 3);
        const QString sql = list.sql();
        s.Edit4->setText(QStringLiteral("1"));
        s.Edit9->setText(QStringLiteral("-2")); // as pasted: the key filter never saw it
        s.Button1->click();
        QCOMPARE(messages->shown.size(), 1);
        QVERIFY2(messages->last().contains(QStringLiteral("-2")), qPrintable(messages->last()));
        QVERIFY(list.isOpen());
        QCOMPARE(list.rowCount(), 3);
        QCOMPARE(list.sql(), sql);
    }

    void bankSearchKeepsItsCriteria()
    {
        Dataset list;
        TfrmBankJZSearch s(nullptr, &list);
        QCOMPARE(s.windowTitle(), QStringLiteral("查询"));
        s.show();
        QCOMPARE(s.DateTimePicker1->date(), QDate::currentDate().addDays(-1));
        QCOMPARE(s.DateTimePicker2->date(), QDate::currentDate());
        QCOMPARE(s.ComboBox2->count(), 2);
        QCOMPARE(s.ComboBox2->currentText(), QString());
        s.DateTimePicker1->setDate(QDate(2024, 5, 1));
        s.DateTimePicker2->setDate(QDate(2024, 5, 1));
        s.ComboBox2->setEditText(QStringLiteral("工行"));
        s.Edit7->setText(QStringLiteral("  "));
        s.Edit1->setText(QStringLiteral("A3"));
        s.Button1->click();
        QCOMPARE(list.rowCount(), 1);
        s.Edit1->setText(QString());
        s.Button1->click();
        QCOMPARE(list.rowCount(), 2);
        s.Button2->click();
        TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES ('农行')"));
        s.show();
        QCOMPARE(s.ComboBox2->count(), 3);
        QCOMPARE(s.ComboBox2->currentText(), QString());
        QCOMPARE(s.Edit7->text(), QStringLiteral("  "));
        s.DateTimePicker1->setDate(QDate(2024, 5, 1));
        s.DateTimePicker2->setDate(QDate(2024, 5, 1));
        s.Button1->click();
        QCOMPARE(list.rowCount(), 3); // every account
    }
};

QTEST_MAIN(TestReportWindows)
#include "test_report_windows.moc"
