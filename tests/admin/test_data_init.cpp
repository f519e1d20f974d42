#include "u_.h"

#include "Connection.h"
#include "FakeMessages.h"
#include "TestDatabase.h"
#include "uDM.h"
#include "WindowRef.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
int count(const QString& table) { return TestDatabase::scalar(u"SELECT count(*) FROM "_s + table).toInt(); }

// Everything initialisation must leave alone, as one text.
QString untouchedContent()
{
    QString all;
    for (const QString& t : {u"ZhanYao"_s, u"bankInfo"_s, u"tuser"_s, u"FinscalYearMonth"_s}) {
        QStringList cols;
        for (const QString& col : Connection::instance().columnNames(t))
            cols << u"quote("_s + col + u')';
        all += t + u'=' + TestDatabase::scalar(u"SELECT group_concat(x, '|') FROM (SELECT "_s + cols.join(u"||','||"_s)
                                           + u" AS x FROM "_s + t + u" ORDER BY rowid)"_s)
                              .toString();
    }
    return all;
}
} // namespace

class TestDataInit : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> msgs;

private Q_SLOTS:
    void initTestCase() { DM = new TDM(QCoreApplication::instance()); }
    void init()
    {
        db = std::make_unique<TestDatabase>();
        msgs = std::make_unique<FakeMessages>();
        DM->CurrentUser = u"admin"_s;
        TestDatabase::addOperator(u"clerk"_s, u"pw"_s, {u"F5"_s});
        TestDatabase::exec(u"INSERT INTO ZhanYao (ZhanYao, ZYType, KuMuCode) VALUES ('销售收入', '增加', '1001')"_s);
        TestDatabase::exec(u"INSERT INTO bankInfo (bankName) VALUES ('工商银行')"_s);
        for (const QString& who : {u"admin"_s, u"clerk"_s}) {
            for (const QString& when : {u"2024-03-01 08:00:00"_s, u"2023-11-20 10:00:00"_s}) {
                TestDatabase::exec(u"INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JieFang, DaiFang, YuE, Fillter) VALUES (?, '销售收入', 10000, 0, 10000, ?)"_s, {when, who});
                TestDatabase::exec(u"INSERT INTO YHRJZ (yewuRQ, Zhanyao, JieFang, DaiFang, YuE, Fillter, KaiHuBank) VALUES (?, '销售收入', 10000, 0, 10000, ?, '工商银行')"_s, {when, who});
            }
        }
    }
    void cleanup()
    {
        msgs.reset();
        db.reset();
    }

    void windowTexts()
    {
        const std::unique_ptr<Tfrm_> made(&windowOf(frm_, nullptr));
        Tfrm_& f = *made;
        QCOMPARE(frm_, &f);
        QCOMPARE(f.windowTitle(), u"数据初始化"_s);
        QCOMPARE(f.CheckBox1->text(), u"删除 现金记账信息"_s);
        QCOMPARE(f.CheckBox2->text(), u"删除银行记账信"_s);
        QCOMPARE(f.RzLabel1->text(), u"提示：该操作将删除所有记账数据，\n\n     一般在软件首次使用时操作。"_s);
        QVERIFY(f.RzLabel1->styleSheet().contains(u"red"_s));
        QCOMPARE(f.Button1->text(), u"确定"_s);
        QCOMPARE(f.Button2->text(), u"退出"_s);
        QVERIFY(!f.CheckBox1->isChecked());
        QVERIFY(!f.CheckBox2->isChecked());
    }

    void ticked_data()
    {
        QTest::addColumn<bool>("cash");
        QTest::addColumn<bool>("bank");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("both") << true << true << QStringList{u"现金日记账信息已初始化完毕"_s, u"银行日记账信息已初始化完毕"_s};
        QTest::newRow("cash only") << true << false << QStringList{u"现金日记账信息已初始化完毕"_s};
        QTest::newRow("bank only") << false << true << QStringList{u"银行日记账信息已初始化完毕"_s};
        QTest::newRow("none") << false << false << QStringList{};
    }
    void ticked()
    {
        QFETCH(bool, cash);
        QFETCH(bool, bank);
        QFETCH(QStringList, messages);
        const QString before = untouchedContent();
        QVERIFY(!before.isEmpty());
        Tfrm_ f(nullptr);
        f.CheckBox1->setChecked(cash);
        f.CheckBox2->setChecked(bank);
        for (int press = 0; press < 2; ++press) { // pressing again deletes nothing more and says so again
            msgs->clear();
            f.Button1->click();
            QCOMPARE(msgs->texts(), messages);
            QCOMPARE(count(u"XJRJZ"_s), cash ? 0 : 4);
            QCOMPARE(count(u"YHRJZ"_s), bank ? 0 : 4);
            QCOMPARE(untouchedContent(), before);
            QCOMPARE(f.CheckBox1->isChecked(), cash); // the ticks stay
            QCOMPARE(f.CheckBox2->isChecked(), bank);
        }
    }

    void enterOnATickedBoxDeletesNothing()
    {
        const QString before = untouchedContent();
        Tfrm_ f(nullptr);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.CheckBox1->setFocus();
        QTest::keyClick(f.CheckBox1, Qt::Key_Space);
        QVERIFY(f.CheckBox1->isChecked());
        QTest::keyClick(f.CheckBox1, Qt::Key_Return);
        QTest::keyClick(f.CheckBox1, Qt::Key_Enter);
        QVERIFY(!f.Button1->isDefault() && !f.Button2->isDefault());
        QVERIFY(msgs->shown.isEmpty());
        QCOMPARE(count(u"XJRJZ"_s), 4);
        QCOMPARE(untouchedContent(), before);
    }

    void failedCashDeletionStopsTheRest()
    {
        TestDatabase::exec(u"CREATE TRIGGER keep_cash BEFORE DELETE ON XJRJZ BEGIN SELECT RAISE(ABORT, '现金日记账被锁定'); END"_s);
        Tfrm_ f(nullptr);
        f.CheckBox1->setChecked(true);
        f.CheckBox2->setChecked(true);
        f.Button1->click(); // through the guard, as the window runs it
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown.first().kind, FakeMessages::Kind::Error);
        QVERIFY2(msgs->shown.first().text.contains(u"现金日记账被锁定"_s), qPrintable(msgs->shown.first().text));
        QCOMPARE(count(u"XJRJZ"_s), 4);
        QCOMPARE(count(u"YHRJZ"_s), 4);
    }

    void failedBankDeletionKeepsTheCashReport()
    {
        TestDatabase::exec(u"CREATE TRIGGER keep_bank BEFORE DELETE ON YHRJZ BEGIN SELECT RAISE(ABORT, '银行日记账被锁定'); END"_s);
        Tfrm_ f(nullptr);
        f.CheckBox1->setChecked(true);
        f.CheckBox2->setChecked(true);
        f.Button1->click();
        QCOMPARE(msgs->shown.size(), 2);
        QCOMPARE(msgs->shown.at(0).text, u"现金日记账信息已初始化完毕"_s);
        QCOMPARE(msgs->shown.at(1).kind, FakeMessages::Kind::Error);
        QCOMPARE(count(u"XJRJZ"_s), 0);
        QCOMPARE(count(u"YHRJZ"_s), 4);
    }

    void emptyJournalsStillReport()
    {
        TestDatabase::exec(u"DELETE FROM XJRJZ"_s);
        TestDatabase::exec(u"DELETE FROM YHRJZ"_s);
        DataInitialisation::run(true, true, nullptr);
        QCOMPARE(msgs->texts(), (QStringList{u"现金日记账信息已初始化完毕"_s, u"银行日记账信息已初始化完毕"_s}));
    }
};

QTEST_MAIN(TestDataInit)
#include "test_data_init.moc"
