#include "uJieZhang.h"

#include "AppError.h"
#include "Application.h"
#include "ClosedMonths.h"
#include "DBGrid.h"
#include "GridColumn.h"
#include "GridPrinter.h"
#include "LedgerPrinter.h"
#include "Maximise.h"
#include "Messages.h"
#include "MonthClosing.h"
#include "Period.h"
#include "uDM.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QSplitter>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

TfrmJieZhang* frmJieZhang = nullptr;

namespace {
const QString question = QStringLiteral("系统提示");
const QString closedText = QStringLiteral("已结账");
const QString openText = QStringLiteral("未结账");

QVector<GridColumn> summaryColumns()
{
    return {
        GridColumn::text(MonthClosing::SetRowField::journal, QStringLiteral("日记账"), 90),
        GridColumn::text(MonthClosing::SetRowField::operatorName, QStringLiteral("操作员"), 80),
        GridColumn::text(MonthClosing::SetRowField::account, QStringLiteral("开户银行"), 170),
        GridColumn::money(MonthClosing::SetRowField::opening, QStringLiteral("期初余额"), 100),
        GridColumn::money(MonthClosing::SetRowField::monthDebit, QStringLiteral("本月借方合计"), 100),
        GridColumn::money(MonthClosing::SetRowField::monthCredit, QStringLiteral("本月贷方合计"), 100),
        GridColumn::money(MonthClosing::SetRowField::yearDebit, QStringLiteral("本年借方累计"), 100),
        GridColumn::money(MonthClosing::SetRowField::yearCredit, QStringLiteral("本年贷方累计"), 100),
        GridColumn::money(MonthClosing::SetRowField::closing, QStringLiteral("期末余额"), 100),
    };
}
} // namespace

TfrmJieZhang::TfrmJieZhang(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("月末结账"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    RzToolbar1 = new QToolBar(this);
    RzToolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    btnJieZhang = RzToolbar1->addAction(QStringLiteral("结账"));
    btnFanJieZhang = RzToolbar1->addAction(QStringLiteral("反结账"));
    RzToolbar1->addSeparator();
    btnExport = RzToolbar1->addAction(QStringLiteral("导出"));
    btnPrint = RzToolbar1->addAction(QStringLiteral("打印"));
    btnLedger = RzToolbar1->addAction(QStringLiteral("打印账页"));
    btnExit = RzToolbar1->addAction(QStringLiteral("退出"));

    MonthList = new QTableWidget(0, 2, this);
    MonthList->setHorizontalHeaderLabels({QStringLiteral("月份"), QStringLiteral("状态")});
    MonthList->setAccessibleName(QStringLiteral("月份"));
    MonthList->setSelectionBehavior(QAbstractItemView::SelectRows);
    MonthList->setSelectionMode(QAbstractItemView::SingleSelection);
    MonthList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MonthList->verticalHeader()->hide();
    MonthList->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    MonthList->horizontalHeader()->setStretchLastSection(true);
    MonthList->setMinimumWidth(180);

    Label1 = new QLabel(this);
    DBGridEh1 = new DBGrid(this);
    DBGridEh1->setDataset(&ADOQuery1);
    DBGridEh1->setColumns(summaryColumns());
    DBGridEh1->setFooterVisible(false);
    Label1->setBuddy(DBGridEh1);
    PrintDBGridEh1 = new GridPrinter(DBGridEh1, GridPrinter::AllOptions, this);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(6, 6, 6, 6);
    rightLayout->addWidget(Label1);
    rightLayout->addWidget(DBGridEh1, 1);
    auto* split = new QSplitter(this);
    split->addWidget(MonthList);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(RzToolbar1);
    layout->addWidget(split, 1);
    resize(980, 560);
    maximise(this);

    onSignal(btnJieZhang, &QAction::triggered, this, [this] { btnJieZhangClick(); });
    onSignal(btnFanJieZhang, &QAction::triggered, this, [this] { btnFanJieZhangClick(); });
    onSignal(btnExport, &QAction::triggered, this, [this] { btnExportClick(); });
    onSignal(btnPrint, &QAction::triggered, this, [this] { btnPrintClick(); });
    onSignal(btnLedger, &QAction::triggered, this, [this] { btnLedgerClick(); });
    onSignal(btnExit, &QAction::triggered, this, [this] { btnExitClick(); });
    onSignal(MonthList, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = MonthList->currentRow();
        if (row >= 0 && MonthList->item(row, 0)->data(Qt::UserRole).toString() != shownMonth_)
            showMonth(MonthList->item(row, 0)->data(Qt::UserRole).toString());
    });
}

TfrmJieZhang::~TfrmJieZhang()
{
    if (frmJieZhang == this)
        frmJieZhang = nullptr;
}

void TfrmJieZhang::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TfrmJieZhang::loadMonths()
{
    const QVector<MonthClosing::MonthState> months = MonthClosing::monthStates();
    const QSignalBlocker quiet(MonthList);
    MonthList->setRowCount(int(months.size()));
    for (int i = 0; i < months.size(); ++i) {
        auto* m = new QTableWidgetItem(ClosedMonths::monthLabel(months[i].month));
        m->setData(Qt::UserRole, months[i].month);
        MonthList->setItem(i, 0, m);
        MonthList->setItem(i, 1, new QTableWidgetItem(months[i].closed ? closedText : openText));
    }
}

void TfrmJieZhang::FormShow()
{
    shownMonth_.clear();
    loadMonths();
    showMonth(MonthClosing::monthToClose(GetPeriodDate()));
}

void TfrmJieZhang::showMonth(const QString& month)
{
    shownMonth_ = month;
    {
        const QSignalBlocker quiet(MonthList);
        MonthList->clearSelection();
        for (int i = 0; i < MonthList->rowCount(); ++i)
            if (MonthList->item(i, 0)->data(Qt::UserRole).toString() == month)
                MonthList->selectRow(i);
    }
    Label1->setText(ClosedMonths::monthLabel(month) + QStringLiteral("（")
                    + (ClosedMonths::isClosed(month) ? closedText : openText) + QStringLiteral("）"));
    const Connection::Statement st = MonthClosing::monthSummary(month);
    ADOQuery1.close();
    ADOQuery1.open(st.sql, st.params);
}

void TfrmJieZhang::btnJieZhangClick()
{
    Messages& m = Messages::current();
    const QString month = MonthClosing::monthToClose(GetPeriodDate());
    const QString refusal = MonthClosing::closeRefusal(month);
    if (!refusal.isEmpty()) {
        m.information(this, refusal);
        return;
    }
    const QString label = ClosedMonths::monthLabel(month);
    if (!m.question(this, QStringLiteral("确定要结账%1吗？").arg(label), question))
        return;
    MonthClosing::closeMonth(month, DM ? DM->CurrentUser : QString(), QDateTime::currentDateTime());
    loadMonths();
    showMonth(month);
    m.information(this, QStringLiteral("%1结账完成").arg(label));
}

void TfrmJieZhang::btnFanJieZhangClick()
{
    Messages& m = Messages::current();
    const QString month = MonthClosing::monthToReopen();
    if (month.isEmpty()) {
        m.information(this, QStringLiteral("没有已结账的月份"));
        return;
    }
    const QString label = ClosedMonths::monthLabel(month);
    if (!m.question(this, QStringLiteral("确定要反结账%1吗？").arg(label), question))
        return;
    MonthClosing::reopenMonth(month);
    loadMonths();
    showMonth(month);
    m.information(this, QStringLiteral("%1已反结账").arg(label));
}

void TfrmJieZhang::btnExportClick()
{
    if (!DM)
        throw AppError(QStringLiteral("数据模块尚未建立"));
    DM->ExportGrid(DBGridEh1, QStringLiteral("月末结账%1").arg(ClosedMonths::monthLabel(shownMonth_)));
}

void TfrmJieZhang::btnPrintClick() { PrintDBGridEh1->preview(this); }

void TfrmJieZhang::btnLedgerClick()
{
    // The ledger pages of the selected set's journal and operator, for the month shown.
    if (ADOQuery1.isEmpty() || shownMonth_.isEmpty())
        return;
    const bool bank = ADOQuery1.value(MonthClosing::SetRowField::journal).toString() == MonthClosing::bankJournalCaption;
    previewLedger(this, bank ? JournalKind::Bank : JournalKind::Cash, shownMonth_ + QStringLiteral("-01"),
                  ADOQuery1.value(MonthClosing::SetRowField::operatorName).toString());
}

void TfrmJieZhang::btnExitClick() { close(); }
