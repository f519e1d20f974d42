// Both entry dialogs over a real journal list: bound boxes, the summary pick, the amount boxes,
// the buttons, the save checks and the save, "增加", "取消" and closing.
#include "JournalUiFixture.h"
#include "TypeInto.h"

#include "Application.h"
#include "Balances.h"
#include "DBEdit.h"
#include "Dataset.h"
#include "u_addBankJZ.h"
#include "uAddXJRJZ.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

using namespace JournalFixture;
using namespace JournalUi;

namespace {
const QString period = QStringLiteral("2024-03-15");

// A journal list as the window holds it, and a dialog over it.
struct Scene {
    explicit Scene(JournalKind kind) : kind(kind)
    {
        Journals::OpenPeriodListing(list, kind, period, DM->CurrentUser);
        if (kind == JournalKind::Cash)
            dialog = std::make_unique<TfrmAddXJRJZ>(nullptr, list);
        else
            dialog = std::make_unique<TfrmAddBankJZ>(nullptr, list);
    }
    // As the window's "新增" prepares it.
    void startNew(const QDateTime& when = QDateTime(QDate(2024, 3, 10), QTime(10, 11, 12)))
    {
        dialog->setPickers(when);
        list.append();
        dialog->UpdateButtons();
    }
    void pick(const QString& summary)
    {
        pickSummaryWhenShown(summary);
        dialog->summaryButtonClick();
    }
    JournalKind kind;
    Dataset list;
    std::unique_ptr<JournalEntryDialog> dialog;
};

void type(DBEdit* box, const QString& text) { typeInto(box, text); }

bool isSkyBlue(const QWidget* w) { return w->palette().color(QPalette::Base) == JournalEntryDialog::skyBlue(); }
bool isWindowColour(const QWidget* w) { return w->palette().color(QPalette::Base) == QApplication::palette(w).color(QPalette::Base); }
} // namespace

class TestEntryDialogs : public QObject {
    Q_OBJECT
    std::unique_ptr<World> world;

private Q_SLOTS:
    void init() { world = std::make_unique<World>(); }
    void cleanup() { world.reset(); }

    void kinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("cash") << int(JournalKind::Cash);
        QTest::newRow("bank") << int(JournalKind::Bank);
    }

    void designOfEachKind_data() { kinds_data(); }
    void designOfEachKind()
    {
        QFETCH(int, kind);
        Scene s{JournalKind(kind)};
        const bool bank = s.kind == JournalKind::Bank;
        QCOMPARE(s.dialog->windowTitle(), bank ? u8("银行日记账") : u8("现金日记账"));
        if (bank) {
            QCOMPARE(s.dialog->size(), QSize(385, 371));
            QCOMPARE(s.dialog->ComboBox1->count(), 2);
            QCOMPARE(s.dialog->ComboBox1->currentText(), QString());
            QVERIFY(s.dialog->ComboBox1->isEditable());
        } else {
            QVERIFY(s.dialog->windowState() & Qt::WindowMaximized);
            QVERIFY(!s.dialog->ComboBox1);
        }
        // The buttons top to bottom.
        QList<QPushButton*> buttons{s.dialog->btnAdd, s.dialog->btnSave, s.dialog->btnCancel, s.dialog->btnExit};
        s.dialog->show();
        std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->y() < b->y(); });
        QStringList order;
        for (QPushButton* b : buttons)
            order << b->text();
        QCOMPARE(order, bank ? (QStringList{u8("增加"), u8("取消"), u8("保存"), u8("退出")})
                             : (QStringList{u8("增加"), u8("保存"), u8("取消"), u8("退出")}));
        // Read-only boxes and colours before any pick.
        QVERIFY(s.dialog->summaryBox->isReadOnly() && isSkyBlue(s.dialog->summaryBox));
        QVERIFY(s.dialog->categoryBox->isReadOnly() && isSkyBlue(s.dialog->categoryBox));
        QVERIFY(s.dialog->balanceBox->isReadOnly());
        QCOMPARE(isSkyBlue(s.dialog->balanceBox), !bank);
        QVERIFY(!s.dialog->debitBox->isReadOnly() && isWindowColour(s.dialog->debitBox));
        QVERIFY(!s.dialog->creditBox->isReadOnly() && isWindowColour(s.dialog->creditBox));
        // The glyph button speaks to assistive technology, and labels lead to their boxes.
        QVERIFY(!s.dialog->summaryButton->toolTip().isEmpty());
        QVERIFY(!s.dialog->summaryButton->accessibleName().isEmpty());
        for (QLabel* l : s.dialog->findChildren<QLabel*>())
            QVERIFY2(l->buddy(), qPrintable(l->text()));
        // Designer names of the bound boxes, each bound to its field.
        const QStringList names = JournalEntryDialog::boxNames(s.kind);
        const QList<DBEdit*> boxes{s.dialog->voucherBox, s.dialog->summaryBox, s.dialog->categoryBox, s.dialog->detailBox,
                                   s.dialog->debitBox,   s.dialog->creditBox,  s.dialog->balanceBox,  s.dialog->invoiceBox,
                                   s.dialog->handlerBox, s.dialog->remarkBox};
        const QStringList fields{QStringLiteral("PingZhengNo"), bank ? QStringLiteral("Zhanyao") : QStringLiteral("ZhanYao"),
                                 bank ? QStringLiteral("Shuxing") : QStringLiteral("ZhanYaoType"), QStringLiteral("Detail"),
                                 QStringLiteral("JieFang"), QStringLiteral("DaiFang"), QStringLiteral("YuE"),
                                 bank ? QStringLiteral("FaPiaoDW") : QStringLiteral("faPiaoDW"), QStringLiteral("JingBR"),
                                 QStringLiteral("Remark")};
        for (int i = 0; i < boxes.size(); ++i) {
            QCOMPARE(boxes[i]->objectName(), names[i]);
            QCOMPARE(boxes[i]->field(), fields[i]);
        }
    }

    void boxesFollowTheCurrentRow()
    {
        addCash(QStringLiteral("2024-03-10 08:00:00"), QStringLiteral("5"), QStringLiteral("0.25"));
        TestDatabase::exec(QStringLiteral("UPDATE XJRJZ SET PingZhengNo='V9', Detail='d', JingBR='王五', Remark='r', faPiaoDW='u'"));
        Scene s{JournalKind::Cash};
        QCOMPARE(s.dialog->voucherBox->text(), QStringLiteral("V9"));
        QCOMPARE(s.dialog->summaryBox->text(), u8("销售收入"));
        QCOMPARE(s.dialog->debitBox->text(), QStringLiteral("5"));
        QCOMPARE(s.dialog->creditBox->text(), QStringLiteral("0.25"));
        QCOMPARE(s.dialog->handlerBox->text(), u8("王五"));
        QCOMPARE(s.dialog->invoiceBox->text(), QStringLiteral("u"));
        // Typing into a box while browsing starts an edit, and the buttons follow.
        QVERIFY(s.dialog->btnAdd->isEnabled());
        QVERIFY(!s.dialog->btnSave->isEnabled());
        QTest::keyClicks(s.dialog->detailBox, QStringLiteral("x"));
        QCOMPARE(s.list.state(), Dataset::State::Editing);
        QVERIFY(!s.dialog->btnAdd->isEnabled());
        QVERIFY(s.dialog->btnSave->isEnabled() && s.dialog->btnCancel->isEnabled() && s.dialog->btnExit->isEnabled());
    }

    void amountBoxesFollowThePickedCategory_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("debitEditable");
        QTest::addColumn<bool>("debitBlue");
        QTest::addColumn<bool>("creditEditable");
        QTest::addColumn<bool>("creditBlue");
        QTest::newRow("increase") << u8("增加") << true << true << false << false;
        QTest::newRow("decrease") << u8("减少") << false << false << true << true;
        QTest::newRow("empty") << QString() << false << false << true << false;
        QTest::newRow("other") << u8("其他") << false << false << true << false;
    }
    void amountBoxesFollowThePickedCategory()
    {
        QFETCH(QString, category);
        QFETCH(bool, debitEditable);
        QFETCH(bool, debitBlue);
        QFETCH(bool, creditEditable);
        QFETCH(bool, creditBlue);
        TestDatabase::exec(QStringLiteral("INSERT INTO ZhanYao (KuMuCode, ZhanYao, ZYType) VALUES ('9', '测试摘要', ?)"),
                           {category.isNull() ? QVariant() : QVariant(category)});
        Scene s{JournalKind::Bank};
        s.startNew();
        s.pick(u8("测试摘要"));
        QCOMPARE(s.dialog->debitBox->isReadOnly(), !debitEditable);
        QCOMPARE(isSkyBlue(s.dialog->debitBox), debitBlue);
        QCOMPARE(isWindowColour(s.dialog->debitBox), !debitBlue);
        QCOMPARE(s.dialog->creditBox->isReadOnly(), !creditEditable);
        QCOMPARE(isSkyBlue(s.dialog->creditBox), creditBlue);
        QCOMPARE(s.dialog->categoryBox->text(), category);
        // "增加" keeps the states of the last pick.
        s.dialog->btnCancelClick();
        s.dialog->btnAddClick();
        QCOMPARE(s.dialog->debitBox->isReadOnly(), !debitEditable);
        QCOMPARE(s.dialog->creditBox->isReadOnly(), !creditEditable);
    }

    void aPickFillsTheRowAndZeroesBothAmounts_data() { kinds_data(); }
    void aPickFillsTheRowAndZeroesBothAmounts()
    {
        QFETCH(int, kind);
        Scene s{JournalKind(kind)};
        s.startNew();
        type(s.dialog->creditBox, QStringLiteral("3"));
        s.pick(u8("销售收入"));
        QCOMPARE(PickedSummary.ZhanYao, u8("销售收入"));
        QCOMPARE(s.list.text(designOf(s.kind).summaryField), u8("销售收入"));
        QCOMPARE(s.list.text(designOf(s.kind).categoryField), u8("增加"));
        QCOMPARE(s.list.text(QStringLiteral("KeMuDM")), QStringLiteral("1002"));
        QCOMPARE(s.dialog->summaryBox->text(), u8("销售收入"));
        QCOMPARE(s.dialog->debitBox->text(), QStringLiteral("0"));
        QCOMPARE(s.dialog->creditBox->text(), QStringLiteral("0"));
        QCOMPARE(s.list.state(), Dataset::State::Inserting);
        QVERIFY(s.dialog->btnSave->isEnabled());
        // The catalogue belongs to the dialog and goes with it.
        QCOMPARE(frmZhanYao->parent(), s.dialog.get());
        s.dialog.reset();
        QVERIFY(!frmZhanYao);
    }

    void closingTheCatalogueUnpickedAppliesThePreviousPick()
    {
        Scene s{JournalKind::Cash};
        s.startNew();
        // No pick in this run yet: the texts are emptied.
        s.pick(QString());
        QCOMPARE(s.dialog->summaryBox->text(), QString());
        QCOMPARE(s.list.text(QStringLiteral("KeMuDM")), QString());
        QCOMPARE(s.dialog->debitBox->text(), QStringLiteral("0"));
        s.pick(u8("办公用品"));
        type(s.dialog->creditBox, QStringLiteral("8"));
        s.pick(QString());
        QCOMPARE(s.dialog->summaryBox->text(), u8("办公用品"));
        QCOMPARE(s.dialog->categoryBox->text(), u8("减少"));
        QCOMPARE(s.dialog->creditBox->text(), QStringLiteral("0"));
        QVERIFY(s.dialog->debitBox->isReadOnly());
    }

    void saveChecksInTheirOrder_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<bool>("pick");
        QTest::addColumn<QString>("debit");
        QTest::addColumn<QString>("credit");
        QTest::addColumn<QString>("message");
        const int cash = int(JournalKind::Cash), bank = int(JournalKind::Bank);
        const QDate in(2024, 3, 31), out(2024, 4, 1);
        QTest::newRow("cash other month") << cash << out << QString() << true << "1" << "" << u8("只能在本记账年月记账!");
        QTest::newRow("cash other year") << cash << QDate(2023, 3, 5) << QString() << true << "1" << "" << u8("只能在本记账年月记账!");
        QTest::newRow("cash no summary") << cash << in << QString() << false << "1" << "" << u8("摘要不能为空!");
        QTest::newRow("cash no amount") << cash << in << QString() << true << "" << "" << u8("借方或贷方金额不能同时为空!");
        QTest::newRow("bank blank account") << bank << in << u8("   ") << true << "1" << "" << u8("银行不能为空!");
        QTest::newRow("bank month first") << bank << out << QString() << false << "" << "" << u8("只能在本记账年月记账!");
        QTest::newRow("bank no summary") << bank << in << u8("工商银行") << false << "1" << "" << u8("摘要不能为空!");
        QTest::newRow("bank no amount") << bank << in << u8("工商银行") << true << "" << " " << u8("借方或贷方金额不能同时为空!");
        QTest::newRow("not a number") << cash << in << QString() << true << "12,5" << ""
                                      << u8("借方（增加）金额无效：请输入数字，最多四位小数，且不能超出金额范围!");
        QTest::newRow("beyond money") << bank << in << u8("工商银行") << true << "" << "1000000000000000"
                                      << u8("贷方（减少）金额无效：请输入数字，最多四位小数，且不能超出金额范围!");
    }
    void saveChecksInTheirOrder()
    {
        QFETCH(int, kind);
        QFETCH(QDate, date);
        QFETCH(QString, bank);
        QFETCH(bool, pick);
        QFETCH(QString, debit);
        QFETCH(QString, credit);
        QFETCH(QString, message);
        TestDatabase::exec(QStringLiteral("UPDATE ZhanYao SET ZYType = NULL")); // both amount boxes stay open
        Scene s{JournalKind(kind)};
        s.startNew(QDateTime(date, QTime(23, 59, 59)));
        if (s.dialog->ComboBox1)
            s.dialog->ComboBox1->setEditText(bank);
        if (pick)
            s.pick(u8("销售收入"));
        s.dialog->debitBox->setReadOnly(false);
        type(s.dialog->debitBox, debit);
        type(s.dialog->creditBox, credit);
        world->messages.clear();
        s.dialog->btnSave->click();
        QCOMPARE(world->messages.shown.size(), 1);
        QCOMPARE(world->messages.shown[0].kind, FakeMessages::Kind::Information);
        QCOMPARE(world->messages.shown[0].text, message);
        QCOMPARE(world->messages.shown[0].caption, u8("提示"));
        QCOMPARE(s.list.state(), Dataset::State::Inserting);
        QVERIFY(s.dialog->btnSave->isEnabled());
        QCOMPARE(count(designOf(s.kind).table), 0);
    }

    void aMoveOffThePendingEntryRunsTheSaveChecks()
    {
        const qlonglong stored = addCash(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("5"), QString());
        Scene s{JournalKind::Cash};
        s.startNew(QDateTime(QDate(2024, 3, 20), QTime(9, 0)));
        type(s.dialog->debitBox, QStringLiteral("3")); // no summary picked
        world->messages.clear();
        QVERIFY(!runGuarded([&] { s.list.first(); }));
        QCOMPARE(world->messages.texts(), QStringList{u8("摘要不能为空!")});
        QCOMPARE(world->messages.shown[0].caption, u8("提示"));
        QCOMPARE(s.list.state(), Dataset::State::Inserting);
        QCOMPARE(count(designOf(s.kind).table), 1);

        // Once it passes, the move saves it as "保存" does, balances included.
        s.pick(u8("销售收入"));
        type(s.dialog->debitBox, QStringLiteral("3"));
        world->messages.clear();
        QVERIFY(runGuarded([&] { s.list.first(); }));
        QCOMPARE(s.list.state(), Dataset::State::Browsing);
        QCOMPARE(count(designOf(s.kind).table), 2);
        QCOMPARE(balanceOf(designOf(s.kind).table, stored), QStringLiteral("5"));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT max(YuE) FROM XJRJZ")).toLongLong(), 80000);
    }

    void saveStampsStoresRewritesAndStaysOpen_data() { kinds_data(); }
    void saveStampsStoresRewritesAndStaysOpen()
    {
        QFETCH(int, kind);
        const bool bank = JournalKind(kind) == JournalKind::Bank;
        const QString table = designOf(JournalKind(kind)).table;
        const QString account = u8("农业银行"); // typed, not among the items
        if (bank) {
            addBank(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("100"), QString(), account);
            addBank(QStringLiteral("2024-03-20 08:00:00"), QString(), QStringLiteral("30"), account);
            addBank(QStringLiteral("2024-03-20 08:00:00"), QString(), QStringLiteral("30"), u8("工商银行"));
        } else {
            addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("100"), QString());
            addCash(QStringLiteral("2024-03-20 08:00:00"), QString(), QStringLiteral("30"));
        }
        Scene s{JournalKind(kind)};
        s.dialog->show();
        s.startNew(QDateTime(QDate(2024, 3, 10), QTime(10, 11, 12, 987)));
        if (bank)
            s.dialog->ComboBox1->setEditText(QStringLiteral("  ") + account + QStringLiteral(" "));
        s.pick(u8("销售收入"));
        type(s.dialog->debitBox, QStringLiteral("12.3456"));
        type(s.dialog->voucherBox, QStringLiteral("V1"));
        s.dialog->btnSave->click();

        QCOMPARE(world->messages.texts(), QStringList{u8("保存成功!")});
        QCOMPARE(world->messages.shown[0].caption, u8("提示"));
        QVERIFY(s.dialog->isVisible());
        QCOMPARE(s.list.state(), Dataset::State::Browsing);
        QVERIFY(s.dialog->btnAdd->isEnabled() && !s.dialog->btnSave->isEnabled() && !s.dialog->btnCancel->isEnabled());
        // The list holds the set, positioned on its last entry in date order: not the saved one.
        QCOMPARE(s.list.rowCount(), 3);
        QCOMPARE(s.list.currentRow(), 2);
        QCOMPARE(s.dialog->balanceBox->text(), QStringLiteral("82.3456"));
        QCOMPARE(s.dialog->creditBox->text(), QStringLiteral("30"));
        const QVariant id = Connection::instance().scalar(QStringLiteral("SELECT autoID FROM %1 WHERE PingZhengNo='V1'").arg(table));
        QVERIFY(id.isValid());
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT Fillter FROM %1 WHERE autoID=?").arg(table), {id}).toString(),
                 QStringLiteral("admin"));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT YeWuRQ FROM %1 WHERE autoID=?").arg(table), {id}).toString(),
                 QStringLiteral("2024-03-10 10:11:12"));
        QCOMPARE(balanceOf(table, id.toLongLong()), QStringLiteral("112.3456"));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT KeMuDM FROM %1 WHERE autoID=?").arg(table), {id}).toString(),
                 QStringLiteral("1002"));
        if (bank)
            QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT KaiHuBank FROM YHRJZ WHERE autoID=?"), {id}).toString(), account);
        // The summary button without "增加" now edits the current row: the month's last entry.
        s.pick(u8("办公用品"));
        QCOMPARE(s.list.state(), Dataset::State::Editing);
        QCOMPARE(s.list.currentRow(), 2);
        QCOMPARE(s.list.text(designOf(s.kind).dateField), QStringLiteral("2024-03-20 08:00:00"));
    }

    void aRefusedSaveKeepsTheRowPending()
    {
        const qlonglong later = addCash(QStringLiteral("2024-03-20 08:00:00"), QStringLiteral("1"), QString());
        TestDatabase::exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF YuE ON XJRJZ WHEN NEW.autoID = %1 "
                                          "BEGIN SELECT RAISE(ABORT, '余额不能写入'); END").arg(later));
        Scene s{JournalKind::Cash};
        s.startNew();
        s.pick(u8("销售收入"));
        type(s.dialog->debitBox, QStringLiteral("5"));
        s.dialog->btnSave->click();
        QCOMPARE(world->messages.shown.size(), 1);
        QCOMPARE(world->messages.shown[0].kind, FakeMessages::Kind::Error);
        QVERIFY(world->messages.last().contains(u8("余额不能写入")));
        QCOMPARE(s.list.state(), Dataset::State::Inserting);
        QCOMPARE(s.dialog->debitBox->text(), QStringLiteral("5"));
        QVERIFY(s.dialog->btnSave->isEnabled());
        QCOMPARE(count(QStringLiteral("XJRJZ")), 1);
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), later), QStringLiteral("-"));
    }

    void addAppendsAndSetsThePickersToNow()
    {
        addCash(QStringLiteral("2024-03-20 08:00:00"), QStringLiteral("1"), QString());
        Scene s{JournalKind::Bank};
        s.dialog->setPickers(QDateTime(QDate(2020, 1, 1), QTime(1, 2, 3)));
        s.dialog->ComboBox1->setEditText(u8("工商银行"));
        s.dialog->btnAddClick();
        QCOMPARE(s.list.state(), Dataset::State::Inserting);
        QCOMPARE(s.dialog->DateTimePicker1->date(), QDate::currentDate());
        QCOMPARE(s.dialog->summaryBox->text(), QString());
        QCOMPARE(s.dialog->ComboBox1->currentText(), u8("工商银行"));
        QVERIFY(!s.dialog->btnAdd->isEnabled());
        // Pressed again while a row is pending it does nothing.
        s.dialog->btnAddClick();
        QCOMPARE(s.list.rowCount(), 1);
    }

    void cancelDiscardsTheChanges()
    {
        addCash(QStringLiteral("2024-03-10 08:00:00"), QStringLiteral("5"), QString());
        Scene s{JournalKind::Cash};
        // A new row disappears.
        s.startNew();
        QCOMPARE(s.list.rowCount(), 2);
        s.dialog->btnCancelClick();
        QCOMPARE(s.list.rowCount(), 1);
        QCOMPARE(s.list.state(), Dataset::State::Browsing);
        QVERIFY(s.dialog->btnAdd->isEnabled() && !s.dialog->btnCancel->isEnabled());
        // An edited row shows its stored values again.
        s.list.edit();
        type(s.dialog->debitBox, QStringLiteral("9"));
        s.dialog->btnCancel->click();
        QCOMPARE(s.dialog->debitBox->text(), QStringLiteral("5"));
        QCOMPARE(s.list.money(QStringLiteral("JieFang")).toString(), QStringLiteral("5"));
        QCOMPARE(TestDatabase::scalar(QStringLiteral("SELECT JieFang FROM XJRJZ")).toLongLong(), 50000);
    }

    void exitWithAPendingRowDiscardsIt_data() { kinds_data(); }
    void exitWithAPendingRowDiscardsIt()
    {
        QFETCH(int, kind);
        addCash(QStringLiteral("2024-03-10 08:00:00"), QStringLiteral("5"), QString());
        addBank(QStringLiteral("2024-03-10 08:00:00"), QStringLiteral("5"), QString(), u8("工商银行"));
        Scene s{JournalKind(kind)};
        s.dialog->show();
        s.list.edit();
        type(s.dialog->debitBox, QStringLiteral("9"));
        s.dialog->btnExit->click();
        QVERIFY(!s.dialog->isVisible());
        QCOMPARE(s.list.state(), Dataset::State::Browsing);
        QCOMPARE(s.list.money(QStringLiteral("JieFang")).toString(), QStringLiteral("5"));
        // A new row is dropped on close too, also when the dialog goes without closing.
        s.list.append();
        s.dialog.reset();
        QCOMPARE(s.list.rowCount(), 1);
        QCOMPARE(s.list.state(), Dataset::State::Browsing);
        QCOMPARE(count(designOf(s.kind).table), 1);
    }

    void accountItemsAreReadAtCreation()
    {
        {
            Scene s{JournalKind::Bank};
            QCOMPARE(s.dialog->ComboBox1->count(), 2);
        }
        TestDatabase::exec(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES (?)"), {u8("农业银行")});
        Scene s{JournalKind::Bank};
        QCOMPARE(s.dialog->ComboBox1->count(), 3);
        QCOMPARE(s.dialog->ComboBox1->itemText(2), u8("农业银行"));
        s.dialog->selectAccount(u8("建设银行"));
        QCOMPARE(s.dialog->ComboBox1->currentIndex(), 1);
        s.dialog->selectAccount(u8("不存在"));
        QCOMPARE(s.dialog->ComboBox1->currentText(), QString());
    }
};

QTEST_MAIN(TestEntryDialogs)
#include "test_entry_dialogs.moc"
