// Every path that changes an entry shows the closed month's refusal: the entry dialogs before
// posting (the row stays pending), the journal window's delete, and a delete of an entry that a
// search listed. Open months work as before.
#include "../journal/JournalUiFixture.h"
#include "TypeInto.h"

#include "Balances.h"
#include "DBEdit.h"
#include "Dataset.h"
#include "MonthClosing.h"
#include "uAddXJRJZ.h"
#include "uXJRJ.h"
#include "uXJSearch.h"
#include "u_addBankJZ.h"

#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace JournalFixture;
using namespace JournalUi;
using namespace Qt::StringLiterals;

namespace {
const QString refusal = u"2024年03月已结账，不能修改"_s;

void setPeriod(const QString& stored) { TestDatabase::exec(u"UPDATE FinscalYearMonth SET YearMonth = ?"_s, {stored}); }

// An entry dialog over a list, as a journal window holds them.
struct Scene {
    explicit Scene(JournalKind kind, const QString& periodText) : kind(kind)
    {
        Journals::OpenPeriodListing(list, kind, periodText, DM->CurrentUser);
        if (kind == JournalKind::Cash)
            dialog = std::make_unique<TfrmAddXJRJZ>(nullptr, list);
        else
            dialog = std::make_unique<TfrmAddBankJZ>(nullptr, list);
    }
    void fill(const QDateTime& when)
    {
        dialog->setPickers(when);
        if (dialog->ComboBox1)
            dialog->ComboBox1->setEditText(u"工商银行"_s);
        pickSummaryWhenShown(u"销售收入"_s);
        dialog->summaryButtonClick();
        typeInto(dialog->debitBox, u"5"_s);
    }
    JournalKind kind;
    Dataset list;
    std::unique_ptr<JournalEntryDialog> dialog;
};
} // namespace

class TestClosedMonthPaths : public QObject {
    Q_OBJECT
    std::unique_ptr<World> world;
    qlonglong marchCash = 0;

private Q_SLOTS:
    // March holds entries of both journals and is closed; the period has moved on to April.
    void init()
    {
        world = std::make_unique<World>();
        marchCash = addCash(u"2024-03-02 09:00:00"_s, u"100"_s, {});
        addBank(u"2024-03-02 09:00:00"_s, u"100"_s, {}, u"工商银行"_s);
        MonthClosing::closeMonth(u"2024-03"_s, u"admin"_s, QDateTime::currentDateTime());
        world->messages.clear();
    }
    void cleanup() { world.reset(); }

    void kinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("cash") << int(JournalKind::Cash);
        QTest::newRow("bank") << int(JournalKind::Bank);
    }

    // The period set back to the closed month: the dialog says so before posting.
    void dialogRefusesANewEntryInAClosedMonth_data() { kinds_data(); }
    void dialogRefusesANewEntryInAClosedMonth()
    {
        QFETCH(int, kind);
        setPeriod(u"2024-03-15 09:30:00"_s);
        Scene s(JournalKind(kind), u"2024-03-15"_s);
        s.list.append();
        s.fill(QDateTime(QDate(2024, 3, 10), QTime(10, 0)));
        const qlonglong before = count(designOf(s.kind).table);
        s.dialog->btnSave->click();
        QCOMPARE(world->messages.shown.size(), 1);
        QCOMPARE(world->messages.shown[0].kind, FakeMessages::Kind::Information);
        QCOMPARE(world->messages.shown[0].text, refusal);
        QCOMPARE(world->messages.shown[0].caption, u"提示"_s);
        QCOMPARE(s.list.state(), Dataset::State::Inserting);
        QVERIFY(s.dialog->btnSave->isEnabled());
        QCOMPARE(count(designOf(s.kind).table), before);
    }

    // An entry of the closed month, listed by a search, cannot be moved into the open period.
    void dialogRefusesMovingAnEntryOutOfAClosedMonth()
    {
        Scene s(JournalKind::Cash, u"2024-04-01"_s);
        s.list.open(u"SELECT * FROM XJRJZ WHERE autoID = ?"_s, {marchCash});
        s.list.edit();
        s.fill(QDateTime(QDate(2024, 4, 2), QTime(10, 0)));
        s.dialog->btnSave->click();
        QCOMPARE(world->messages.texts(), QStringList{refusal});
        QCOMPARE(s.list.state(), Dataset::State::Editing);
        QCOMPARE(TestDatabase::scalar(u"SELECT YeWuRQ FROM XJRJZ WHERE autoID = ?"_s, {marchCash}).toString(), u"2024-03-02 09:00:00"_s);
    }

    void windowDeleteShowsTheRefusal()
    {
        setPeriod(u"2024-03-15 09:30:00"_s);
        TfrmXJRJ w(nullptr);
        w.FormShow();
        QVERIFY(w.ADOQuery1.locate(u"autoID"_s, marchCash));
        w.RzToolButton4->click();
        QCOMPARE(world->messages.shown.size(), 2);
        QCOMPARE(world->messages.shown[1].kind, FakeMessages::Kind::Error);
        QVERIFY2(world->messages.shown[1].text.startsWith(refusal), qPrintable(world->messages.last()));
        QCOMPARE(count(u"XJRJZ"_s), 2); // the entry and April's carry
        QCOMPARE(w.ADOQuery1.value(u"autoID"_s).toLongLong(), marchCash);
    }

    void deleteOfASearchListedEntryShowsTheRefusal()
    {
        TfrmXJRJ w(nullptr);
        w.FormShow();
        QCOMPARE(w.ADOQuery1.rowCount(), 1); // April: the carried opening line
        TfrmXJSearch search(&w, &w.ADOQuery1);
        search.FormShow();
        search.DateTimePicker1->setDate(QDate(2024, 3, 1));
        search.DateTimePicker2->setDate(QDate(2024, 3, 30));
        search.Button1Click();
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
        QCOMPARE(w.ADOQuery1.value(u"autoID"_s).toLongLong(), marchCash);
        w.RzToolButton4->click();
        QCOMPARE(world->messages.shown.size(), 2);
        QVERIFY2(world->messages.last().startsWith(refusal), qPrintable(world->messages.last()));
        QCOMPARE(count(u"XJRJZ"_s), 2);
    }

    // The open month after it takes new entries as ever, below the carried opening line.
    void openMonthSavesBelowTheCarriedLine_data() { kinds_data(); }
    void openMonthSavesBelowTheCarriedLine()
    {
        QFETCH(int, kind);
        Scene s(JournalKind(kind), u"2024-04-01"_s);
        s.list.append();
        s.fill(QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
        s.dialog->btnSave->click();
        QCOMPARE(world->messages.texts(), QStringList{u"保存成功!"_s});
        QCOMPARE(s.list.rowCount(), 2);
        QCOMPARE(s.list.text(u"YuE"_s), u"1050000"_s);
        s.list.first();
        QCOMPARE(s.list.text(u"JieZhuanYue"_s), u"2024-03"_s);
    }
};

QTEST_MAIN(TestClosedMonthPaths)
#include "test_closed_month_paths.moc"
