// The 银行对账 window driven as a cashier would: import with preview and mapping, lines by hand,
// automatic and hand matching with the 两清 marks and the unpaired filter, undoing, the statement.
#include "DBGrid.h"
#include "FakeFileDialogs.h"
#include "FakeMessages.h"
#include "ReconcileFixture.h"
#include "uDM.h"
#include "uYinHangDuiZhang.h"
#include "uYinHangTiaoJieBiao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace ReconcileFixture;
using namespace Qt::Literals::StringLiterals;

namespace {

// The window on March 2024 of the first account.
std::unique_ptr<TfrmYinHangDuiZhang> openWindow()
{
    auto w = std::make_unique<TfrmYinHangDuiZhang>(nullptr);
    w->EditFrom->setDate(QDate(2024, 3, 1));
    w->EditTo->setDate(QDate(2024, 3, 31));
    w->show();
    return w;
}

QStringList column(const Dataset& ds, const QString& field)
{
    QStringList out;
    for (int r = 0; r < ds.rowCount(); ++r)
        out << ds.valueAt(r, ds.fieldIndex(field)).toString();
    return out;
}

void select(DBGrid* grid, const QVector<int>& rows)
{
    QItemSelectionModel* sel = grid->view()->selectionModel();
    sel->clearSelection();
    for (int r : rows)
        sel->select(grid->view()->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

class TestReconcileWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void initTestCase()
    {
        DM = new TDM(QCoreApplication::instance());
        DM->CurrentUser = u"admin"_s;
    }

    void importMatchAndUndo()
    {
        TestDatabase db;
        FakeMessages messages;
        FakeFileDialogs files;
        Command::execute(u"INSERT INTO bankInfo (bankName) VALUES (?), (?)"_s, {account, otherAccount});
        addEntry(u"2024-03-05"_s, u"5000"_s, {}, u"A0001"_s);     // 货款 in
        addEntry(u"2024-03-06"_s, {}, u"3200.5"_s);               // 付材料款 out
        addEntry(u"2024-03-20"_s, {}, u"99"_s);                   // not on the statement
        addEntry(u"2024-03-01"_s, u"10000"_s, {}, {}, account, u"期初金额"_s);
        auto w = openWindow();
        QCOMPARE(w->ComboAccount->currentText(), account);
        QCOMPARE(w->Entries.rowCount(), 3); // the brought-forward entry is not listed

        // Import: the file dialog's answer, the preview shown before anything is stored.
        const QString path = dir_.filePath(u"icbc.csv"_s);
        QVERIFY(writeStatement(u"gbk_preamble"_s, path));
        files.openAnswers << path;
        int previews = 0;
        w->confirmImport = [&](const ImportPreview& p) {
            ++previews;
            return p.fresh.size() == 4 && p.breaks.isEmpty();
        };
        w->btnImport->click();
        QCOMPARE(previews, 1);
        QCOMPARE(messages.last(), u"导入成功，共导入 4 条，跳过已导入的 0 条"_s);
        QCOMPARE(w->Lines.rowCount(), 4);
        // Cancelling the preview stores nothing.
        files.openAnswers << path;
        w->confirmImport = [](const ImportPreview&) { return false; };
        w->btnImport->click();
        QCOMPARE(count(StatementTable::table), 4);

        // 自动对账 pairs the receipt and the payment; both lists show 两清.
        w->btnAutoMatch->click();
        QCOMPARE(messages.last(), u"自动对账完成，新对上 2 笔"_s);
        QCOMPARE(column(w->Entries, u"LiangQing"_s), (QStringList{u"两清"_s, u"两清"_s, QString()}));
        QCOMPARE(column(w->Lines, u"LiangQing"_s), (QStringList{QString(), u"两清"_s, u"两清"_s, QString()}));
        QCOMPARE(w->LabelCounts->text(), u"日记账 3 条，其中两清 2 条；对账单 4 条，其中两清 2 条"_s);

        // The filter keeps the unpaired rows only.
        w->CheckUnpaired->setChecked(true);
        QCOMPARE(column(w->Entries, u"Zhanyao"_s), QStringList{u"货款"_s});
        QCOMPARE(column(w->Lines, u"ZhanYao"_s), (QStringList{u"上日余额"_s, u"结息"_s}));
        w->CheckUnpaired->setChecked(false);

        // A hand pair with sums that differ is refused with a message; undoing a pair by one
        // of its rows clears the marks on both sides.
        select(w->GridEntries, {2});
        select(w->GridLines, {3});
        w->btnHandMatch->click();
        QCOMPARE(messages.last(), u"金额不符，不能对账：日记账借方（增加）0、贷方（减少）99；对账单收入 1.25、支出 0"_s);
        select(w->GridLines, {1});
        w->btnUnmatch->click();
        QCOMPARE(column(w->Entries, u"LiangQing"_s), (QStringList{QString(), u"两清"_s, QString()}));
        QCOMPARE(pairs().size(), 1);
    }

    void linesByHandAndTheMappingDialog()
    {
        TestDatabase db;
        FakeMessages messages;
        Command::execute(u"INSERT INTO bankInfo (bankName) VALUES (?)"_s, {account});
        auto w = openWindow();

        // 新增: the dialog's line is stored for the account.
        w->editLine = [](StatementLine& l) {
            l.when = QDateTime(QDate(2024, 3, 9), QTime(10, 0), Qt::UTC);
            l.summary = u"手续费"_s;
            l.out = Money::parse(u"15"_s).value();
            return true;
        };
        w->btnAddLine->click();
        QCOMPARE(column(w->Lines, u"ZhanYao"_s), QStringList{u"手续费"_s});
        // 修改 and 删除 (after the question).
        w->editLine = [](StatementLine& l) {
            l.summary = u"账户管理费"_s;
            return true;
        };
        w->btnEditLine->click();
        QCOMPARE(column(w->Lines, u"ZhanYao"_s), QStringList{u"账户管理费"_s});
        messages.answers << false;
        select(w->GridLines, {0});
        w->btnDeleteLine->click();
        QCOMPARE(w->Lines.rowCount(), 1);
        w->btnDeleteLine->click();
        QCOMPARE(w->Lines.rowCount(), 0);

        // A file whose titles are not recognised opens the mapping; the choice is remembered.
        const QString path = dir_.filePath(u"odd.csv"_s);
        QVERIFY(writeStatement(u"odd_titles"_s, path));
        int asked = 0;
        w->chooseLayout = [&](const SheetReader::Rows&, StatementLayout& l) {
            ++asked;
            l.headerRow = 0;
            l.setColumn(StatementRole::Date, 0);
            l.setColumn(StatementRole::In, 2);
            l.setColumn(StatementRole::Out, 3);
            return true;
        };
        w->confirmImport = [](const ImportPreview&) { return true; };
        w->importFile(path);
        QCOMPARE(asked, 1);
        QCOMPARE(column(w->Lines, u"ShouRu"_s), QStringList{u"660000"_s});
        w->importFile(path);
        QCOMPARE(asked, 1);
        QCOMPARE(messages.last(), u"导入成功，共导入 0 条，跳过已导入的 1 条"_s);
    }

    void reconciliationStatementWindow()
    {
        TestDatabase db;
        FakeFileDialogs files;
        addLine(u"2024-03-02"_s, u"100"_s, {}, {}, u"100"_s);
        addEntry(u"2024-03-02"_s, u"100"_s, {});
        addEntry(u"2024-03-30"_s, {}, u"40"_s);
        TfrmYinHangTiaoJieBiao dlg(account, QDate(2024, 3, 31));
        // 100 on the statement; the book has 100 − 40; both unpaired: 100 + 100 − 40 = 160 on
        // the bank side, 60 + 100 = 160 on the book side.
        QCOMPARE(dlg.data().adjustedStatement().toString(), u"160"_s);
        QCOMPARE(dlg.data().adjustedBook().toString(), u"160"_s);
        QCOMPARE(dlg.LabelVerdict->text(), u"余额相符"_s);
        QCOMPARE(dlg.ADOQuery1.rowCount(), 12); // 9 headings and totals, 3 items

        // Export through the grid export: the file holds the statement's rows.
        const QString out = dir_.filePath(u"调节表.csv"_s);
        files.saveAnswers << SaveFileAnswer{true, out, 2};
        dlg.btnExport->click();
        QCOMPARE(files.saveRequests.value(0).fileName, u"银行存款余额调节表"_s);
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.contains(u"银行对账单余额"_s));
        QVERIFY(text.contains(u"余额相符"_s));
    }
};

QTEST_MAIN(TestReconcileWindow)
#include "test_reconcile_window.moc"
