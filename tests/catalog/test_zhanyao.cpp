// The summary catalogue window on a real database file: control states, save checks, the
// delete guard and the pick.
#include "CatalogTestKit.h"
#include "DBEdit.h"
#include "DBGrid.h"
#include "DBNavigator.h"
#include "FakeMessages.h"
#include "Messages.h"
#include "TestDatabase.h"
#include "uZhanYao.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <memory>

using Kind = FakeMessages::Kind;
using CatalogTestKit::Expect;
using CatalogTestKit::type;

namespace {
const QString kQuoted = QStringLiteral("O'Brien's \"报销\"");

void addSummary(const QString& code, const QString& text, const QVariant& type)
{
    TestDatabase::exec(QStringLiteral("INSERT INTO ZhanYao (KuMuCode, ZhanYao, ZYType, FilltDate) VALUES (?, ?, ?, '2020-01-02 03:04:05')"),
                       {code, text, type});
}

int summaries() { return TestDatabase::scalar(QStringLiteral("Select count(*) From ZhanYao")).toInt(); }
const QString kQuestion = QStringLiteral("确定要删除吗");
}

class TestZhanYao : public QObject, CatalogTestKit::Fixture<TfrmZhanYao> {
    Q_OBJECT

    void verifyControls(Expect e)
    {
        CatalogTestKit::verifyControls({form->btnNew, form->btnModify, form->btnSave, form->btnCancel, {form->DBEdit1, form->DBEdit2},
                                        {form->btnDelete, form->btnImport, form->btnExit, form->Button1, form->RadioButton1,
                                         form->RadioButton2, form->DBGridEh1, form->DBNavigator1}},
                                       e);
    }

private Q_SLOTS:
    void init()
    {
        start();
        addSummary(QStringLiteral("101"), QStringLiteral("销售收入"), QStringLiteral("增加"));
        addSummary(QStringLiteral("102"), QStringLiteral("办公费"), QStringLiteral("减少"));
        addSummary(QStringLiteral("103"), kQuoted, QStringLiteral("减少"));
        addSummary(QStringLiteral("104"), QStringLiteral("未分类"), QVariant());
        PickedSummary = {};
    }
    void cleanup() { stop(); }

    void captionsAndColumns()
    {
        open();
        QCOMPARE(form->windowTitle(), QStringLiteral("摘要"));
        QCOMPARE(form->Label2->text(), QStringLiteral("科目代码"));
        QCOMPARE(form->Label1->text(), QStringLiteral("摘    要"));
        QCOMPARE(form->Label2->buddy(), form->DBEdit2);
        QCOMPARE(form->Label1->buddy(), form->DBEdit1);
        QCOMPARE(form->GroupBox1->title(), QStringLiteral("类别"));
        QCOMPARE(form->RadioButton1->text(), QStringLiteral("借方（增加）"));
        QCOMPARE(form->RadioButton2->text(), QStringLiteral("贷方（减少）"));
        QStringList captions;
        for (QPushButton* b : {form->btnNew, form->btnModify, form->btnSave, form->btnCancel, form->btnDelete,
                               form->btnImport, form->btnExit, form->Button1})
            captions << b->text();
        QCOMPARE(captions, (QStringList{QStringLiteral("新增"), QStringLiteral("编辑"), QStringLiteral("保存"), QStringLiteral("取消"),
                                        QStringLiteral("删除"), QStringLiteral("导出"), QStringLiteral("退出"), QStringLiteral("选中")}));
        QStringList titles, fields;
        for (const GridColumn& c : form->DBGridEh1->columns()) {
            titles << c.title;
            fields << c.field;
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("科目代码"), QStringLiteral("摘要"), QStringLiteral("摘要类别")}));
        QCOMPARE(fields, (QStringList{QStringLiteral("KuMuCode"), QStringLiteral("ZhanYao"), QStringLiteral("ZYType")}));
        QCOMPARE(form->ADODataSet1.rowCount(), 4);
        QCOMPARE(form->DBEdit2->text(), QStringLiteral("101"));
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("销售收入"));
    }

    void controlStatesAfterEveryCommand()
    {
        open();
        verifyControls(Expect::Browsing);
        form->btnNew->click();
        verifyControls(Expect::Inserting);
        form->btnCancel->click();
        verifyControls(Expect::Browsing);
        form->DBNavigator1->firstButton()->click();
        form->btnModify->click();
        verifyControls(Expect::Editing);
        form->btnCancel->click();
        verifyControls(Expect::Browsing);
        form->btnModify->click();
        form->btnSave->click();
        verifyControls(Expect::Browsing);
        form->btnNew->click();
        type(form->DBEdit2, QStringLiteral("201"));
        type(form->DBEdit1, QStringLiteral("利息"));
        form->RadioButton1->setChecked(true);
        form->btnSave->click();
        verifyControls(Expect::Browsing);
        form->btnDelete->click(); // the new row is used by no entry
        verifyControls(Expect::Browsing);
        form->btnImport->click();
        verifyControls(Expect::Browsing);
        form->DBNavigator1->lastButton()->click();
        verifyControls(Expect::Browsing);
        QCOMPARE(messages->texts(), QStringList{kQuestion});
    }

    void failedCheckKeepsTheState()
    {
        open();
        form->btnModify->click();
        type(form->DBEdit1, QString());
        form->btnSave->click();
        QCOMPARE(form->ADODataSet1.state(), Dataset::State::Editing);
        verifyControls(Expect::Editing);
    }

    void radioButtonsFollowTheRow()
    {
        open();
        QVERIFY(form->RadioButton1->isChecked());
        QVERIFY(!form->RadioButton2->isChecked());
        form->DBNavigator1->nextButton()->click();
        QVERIFY(!form->RadioButton1->isChecked());
        QVERIFY(form->RadioButton2->isChecked());
        form->DBNavigator1->lastButton()->click(); // no category
        QVERIFY(!form->RadioButton1->isChecked());
        QVERIFY(!form->RadioButton2->isChecked());
        form->DBNavigator1->firstButton()->click();
        QVERIFY(form->RadioButton1->isChecked());
        form->btnNew->click();
        QVERIFY(!form->RadioButton1->isChecked());
        QVERIFY(!form->RadioButton2->isChecked());
        form->RadioButton1->setChecked(true);
        form->btnCancel->click(); // back on the last row, which has no category
        QVERIFY(!form->RadioButton1->isChecked());
        QVERIFY(!form->RadioButton2->isChecked());
    }

    void cancellingANewRowKeepsEveryOtherRow()
    {
        open();
        form->DBNavigator1->nextButton()->click();
        form->btnNew->click();
        form->btnCancel->click();
        QCOMPARE(form->ADODataSet1.rowCount(), 4);
        QCOMPARE(form->DBGridEh1->model()->rowCount(), 4);
        QCOMPARE(form->ADODataSet1.currentRow(), 3);
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("未分类"));
        QCOMPARE(form->DBGridEh1->view()->currentIndex().row(), 3);
    }

    void saveChecksInOrder_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("radio"); // 0 none, 1 increase, 2 decrease
        QTest::addColumn<QString>("message");
        QTest::newRow("all empty") << QString() << QString() << 0 << QStringLiteral("科目代码不能为空");
        QTest::newRow("code of blanks") << QStringLiteral("   ") << QStringLiteral("利息") << 1 << QStringLiteral("科目代码不能为空");
        QTest::newRow("summary empty") << QStringLiteral("201") << QString() << 0 << QStringLiteral("摘要不能为空");
        QTest::newRow("summary of blanks") << QStringLiteral("201") << QStringLiteral("  ") << 1 << QStringLiteral("摘要不能为空");
        QTest::newRow("no category") << QStringLiteral("201") << QStringLiteral("利息") << 0 << QStringLiteral("请选择一类别");
    }
    void saveChecksInOrder()
    {
        QFETCH(QString, code);
        QFETCH(QString, text);
        QFETCH(int, radio);
        QFETCH(QString, message);
        open();
        form->btnNew->click();
        type(form->DBEdit2, code);
        type(form->DBEdit1, text);
        if (radio == 1)
            form->RadioButton1->setChecked(true);
        if (radio == 2)
            form->RadioButton2->setChecked(true);
        form->btnSave->click();
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].kind, Kind::Information);
        QCOMPARE(messages->shown[0].text, message);
        QCOMPARE(messages->shown[0].caption, QString());
        QCOMPARE(form->ADODataSet1.state(), Dataset::State::Inserting);
        QCOMPARE(summaries(), 4);
    }

    void editWithoutCategoryIsRefused()
    {
        open();
        form->DBNavigator1->lastButton()->click();
        form->btnModify->click();
        form->btnSave->click();
        QCOMPARE(messages->texts(), QStringList{QStringLiteral("请选择一类别")});
        QCOMPARE(form->ADODataSet1.state(), Dataset::State::Editing);
    }

    void insertStampsFilltDateAndKeepsTheTypedTexts()
    {
        open();
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        form->btnNew->click();
        type(form->DBEdit2, QStringLiteral(" 201 "));
        type(form->DBEdit1, QStringLiteral("利息收入"));
        form->RadioButton1->setChecked(true);
        form->btnSave->click();
        QVERIFY(messages->shown.isEmpty());
        QCOMPARE(summaries(), 5);
        const QVariant id = form->ADODataSet1.value(QStringLiteral("AutoID"));
        auto stored = [&](const char* column) {
            return TestDatabase::scalar(QStringLiteral("Select %1 From ZhanYao where AutoID = ?").arg(QLatin1String(column)), {id});
        };
        QCOMPARE(stored("KuMuCode").toString(), QStringLiteral(" 201 ")); // stored as typed
        QCOMPARE(stored("ZhanYao").toString(), QStringLiteral("利息收入"));
        QCOMPARE(stored("ZYType").toString(), QStringLiteral("增加"));
        const QDateTime stamped = QDateTime::fromString(stored("FilltDate").toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY(stamped >= before && stamped <= QDateTime::currentDateTime().addSecs(1));
        QVERIFY(stored("Code").isNull());
        QVERIFY(stored("Fillter").isNull());
    }

    void editChangesTheCategoryButNotFilltDate()
    {
        open();
        form->btnModify->click();
        type(form->DBEdit1, QStringLiteral("销售收入（零售）"));
        form->RadioButton2->setChecked(true);
        form->btnSave->click();
        QVERIFY(messages->shown.isEmpty());
        const QVariant id = form->ADODataSet1.value(QStringLiteral("AutoID"));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("Select ZhanYao || '|' || ZYType || '|' || FilltDate From ZhanYao where AutoID = ?"), {id}).toString(),
                 QStringLiteral("销售收入（零售）|减少|2020-01-02 03:04:05"));
        QCOMPARE(form->DBGridEh1->model()->data(form->DBGridEh1->model()->index(0, 2), Qt::DisplayRole).toString(), QStringLiteral("减少"));
    }

    void saveWhileBrowsingWritesNothing()
    {
        open();
        TestDatabase::exec(QStringLiteral("CREATE TRIGGER watch BEFORE UPDATE ON ZhanYao BEGIN SELECT RAISE(ABORT, 'written'); END"));
        form->btnSave->click(); // disabled for a user, but the handler itself must not write either
        form->btnSaveClick();
        QVERIFY(messages->shown.isEmpty());
    }

    void databaseErrorOnPostLeavesTheRowPending()
    {
        open();
        TestDatabase::exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON ZhanYao BEGIN SELECT RAISE(ABORT, '摘要表只读'); END"));
        form->btnNew->click();
        type(form->DBEdit2, QStringLiteral("201"));
        type(form->DBEdit1, QStringLiteral("利息"));
        form->RadioButton2->setChecked(true);
        form->btnSave->click();
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].kind, Kind::Error);
        QVERIFY(messages->shown[0].text.contains(QStringLiteral("摘要表只读")));
        QCOMPARE(form->ADODataSet1.state(), Dataset::State::Inserting);
        QCOMPARE(form->DBEdit1->text(), QStringLiteral("利息"));
    }

    void listIsReadOnceAtCreation()
    {
        open();
        addSummary(QStringLiteral("301"), QStringLiteral("别处加的"), QStringLiteral("增加"));
        form->hide();
        form->show();
        QCOMPARE(form->ADODataSet1.rowCount(), 4);
    }

    void deleteIsRefusedWhileAnyEntryCarriesTheText_data()
    {
        QTest::addColumn<QString>("journal");
        QTest::addColumn<QString>("dateColumn");
        QTest::addColumn<int>("row");
        QTest::newRow("cash entry") << QStringLiteral("XJRJZ") << QStringLiteral("YeWuRQ") << 1;
        QTest::newRow("bank entry") << QStringLiteral("YHRJZ") << QStringLiteral("yewuRQ") << 1;
        QTest::newRow("cash entry, quoted text") << QStringLiteral("XJRJZ") << QStringLiteral("YeWuRQ") << 2;
        QTest::newRow("bank entry, quoted text") << QStringLiteral("YHRJZ") << QStringLiteral("yewuRQ") << 2;
    }
    void deleteIsRefusedWhileAnyEntryCarriesTheText()
    {
        QFETCH(QString, journal);
        QFETCH(QString, dateColumn);
        QFETCH(int, row);
        TestDatabase::addOperator(QStringLiteral("lisi"), QStringLiteral("12345"), {});
        open();
        form->ADODataSet1.moveTo(row);
        const QString text = form->ADODataSet1.text(QStringLiteral("ZhanYao"));
        // Another operator's entry of another year's month.
        TestDatabase::exec(QStringLiteral("INSERT INTO %1 (%2, ZhanYao, Fillter) VALUES ('2019-07-08 10:00:00', ?, 'lisi')").arg(journal, dateColumn),
                           {text});
        // Refused with the list untouched; once the entry is gone, the summary can be deleted.
        CatalogTestKit::verifyDeleteGuard(form->btnDelete, *messages, QStringLiteral("DELETE FROM %1").arg(journal), kQuestion,
                                          [this] { return form->ADODataSet1.rowCount() == summaries() ? summaries() : -1; }, 4);
        QCOMPARE(TestDatabase::scalar(QStringLiteral("Select count(*) From ZhanYao where ZhanYao = ?"), {text}).toInt(), 0);
    }

    void guardCountsReferenceCountOverBothJournals()
    {
        TestDatabase::exec(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, Fillter) VALUES ('2024-03-01 00:00:00', ?, 'admin')"), {kQuoted});
        TestDatabase::exec(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, Zhanyao, Fillter) VALUES ('2022-01-01 00:00:00', ?, 'x')"), {kQuoted});
        QCOMPARE(Catalog::referenceCount(Catalog::summaries(), kQuoted), 2);
        QCOMPARE(Catalog::referenceCount(Catalog::summaries(), QStringLiteral("O'Brien's")), 0);
        QCOMPARE(Catalog::referenceCount(Catalog::summaries(), QStringLiteral("办公费")), 0);
    }

    void answeringNoKeepsTheRow()
    {
        open();
        CatalogTestKit::verifyNoKeepsTheRow(form->btnDelete, *messages, kQuestion, summaries);
        QCOMPARE(summaries(), 4);
        QCOMPARE(form->ADODataSet1.rowCount(), 4);
    }

    void renamedRowIsNoLongerProtected()
    {
        open();
        form->ADODataSet1.moveTo(1); // 办公费
        TestDatabase::exec(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, Fillter) VALUES ('2024-03-05 10:00:00', '办公费', 'admin')"));
        form->btnModify->click();
        type(form->DBEdit1, QStringLiteral("办公用品"));
        form->btnSave->click();
        QVERIFY(messages->shown.isEmpty());
        QCOMPARE(TestDatabase::scalar(QStringLiteral("Select ZhanYao From XJRJZ")).toString(), QStringLiteral("办公费"));
        form->btnDelete->click();
        QCOMPARE(messages->texts(), QStringList{kQuestion});
        QCOMPARE(summaries(), 3);
    }

    void pendingRenameDoesNotUnprotectTheStoredRow()
    {
        open();
        TestDatabase::exec(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, Fillter) VALUES ('2024-03-05 10:00:00', '销售收入', 'admin')"));
        form->btnModify->click();
        type(form->DBEdit1, QStringLiteral("未用的名字"));
        form->btnDelete->click();
        QCOMPARE(messages->texts(), QStringList{errorBoxText(QStringLiteral("已有日记账信息不能删除"))});
        QCOMPARE(summaries(), 4);
    }

    void emptyCatalogue()
    {
        TestDatabase::exec(QStringLiteral("DELETE FROM ZhanYao"));
        PickedSummary = {QStringLiteral("旧摘要"), QStringLiteral("增加"), QStringLiteral("9")};
        open();
        verifyControls(Expect::Browsing);
        CatalogTestKit::verifyNothingToDelete(form->btnDelete, *messages);
        form->Button1->click();
        QVERIFY(form->isVisible());
        QTest::mouseDClick(form->DBGridEh1->view()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        form->DBGridEh1DblClick();
        QVERIFY(form->isVisible());
        QCOMPARE(PickedSummary.ZhanYao, QStringLiteral("旧摘要"));
        QCOMPARE(PickedSummary.ZYType, QStringLiteral("增加"));
        QCOMPARE(PickedSummary.KuMuCode, QStringLiteral("9"));
        QCOMPARE(messages->shown.size(), 1);
    }

    void pickCopiesTheRowAndCloses()
    {
        open();
        form->ADODataSet1.moveTo(2);
        form->Button1->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(PickedSummary.ZhanYao, kQuoted);
        QCOMPARE(PickedSummary.ZYType, QStringLiteral("减少"));
        QCOMPARE(PickedSummary.KuMuCode, QStringLiteral("103"));
    }

    void doubleClickPicksTheClickedRow()
    {
        open();
        form->resize(600, 440);
        QTableView* view = form->DBGridEh1->view();
        const QRect cell = view->visualRect(form->DBGridEh1->model()->index(3, 1));
        QVERIFY(cell.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(!form->isVisible());
        // A null category is handed over as empty text.
        QCOMPARE(PickedSummary.ZhanYao, QStringLiteral("未分类"));
        QCOMPARE(PickedSummary.ZYType, QString());
        QCOMPARE(PickedSummary.KuMuCode, QStringLiteral("104"));
    }

    void closingWithoutAPickKeepsThePreviousOne()
    {
        open();
        form->Button1->click(); // 销售收入
        form->show();
        form->DBNavigator1->nextButton()->click();
        form->btnExit->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(PickedSummary.ZhanYao, QStringLiteral("销售收入"));
        form->show();
        form->DBNavigator1->lastButton()->click();
        form->close(); // the close box
        QCOMPARE(PickedSummary.ZhanYao, QStringLiteral("销售收入"));
        QCOMPARE(PickedSummary.ZYType, QStringLiteral("增加"));
        QCOMPARE(PickedSummary.KuMuCode, QStringLiteral("101"));
    }

    void catalogueOwnedByAnEntryDialogDiesWithIt()
    {
        auto* entry = new QDialog;
        QVERIFY(!frmZhanYao);
        frmZhanYao = new TfrmZhanYao(entry);
        QCOMPARE(frmZhanYao->parent(), entry);
        delete entry;
        QCOMPARE(frmZhanYao, nullptr);
        // The next opening makes a fresh window, which reads the list again.
        addSummary(QStringLiteral("301"), QStringLiteral("新加的"), QStringLiteral("增加"));
        frmZhanYao = new TfrmZhanYao(nullptr);
        QCOMPARE(frmZhanYao->ADODataSet1.rowCount(), 5);
        delete frmZhanYao;
        QCOMPARE(frmZhanYao, nullptr);
    }
};

QTEST_MAIN(TestZhanYao)
#include "test_zhanyao.moc"
