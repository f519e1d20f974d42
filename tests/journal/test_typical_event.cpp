// The road of a typical event, end to end: log in, open the cash journal, "新增", pick a
// summary, type an amount, "保存", and find the entry with its balance in the list and the file.
#include "JournalUiFixture.h"

#include "DBEdit.h"
#include "DBGrid.h"
#include "Database.h"
#include "uAddXJRJZ.h"
#include "uLogin.h"
#include "uXJRJ.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace JournalFixture;
using namespace JournalUi;

class TestTypicalEvent : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addingACashEntry()
    {
        // The accounting period is this month, so the new entry's "now" belongs to it.
        World world(QDateTime::currentDateTime());
        const QString now = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        addCash(now + QStringLiteral(" 00:00:00"), QStringLiteral("100"), QString());
        TestDatabase::exec(QStringLiteral("UPDATE XJRJZ SET YuE = 1000000"));
        DM->CurrentUser.clear();

        TfrmLogin login(nullptr);
        login.FormShow();
        login.ComboBox1->setEditText(QStringLiteral("ADMIN"));
        login.Edit2->setText(Database::deliveredPassword);
        login.btnOK->click();
        QCOMPARE(DM->CurrentUser, QStringLiteral("admin"));
        QVERIFY(DM->HasRight(QStringLiteral("F5")));

        TfrmXJRJ window(nullptr);
        window.show();
        QCOMPARE(window.ADOQuery1.rowCount(), 1);

        bool walked = false;
        whenModal([&] {
            TfrmAddXJRJZ* dialog = frmAddXJRJZ;
            QVERIFY(dialog && dialog->isVisible());
            pickSummaryWhenShown(u8("销售收入"));
            dialog->summaryButton->click();
            QCOMPARE(dialog->summaryBox->text(), u8("销售收入"));
            QVERIFY(!dialog->debitBox->isReadOnly());
            dialog->debitBox->setFocus();
            dialog->debitBox->selectAll();
            QTest::keyClicks(dialog->debitBox, QStringLiteral("58.5"));
            dialog->btnSave->click();
            QCOMPARE(world.messages.last(), u8("保存成功!"));
            QVERIFY(dialog->isVisible());
            walked = true;
            dialog->btnExit->click();
        });
        window.RzToolButton2->click();
        QVERIFY(walked);
        QVERIFY(!frmAddXJRJZ);

        // The list shows the month with both balances, the new entry last; so does the file.
        QCOMPARE(window.ADOQuery1.rowCount(), 2);
        window.ADOQuery1.last();
        QCOMPARE(window.ADOQuery1.text(QStringLiteral("ZhanYao")), u8("销售收入"));
        QCOMPARE(window.ADOQuery1.money(QStringLiteral("JieFang")).toString(), QStringLiteral("58.5"));
        QCOMPARE(window.ADOQuery1.money(QStringLiteral("YuE")).toString(), QStringLiteral("158.5"));
        window.ADOQuery1.first();
        QCOMPARE(window.ADOQuery1.money(QStringLiteral("YuE")).toString(), QStringLiteral("100"));
        const qlonglong id = TestDatabase::scalar(QStringLiteral("SELECT max(autoID) FROM XJRJZ")).toLongLong();
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), id), QStringLiteral("158.5"));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT Fillter FROM XJRJZ WHERE autoID=?"), {id}).toString(),
                 QStringLiteral("admin"));
        QVERIFY(TestDatabase::scalar(QStringLiteral("SELECT YeWuRQ FROM XJRJZ WHERE autoID=?"), {id}).toString().startsWith(now));
        QCOMPARE(window.DBGridEh1->footerText(6), QStringLiteral("158.5"));
    }
};

QTEST_MAIN(TestTypicalEvent)
#include "test_typical_event.moc"
