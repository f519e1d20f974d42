// Both journal windows: columns, toolbar, title panel, listing, and the commands around the
// entry dialog, the delete and its rewrite.
#include "JournalUiFixture.h"

#include "DBEdit.h"
#include "DBGrid.h"
#include "FakeFileDialogs.h"
#include "GridPrinter.h"
#include "u_addBankJZ.h"
#include "u_bankJZ.h"
#include "uAddXJRJZ.h"
#include "uXJRJ.h"
#include "uXJSearch.h"

#include <QComboBox>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QDateEdit>
#include <QLabel>
#include <QTableView>
#include <QPrintPreviewDialog>
#include <QTest>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

using namespace JournalFixture;
using namespace JournalUi;

namespace {
std::unique_ptr<JournalWindow> makeWindow(JournalKind kind)
{
    if (kind == JournalKind::Cash)
        return std::make_unique<TfrmXJRJ>(nullptr);
    return std::make_unique<TfrmBankJZ>(nullptr);
}

QStringList column(const QVector<GridColumn>& cols, QString GridColumn::*member)
{
    QStringList out;
    for (const GridColumn& c : cols)
        out << c.*member;
    return out;
}

int columnOf(const DBGrid* grid, const QString& field)
{
    for (int i = 0; i < grid->columns().size(); ++i)
        if (grid->columns()[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QStringList sl(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* i : items)
        out << QString::fromUtf8(i);
    return out;
}
} // namespace

class TestJournalWindows : public QObject {
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

    void columnsAsTabled_data() { kinds_data(); }
    void columnsAsTabled()
    {
        QFETCH(int, kind);
        const auto w = makeWindow(JournalKind(kind));
        const QVector<GridColumn>& cols = w->DBGridEh1->columns();
        QStringList hidden;
        for (int i = 0; i < cols.size(); ++i) {
            QCOMPARE(w->DBGridEh1->view()->isColumnHidden(i), !cols[i].visible);
            QCOMPARE(cols[i].alignment, Qt::Alignment(Qt::AlignCenter));
            if (!cols[i].visible)
                hidden << cols[i].field;
        }
        if (JournalKind(kind) == JournalKind::Cash) {
            QCOMPARE(column(cols, &GridColumn::field),
                     sl({"YeWuRQ", "PingZhengNo", "ZhanYao", "Detail", "ZhanYaoType", "QCJE", "JieFang", "DaiFang", "YuE",
                         "JingBR", "Fillter", "FilltDate", "Remark", "faPiaoDW", "KeMuDM"}));
            QCOMPARE(column(cols, &GridColumn::title),
                     sl({"日期", "凭证号", "摘要", "明细", "摘要类型", "QCJE", "借方（增加）", "贷方（减少）", "余额", "经办人",
                         "操作人", "操作日期", "备注", "发票单位", "科目单位"}));
            QCOMPARE(hidden, sl({"ZhanYaoType", "QCJE", "Fillter", "FilltDate"}));
            QCOMPARE(cols[0].width, 97);
            QCOMPARE(cols[14].width, 121);
            QCOMPARE(w->DBGridEh1->view()->selectionMode(), QAbstractItemView::ExtendedSelection);
        } else {
            QCOMPARE(column(cols, &GridColumn::field),
                     sl({"KaiHuBank", "yewuRQ", "PingZhengNo", "Zhanyao", "Detail", "JieFang", "DaiFang", "YuE", "JingBR",
                         "FaPiaoDW", "Remark"}));
            QCOMPARE(column(cols, &GridColumn::title),
                     sl({"开户银行", "日期", "凭证号", "摘要", "明细", "借方（增加）", "贷方（减少）", "余额", "经办人", "发票单位",
                         "备注"}));
            QVERIFY(hidden.isEmpty());
            QCOMPARE(cols[0].width, 124);
            QCOMPARE(w->DBGridEh1->view()->selectionMode(), QAbstractItemView::SingleSelection);
        }
        QCOMPARE(cols[0].footer, GridColumn::Footer::Text);
        QCOMPARE(cols[0].footerText, u8("合计"));
        QCOMPARE(cols[columnOf(w->DBGridEh1, QStringLiteral("JieFang"))].footer, GridColumn::Footer::Sum);
        QCOMPARE(cols[columnOf(w->DBGridEh1, QStringLiteral("DaiFang"))].footer, GridColumn::Footer::Sum);
        QCOMPARE(cols[columnOf(w->DBGridEh1, QStringLiteral("YuE"))].footer, GridColumn::Footer::None);
    }

    void toolbarInItsOrder_data() { kinds_data(); }
    void toolbarInItsOrder()
    {
        QFETCH(int, kind);
        const auto w = makeWindow(JournalKind(kind));
        QStringList captions, names;
        for (QAction* a : w->ToolBar1->actions()) {
            auto* b = qobject_cast<QToolButton*>(w->ToolBar1->widgetForAction(a));
            QVERIFY(b);
            captions << b->text();
            names << b->objectName();
        }
        const bool cash = JournalKind(kind) == JournalKind::Cash;
        QCOMPARE(captions, sl({"导出", "新增", "编辑", "删除", "打印", "打印账页", "刷新本记账年月数据", cash ? "查询 " : "查询", "退出"}));
        QCOMPARE(names, cash ? sl({"RzToolButton1", "RzToolButton2", "RzToolButton3", "RzToolButton4", "RzToolButton5",
                                   "RzToolButton9", "RzToolButton7", "RzToolButton6", "RzToolButton8"})
                             : sl({"RzToolButton1", "RzToolButton2", "RzToolButton3", "RzToolButton4", "RzToolButton5",
                                   "RzToolButton9", "RzToolButton6", "RzToolButton7", "RzToolButton8"}));
        QCOMPARE(w->windowTitle(), cash ? u8("现金日记账") : u8("银行日记账"));
        QVERIFY(w->windowState() & Qt::WindowMaximized);
        QCOMPARE(JournalWindow::printOptionsOf(JournalKind(kind)), cash ? GridPrinter::Options() : GridPrinter::AllOptions);
    }

    void titlePanel()
    {
        TfrmXJRJ w(nullptr);
        w.resize(1000, 500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.RzPanel1->height(), 41);
        QCOMPARE(w.RzPanel1->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(w.Label1->text(), u8("本记账年月日期："));
        QCOMPARE(w.Label1->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(w.Label2->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(w.Label2->text(), u8("2024年03月"));
        QCOMPARE(w.Label3->text(), u8("现金日记账"));
        QCOMPARE(w.Label3->font().pixelSize(), 19);
        QVERIFY(w.Label3->font().bold());
        // The title starts at the middle of the panel; it is not centred on it.
        QCOMPARE(w.Label3->x(), w.RzPanel1->width() / 2);
        w.setWindowState(Qt::WindowNoState);
        w.resize(701, 500);
        QTRY_COMPARE(w.RzPanel1->width(), 701);
        QCOMPARE(w.Label3->x(), 350);
    }

    void emptyMonthShowsZeroFooters_data() { kinds_data(); }
    void emptyMonthShowsZeroFooters()
    {
        QFETCH(int, kind);
        addCash(QStringLiteral("2024-02-10 08:00:00"), QStringLiteral("5"), QString());
        addBank(QStringLiteral("2024-04-01 00:00:00"), QStringLiteral("5"), QString(), u8("工商银行"));
        const auto w = makeWindow(JournalKind(kind));
        w->FormShow();
        QVERIFY(w->ADOQuery1.isOpen());
        QCOMPARE(w->ADOQuery1.rowCount(), 0);
        QCOMPARE(w->DBGridEh1->footerText(0), u8("合计"));
        QCOMPARE(w->DBGridEh1->footerText(columnOf(w->DBGridEh1, QStringLiteral("JieFang"))), QStringLiteral("0"));
        QCOMPARE(w->DBGridEh1->footerText(columnOf(w->DBGridEh1, QStringLiteral("DaiFang"))), QStringLiteral("0"));
        QCOMPARE(w->Label2->text(), u8("2024年03月"));
    }

    void listingAndRefresh()
    {
        const qlonglong mine = addCash(QStringLiteral("2024-03-10 08:00:00"), QStringLiteral("5"), QString());
        const qlonglong first = addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("2.5"), QStringLiteral("1"));
        addCash(QStringLiteral("2024-03-05 08:00:00"), QStringLiteral("5"), QString(), QStringLiteral("bob"));
        const qlonglong other = addCash(QStringLiteral("2024-02-05 08:00:00"), QStringLiteral("5"), QString());
        TfrmXJRJ w(nullptr);
        w.FormShow();
        QCOMPARE(w.ADOQuery1.rowCount(), 2);
        QCOMPARE(w.ADOQuery1.valueAt(0, 0).toLongLong(), first);
        QCOMPARE(w.ADOQuery1.valueAt(1, 0).toLongLong(), mine);
        QCOMPARE(w.DBGridEh1->footerText(columnOf(w.DBGridEh1, QStringLiteral("JieFang"))), QStringLiteral("7.5"));
        QCOMPARE(w.DBGridEh1->footerText(columnOf(w.DBGridEh1, QStringLiteral("DaiFang"))), QStringLiteral("1"));
        // A search result is replaced by the period listing again.
        w.ADOQuery1.open(QStringLiteral("SELECT * FROM XJRJZ WHERE autoID=?"), {other});
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
        w.RzToolButton7->click();
        QCOMPARE(w.ADOQuery1.rowCount(), 2);
        QCOMPARE(world->messages.shown.size(), 0);
    }

    void showingListsAfresh()
    {
        TfrmBankJZ w(nullptr);
        w.show();
        QCOMPARE(w.ADOQuery1.rowCount(), 0);
        w.hide();
        addBank(QStringLiteral("2024-03-10 08:00:00"), QStringLiteral("5"), QString(), u8("工商银行"));
        addBank(QStringLiteral("2024-03-09 08:00:00"), QStringLiteral("5"), QString(), u8("建设银行"));
        w.show();
        QCOMPARE(w.ADOQuery1.rowCount(), 2);
        QCOMPARE(w.ADOQuery1.text(QStringLiteral("KaiHuBank")), u8("建设银行"));
    }

    void editOnAnEmptyListOpensNothing_data() { kinds_data(); }
    void editOnAnEmptyListOpensNothing()
    {
        QFETCH(int, kind);
        const auto w = makeWindow(JournalKind(kind));
        w->FormShow();
        w->editClick();
        QCOMPARE(world->messages.shown.size(), 1);
        QCOMPARE(world->messages.last(), u8("请选择要修改的记录"));
        QCOMPARE(world->messages.shown[0].kind, FakeMessages::Kind::Information);
        QCOMPARE(w->ADOQuery1.state(), Dataset::State::Browsing);
        QCOMPARE(w->ADOQuery1.rowCount(), 0);
        QVERIFY(!frmAddXJRJZ && !frmAddBankJZ);
    }

    void deleteOnAnEmptyListSaysNothing()
    {
        TfrmXJRJ w(nullptr);
        w.FormShow();
        w.RzToolButton4->click();
        QVERIFY(world->messages.shown.isEmpty());
    }

    void noToTheDeleteQuestionChangesNothing()
    {
        const qlonglong id = addCash(QStringLiteral("2024-03-10 08:00:00"), QStringLiteral("5"), QString());
        TfrmXJRJ w(nullptr);
        w.FormShow();
        world->messages.answers << false;
        w.RzToolButton4->click();
        QCOMPARE(world->messages.shown.size(), 1);
        QCOMPARE(world->messages.shown[0].kind, FakeMessages::Kind::Question);
        QCOMPARE(world->messages.shown[0].text, u8("确定要删除该条记录吗？"));
        QCOMPARE(world->messages.shown[0].caption, u8("系统 提示"));
        QCOMPARE(count(QStringLiteral("XJRJZ")), 1);
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), id), QStringLiteral("-"));
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
    }

    void cashDeleteRewritesTheMonth()
    {
        addCash(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString());
        const qlonglong doomed = addCash(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("4"), QString());
        const qlonglong last = addCash(QStringLiteral("2024-03-03 08:00:00"), QString(), QStringLiteral("1"));
        TfrmXJRJ w(nullptr);
        w.FormShow();
        w.ADOQuery1.moveTo(1);
        QCOMPARE(w.ADOQuery1.value(QStringLiteral("autoID")).toLongLong(), doomed);
        w.RzToolButton4Click();
        QCOMPARE(count(QStringLiteral("XJRJZ")), 2);
        QCOMPARE(balanceOf(QStringLiteral("XJRJZ"), last), QStringLiteral("9"));
        QCOMPARE(w.ADOQuery1.rowCount(), 2);
        QCOMPARE(w.ADOQuery1.currentRow(), 1);
        QCOMPARE(w.DBGridEh1->footerText(columnOf(w.DBGridEh1, QStringLiteral("JieFang"))), QStringLiteral("10"));
        QVERIFY(w.DBGridEh1->updatesEnabled());
    }

    void bankDeleteNarrowsToOneAccountUntilRefresh()
    {
        addBank(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString(), u8("工商银行"));
        const qlonglong doomed = addBank(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("4"), QString(), u8("建设银行"));
        const qlonglong kept = addBank(QStringLiteral("2024-03-03 08:00:00"), QStringLiteral("1"), QString(), u8("建设银行"));
        TfrmBankJZ w(nullptr);
        w.FormShow();
        QCOMPARE(w.ADOQuery1.rowCount(), 3);
        QVERIFY(w.ADOQuery1.locate(QStringLiteral("autoID"), doomed));
        // The grid does not repaint while the list is re-read.
        QList<bool> repaintingWhileListed;
        connect(&w.ADOQuery1, &Dataset::opened, this, [&] { repaintingWhileListed << w.DBGridEh1->updatesEnabled(); });
        w.deleteClick();
        QVERIFY(!repaintingWhileListed.isEmpty());
        QVERIFY(!repaintingWhileListed.contains(true));
        QVERIFY(w.DBGridEh1->updatesEnabled());
        QCOMPARE(w.ADOQuery1.rowCount(), 1);
        QCOMPARE(w.ADOQuery1.value(QStringLiteral("autoID")).toLongLong(), kept);
        QCOMPARE(balanceOf(QStringLiteral("YHRJZ"), kept), QStringLiteral("1"));
        w.RzToolButton6Click();
        QCOMPARE(w.ADOQuery1.rowCount(), 2);
    }

    void failedBankDeleteKeepsTheEntryAndRepaints()
    {
        const qlonglong doomed = addBank(QStringLiteral("2024-03-01 08:00:00"), QStringLiteral("10"), QString(), u8("工商银行"));
        const qlonglong later = addBank(QStringLiteral("2024-03-02 08:00:00"), QStringLiteral("4"), QString(), u8("工商银行"));
        TestDatabase::exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF YuE ON YHRJZ WHEN NEW.autoID = %1 "
                                          "BEGIN SELECT RAISE(ABORT, '余额不能写入'); END").arg(later));
        TfrmBankJZ w(nullptr);
        w.FormShow();
        QVERIFY(w.ADOQuery1.locate(QStringLiteral("autoID"), doomed));
        w.RzToolButton4->click(); // through the guard: the error box tells why
        QCOMPARE(world->messages.shown.size(), 2);
        QCOMPARE(world->messages.shown[1].kind, FakeMessages::Kind::Error);
        QVERIFY(world->messages.shown[1].text.contains(u8("余额不能写入")));
        QVERIFY(w.DBGridEh1->updatesEnabled());
        QCOMPARE(count(QStringLiteral("YHRJZ")), 2);
        QCOMPARE(w.ADOQuery1.rowCount(), 2);
        QCOMPARE(w.ADOQuery1.value(QStringLiteral("autoID")).toLongLong(), doomed);
    }

    void newPreparesARowAndThePickers_data() { kinds_data(); }
    void newPreparesARowAndThePickers()
    {
        QFETCH(int, kind);
        const auto w = makeWindow(JournalKind(kind));
        w->FormShow();
        const QDateTime before = QDateTime::currentDateTime();
        bool seen = false;
        whenModal([&] {
            JournalEntryDialog* d = JournalKind(kind) == JournalKind::Cash ? static_cast<JournalEntryDialog*>(frmAddXJRJZ)
                                                                           : frmAddBankJZ;
            QVERIFY(d && d->isVisible());
            QCOMPARE(d->parent(), w.get());
            QCOMPARE(w->ADOQuery1.state(), Dataset::State::Inserting);
            QCOMPARE(w->ADOQuery1.rowCount(), 1);
            QCOMPARE(d->DateTimePicker1->date(), before.date());
            QVERIFY(qAbs(d->DateTimePicker2->time().secsTo(before.time())) <= 2);
            seen = true;
            d->btnExitClick();
        });
        w->RzToolButton2->click();
        QVERIFY(seen);
        // Closing discarded the new row, and the dialog is gone.
        QCOMPARE(w->ADOQuery1.rowCount(), 0);
        QCOMPARE(w->ADOQuery1.state(), Dataset::State::Browsing);
        QVERIFY(!frmAddXJRJZ && !frmAddBankJZ);
    }

    void editPreparesThePickersAndTheAccount_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("shown");
        QTest::newRow("listed account") << u8("建设银行") << u8("建设银行");
        QTest::newRow("account no longer listed") << u8("农业银行") << QString();
    }
    void editPreparesThePickersAndTheAccount()
    {
        QFETCH(QString, account);
        QFETCH(QString, shown);
        addBank(QStringLiteral("2024-03-12 13:14:15"), QStringLiteral("5"), QString(), account);
        TfrmBankJZ w(nullptr);
        w.FormShow();
        bool seen = false;
        whenModal([&] {
            QVERIFY(frmAddBankJZ);
            QCOMPARE(w.ADOQuery1.state(), Dataset::State::Editing);
            QCOMPARE(frmAddBankJZ->DateTimePicker1->date(), QDate(2024, 3, 12));
            QCOMPARE(frmAddBankJZ->DateTimePicker2->time(), QTime(13, 14, 15));
            QCOMPARE(frmAddBankJZ->ComboBox1->currentText(), shown);
            QCOMPARE(frmAddBankJZ->debitBox->text(), QStringLiteral("5"));
            seen = true;
            frmAddBankJZ->close();
        });
        w.RzToolButton3Click();
        QVERIFY(seen);
        QCOMPARE(w.ADOQuery1.state(), Dataset::State::Browsing);
    }

    void exportOffersTheReportName_data() { kinds_data(); }
    void exportOffersTheReportName()
    {
        QFETCH(int, kind);
        FakeFileDialogs files;
        const auto w = makeWindow(JournalKind(kind));
        w->FormShow();
        w->RzToolButton1->click();
        QCOMPARE(files.saveRequests.size(), 1);
        QCOMPARE(files.saveRequests[0].fileName,
                 JournalKind(kind) == JournalKind::Cash ? u8("现金日记账报表") : u8("银行日记账报表"));
    }

    void printOpensThePreview()
    {
        TfrmBankJZ w(nullptr);
        w.FormShow();
        bool previewed = false;
        QSize shownSize;
        whenModal([&] {
            QWidget* modal = QApplication::activeModalWidget();
            previewed = modal && modal != &w;
            if (modal) {
                shownSize = modal->size();
                modal->close();
            }
        });
        w.RzToolButton5Click();
        QVERIFY(previewed);
        // Full size also where no window manager maximises it.
        QCOMPARE(shownSize, QGuiApplication::primaryScreen()->availableGeometry().size());
    }

    // Printed on a 1200 dpi page the journal's text is as tall as the statistics' (about 3 mm),
    // read back from the PDF by an independent reader.
    void printedTextIsReadableOnPaper()
    {
        QFETCH(int, kind);
        const bool cash = JournalKind(kind) == JournalKind::Cash;
        for (int i = 0; i < 3; ++i) {
            if (cash)
                addCash(QStringLiteral("2024-03-0%1 08:00:00").arg(i + 1), QStringLiteral("12"), QString());
            else
                addBank(QStringLiteral("2024-03-0%1 08:00:00").arg(i + 1), QStringLiteral("12"), QString(), u8("工商银行"));
        }
        auto w = makeWindow(JournalKind(kind));
        w->FormShow();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("journal.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        QCOMPARE(printer.resolution(), 1200);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageLayout(GridPrinter::defaultPageLayout());
        GridPrinter(w->DBGridEh1, JournalWindow::printOptionsOf(JournalKind(kind))).render(&printer);

        QProcess reader;
        reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(60000));
        const QString html = QString::fromUtf8(reader.readAllStandardOutput());
        static const QRegularExpression word(QStringLiteral(R"re(<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">)re"));
        QVector<double> heightsMm;
        for (auto it = word.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            heightsMm << (m.captured(2).toDouble() - m.captured(1).toDouble()) * 25.4 / 72.0;
        }
        QVERIFY2(heightsMm.size() > 10, qPrintable(html.left(400)));
        std::sort(heightsMm.begin(), heightsMm.end());
        const double median = heightsMm.at(heightsMm.size() / 2);
        QVERIFY2(median > 2.5 && median < 6.0, qPrintable(QString::number(median)));
    }
    void printedTextIsReadableOnPaper_data() { kinds_data(); }
    void ledgerPagesOpenTheirPreview_data() { kinds_data(); }
    void ledgerPagesOpenTheirPreview()
    {
        QFETCH(int, kind);
        const auto w = makeWindow(JournalKind(kind));
        w->FormShow();
        QString seen;
        whenModal([&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
                for (QAction* a : preview->findChild<QToolBar*>()->actions())
                    if (a->isCheckable() && a->text() == u8("本日合计"))
                        seen = a->isChecked() ? u8("on") : u8("off");
            }
            if (modal)
                modal->close();
        });
        w->RzToolButton9->click();
        QCOMPARE(seen, u8("on"));
    }

    void searchOpensTheSearchOverTheList()
    {
        TfrmXJRJ w(nullptr);
        w.FormShow();
        bool seen = false;
        whenModal([&] {
            QVERIFY(frmXJSearch && frmXJSearch->isVisible());
            QCOMPARE(frmXJSearch->parent(), &w);
            seen = true;
            frmXJSearch->close();
        });
        w.RzToolButton6->click();
        QVERIFY(seen);
    }
};

QTEST_MAIN(TestJournalWindows)
#include "test_journal_windows.moc"
