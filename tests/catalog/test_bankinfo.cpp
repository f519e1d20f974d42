// The bank account catalogue window on a real database file.
#include "BankAccounts.h"
#include "CatalogTestKit.h"
#include "DBEdit.h"
#include "DBGrid.h"
#include "DBNavigator.h"
#include "FakeMessages.h"
#include "Messages.h"
#include "TestDatabase.h"
#include "u_BankInfo.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

using Kind = FakeMessages::Kind;
using CatalogTestKit::Expect;
using CatalogTestKit::type;

namespace {
const QString kQuoted = QStringLiteral("农行'城东'支行");

void addBank(const QString& name) { TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES (?)"), {name}); }
int banks() { return TestDatabase::scalar(QStringLiteral("Select count(*) From bankInfo")).toInt(); }
const QString kQuestion = QStringLiteral("确定要删除该条记录吗？");
}

class TestBankInfo : public QObject, CatalogTestKit::Fixture<TfrmbankInfo> {
    Q_OBJECT

    void verifyControls(Expect e)
    {
        CatalogTestKit::verifyControls({form->btnAdd, form->btnModify, form->btnSave, form->btnCancel, {form->DBEdit1},
                                        {form->btnDelete, form->btnExit, form->DBGridEh1, form->DBNavigator1}},
                                       e);
    }

private Q_SLOTS:
    void init()
    {
        start();
        addBank(QStringLiteral("工行营业部"));
        addBank(kQuoted);
        addBank(QStringLiteral("建行高新支行"));
    }
    void cleanup() { stop(); }

    void captionsAndColumn()
    {
        open();
        QCOMPARE(form->windowTitle(), QStringLiteral("开户银行"));
        QCOMPARE(form->Label1->text(), QStringLiteral("开户银行："));
        QCOMPARE(form->Label1->buddy(), form->DBEdit1);
        QStringList captions;
        for (QPushButton* b : {form->btnAdd, form->btnModify, form->btnDelete, form->btnCancel, form->btnSave, form->btnExit})
            captions << b->text();
        QCOMPARE(captions, (QStringList{QStringLiteral("增加"), QStringLiteral("修改"), QStringLiteral("删除"), QStringLiteral("取消"),
                                        QStringLiteral("保存"), QStringLiteral("退出")}));
        QCOMPARE(form->DBGridEh1->columns().size(), 1);
        QCOMPARE(form->DBGridEh1->columns()[0].title, QStringLiteral("开户银行"));
        QCOMPARE(form->DBGridEh1->columns()[0].field, QStringLiteral("bankName"));
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("工行营业部"));
    }

    void controlStatesAfterEveryCommand()
    {
        open();
        verifyControls(Expect::Browsing);
        form->btnAdd->click();
        verifyControls(Expect::Inserting);
        form->btnCancel->click();
        verifyControls(Expect::Browsing);
        form->btnModify->click();
        verifyControls(Expect::Editing);
        form->btnCancel->click();
        verifyControls(Expect::Browsing);
        form->btnAdd->click();
        type(form->DBEdit1, QStringLiteral("招行"));
        form->btnSave->click();
        verifyControls(Expect::Browsing);
        form->btnModify->click();
        form->btnSave->click();
        verifyControls(Expect::Browsing);
        form->btnDelete->click();
        verifyControls(Expect::Browsing);
        form->DBNavigator1->firstButton()->click();
        verifyControls(Expect::Browsing);
        QCOMPARE(messages->texts(), QStringList{kQuestion});
    }

    void emptyListAtOpeningLeavesTheControlsAsBuilt()
    {
        TestDatabase::exec(QStringLiteral("DELETE FROM bankInfo"));
        open();
        for (QPushButton* b : {form->btnAdd, form->btnModify, form->btnDelete, form->btnCancel, form->btnSave, form->btnExit})
            QVERIFY(b->isEnabled());
        QVERIFY(!form->DBEdit1->isReadOnly());
    }

    void listIsReadAgainAtEveryOpening()
    {
        open();
        QCOMPARE(form->ADOQuery1.rowCount(), 3);
        addBank(QStringLiteral("中行"));
        form->hide();
        form->show();
        QCOMPARE(form->ADOQuery1.rowCount(), 4);
        form->DBNavigator1->lastButton()->click();
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("中行"));
    }

    void blankNameIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks") << QStringLiteral("   ");
    }
    void blankNameIsRefused()
    {
        QFETCH(QString, name);
        open();
        form->btnAdd->click();
        type(form->DBEdit1, name);
        form->btnSave->click();
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].kind, Kind::Error);
        QCOMPARE(messages->shown[0].text, errorBoxText(QStringLiteral("开户银行不能为空")));
        QCOMPARE(form->ADOQuery1.state(), Dataset::State::Inserting);
        verifyControls(Expect::Inserting);
        QCOMPARE(banks(), 3);
    }

    void savedNamesReachTheOtherWindowsInTableOrder()
    {
        open();
        form->btnAdd->click();
        type(form->DBEdit1, QStringLiteral(" 中行 "));
        form->btnSave->click();
        QVERIFY(messages->shown.isEmpty());
        form->DBNavigator1->firstButton()->click();
        form->btnModify->click();
        type(form->DBEdit1, QStringLiteral("工行总行"));
        form->btnSave->click();
        QCOMPARE(BankAccountNames(), (QStringList{QStringLiteral("工行总行"), kQuoted, QStringLiteral("建行高新支行"), QStringLiteral(" 中行 ")}));
    }

    void deleteIsRefusedWhileABankEntryNamesTheAccount_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("plain name") << 0;
        QTest::newRow("quoted name") << 1;
    }
    void deleteIsRefusedWhileABankEntryNamesTheAccount()
    {
        QFETCH(int, row);
        open();
        form->ADOQuery1.moveTo(row);
        const QString name = form->ADOQuery1.text(QStringLiteral("bankName"));
        TestDatabase::exec(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, Zhanyao, Fillter, KaiHuBank) VALUES ('2018-11-30 23:59:59', '存款', 'lisi', ?)"), {name});
        CatalogTestKit::verifyDeleteGuard(form->btnDelete, *messages, QStringLiteral("DELETE FROM YHRJZ"), kQuestion, banks, 3);
        QCOMPARE(TestDatabase::scalar(QStringLiteral("Select count(*) From bankInfo where bankName = ?"), {name}).toInt(), 0);
    }

    void cashEntriesDoNotProtectAnAccount()
    {
        TestDatabase::exec(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, Fillter, Detail) VALUES ('2024-03-01 00:00:00', '工行营业部', 'admin', '工行营业部')"));
        QCOMPARE(Catalog::referenceCount(Catalog::bankAccounts(), QStringLiteral("工行营业部")), 0);
        open();
        form->btnDelete->click();
        QCOMPARE(banks(), 2);
    }

    void answeringNoKeepsTheRow()
    {
        open();
        CatalogTestKit::verifyNoKeepsTheRow(form->btnDelete, *messages, kQuestion, banks);
        QCOMPARE(banks(), 3);
    }

    void renamedAccountIsNoLongerProtected()
    {
        open();
        TestDatabase::exec(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, Zhanyao, Fillter, KaiHuBank) VALUES ('2024-03-02 08:00:00', '存款', 'admin', '工行营业部')"));
        form->btnModify->click();
        type(form->DBEdit1, QStringLiteral("工行新营业部"));
        form->btnSave->click();
        QCOMPARE(TestDatabase::scalar(QStringLiteral("Select KaiHuBank From YHRJZ")).toString(), QStringLiteral("工行营业部"));
        form->btnDelete->click();
        QCOMPARE(messages->texts(), QStringList{kQuestion});
        QCOMPARE(banks(), 2);
    }

    void nothingToDelete()
    {
        TestDatabase::exec(QStringLiteral("DELETE FROM bankInfo"));
        open();
        CatalogTestKit::verifyNothingToDelete(form->btnDelete, *messages);
        // A row without a name counts as nothing to delete as well.
        TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES (NULL)"));
        form->hide();
        form->show();
        messages->clear();
        form->btnDelete->click();
        QCOMPARE(messages->texts(), QStringList{errorBoxText(QStringLiteral("没有要删除的记录"))});
        QCOMPARE(banks(), 1);
    }

    void exitCloses()
    {
        open();
        form->btnExit->click();
        QVERIFY(!form->isVisible());
    }

    void referenceIsClearedOnDestruction()
    {
        frmbankInfo = new TfrmbankInfo(nullptr);
        delete frmbankInfo;
        QCOMPARE(frmbankInfo, nullptr);
    }
};

QTEST_MAIN(TestBankInfo)
#include "test_bankinfo.moc"
